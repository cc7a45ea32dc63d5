#include "lsp/server.hpp"

#include <new>
#include <set>

#include "driver/book_config.hpp"
#include "driver/file_system.hpp"
#include "index/language_index.hpp"
#include "lsp/diagnostics.hpp"
#include "lsp/editing.hpp"
#include "lsp/navigation.hpp"
#include "lsp/protocol.hpp"
#include "text/encoding.hpp"

namespace {

Json capabilities() {
    return Json{
        {"positionEncoding", "utf-16"},
        {"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
        {"hoverProvider", true},
        {"definitionProvider", true},
        {"referencesProvider", true},
        {"documentSymbolProvider", true},
        {"completionProvider", {{"triggerCharacters", Json::array({"="})}}},
        {"renameProvider", {{"prepareProvider", true}}},
        {"codeActionProvider", {{"codeActionKinds", Json::array({"quickfix"})}}},
    };
}

// A request whose params lack what it needs.
struct BadParams {
    std::string why;
};

Position positionOf(const Json& p) {
    return Position{std::max<std::int64_t>(0, p.at("line").get<std::int64_t>()),
                    std::max<std::int64_t>(0, p.at("character").get<std::int64_t>())};
}

Position positionIn(const Json& params) {
    return positionOf(params.at("position"));
}

std::string uriIn(const Json& params) {
    return params.at("textDocument").at("uri").get<std::string>();
}

void send(Server& server, std::string body) {
    server.outbox.push_back(std::move(body));
}

void logMessage(Server& server, std::string text) {
    constexpr int kWarning = 2;
    send(server, notificationBody("window/logMessage", {{"type", kWarning}, {"message", std::move(text)}}));
}

std::optional<std::filesystem::path> directoryOf(std::string_view uri) {
    std::optional<std::filesystem::path> path = pathFromUri(uri);
    if (!path) return std::nullopt;
    return path->parent_path();
}

bool sameDirectory(std::string_view a, std::string_view b) {
    std::optional<std::filesystem::path> da = directoryOf(a);
    std::optional<std::filesystem::path> db = directoryOf(b);
    return da && db && *da == *db;
}

// The open buffer of the book file `role` beside `uri`, if the editor has it.
const OpenDocument* openBeside(const Server& server, std::string_view uri, InFile role) {
    for (const auto& [other, open] : server.documents)
        if (open.document.role == role && sameDirectory(other, uri)) return &open;
    return nullptr;
}

std::optional<std::string> readBeside(const Server& server, std::string_view uri, std::string_view name) {
    std::optional<std::filesystem::path> dir = directoryOf(uri);
    if (!dir || !server.readFile) return std::nullopt;
    return server.readFile(*dir / name);
}

// The template of the book a source belongs to: the open buffer, else the
// file beside the source (UTF-8 when it plainly is, as the editor may keep it).
std::optional<std::string> templateFor(const Server& server, std::string_view sourceUri) {
    if (const OpenDocument* open = openBeside(server, sourceUri, InFile::Template))
        return toBookText(open->document.text).text;
    std::optional<std::string> bytes = readBeside(server, sourceUri, kTemplateName);
    if (!bytes || !looksLikeUtf8(*bytes)) return bytes;
    return decodeText(std::move(*bytes), Encoding::Utf8).text;
}

// olyindex.toml of the book a source belongs to: the open buffer, else the file.
std::optional<std::string> configFor(const Server& server, std::string_view sourceUri) {
    if (const OpenDocument* open = openBeside(server, sourceUri, InFile::Config)) return open->document.text;
    return readBeside(server, sourceUri, kConfigName);
}

// What olyindex.toml tells the check; its faults are the file's own diagnostics.
CheckOptions optionsFor(const Server& server, std::string_view sourceUri) {
    std::optional<std::string> config = configFor(server, sourceUri);
    if (!config) return {};
    return CheckOptions{loadBookConfig(*config, nullptr).table};
}

// The sources of the book in `uri`'s directory must be checked again.
void bookChanged(Server& server, std::string_view uri) {
    for (auto& [other, open] : server.documents) {
        if (open.document.role != InFile::Source || !sameDirectory(other, uri)) continue;
        open.analysis.reset();
        open.published = false;
    }
}

void textChanged(Server& server, OpenDocument& open) {
    open.analysis.reset();
    open.published = false;
    if (open.document.role != InFile::Source) bookChanged(server, open.document.uri);
}

OpenDocument* openDocument(Server& server, const std::string& uri) {
    auto it = server.documents.find(uri);
    return it == server.documents.end() ? nullptr : &it->second;
}

void sendDiagnostics(Server& server, const std::string& uri, Json diagnostics) {
    send(server, notificationBody("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", std::move(diagnostics)}}));
}

