#include "text/format.hpp"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace {

void pad(Bytes& out, std::string_view digits, std::size_t width, bool zeros) {
    if (digits.size() < width) {
        std::size_t fill = width - digits.size();
        if (zeros && !digits.empty() && digits.front() == '-') {
            out += '-';
            digits.remove_prefix(1);
        }
        out.append(fill, zeros ? '0' : ' ');
    }
    out += digits;
}

}  // namespace

void formatArgs(Bytes& out, std::string_view format, std::span<const FormatArg> args) {
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        ++i;
        if (format[i] == '%') {
            out += '%';
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
                pad(out, std::string_view(buffer, end - buffer), width, zeros);
                break;
            }
            case 'x':
            case 'X': {
                auto value = static_cast<std::uint64_t>(arg.number);
                if (arg.number < 0) value &= 0xFFFFFFFFu;  // as C prints an int with %x
                char* end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
                if (format[i] == 'X') std::transform(buffer, end, buffer, [](char digit) { return digit >= 'a' ? char(digit - 32) : digit; });
                pad(out, std::string_view(buffer, end - buffer), width, zeros);
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
    }
}
