#pragma once
// The language server's state and what it does with each message: the
// lifecycle (initialize, shutdown, exit), the open documents, and the
// requests, answered from the check of the book each source belongs to.
// It reads and writes no stream itself: bodies come in, bodies go to
// `outbox`, and the caller's clock says when diagnostics are due.

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/analysis.hpp"
#include "lsp/documents.hpp"
#include "lsp/framing.hpp"

using Clock = std::chrono::steady_clock;

// Diagnostics go out at most this often while the editor sends changes.
inline constexpr auto kDiagnosticsInterval = std::chrono::milliseconds(150);

enum class Lifecycle { Starting, Running, ShutDown, Exited };

struct OpenDocument {
    Document document;
    std::optional<Analysis> analysis;  // of the current text and template; none once either changed
    bool published = false;            // the diagnostics of the current analysis went out
};

struct Server {
    Lifecycle lifecycle = Lifecycle::Starting;
    int exitStatus = 1;  // 0 only for an exit after shutdown
    std::map<std::string, OpenDocument> documents;  // by URI
    std::vector<std::string> outbox;                // bodies to send, in order
    Clock::time_point lastPublished{};
    // The diagnostics last published for each olyindex.toml that the editor
    // does not have open, when there were any: they are sent again only when
    // they change, and cleared once the file is mended or its book closed.
    std::map<std::string, std::string> configDiagnostics;  // by URI, as JSON text
    // Reads a file of the book that the editor does not have open (the
    // template, olyindex.toml); none when there is no such file.
    std::function<std::optional<std::string>(const std::filesystem::path&)> readFile;
};

// A server that reads the template from the disk when it is not open.
Server makeServer();

// One frame from the stream: a body is handled, a bad header or a body too
// large gets its error.
void handleFrame(Server& server, const Frame& frame);

// One message body.
void handleMessage(Server& server, std::string_view body);

// When diagnostics are due next; none when every document's went out.
std::optional<Clock::time_point> diagnosticsDue(const Server& server);

// Publishes the diagnostics of every document whose text changed since.
void publishDiagnostics(Server& server, Clock::time_point now);

// The analysis of an open document, brought up to date.
const Analysis& analysisOf(Server& server, OpenDocument& open);
