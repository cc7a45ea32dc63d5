#include "driver/standard_streams.hpp"

#ifdef _WIN32

bool reserveStandardStreams() {
    return true;
}

#else

#include <fcntl.h>
#include <unistd.h>

bool reserveStandardStreams() {
    bool outputOpen = true;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1) continue;
        if (fd == 1) outputOpen = false;
        // The lowest free descriptor is this one, since those below are open.
        ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    }
    return outputOpen;
}

#endif
