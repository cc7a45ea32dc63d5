#pragma once
// The signals that end a run before its end: SIGINT, SIGTERM and SIGHUP (on
// Windows Ctrl+C, Ctrl+Break and a console that closes). A handler only notes
// the signal; the run looks at the note between portions of work, removes
// what it had begun to write and ends with 128 + the signal's number, the
// status a shell expects of a process the signal ended.

// Thrown where the run looks and finds a signal noted.
struct Interrupted {
    int signal = 0;
};

// Called once by main: the handlers note the signals, except one the process
// was started with ignored (nohup, a background job). A file-size limit and a
// reader that went away make the write fail, which the run reports, instead
// of ending the process (SIGXFSZ and SIGPIPE are ignored).
void installSignalHandlers();

// The signal noted, 0 when none was.
int pendingSignal();

// Throws Interrupted when a signal was noted.
void stopIfInterrupted();

// The run has cleaned up: on Windows a console that closes waits for this
// before it lets the system end the process.
void runFinished();
