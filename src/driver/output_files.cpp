#include "driver/output_files.hpp"

#include <memory>
#include <utility>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dirent.h>
#endif

#include "driver/file_system.hpp"
#include "driver/paths.hpp"

namespace fs = std::filesystem;

namespace {

fs::path temporaryBeside(const fs::path& target) {
    return target.parent_path() / (fs::path(std::string(kTemporaryPrefix)).native() + target.filename().native());
}

}  // namespace

void connectOutput(OutputFile& file, Encoding encoding) {
    file.sink.drain = [&file, encoding](std::string_view bytes) {
        if (file.handle == nullptr) return;
        writeEncoded(bytes, encoding, [&file](std::string_view piece) {
            if (std::fwrite(piece.data(), 1, piece.size(), file.handle) != piece.size()) file.failed = true;
        });
    };
}

bool openOutput(OutputFile& file, const fs::path& dir, std::string name) {
    file.name = std::move(name);
    file.failed = false;
    file.target = dir / argumentPath(file.name);
    fs::path temporary = temporaryBeside(file.target);
    // One left by a run ended by force goes first.
    removeFile(temporary);
    // Binary mode: line ends are "\n" on every platform.
    file.handle = createNewFile(temporary);
    if (file.handle == nullptr) return false;
    file.temporary = std::move(temporary);
    copyPermissions(file.handle, file.target);
    return true;
}

void spillOutput(OutputFile& file) {
    file.sink.release();
}

bool closeOutput(OutputFile& file, bool sync) {
    if (file.handle == nullptr) return true;
    spillOutput(file);
    bool ok = std::fflush(file.handle) == 0 && !file.failed;
    if (sync) ok = syncFile(file.handle) && ok;
    ok = std::fclose(file.handle) == 0 && ok;
    file.handle = nullptr;
    return ok;
}

bool putInPlace(OutputFile& file) {
    if (file.temporary.empty()) return true;
    bool placed = replaceFile(file.temporary, file.target);
    if (!placed) removeFile(file.temporary);
    file.temporary.clear();
    return placed;
}

void discardOutput(OutputFile& file) {
    if (file.handle != nullptr) std::fclose(file.handle);
    file.handle = nullptr;
    if (!file.temporary.empty()) removeFile(file.temporary);
    file.temporary.clear();
}

#ifdef _WIN32

void removeLeftTemporaries(const fs::path& dir) {
    const fs::path pattern = (dir.empty() ? fs::path(L".") : dir) / (fs::path(std::string(kTemporaryPrefix)).native() + L"*");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        removeFile(pattern.parent_path() / found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

#else

// The directory is read with the system's own calls: the library's iterator
// gives up the process when memory runs out.
void removeLeftTemporaries(const fs::path& dir) {
    const std::string where = dir.empty() ? std::string(".") : dir.native();
    struct Closer {
        void operator()(DIR* folder) const { ::closedir(folder); }
    };
    std::unique_ptr<DIR, Closer> folder(::opendir(where.c_str()));
    if (folder == nullptr) return;
    while (const dirent* entry = ::readdir(folder.get())) {
        if (std::string_view(entry->d_name).starts_with(kTemporaryPrefix)) removeFile(dir / entry->d_name);
    }
}

#endif
