#include "cases.hpp"

#include <algorithm>
#include <sstream>

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

namespace {

struct Link {
    std::string kind, name, target;
};

std::vector<Link> linksOf(const fs::path& caseDir) {
    std::vector<Link> links;
    for (const std::string& line : linesOf(caseDir / "links")) {
        std::istringstream words(line);
        Link link;
        words >> link.kind >> link.name >> link.target;
        links.push_back(link);
    }
    return links;
}

}  // namespace

void makeLinks(const fs::path& caseDir, const fs::path& dir) {
    for (const Link& link : linksOf(caseDir)) {
        if (link.kind == "soft") fs::create_symlink(link.target, dir / link.name);
        else fs::create_hard_link(dir / link.target, dir / link.name);
    }
}

bool linksStand(const fs::path& caseDir, const fs::path& dir) {
    for (const Link& link : linksOf(caseDir)) {
        std::error_code error;
        bool stands = link.kind == "soft" ? fs::is_symlink(dir / link.name, error) &&
                                                fs::read_symlink(dir / link.name, error) == link.target
                                          : fs::equivalent(dir / link.name, dir / link.target, error);
        if (!stands) return false;
    }
    return true;
}
