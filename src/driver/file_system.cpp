#include "driver/file_system.hpp"

#include <memory>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "driver/paths.hpp"

namespace fs = std::filesystem;

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool writableDirectory(const fs::path& dir) {
#ifdef _WIN32
    return isDirectory(dir);
#else
    return ::access(dir.empty() ? "." : dir.c_str(), W_OK | X_OK) == 0;
#endif
}

}  // namespace

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

bool canCreate(const fs::path& path) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) return false;
    if (!fs::exists(status)) return writableDirectory(resolvedPath(path).parent_path());
#ifdef _WIN32
    std::unique_ptr<std::FILE, CloseFile> file(openFile(path, "r+b"));
    return file != nullptr;
#else
    return ::access(path.c_str(), W_OK) == 0;
#endif
}
