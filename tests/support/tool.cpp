#include "tool.hpp"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace fs = std::filesystem;

std::unique_ptr<Tool> startTool(const fs::path& dir, const std::vector<std::string>& args, long fileSizeLimit) {
    std::vector<char*> argv{const_cast<char*>(OLYINDEX_BINARY)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    int fds[2];
    if (pipe(fds) != 0) return nullptr;
    auto tool = std::make_unique<Tool>();
    tool->pid = fork();
    if (tool->pid == 0) {
        close(fds[0]);
        if (dup2(fds[1], 1) == -1 || chdir(dir.c_str()) != 0) _exit(126);
        setenv("LC_ALL", "C", 1);  // the console in code page 1251
        if (fileSizeLimit > 0) {
            rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
        }
        execv(OLYINDEX_BINARY, argv.data());
        _exit(127);
    }
    close(fds[1]);
    tool->console = fds[0];
    tool->reader = std::thread([t = tool.get()] {
        char buffer[1 << 16];
        ssize_t got;
        while ((got = read(t->console, buffer, sizeof buffer)) > 0) t->printed.append(buffer, static_cast<std::size_t>(got));
        close(t->console);
    });
    return tool;
}

Ended waitTool(std::unique_ptr<Tool> tool) {
    Ended ended;
    int status = 0;
    if (waitpid(tool->pid, &status, 0) == tool->pid) {
        if (WIFSIGNALED(status)) ended.status = 128 + WTERMSIG(status);
        else if (WIFEXITED(status)) ended.status = WEXITSTATUS(status);
    }
    tool->reader.join();
    ended.console = std::move(tool->printed);
    return ended;
}

std::vector<std::string> temporariesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with(".olyindex-tmp-")) names.push_back(name);
    }
    return names;
}