// The olyindex.toml of every book the editor has a document of.
std::set<std::string> openBookConfigs(const Server& server) {
    std::set<std::string> configs;
    for (const auto& [uri, open] : server.documents)
        if (open.document.role != InFile::Config) configs.insert(siblingUri(uri, kConfigName));
    return configs;
}

// The diagnostics of an olyindex.toml that is not open, sent when they differ
// from those the editor shows.
void publishConfigOnDisk(Server& server, const std::string& uri, Json diagnostics) {
    std::string shown = diagnostics.dump();
    auto it = server.configDiagnostics.find(uri);
    if (it == server.configDiagnostics.end() ? diagnostics.empty() : it->second == shown) return;
    if (diagnostics.empty()) server.configDiagnostics.erase(it);
    else server.configDiagnostics[uri] = std::move(shown);
    sendDiagnostics(server, uri, std::move(diagnostics));
}

// A book with no document open leaves no diagnostics of its olyindex.toml behind.
void forgetClosedBooks(Server& server) {
    std::set<std::string> configs = openBookConfigs(server);
    std::vector<std::string> closed;
    for (const auto& [uri, shown] : server.configDiagnostics)
        if (!configs.contains(uri)) closed.push_back(uri);
    for (const std::string& uri : closed) publishConfigOnDisk(server, uri, Json::array());
}

// olyindex.toml of each open book, read again: the editor may not have it
// open, yet its faults are the book's and must show.
void publishConfigsOnDisk(Server& server) {
    for (const std::string& uri : openBookConfigs(server)) {
        if (openBeside(server, uri, InFile::Config)) continue;  // the buffer's diagnostics speak for it
        std::optional<std::filesystem::path> path = pathFromUri(uri);
        std::optional<std::string> text = path && server.readFile ? server.readFile(*path) : std::nullopt;
        publishConfigOnDisk(server, uri, text ? diagnosticsOf(analyseConfig(std::move(*text)), InFile::Config)
                                              : Json::array());
    }
    forgetClosedBooks(server);
}

InFile roleOfFile(std::string_view uri) {
    std::string name = uriFileName(uri);
    if (name == kTemplateName) return InFile::Template;
    if (name == kConfigName) return InFile::Config;
    return InFile::Source;
}

// Notifications.

void didOpen(Server& server, const Json& params) {
    const Json& item = params.at("textDocument");
    std::string uri = item.at("uri").get<std::string>();
    OpenDocument open;
    open.document.uri = uri;
    open.document.text = item.at("text").get<std::string>();
    open.document.version = item.value("version", std::int64_t{0});
    open.document.role = roleOfFile(uri);
    // An open olyindex.toml publishes its own diagnostics, as a buffer.
    if (open.document.role == InFile::Config)
        std::erase_if(server.configDiagnostics, [&](const auto& shown) { return sameDirectory(shown.first, uri); });
    OpenDocument& stored = server.documents[uri] = std::move(open);
    textChanged(server, stored);
}

void didChange(Server& server, const Json& params) {
    std::string uri = uriIn(params);
    OpenDocument* open = openDocument(server, uri);
    if (open == nullptr) {
        logMessage(server, "didChange для неоткрытого документа пропущен: " + uri);
        return;
    }
    for (const Json& change : params.at("contentChanges")) {
        TextChange c;
        c.text = change.at("text").get<std::string>();
        if (change.contains("range")) {
            const Json& range = change.at("range");
            c.whole = false;
            c.start = positionOf(range.at("start"));
            c.end = positionOf(range.at("end"));
        }
        applyChange(open->document, c);
    }
    open->document.version = params.at("textDocument").value("version", open->document.version);
    textChanged(server, *open);
}

void didSave(Server& server, const Json& params) {
    // A template saved (or written by another program) is read again.
    bookChanged(server, uriIn(params));
}

