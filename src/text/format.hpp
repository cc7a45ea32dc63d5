#pragma once
// printf-style formatting into a sink or a text, checked by the compiler. The
// conversions behave as the C formats of the same name: %d, %ld, %x, %X, %s,
// %c, %%, with an optional width ("%2d") and zero flag. The format is a
// literal, parsed once while compiling into its pieces; a call whose
// arguments do not fit its conversions (a number for %s, a text for %d, one
// argument too few or too many) does not compile:
//
//     format(out, "[%d/%d]", 3);                      // error: 2 conversions, 1 argument
//     format(out, cp1251("строка %ld"), lineNumber);  // code page 1251 formats alike
//
// A format chosen while running ("a ? "%d" : "%s"") is no literal: choose
// between two calls instead.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "text/cp1251.hpp"
#include "text/sink.hpp"

// One run of literal text of a format and the conversion that follows it.
struct FormatPiece {
    std::uint16_t start = 0;   // the run of literal text
    std::uint16_t length = 0;
    char conversion = 0;       // 'd', 'x', 'X', 's', 'c'; 0: the run stands alone
    std::uint8_t width = 0;
    bool zeros = false;
};

inline constexpr std::size_t kMaxFormatPieces = 16;

// The pieces of a format, worked out while compiling.
struct ParsedFormat {
    std::array<FormatPiece, kMaxFormatPieces> pieces{};
    std::uint8_t count = 0;
    std::uint8_t conversions = 0;
};

enum class ArgumentKind { Number, Text, Other };

template <class T>
consteval ArgumentKind argumentKind() {
    if constexpr (std::integral<T>) return ArgumentKind::Number;
    else if constexpr (std::convertible_to<const T&, std::string_view>) return ArgumentKind::Text;
    else return ArgumentKind::Other;
}

// Parses the format and checks the kinds of its arguments; throwing while
// compiling is what makes a wrong call fail to compile.
consteval ParsedFormat parseFormat(std::string_view format, std::span<const ArgumentKind> kinds) {
    ParsedFormat parsed;
    std::size_t i = 0;
    std::size_t start = 0;
    auto add = [&](std::size_t end, FormatPiece piece) {
        if (parsed.count == kMaxFormatPieces) throw "format: too many pieces";
        if (end > 0xFFFF) throw "format: too long";
        piece.start = static_cast<std::uint16_t>(start);
        piece.length = static_cast<std::uint16_t>(end - start);
        parsed.pieces[parsed.count++] = piece;
    };
    while (i < format.size()) {
        if (format[i] != '%') {
            ++i;
            continue;
        }
        if (i + 1 >= format.size()) {  // a '%' that ends the format is text
            ++i;
            break;
        }
        if (format[i + 1] == '%') {  // the first '%' ends the run, the second is dropped
            add(i + 1, {});
            i += 2;
            start = i;
            continue;
        }
        const std::size_t end = i++;
        FormatPiece piece;
        if (format[i] == '0') {
            piece.zeros = true;
            ++i;
        }
        unsigned width = 0;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') width = width * 10 + unsigned(format[i++] - '0');
        if (width > 255) throw "format: width too large";
        piece.width = static_cast<std::uint8_t>(width);
        while (i < format.size() && format[i] == 'l') ++i;
        if (i >= format.size()) throw "format: a conversion without its letter";
        const char letter = format[i++];
        ArgumentKind wanted = ArgumentKind::Number;
        if (letter == 's') wanted = ArgumentKind::Text;
        else if (letter != 'd' && letter != 'x' && letter != 'X' && letter != 'c') throw "format: unknown conversion";
        if (parsed.conversions >= kinds.size()) throw "format: more conversions than arguments";
        if (kinds[parsed.conversions] != wanted)
            throw wanted == ArgumentKind::Text ? "format: %s wants a text" : "format: this conversion wants a number";
        ++parsed.conversions;
        piece.conversion = letter;
        add(end, piece);
        start = i;
    }
    if (parsed.conversions != kinds.size()) throw "format: more arguments than conversions";
    if (start < format.size()) add(format.size(), {});
    return parsed;
}

// A literal format for arguments of the types `Args`: a plain literal is
// kept where it stands, a code page 1251 literal is copied in (its temporary
// ends with the call's full expression, and a constant cannot point at it).
template <class... Args>
struct CheckedFormat {
    static constexpr std::size_t kCapacity = 256;
    static constexpr std::array<ArgumentKind, sizeof...(Args)> kKinds{argumentKind<std::remove_cvref_t<Args>>()...};

    template <std::size_t N>
    consteval CheckedFormat(const char (&literal)[N]) : text(literal, N - 1), parsed(parseFormat(text, kKinds)) {}

    template <std::size_t N>
    consteval CheckedFormat(const CpString<N>& literal) : parsed(parseFormat(literal.view(), kKinds)) {
        if (literal.size > kCapacity) throw "format: a code page 1251 format longer than its capacity";
        for (std::size_t i = 0; i < literal.size; ++i) copied[i] = literal.bytes[i];
        size = literal.size;
        inlined = true;
    }

    std::string_view view() const { return inlined ? std::string_view(copied.data(), size) : text; }

    std::string_view text;
    ParsedFormat parsed;
    bool inlined = false;
    std::size_t size = 0;
    std::array<char, kCapacity> copied{};
};

// An argument as the writer of the pieces sees it.
struct FormatArg {
    std::int64_t number = 0;
    std::string_view text;

    template <std::integral T>
    FormatArg(T value) : number(static_cast<std::int64_t>(value)) {}
    template <class T>
        requires(!std::integral<T> && std::convertible_to<const T&, std::string_view>)
    FormatArg(const T& value) : text(std::string_view(value)) {}
};

void formatPieces(Sink& out, std::string_view text, const ParsedFormat& parsed, std::span<const FormatArg> args);
void formatPieces(Bytes& out, std::string_view text, const ParsedFormat& parsed, std::span<const FormatArg> args);

template <class Out, class... Args>
    requires(std::same_as<Out, Sink> || std::same_as<Out, Bytes>)
void format(Out& out, const CheckedFormat<std::type_identity_t<Args>...>& fmt, const Args&... args) {
    if constexpr (std::same_as<Out, Sink>)
        if (out.dropping) return;
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    formatPieces(out, fmt.view(), fmt.parsed, list);
}
