#pragma once
// Where writers put their bytes. A sink gathers them in a buffer of fixed
// size and hands the buffer to its drain whenever it fills, so that no output
// is ever held whole however large the book; the driver connects the drain to
// a file or the console. A sink without a drain keeps every byte it is given,
// which is what a test compares; a dropping sink keeps nothing at all.

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

// Code page 1251 bytes: a text built before it goes out.
using Bytes = std::string;

struct Sink {
    Sink() = default;
    Sink(Sink&& other) noexcept { *this = std::move(other); }
    Sink& operator=(Sink&& other) noexcept;

    // Receives the gathered bytes in order; none: the sink keeps them.
    std::function<void(std::string_view)> drain;

    // Set before the first byte, the sink drops whatever it is given, and a
    // format into it is not even worked out: for what nobody reads, as the
    // passes' logs and console in a check.
    bool dropping = false;

    Sink& operator+=(std::string_view text) {
        const std::size_t size = text.size();
        const char* from = text.data();
        if (size == 0) return *this;
        // Kept in a local: a store through a char pointer could change any
        // member, and the members would be read again after every move.
        char* to = next;
        if (size <= 16 && end - to >= 16) {
            // Most pieces are short: two overlapping moves of fixed size
            // instead of a library call.
            if (size >= 8) {
                std::memcpy(to, from, 8);
                std::memcpy(to + size - 8, from + size - 8, 8);
            } else if (size >= 4) {
                std::memcpy(to, from, 4);
                std::memcpy(to + size - 4, from + size - 4, 4);
            } else {
                to[0] = from[0];
                to[size / 2] = from[size / 2];
                to[size - 1] = from[size - 1];
            }
            next = to + size;
        } else if (size <= static_cast<std::size_t>(end - to)) {
            std::memcpy(to, from, size);
            next = to + size;
        } else {
            appendBeyondBuffer(text);
        }
        return *this;
    }

    Sink& operator+=(char c) {
        if (next == end) {
            if (dropping) return *this;
            pass();
            if (next == end) makeBuffer();
        }
        *next++ = c;
        return *this;
    }

    // Hands what is gathered to the drain (or keeps it) and empties the buffer.
    void pass();

    // Passes what is gathered and frees the buffer; the next byte makes another.
    void release();

    // Every byte a sink without a drain has been given.
    const Bytes& text();

    static constexpr std::size_t kBufferSize = std::size_t{1} << 16;

private:
    void makeBuffer();
    void appendBeyondBuffer(std::string_view text);

    std::unique_ptr<char[]> buffer;  // made at the first byte, so an unused sink costs nothing
    char* next = nullptr;
    char* end = nullptr;
    Bytes kept;
};
