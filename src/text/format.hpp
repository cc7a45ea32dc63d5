#pragma once
// printf-style formatting into a sink or a text. The formats behave as the C
// formats of the same name: %d, %ld, %x, %X, %s, %c, %%, with an optional
// width ("%2d") and zero flag.

#include <array>
#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "text/sink.hpp"

struct FormatArg {
    std::int64_t number = 0;
    std::string_view text;
    bool isText = false;

    template <std::integral T>
    FormatArg(T value) : number(static_cast<std::int64_t>(value)) {}
    template <class T>
        requires(!std::integral<T> && std::convertible_to<const T&, std::string_view>)
    FormatArg(const T& value) : text(std::string_view(value)), isText(true) {}
};

void formatArgs(Sink& out, std::string_view format, std::span<const FormatArg> args);
void formatArgs(Bytes& out, std::string_view format, std::span<const FormatArg> args);

template <class Out, class... Args>
    requires(std::same_as<Out, Sink> || std::same_as<Out, Bytes>)
void format(Out& out, std::string_view fmt, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    formatArgs(out, fmt, list);
}