void didClose(Server& server, const Json& params) {
    std::string uri = uriIn(params);
    auto it = server.documents.find(uri);
    if (it == server.documents.end()) return;
    bool wasSource = it->second.document.role == InFile::Source;
    server.documents.erase(it);
    sendDiagnostics(server, uri, Json::array());
    // Closing olyindex.toml hands its diagnostics to the file on disk, which
    // the next publication reads.
    if (!wasSource) bookChanged(server, uri);
    forgetClosedBooks(server);
}

// Requests on a document: null (or an empty list) for one that is not open.

using DocumentRequest = Json (*)(const Analysis&, const std::string& uri, const Json& params, InFile file);

Json onHover(const Analysis& a, const std::string&, const Json& params, InFile file) {
    return file == InFile::Source ? hover(a, positionIn(params)) : Json(nullptr);
}

Json onDefinition(const Analysis& a, const std::string& uri, const Json& params, InFile file) {
    return file == InFile::Source ? definition(a, uri, positionIn(params)) : Json(nullptr);
}

Json onReferences(const Analysis& a, const std::string& uri, const Json& params, InFile file) {
    bool withDeclaration = params.contains("context") && params["context"].value("includeDeclaration", false);
    return file == InFile::Source ? references(a, uri, positionIn(params), withDeclaration) : Json(nullptr);
}

Json onSymbols(const Analysis& a, const std::string&, const Json&, InFile file) {
    return file == InFile::Source ? documentSymbols(a) : Json::array();
}

Json onCompletion(const Analysis& a, const std::string&, const Json& params, InFile file) {
    return file == InFile::Source ? completion(a, positionIn(params)) : Json{{"isIncomplete", false}, {"items", Json::array()}};
}

Json onPrepareRename(const Analysis& a, const std::string&, const Json& params, InFile file) {
    return file == InFile::Source ? prepareRename(a, positionIn(params)) : Json(nullptr);
}

Json onRename(const Analysis& a, const std::string& uri, const Json& params, InFile file) {
    if (file != InFile::Source) return nullptr;
    std::string refusal;
    Json edit = rename(a, uri, positionIn(params), params.at("newName").get<std::string>(), refusal);
    if (!refusal.empty()) throw BadParams{refusal};
    return edit;
}

Json onCodeAction(const Analysis& a, const std::string& uri, const Json& params, InFile file) {
    // The editor's lines, turned into the book's that the findings count.
    const Json& range = params.at("range");
    return codeActions(a, uri, file, bookPlace(a, positionOf(range.at("start"))).line,
                       bookPlace(a, positionOf(range.at("end"))).line);
}

struct RequestHandler {
    std::string_view method;
    DocumentRequest handle;
    Json whenNotOpen;
};

const std::vector<RequestHandler>& documentRequests() {
    static const std::vector<RequestHandler> handlers = {
        {"textDocument/hover", onHover, nullptr},
        {"textDocument/definition", onDefinition, nullptr},
        {"textDocument/references", onReferences, nullptr},
        {"textDocument/documentSymbol", onSymbols, Json::array()},
        {"textDocument/completion", onCompletion, Json::array()},
        {"textDocument/prepareRename", onPrepareRename, nullptr},
        {"textDocument/rename", onRename, nullptr},
        {"textDocument/codeAction", onCodeAction, Json::array()},
    };
    return handlers;
}

void answerRequest(Server& server, const Message& m) {
    if (m.method == "initialize") {
        if (server.lifecycle != Lifecycle::Starting) {
            send(server, errorBody(m.id, RpcError::InvalidRequest, "initialize was sent already"));
            return;
        }
        server.lifecycle = Lifecycle::Running;
        send(server, replyBody(m.id, {{"capabilities", capabilities()},
                                       {"serverInfo", {{"name", "olyindex"}, {"version", OLYINDEX_VERSION}}}}));
        return;
    }
    if (server.lifecycle == Lifecycle::Starting) {
        send(server, errorBody(m.id, RpcError::ServerNotInitialized, "the server is not initialized"));
        return;
    }
    if (server.lifecycle == Lifecycle::ShutDown) {
        send(server, errorBody(m.id, RpcError::InvalidRequest, "the server is shut down"));
        return;
    }
    if (m.method == "shutdown") {
        server.lifecycle = Lifecycle::ShutDown;
        send(server, replyBody(m.id, nullptr));
        return;
    }
    for (const RequestHandler& h : documentRequests()) {
        if (h.method != m.method) continue;
        OpenDocument* open = openDocument(server, uriIn(m.params));
        if (open == nullptr) {
            send(server, replyBody(m.id, h.whenNotOpen));
            return;
        }
        send(server, replyBody(m.id, h.handle(analysisOf(server, *open), open->document.uri, m.params, open->document.role)));
        return;
    }
    send(server, errorBody(m.id, RpcError::MethodNotFound, "unknown method " + m.method));
}

