#include "text/format.hpp"

#include <algorithm>
#include <charconv>
#include <cstddef>

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

// Literal text goes out in runs between the conversions, and a number
// without a width straight after its digits are made: most formats of a run
// are of that kind, written millions of times.
template <class Out>
void formatInto(Out& out, std::string_view format, std::span<const FormatArg> args) {
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        std::size_t percent = format.find('%', i);
        if (percent == std::string_view::npos) percent = format.size();
        out += format.substr(i, percent - i);
        i = percent;
        if (i >= format.size()) break;
        if (i + 1 >= format.size()) {  // a '%' that ends the format is text
            out += '%';
            break;
        }
        ++i;
        if (format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        bool zeros = false;
        if (format[i] == '0') {
            zeros = true;
            ++i;
        }
        std::size_t width = 0;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            width = width * 10 + static_cast<std::size_t>(format[i++] - '0');
        while (i < format.size() && format[i] == 'l') ++i;
        if (i >= format.size() || next >= args.size()) break;
        const FormatArg& arg = args[next++];
        char buffer[32];
        switch (format[i]) {
            case 'd': {
                auto end = std::to_chars(buffer, buffer + sizeof buffer, arg.number).ptr;
                std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
                if (width == 0) out += digits;
                else pad(out, digits, width, zeros);
                break;
            }
            case 'x':
            case 'X': {
                auto value = static_cast<std::uint64_t>(arg.number);
                if (arg.number < 0) value &= 0xFFFFFFFFu;  // as C prints an int with %x
                char* end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
                if (format[i] == 'X') std::transform(buffer, end, buffer, [](char digit) { return digit >= 'a' ? char(digit - 32) : digit; });
                pad(out, std::string_view(buffer, static_cast<std::size_t>(end - buffer)), width, zeros);
                break;
            }
            case 's': {
                std::string_view text = arg.text;
                // C stops a %s text at its first zero byte.
                if (auto zero = text.find('\0'); zero != std::string_view::npos) text = text.substr(0, zero);
                pad(out, text, width, false);
                break;
            }
            case 'c':
                out += static_cast<char>(arg.number);
                break;
            default:
                break;
        }
        ++i;
    }
}

}  // namespace

void formatArgs(Sink& out, std::string_view format, std::span<const FormatArg> args) {
    formatInto(out, format, args);
}

void formatArgs(Bytes& out, std::string_view format, std::span<const FormatArg> args) {
    formatInto(out, format, args);
}
