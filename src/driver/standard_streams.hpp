#pragma once
// The three standard streams as the process found them.

// Puts the null device on each of the descriptors 0, 1 and 2 that is closed,
// so that no file the run opens can take its place and receive what was meant
// for another stream. True when standard output was open.
bool reserveStandardStreams();
