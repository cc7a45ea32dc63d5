#include "driver/output_files.hpp"

#include <new>
#include <utility>

#include "driver/paths.hpp"
#include "text/utf8.hpp"

bool openOutput(OutputFile& file, const std::filesystem::path& dir, std::string name) {
    file.name = std::move(name);
    file.bytes.clear();
    file.failed = false;
    // Binary mode: line ends are "\n" on every platform.
    file.handle = openFile(dir / argumentPath(file.name), "wb");
    return file.handle != nullptr;
}

void spillOutput(OutputFile& file, Encoding encoding) {
    if (file.handle == nullptr) file.bytes.clear();  // a check writes no file
    if (file.handle == nullptr || file.bytes.empty()) return;
    try {
        const Bytes bytes = encoding == Encoding::Utf8 ? toUtf8(file.bytes) : std::move(file.bytes);
        if (std::fwrite(bytes.data(), 1, bytes.size(), file.handle) != bytes.size()) file.failed = true;
    } catch (const std::bad_alloc&) {
        file.failed = true;  // no memory left to convert what was collected
    }
    file.bytes.clear();
}

bool closeOutput(OutputFile& file, Encoding encoding) {
    if (file.handle == nullptr) return true;
    spillOutput(file, encoding);
    bool ok = std::fflush(file.handle) == 0 && !file.failed;
    ok = std::fclose(file.handle) == 0 && ok;
    file.handle = nullptr;
    return ok;
}
