#include "cases.hpp"

#include <algorithm>

namespace fs = std::filesystem;

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(OLYINDEX_CASES))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> linesOf(const fs::path& path) {
    std::vector<std::string> lines;
    if (!fs::exists(path)) return lines;
    std::string text = readFile(path);
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::vector<std::string> caseArgs(const fs::path& caseDir) {
    if (!fs::exists(caseDir / "args")) return {"source.src", "copy.txt"};
    return linesOf(caseDir / "args");
}

std::map<std::string, std::string> filesIn(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), dir).generic_string()] = readFile(entry.path());
    return files;
}

void layOut(const std::map<std::string, std::string>& files, const fs::path& dir) {
    for (const auto& [name, bytes] : files) {
        fs::create_directories((dir / name).parent_path());
        writeFile(dir / name, bytes);
    }
}
