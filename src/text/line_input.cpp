#include "text/line_input.hpp"

#include <algorithm>

LineRead readLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    // Two characters beyond the limit tell a long line from one that ends in CR LF.
    constexpr std::size_t kRead = kLineLimit + 2;
    while (line.size() < kRead) {
        int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            break;
        }
        line += static_cast<char>(c);
        if (c == '\n') break;
    }
    if (line.empty()) return LineRead::End;
    std::size_t counted = line.size();
    if (line.ends_with("\r\n")) --counted;
    return counted > kLineLimit ? LineRead::TooLong : LineRead::Line;
}

void cutLine(std::string& line) {
    auto end = std::find_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
    std::size_t cut = static_cast<std::size_t>(end - line.begin());
    cut = std::min(cut, line.substr(0, cut).find("//"));
    line.resize(cut);
}

void collapseSpaces(std::string& text) {
    std::size_t kept = 0;
    for (char c : text) {
        if (c == ' ' && (kept == 0 || text[kept - 1] == ' ')) continue;
        text[kept++] = c;
    }
    if (kept > 0 && text[kept - 1] == ' ') --kept;
    text.resize(kept);
}
