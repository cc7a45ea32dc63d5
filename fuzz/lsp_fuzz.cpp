// Any bytes as the language server's input stream, after an initialize and
// the opening of a small book: fed in pieces of varying size, framed, parsed
// and answered, then the diagnostics published. The server reads no file
// here. Every frame the reader hands out must be whole, and every body the
// server sends must be JSON.
#include <cstddef>
#include <cstdint>
#include <string>

#include "lsp/framing.hpp"
#include "lsp/protocol.hpp"
#include "lsp/server.hpp"

namespace {

void check(Server& server) {
    for (const std::string& body : server.outbox)
        if (Json::parse(body, nullptr, false).is_discarded()) __builtin_trap();
    server.outbox.clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Server server;  // no readFile: the template is never read from a disk
    handleMessage(server, R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})");
    handleMessage(server, R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":)"
                          R"({"uri":"file:///b/book.src","version":1,"text":"#!\n0/1 1/1\n#/1\n! L\nX -- 1, 2\n"}}})");
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FrameReader reader;
    // The first byte picks the size of the pieces the rest arrives in.
    std::size_t piece = bytes.empty() ? 1 : static_cast<unsigned char>(bytes.front()) % 61 + 1;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        feed(reader, bytes.substr(at, piece));
        for (Frame f = nextFrame(reader); f.kind != FrameKind::NeedMore; f = nextFrame(reader)) {
            if (f.kind == FrameKind::Body && f.body.size() != f.declaredLength) __builtin_trap();
            handleFrame(server, f);
        }
        check(server);
    }
    // The same bytes as one body.
    handleMessage(server, bytes);
    publishDiagnostics(server, Clock::now());
    check(server);
    return 0;
}
