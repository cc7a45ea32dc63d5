// Any bytes as a whole run: a source and, after a line "==TEMPLATE==", the
// language template, in a directory of their own; a first line "==UTF8==" asks
// for a run in UTF-8, and a line "==RU==" next (or first) for the Russian order.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "driver/run.hpp"

namespace fs = std::filesystem;

namespace {

// The directory the runs of one fuzzing process share, removed when it ends.
struct WorkDirectory {
    fs::path path = fs::temp_directory_path() / ("olyindex-fuzz-" + std::to_string(getpid()));
    WorkDirectory() { fs::create_directories(path); }
    ~WorkDirectory() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const WorkDirectory work;
    const fs::path& dir = work.path;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args{"source.src", "copy.txt"};
    constexpr std::string_view kUtf8Mark = "==UTF8==\n";
    if (input.starts_with(kUtf8Mark)) {
        input.remove_prefix(kUtf8Mark.size());
        args.push_back("--utf8");
    }
    constexpr std::string_view kRussianMark = "==RU==\n";
    if (input.starts_with(kRussianMark)) {
        input.remove_prefix(kRussianMark.size());
        args.push_back("--order=ru");
    }
    constexpr std::string_view kTemplateMark = "\n==TEMPLATE==\n";
    std::size_t mark = input.find(kTemplateMark);
    writeFile(dir / "source.src", input.substr(0, mark));
    fs::remove(dir / "indeksal_yazykov.tex.template");
    if (mark != std::string_view::npos)
        writeFile(dir / "indeksal_yazykov.tex.template", input.substr(mark + kTemplateMark.size()));
    std::ostringstream console;
    int status = run(args, dir, console);
    if (status != 0 && status != 1) __builtin_trap();
    return 0;
}
