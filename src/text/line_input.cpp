#include "text/line_input.hpp"

#include <algorithm>

LineRead readLine(std::string_view text, std::size_t& pos, std::string_view& line) {
    if (pos >= text.size()) return LineRead::End;
    std::size_t end = text.find('\n', pos);
    end = end == std::string_view::npos ? text.size() : end + 1;
    line = text.substr(pos, end - pos);
    pos = end;
    std::size_t counted = line.size();
    if (line.ends_with("\r\n")) --counted;
    return counted > kLineLimit ? LineRead::TooLong : LineRead::Line;
}

namespace {

// Where the line ends before any comment: at its line feed, carriage return
// or zero byte.
std::size_t lineEnd(std::string_view line) {
    auto end = std::find_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
    return static_cast<std::size_t>(end - line.begin());
}

}  // namespace

void cutLine(std::string& line) {
    std::size_t cut = lineEnd(line);
    cut = std::min(cut, std::string_view(line).substr(0, cut).find("//"));
    line.resize(cut);
}

bool cutsWebAddress(std::string_view line) {
    // One pass over the line: find_first_of would look the three bytes up
    // at every character, and every line is asked, pass after pass.
    line = line.substr(0, lineEnd(line));
    std::size_t comment = line.find("//");
    return comment != std::string_view::npos && comment > 0 && line[comment - 1] == ':';
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

