#include "driver/output_files.hpp"

#include <utility>

#include "driver/paths.hpp"

void connectOutput(OutputFile& file, Encoding encoding) {
    file.sink.drain = [&file, encoding](std::string_view bytes) {
        if (file.handle == nullptr) return;
        writeEncoded(bytes, encoding, [&file](std::string_view piece) {
            if (std::fwrite(piece.data(), 1, piece.size(), file.handle) != piece.size()) file.failed = true;
        });
    };
}

bool openOutput(OutputFile& file, const std::filesystem::path& dir, std::string name) {
    file.name = std::move(name);
    file.failed = false;
    // Binary mode: line ends are "\n" on every platform.
    file.handle = openFile(dir / argumentPath(file.name), "wb");
    return file.handle != nullptr;
}

void spillOutput(OutputFile& file) {
    file.sink.pass();
}

bool closeOutput(OutputFile& file) {
    if (file.handle == nullptr) return true;
    spillOutput(file);
    bool ok = std::fflush(file.handle) == 0 && !file.failed;
    ok = std::fclose(file.handle) == 0 && ok;
    file.handle = nullptr;
    return ok;
}
