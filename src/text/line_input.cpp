#include "text/line_input.hpp"

#include <algorithm>

#include "text/cp1251.hpp"

LineRead readLine(std::istream& in, std::string& line, Encoding encoding, FromUtf8* fault) {
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    // Two characters beyond the limit tell a long line from one that ends in
    // CR LF; a character of code page 1251 takes at most three bytes of UTF-8.
    const std::size_t bytesPerCharacter = encoding == Encoding::Utf8 ? 3 : 1;
    const std::size_t kRead = (kLineLimit + 2) * bytesPerCharacter;
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
    if (encoding == Encoding::Utf8) {
        if (line.size() == kRead && line.back() != '\n') return LineRead::TooLong;
        FromUtf8 converted = fromUtf8(line);
        line = converted.text;
        if (!converted.ok()) {
            if (fault != nullptr) *fault = std::move(converted);
            return LineRead::BadCharacter;
        }
    }
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

void skipByteOrderMark(std::istream& in) {
    std::streambuf* buffer = in.rdbuf();
    std::size_t matched = 0;
    while (matched < kByteOrderMark.size() &&
           buffer->sgetc() == static_cast<unsigned char>(kByteOrderMark[matched])) {
        buffer->sbumpc();
        ++matched;
    }
    // A partial mark is text: give its bytes back.
    while (matched > 0 && matched < kByteOrderMark.size()) {
        buffer->sungetc();
        --matched;
    }
}

void printEncodingFault(Bytes& console, std::string_view fileName, long lineNumber, const FromUtf8& fault) {
    if (fault.codePoint >= 0) {
        format(console, cp1251("\nОШИБКА: в файле %s в строке %ld символ U+%04X нельзя записать в кодировке 1251\n"),
               fileName, lineNumber, fault.codePoint);
        return;
    }
    std::string hex;
    for (char byte : fault.badBytes) format(hex, hex.empty() ? "%02X" : " %02X", static_cast<unsigned char>(byte));
    format(console, cp1251("\nОШИБКА: в файле %s в строке %ld байты %s не являются символом UTF-8\n"), fileName,
           lineNumber, hex);
}
