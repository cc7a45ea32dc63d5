#include "lsp/framing.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every frame the bytes give, fed in pieces of `piece` bytes.
std::vector<Frame> framesOf(std::string_view bytes, std::size_t piece) {
    FrameReader reader;
    std::vector<Frame> frames;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        feed(reader, bytes.substr(at, piece));
        for (Frame f = nextFrame(reader); f.kind != FrameKind::NeedMore; f = nextFrame(reader)) frames.push_back(f);
    }
    return frames;
}

TEST(Framing, MessagesComeOutWholeHoweverTheBytesArrive) {
    std::string bytes = framed("{\"a\":\"ж\"}") + "Content-Type: application/vscode-jsonrpc; charset=utf-8\r\n" +
                        "content-length:  2\r\n\r\n[]" + framed("");
    for (std::size_t piece : {1u, 3u, 7u, 1000u}) {
        std::vector<Frame> frames = framesOf(bytes, piece);
        ASSERT_EQ(frames.size(), 3u) << piece;
        EXPECT_EQ(frames[0].body, "{\"a\":\"ж\"}");
        EXPECT_EQ(frames[1].body, "[]");
        EXPECT_EQ(frames[2].body, "");
        for (const Frame& f : frames) EXPECT_EQ(f.kind, FrameKind::Body);
    }
    EXPECT_EQ(framed("{}"), "Content-Length: 2\r\n\r\n{}");
}

TEST(Framing, ABadHeaderIsReportedAndReadingResumesAtTheNextOne) {
    for (std::string bad : {"Content-Type: x\r\n\r\n{}", "Content-Length: 12x\r\n\r\n", "Content-Length: -1\r\n\r\n",
                            "Content-Length: 99999999999999999999999\r\n\r\n", "garbage\r\n\r\n",
                            "Content-Length: 2\r\nContent-Length: 3\r\n\r\n"}) {
        std::vector<Frame> frames = framesOf(bad + framed("{\"ok\":1}"), 5);
        // The bytes a bad header leaves may cost a second error, never the next message.
        ASSERT_GE(frames.size(), 2u) << bad;
        for (std::size_t i = 0; i + 1 < frames.size(); ++i) EXPECT_EQ(frames[i].kind, FrameKind::BadHeader) << bad;
        EXPECT_EQ(frames.back().body, "{\"ok\":1}") << bad;
    }
    // A length too short: the body is cut (the server answers ParseError), its tail stands before the next header.
    std::vector<Frame> frames = framesOf("Content-Length: 3\r\n\r\n{\"a\":1}" + framed("[]"), 4);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].body, "{\"a");
    EXPECT_EQ(frames[1].kind, FrameKind::BadHeader);
    EXPECT_EQ(frames[2].body, "[]");
}

TEST(Framing, AHeaderThatNeverEndsIsDroppedWithoutGrowing) {
    FrameReader reader;
    feed(reader, std::string(kMaxHeader + 10, 'x'));
    EXPECT_EQ(nextFrame(reader).kind, FrameKind::BadHeader);
    EXPECT_LE(reader.pending.size(), kMaxHeader);
}

TEST(Framing, ABodyOverTheLimitIsPassedOverAsItArrives) {
    FrameReader reader;
    std::string header = "Content-Length: " + std::to_string(kMaxBody + 5) + "\r\n\r\n";
    feed(reader, header + "0123");
    Frame first = nextFrame(reader);
    EXPECT_EQ(first.kind, FrameKind::TooLarge);
    EXPECT_EQ(first.declaredLength, kMaxBody + 5);
    std::string chunk(1 << 20, '[');
    std::size_t left = kMaxBody + 1;
    while (left > 0) {
        std::size_t n = std::min(left, chunk.size());
        feed(reader, std::string_view(chunk).substr(0, n));
        left -= n;
        EXPECT_EQ(nextFrame(reader).kind, FrameKind::NeedMore);
        EXPECT_TRUE(reader.pending.empty());
    }
    feed(reader, framed("{}"));
    EXPECT_EQ(nextFrame(reader).body, "{}");
}

}  // namespace
