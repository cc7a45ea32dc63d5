#include "lsp/framing.hpp"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

constexpr std::string_view kLengthName = "content-length";

bool equalsIgnoringCase(std::string_view a, std::string_view lowerCase) {
    if (a.size() != lowerCase.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(a[i]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        if (c != static_cast<unsigned char>(lowerCase[i])) return false;
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// The Content-Length of a header block (its lines without the empty one);
// none when it has none, a malformed one, a line that is no "Name: value",
// or two that disagree.
std::optional<std::size_t> contentLength(std::string_view header) {
    std::optional<std::size_t> length;
    while (!header.empty()) {
        std::size_t end = header.find('\n');
        std::string_view line = header.substr(0, end);
        header.remove_prefix(end == std::string_view::npos ? header.size() : end + 1);
        std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) return std::nullopt;
        if (!equalsIgnoringCase(trimmed(line.substr(0, colon)), kLengthName)) continue;
        std::string_view value = trimmed(line.substr(colon + 1));
        std::size_t n = 0;
        auto [end2, error] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (error != std::errc() || end2 != value.data() + value.size() || value.empty()) return std::nullopt;
        if (length && *length != n) return std::nullopt;
        length = n;
    }
    return length;
}

// Where the header's empty line ends ("\r\n\r\n", or a bare "\n\n" from a
// lax client), and where the header's own lines end.
struct HeaderEnd {
    std::size_t lines = 0;
    std::size_t body = 0;
};

std::optional<HeaderEnd> findHeaderEnd(std::string_view pending) {
    pending = pending.substr(0, kMaxHeader + 4);
    for (std::size_t i = pending.find('\n'); i != std::string_view::npos; i = pending.find('\n', i + 1)) {
        std::size_t next = i + 1;
        if (next < pending.size() && pending[next] == '\r') ++next;
        if (next < pending.size() && pending[next] == '\n') return HeaderEnd{i, next + 1};
        if (next >= pending.size()) return std::nullopt;
    }
    return std::nullopt;
}

// After a bad header, which ends at `headerEnd`, reading resumes where the
// next header seems to begin: at a "Content-Length" after the bad header, or
// inside one of its lines (a body cut short leaves its tail before the next
// header). When none is in sight yet, the last bytes are kept, as they may
// be the beginning of one.
void resynchronise(FrameReader& reader, std::size_t headerEnd) {
    constexpr std::string_view kName = "Content-Length";
    std::string_view pending = reader.pending;
    std::size_t at = pending.find(kName, 1);
    while (at != std::string_view::npos && at < headerEnd && pending[at - 1] == '\n') at = pending.find(kName, at + 1);
    if (at == std::string_view::npos) {
        std::size_t size = pending.size();
        at = std::min(size, std::max(headerEnd, size > kName.size() ? size - kName.size() : 0));
    }
    reader.pending.erase(0, at);
}

}  // namespace

void feed(FrameReader& reader, std::string_view bytes) {
    if (reader.skipping > 0) {
        std::size_t passed = std::min(reader.skipping, bytes.size());
        reader.skipping -= passed;
        bytes.remove_prefix(passed);
    }
    reader.pending.append(bytes);
}

Frame nextFrame(FrameReader& reader) {
    // Blank lines between messages are let pass.
    std::size_t start = reader.pending.find_first_not_of("\r\n");
    if (start == std::string::npos) {
        reader.pending.clear();
        return {};
    }
    reader.pending.erase(0, start);
    std::optional<HeaderEnd> end = findHeaderEnd(reader.pending);
    if (!end) {
        if (reader.pending.size() <= kMaxHeader) return {};
        resynchronise(reader, 1);  // no header end: every line may be garbage
        return Frame{FrameKind::BadHeader, {}, 0};
    }
    std::optional<std::size_t> length = contentLength(std::string_view(reader.pending).substr(0, end->lines));
    if (!length || end->body > kMaxHeader) {
        resynchronise(reader, end->body);
        return Frame{FrameKind::BadHeader, {}, 0};
    }
    if (*length > kMaxBody) {
        std::size_t held = reader.pending.size() - end->body;
        std::size_t passed = std::min(held, *length);
        reader.pending.erase(0, end->body + passed);
        reader.skipping = *length - passed;
        return Frame{FrameKind::TooLarge, {}, *length};
    }
    if (reader.pending.size() - end->body < *length) return {};
    Frame frame{FrameKind::Body, reader.pending.substr(end->body, *length), *length};
    reader.pending.erase(0, end->body + *length);
    return frame;
}

std::string framed(std::string_view body) {
    std::string out = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    out += body;
    return out;
}
