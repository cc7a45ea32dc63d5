#pragma once
// The language server's byte stream: each message is a header of
// "Name: value" lines, an empty line, then a body of exactly Content-Length
// bytes. The reader takes bytes as they come and hands out whole bodies, so
// that a message split across reads, or several in one read, come out the same.

#include <cstddef>
#include <string>
#include <string_view>

// A body larger than this is passed over as it arrives, never held: a
// client that sends one gets an error, and the server keeps its memory.
inline constexpr std::size_t kMaxBody = 64u << 20;
// A header that runs longer than this without its empty line is no header.
inline constexpr std::size_t kMaxHeader = 8192;

enum class FrameKind {
    Body,         // `body` holds a whole message
    BadHeader,    // a header without a valid Content-Length: dropped, reading resumes at the next header
    TooLarge,     // a body above kMaxBody: passed over
    NeedMore,     // nothing whole yet
};

struct Frame {
    FrameKind kind = FrameKind::NeedMore;
    std::string body;
    std::size_t declaredLength = 0;  // for TooLarge
};

struct FrameReader {
    std::string pending;       // bytes not yet handed out
    std::size_t skipping = 0;  // bytes of a too large body still to pass over
};

// Adds bytes read from the stream.
void feed(FrameReader& reader, std::string_view bytes);

// The next frame from what was fed; call until it says NeedMore.
Frame nextFrame(FrameReader& reader);

// The frame of one outgoing body.
std::string framed(std::string_view body);
