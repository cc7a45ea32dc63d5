#include "text/format.hpp"

#include <algorithm>
#include <charconv>

namespace {

template <class Out>
void pad(Out& out, std::string_view digits, std::size_t width, bool zeros) {
    if (digits.size() < width) {
        std::size_t fill = width - digits.size();
        if (zeros && !digits.empty() && digits.front() == '-') {
            out += '-';
            digits.remove_prefix(1);
        }
        for (; fill > 0; --fill) out += zeros ? '0' : ' ';
    }
    out += digits;
}

// The pieces were worked out while compiling: the run writes literal text and
// converts, and never reads the format again.
template <class Out>
void formatInto(Out& out, std::string_view text, const ParsedFormat& parsed, std::span<const FormatArg> args) {
    std::size_t next = 0;
    for (std::size_t p = 0; p < parsed.count; ++p) {
        const FormatPiece& piece = parsed.pieces[p];
        // The pieces lie within the text: they were cut from it while compiling.
        out += std::string_view(text.data() + piece.start, piece.length);
        if (piece.conversion == 0) continue;
        const FormatArg& arg = args[next++];
        char buffer[32];
        switch (piece.conversion) {
            case 'd': {
                auto end = std::to_chars(buffer, buffer + sizeof buffer, arg.number).ptr;
                std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
                if (piece.width == 0) out += digits;
                else pad(out, digits, piece.width, piece.zeros);
                break;
            }
            case 'x':
            case 'X': {
                auto value = static_cast<std::uint64_t>(arg.number);
                if (arg.number < 0) value &= 0xFFFFFFFFu;  // as C prints an int with %x
                char* end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
                if (piece.conversion == 'X')
                    std::transform(buffer, end, buffer, [](char digit) { return digit >= 'a' ? char(digit - 32) : digit; });
                pad(out, std::string_view(buffer, static_cast<std::size_t>(end - buffer)), piece.width, piece.zeros);
                break;
            }
            case 's': {
                std::string_view shown = arg.text;
                // C stops a %s text at its first zero byte.
                if (auto zero = shown.find('\0'); zero != std::string_view::npos) shown = shown.substr(0, zero);
                if (piece.width == 0) out += shown;
                else pad(out, shown, piece.width, false);
                break;
            }
            default:  // 'c'
                out += static_cast<char>(arg.number);
                break;
        }
    }
}

}  // namespace

void formatPieces(Sink& out, std::string_view text, const ParsedFormat& parsed, std::span<const FormatArg> args) {
    formatInto(out, text, parsed, args);
}

void formatPieces(Bytes& out, std::string_view text, const ParsedFormat& parsed, std::span<const FormatArg> args) {
    formatInto(out, text, parsed, args);
}
