#include "driver/signals.hpp"

#include <atomic>
#include <csignal>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {

// The one mutable global of the program: a signal handler (on Windows a
// console handler, which runs on a thread of its own) can reach no object of
// the run, so the note it leaves must live here. A lock-free atomic is what a
// handler may safely store to.
std::atomic<int> noted{0};
static_assert(std::atomic<int>::is_always_lock_free);

#ifdef _WIN32

std::atomic<bool> finished{false};

constexpr int kInterrupt = 2;  // SIGINT
constexpr int kHangUp = 1;     // SIGHUP, which Windows does not name

BOOL WINAPI onConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            noted = kInterrupt;
            return TRUE;
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            // The system ends the process once this returns, and waits
            // about five seconds at most: the run gets that long to clean up.
            noted = kHangUp;
            for (int waited = 0; waited < 90 && !finished; ++waited) Sleep(50);
            return TRUE;
        default:
            return FALSE;
    }
}

#else

extern "C" void noteSignal(int signal) {
    noted = signal;
}

#endif

}  // namespace

#ifdef _WIN32

void installSignalHandlers() {
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

void runFinished() {
    finished = true;
}

#else

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a read that waits (a pipe) returns, and the run looks
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

void runFinished() {}

#endif

int pendingSignal() {
    return noted;
}

void stopIfInterrupted() {
    if (int signal = noted; signal != 0) throw Interrupted{signal};
}
