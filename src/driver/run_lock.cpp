#include "driver/run_lock.hpp"

#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cwchar>

RunLock::~RunLock() {
    if (handle == nullptr) return;
    ReleaseMutex(handle);
    CloseHandle(handle);
}

bool lockDirectory(RunLock& lock, const std::filesystem::path& dir) {
    const std::filesystem::path where = dir.empty() ? std::filesystem::path(L".") : dir;
    HANDLE directory = CreateFileW(where.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (directory == INVALID_HANDLE_VALUE) return true;
    BY_HANDLE_FILE_INFORMATION info{};
    BOOL known = GetFileInformationByHandle(directory, &info);
    CloseHandle(directory);
    if (!known) return true;
    // The same directory under any spelling of its path has one name here.
    wchar_t name[96];
    for (const wchar_t* space : {L"Global", L"Local"}) {
        std::swprintf(name, sizeof name / sizeof name[0], L"%ls\\olyindex-run-%08lx-%08lx%08lx", space,
                      static_cast<unsigned long>(info.dwVolumeSerialNumber),
                      static_cast<unsigned long>(info.nFileIndexHigh), static_cast<unsigned long>(info.nFileIndexLow));
        HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
        if (mutex == nullptr) continue;
        DWORD waited = WaitForSingleObject(mutex, 0);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
            lock.handle = mutex;
            return true;
        }
        CloseHandle(mutex);
        return waited != WAIT_TIMEOUT;
    }
    return true;
}

#else

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

RunLock::~RunLock() {
    if (descriptor != -1) ::close(descriptor);
}

bool lockDirectory(RunLock& lock, const std::filesystem::path& dir) {
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd == -1) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lock.descriptor = fd;
        return true;
    }
    bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return !busy;
}

#endif
