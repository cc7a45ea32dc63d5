#include "driver/file_system.hpp"

#include <memory>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#include "driver/paths.hpp"
#include "driver/signals.hpp"

namespace fs = std::filesystem;

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// What is written comes in a sink's whole buffer: a second buffer would
// only cut it into more writes.
void unbuffered(std::FILE* file) {
    std::setvbuf(file, nullptr, _IONBF, 0);
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

}  // namespace

#ifdef _WIN32

WholeRead readWholeFile(const fs::path& path, std::string& bytes) {
    if (isDirectory(path)) return WholeRead::CannotOpen;
    std::unique_ptr<std::FILE, CloseFile> file(openFile(path, "rb"));
    if (!file) return WholeRead::CannotOpen;
    bytes.clear();
    std::error_code error;
    if (fs::is_regular_file(path, error)) bytes.reserve(static_cast<std::size_t>(fs::file_size(path, error)));
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
    return std::ferror(file.get()) ? WholeRead::ReadError : WholeRead::Ok;
}

#else

WholeRead readWholeFile(const fs::path& path, std::string& bytes) {
    if (isDirectory(path)) return WholeRead::CannotOpen;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd == -1) return WholeRead::CannotOpen;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    bytes.clear();
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        // A pipe can keep the run waiting for ever: a signal that came before
        // the read began would not end the wait, so the run waits in short spells.
        if (pendingSignal() != 0) return WholeRead::ReadError;
        pollfd wait{fd, POLLIN, 0};
        int ready = ::poll(&wait, 1, 100);
        if (ready == 0 || (ready == -1 && errno == EINTR)) continue;
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) return WholeRead::Ok;
        if (got > 0) bytes.append(buffer, static_cast<std::size_t>(got));
        else if (errno != EINTR && errno != EAGAIN) return WholeRead::ReadError;
    }
}

#endif

bool isSpecialFile(const fs::path& path) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    return fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status);
}

#ifdef _WIN32

bool canCreate(const fs::path& path) {
    if (!path.has_filename()) return false;
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (error && status.type() != fs::file_type::not_found) return false;
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) return false;
        // Replacing needs the right to delete it, which a program that holds
        // the file open without sharing that right withholds.
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
    }
    const fs::path parent = path.parent_path();
    return isDirectory(parent.empty() ? fs::path(L".") : parent);
}

std::FILE* createNewFile(const fs::path& path) {
    int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd == -1) return nullptr;
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) _close(fd);
    else unbuffered(file);
    return file;
}

void copyPermissions(std::FILE*, const fs::path&) {
    // A read-only file is refused at start-up; nothing else is carried over.
}

bool syncFile(std::FILE* file) {
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
}

bool replaceFile(const fs::path& from, const fs::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

void removeFile(const fs::path& path) {
    DeleteFileW(path.c_str());
}

#else

bool canCreate(const fs::path& path) {
    if (!path.has_filename()) return false;  // "name/" names a directory
    struct stat here {};
    if (::lstat(path.c_str(), &here) == 0) {
        if (S_ISLNK(here.st_mode)) {
            struct stat target {};
            if (::stat(path.c_str(), &target) == 0) {
                if (!S_ISREG(target.st_mode)) return false;
            } else if (errno != ENOENT) {
                return false;  // a loop
            }
        } else if (!S_ISREG(here.st_mode) || ::access(path.c_str(), W_OK) != 0) {
            return false;
        }
    } else if (errno != ENOENT) {
        return false;  // a name too long, a loop, a parent that is a file
    }
    const fs::path parent = path.parent_path();
    const char* dir = parent.empty() ? "." : parent.c_str();
    struct stat folder {};
    return ::stat(dir, &folder) == 0 && S_ISDIR(folder.st_mode) && ::access(dir, W_OK | X_OK) == 0;
}

std::FILE* createNewFile(const fs::path& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd == -1) return nullptr;
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) ::close(fd);
    else unbuffered(file);
    return file;
}

void copyPermissions(std::FILE* file, const fs::path& model) {
    struct stat existing {};
    if (::stat(model.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(::fileno(file), existing.st_mode & 07777);
}

bool syncFile(std::FILE* file) {
    return ::fsync(::fileno(file)) == 0;
}

bool replaceFile(const fs::path& from, const fs::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void removeFile(const fs::path& path) {
    ::unlink(path.c_str());
}

#endif
