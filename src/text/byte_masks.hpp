#pragma once
// Sixteen bytes of a text looked at together, for the scans that every line
// or every byte of the console goes through: bit i of a mask stands for the
// byte p[i]. The processors olyindex is built for have SSE2; elsewhere the
// bytes are compared one by one.

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

inline constexpr std::size_t kMaskBytes = 16;

// The bytes p[0..15] that equal `c`.
inline std::uint32_t equalMask(const char* p, char c) {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
#else
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < kMaskBytes; ++i)
        if (p[i] == c) mask |= std::uint32_t{1} << i;
    return mask;
#endif
}

// The bytes p[0..15] at or above 0x80: those that are no ASCII.
inline std::uint32_t highMask(const char* p) {
#if defined(__SSE2__)
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
#else
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < kMaskBytes; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80) mask |= std::uint32_t{1} << i;
    return mask;
#endif
}