void takeNotification(Server& server, const Message& m) {
    if (m.method == "exit") {
        server.exitStatus = server.lifecycle == Lifecycle::ShutDown ? 0 : 1;
        server.lifecycle = Lifecycle::Exited;
        return;
    }
    // Before initialize and after shutdown, notifications are dropped.
    if (server.lifecycle != Lifecycle::Running) return;
    if (m.method == "textDocument/didOpen") didOpen(server, m.params);
    else if (m.method == "textDocument/didChange") didChange(server, m.params);
    else if (m.method == "textDocument/didSave") didSave(server, m.params);
    else if (m.method == "textDocument/didClose") didClose(server, m.params);
    // "initialized", "$/cancelRequest" (every request is answered at once) and
    // any other notification need nothing.
}

}  // namespace

Server makeServer() {
    Server server;
    server.readFile = [](const std::filesystem::path& path) -> std::optional<std::string> {
        std::string bytes;
        if (readWholeFile(path, bytes) != WholeRead::Ok) return std::nullopt;
        return bytes;
    };
    return server;
}

const Analysis& analysisOf(Server& server, OpenDocument& open) {
    if (!open.analysis) {
        const std::string& uri = open.document.uri;
        switch (open.document.role) {
            case InFile::Template: open.analysis = analyseTemplate(open.document.text); break;
            case InFile::Config: open.analysis = analyseConfig(open.document.text); break;
            case InFile::Source:
                open.analysis = analyse(open.document.text, templateFor(server, uri), optionsFor(server, uri));
                break;
        }
    }
    return *open.analysis;
}

void handleMessage(Server& server, std::string_view body) {
    Message m = parseMessage(body);
    switch (m.kind) {
        case MessageKind::Invalid: send(server, errorBody(m.id, m.error, m.why)); return;
        case MessageKind::Reply: return;  // the server asks nothing of the client
        case MessageKind::Notification:
            try {
                takeNotification(server, m);
            } catch (const Json::exception& e) {
                logMessage(server, m.method + ": " + e.what());
            }
            return;
        case MessageKind::Request: break;
    }
    try {
        answerRequest(server, m);
    } catch (const Json::exception& e) {
        send(server, errorBody(m.id, RpcError::InvalidParams, e.what()));
    } catch (const BadParams& e) {
        send(server, errorBody(m.id, RpcError::RequestFailed, e.why));
    } catch (const std::bad_alloc&) {
        send(server, errorBody(m.id, RpcError::InternalError, "out of memory"));
    }
}

void handleFrame(Server& server, const Frame& frame) {
    switch (frame.kind) {
        case FrameKind::Body: handleMessage(server, frame.body); return;
        case FrameKind::BadHeader:
            send(server, errorBody(nullptr, RpcError::ParseError, "a header without a valid Content-Length"));
            return;
        case FrameKind::TooLarge:
            send(server, errorBody(nullptr, RpcError::InvalidRequest,
                                   "a message of " + std::to_string(frame.declaredLength) + " bytes is over the limit of " +
                                       std::to_string(kMaxBody)));
            return;
        case FrameKind::NeedMore: return;
    }
}

std::optional<Clock::time_point> diagnosticsDue(const Server& server) {
    for (const auto& [uri, open] : server.documents)
        if (!open.published) return server.lastPublished + kDiagnosticsInterval;
    return std::nullopt;
}

void publishDiagnostics(Server& server, Clock::time_point now) {
    for (auto& [uri, open] : server.documents) {
        if (open.published) continue;
        const Analysis& analysis = analysisOf(server, open);
        send(server, notificationBody("textDocument/publishDiagnostics",
                                      {{"uri", uri},
                                       {"version", open.document.version},
                                       {"diagnostics", diagnosticsOf(analysis, open.document.role)}}));
        open.published = true;
    }
    publishConfigsOnDisk(server);
    server.lastPublished = now;
}
