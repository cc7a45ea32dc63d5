# Read by cpack for each generator: a .deb is made only where dpkg-shlibdeps
# can work out its Depends, since cpack would otherwise leave them out
# without a word.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(OLYINDEX_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(NOT OLYINDEX_DPKG_SHLIBDEPS)
    message(FATAL_ERROR "cpack -G DEB needs dpkg-shlibdeps for the package's Depends: apt-get install dpkg-dev")
  endif()
endif()
