#include "temp_dir.hpp"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "driver/run.hpp"

namespace fs = std::filesystem;

TempDir::TempDir(const std::string& name)
    : path(fs::temp_directory_path() / ("olyindex-" + name + "-" + std::to_string(getpid()))) {
    fs::remove_all(path);
    fs::create_directories(path);
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path, ignored);
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

RunResult runIn(const fs::path& dir, const std::vector<std::string>& args) {
    std::ostringstream out;
    RunResult result;
    result.status = run(args, dir, out);
    result.console = out.str();
    return result;
}

const std::vector<std::string> kRunFiles = {
    "log1.log", "log2.log", "log3.log", "log4.log", "log5.log",
    "po_zadacham.tex", "po_jazykam.tex", "po_olimpiadam.tex", "polnyj_indeksal.tex",
    "po_avtoram_uslovij.tex", "po_avtoram_reshenij.tex", "po_avtoram.tex", "po_terminam.tex",
    "po_russkomu_jazyku.tex", "tabl_po_nomeram.tex", "tabl_po_olimpiadam.tex",
};
