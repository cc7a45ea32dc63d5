#include "driver/output_files.hpp"

#include <utility>

bool openOutput(OutputFile& file, const std::filesystem::path& dir, std::string name) {
    file.name = std::move(name);
    file.bytes.clear();
    // Binary mode: line ends are "\n" on every platform.
    file.handle = std::fopen((dir / file.name).string().c_str(), "wb");
    return file.handle != nullptr;
}

bool closeOutput(OutputFile& file, Encoding encoding) {
    if (file.handle == nullptr) return true;
    if (encoding == Encoding::Utf8) file.bytes = toUtf8(file.bytes);
    bool ok = file.bytes.empty() || std::fwrite(file.bytes.data(), 1, file.bytes.size(), file.handle) == file.bytes.size();
    ok = std::fflush(file.handle) == 0 && ok;
    ok = std::fclose(file.handle) == 0 && ok;
    file.handle = nullptr;
    file.bytes.clear();
    return ok;
}
