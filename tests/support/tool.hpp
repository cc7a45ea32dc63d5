#pragma once
// The built tool as a process of its own, for what only a process shows:
// signals, resource limits, two runs at once.

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

struct Tool {
    pid_t pid = -1;
    int console = -1;     // the read end of the pipe the console goes to
    std::thread reader;   // gathers the console as it comes
    std::string printed;  // the console, code page 1251
};

// Starts the tool in `dir` with these arguments, its files limited to
// `fileSizeLimit` bytes when that is not 0 (what `ulimit -f` sets); the
// console, a pipe, is not limited.
std::unique_ptr<Tool> startTool(const std::filesystem::path& dir, const std::vector<std::string>& args,
                                long fileSizeLimit = 0);

struct Ended {
    int status = -1;  // the exit status, or 128 and the signal that ended the process, as a shell shows it
    std::string console;
};

// Waits for the process to end.
Ended waitTool(std::unique_ptr<Tool> tool);

// The names in `dir` that a run's temporary files have.
std::vector<std::string> temporariesIn(const std::filesystem::path& dir);
