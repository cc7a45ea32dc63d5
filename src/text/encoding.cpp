#include "text/encoding.hpp"

#include <algorithm>
#include <utility>

#include "text/cp1251.hpp"

DecodedText decodeText(std::string bytes, Encoding encoding) {
    DecodedText decoded;
    if (encoding == Encoding::Cp1251) {
        decoded.text = std::move(bytes);
        return decoded;
    }
    std::string_view rest = bytes;
    if (rest.starts_with(kByteOrderMark)) rest.remove_prefix(kByteOrderMark.size());
    decoded.text.reserve(rest.size());
    // Line by line, so that a fault is reported with the number of its line.
    for (long lineNumber = 1; !rest.empty(); ++lineNumber) {
        std::size_t end = rest.find('\n');
        end = end == std::string_view::npos ? rest.size() : end + 1;
        FromUtf8 line = fromUtf8(rest.substr(0, end));
        decoded.text += line.text;
        if (!line.ok()) {
            decoded.faultLine = lineNumber;
            // Each character taken so far became one byte of code page 1251.
            decoded.faultColumn = static_cast<long>(line.text.size()) + 1;
            decoded.fault = std::move(line);
            return decoded;
        }
        rest.remove_prefix(end);
    }
    return decoded;
}

bool looksLikeUtf8(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) return true;
    // The first high byte settles the question: the search stops there.
    bool high = std::any_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; });
    return high && isValidUtf8(bytes);
}
