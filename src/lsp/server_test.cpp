#include "lsp/server.hpp"

#include <gtest/gtest.h>

#include "lsp/protocol.hpp"

namespace {

constexpr std::string_view kUri = "file:///book/book.src";

// The book (UTF-8, as an editor sends it): problems 0/1 1/1, 0/2 1/2 2/1,
// sections 1 and 2 with labels, and faults on lines 8 and 9.
constexpr std::string_view kBook =
    "#!\n"                  // 1
    "0/1 1/1\n"             // 2
    "0/2 1/2 2/1\n"         // 3
    "#/1\n"                 // 4
    "! Олимп\n"             // 5
    "Падеж -- 1, 2*\n"      // 6
    "Род -- 2\n"            // 7
    "Язык😀 -- 9\n"         // 8: a character code page 1251 has not, and 9 resolves to nothing
    "Число 1\n"             // 9: no "--"
    "#/2\n"                 // 10
    "Падеж -- 1\n";         // 11

Json request(Server& server, int id, std::string_view method, Json params) {
    server.outbox.clear();
    handleMessage(server, Json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}}.dump());
    EXPECT_EQ(server.outbox.size(), 1u) << method;
    return server.outbox.empty() ? Json() : Json::parse(server.outbox.back());
}

void notify(Server& server, std::string_view method, Json params) {
    handleMessage(server, Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump());
}

Json at(std::string_view uri, int line, int character) {
    return Json{{"textDocument", {{"uri", uri}}}, {"position", {{"line", line}, {"character", character}}}};
}

Server openBook() {
    Server server;  // reads no file
    request(server, 1, "initialize", Json::object());
    notify(server, "initialized", Json::object());
    notify(server, "textDocument/didOpen",
           {{"textDocument", {{"uri", kUri}, {"languageId", "olyindex"}, {"version", 1}, {"text", kBook}}}});
    server.outbox.clear();
    return server;
}

// The diagnostics published for `uri` in the outbox, the last ones.
Json published(const Server& server, std::string_view uri) {
    Json found;
    for (const std::string& body : server.outbox) {
        Json m = Json::parse(body);
        if (m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri) found = m["params"];
    }
    return found;
}

TEST(Server, TheLifecycleAnswersAsTheProtocolSays) {
    Server server;
    EXPECT_EQ(request(server, 1, "textDocument/hover", at(kUri, 0, 0))["error"]["code"], -32002);
    server.outbox.clear();
    notify(server, "textDocument/didOpen", {{"textDocument", {{"uri", kUri}, {"version", 1}, {"text", "x"}}}});
    EXPECT_TRUE(server.outbox.empty());
    EXPECT_TRUE(server.documents.empty());
    Json init = request(server, 2, "initialize", Json::object());
    EXPECT_EQ(init["result"]["capabilities"]["textDocumentSync"]["change"], 2);
    EXPECT_EQ(request(server, 3, "initialize", Json::object())["error"]["code"], -32600);
    EXPECT_EQ(request(server, 4, "workspace/unknown", Json::object())["error"]["code"], -32601);
    EXPECT_EQ(request(server, 5, "textDocument/hover", Json::object())["error"]["code"], -32602);
    server.outbox.clear();
    notify(server, "$/unknown", Json::object());
    notify(server, "$/cancelRequest", {{"id", 5}});
    EXPECT_TRUE(server.outbox.empty());
    EXPECT_TRUE(request(server, 6, "shutdown", nullptr)["result"].is_null());
    EXPECT_EQ(request(server, 7, "textDocument/hover", at(kUri, 0, 0))["error"]["code"], -32600);
    notify(server, "exit", nullptr);
    EXPECT_EQ(server.lifecycle, Lifecycle::Exited);
    EXPECT_EQ(server.exitStatus, 0);

    Server abrupt;
    request(abrupt, 1, "initialize", Json::object());
    notify(abrupt, "exit", nullptr);
    EXPECT_EQ(abrupt.exitStatus, 1);
}

TEST(Server, BadFramesAndBodiesGetErrorsWithANullId) {
    Server server;
    for (Frame frame : {Frame{FrameKind::BadHeader, {}, 0}, Frame{FrameKind::TooLarge, {}, 100u << 20},
                        Frame{FrameKind::Body, "{oops", 5}}) {
        server.outbox.clear();
        handleFrame(server, frame);
        ASSERT_EQ(server.outbox.size(), 1u);
        Json reply = Json::parse(server.outbox[0]);
        EXPECT_TRUE(reply["id"].is_null());
        EXPECT_EQ(reply["error"]["code"], frame.kind == FrameKind::TooLarge ? -32600 : -32700);
    }
}

TEST(Server, AChangeToADocumentNotOpenIsPassedOver) {
    Server server = openBook();
    notify(server, "textDocument/didChange",
           {{"textDocument", {{"uri", "file:///book/other.src"}, {"version", 2}}},
            {"contentChanges", Json::array({{{"text", "x"}}})}});
    EXPECT_EQ(server.documents.size(), 1u);
    ASSERT_EQ(server.outbox.size(), 1u);
    EXPECT_EQ(Json::parse(server.outbox[0])["method"], "window/logMessage");
}

TEST(Server, DiagnosticsAreTheFindingsInUtf16Units) {
    Server server = openBook();
    ASSERT_TRUE(diagnosticsDue(server));
    publishDiagnostics(server, Clock::now());
    Json params = published(server, kUri);
    ASSERT_FALSE(params.is_null());
    EXPECT_EQ(params["version"], 1);
    std::vector<std::tuple<int, std::string, int, int>> shown;
    for (const Json& d : params["diagnostics"]) {
        EXPECT_EQ(d["source"], "olyindex");
        EXPECT_EQ(d["severity"], d["code"] == "source-without-label" ? 2 : 1);
        shown.emplace_back(d["range"]["start"]["line"], d["code"], d["range"]["start"]["character"],
                           d["range"]["end"]["character"]);
    }
    // Line 3: source 2 has no label. Line 8: the emoji is character 5, two
    // UTF-16 units from unit 4; the 9 is character 10, unit 10.
    std::vector<std::tuple<int, std::string, int, int>> expected = {
        {2, "source-without-label", 8, 11}, {7, "not-in-code-page", 4, 6}, {7, "unresolved-reference", 10, 11}, {8, "missing-dash", 0, 7}};
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(diagnosticsDue(server));
}

TEST(Server, ChangesPublishAtMostEveryIntervalAndMendedFaultsGo) {
    Server server = openBook();
    Clock::time_point t0 = Clock::now();
    publishDiagnostics(server, t0);
    server.outbox.clear();
    // "9" becomes "2": the reference resolves.
    notify(server, "textDocument/didChange",
           {{"textDocument", {{"uri", kUri}, {"version", 2}}},
            {"contentChanges",
             Json::array({{{"range", {{"start", {{"line", 7}, {"character", 10}}}, {"end", {{"line", 7}, {"character", 11}}}}},
                           {"text", "2"}}})}});
    EXPECT_EQ(diagnosticsDue(server), t0 + kDiagnosticsInterval);
    publishDiagnostics(server, t0 + kDiagnosticsInterval);
    Json params = published(server, kUri);
    EXPECT_EQ(params["version"], 2);
    EXPECT_EQ(params["diagnostics"].size(), 3u);
}

TEST(Server, AnOpenTemplateIsCheckedAndPublishedToo) {
    Server server = openBook();
    const std::string templ = "file:///book/indeksal_yazykov.tex.template";
    notify(server, "textDocument/didOpen",
           {{"textDocument", {{"uri", templ}, {"version", 1}, {"text", "[]\n"}}}});
    publishDiagnostics(server, Clock::now());
    Json params = published(server, templ);
    ASSERT_EQ(params["diagnostics"].size(), 1u);
    EXPECT_EQ(params["diagnostics"][0]["code"], "placeholder-outside-block");
    EXPECT_FALSE(published(server, kUri).is_null());
}

TEST(Server, HoverAndDefinitionFollowAReference) {
    Server server = openBook();
    // "2*" on line 6 (0-based 5) in section 1: the problem 0/2 1/2 2/1 on line 3.
    Json hover = request(server, 2, "textDocument/hover", at(kUri, 5, 12))["result"];
    std::string text = hover["contents"]["value"];
    EXPECT_NE(text.find("Задача № 2"), std::string::npos) << text;
    EXPECT_NE(text.find("0/2, 1/2, 2/1"), std::string::npos) << text;
    EXPECT_NE(text.find("Олимп"), std::string::npos) << text;
    Json where = request(server, 3, "textDocument/definition", at(kUri, 5, 12))["result"];
    EXPECT_EQ(where["uri"], kUri);
    EXPECT_EQ(where["range"]["start"]["line"], 2);
    // The unresolved 9 says why.
    std::string why = request(server, 4, "textDocument/hover", at(kUri, 7, 10))["result"]["contents"]["value"];
    EXPECT_NE(why.find("1/9"), std::string::npos) << why;
    // A problem line: its number and the elements that refer to it: 1/2 on
    // lines 6 and 7, 2/1 on line 11.
    std::string problem = request(server, 5, "textDocument/hover", at(kUri, 2, 0))["result"]["contents"]["value"];
    EXPECT_NE(problem.find("Ссылаются элементов: 3"), std::string::npos) << problem;
    Json refs = request(server, 6, "textDocument/references",
                        {{"textDocument", {{"uri", kUri}}}, {"position", {{"line", 2}, {"character", 0}}},
                         {"context", {{"includeDeclaration", false}}}})["result"];
    ASSERT_EQ(refs.size(), 3u);
    EXPECT_EQ(refs[0]["range"]["start"], (Json{{"line", 5}, {"character", 12}}));
    EXPECT_EQ(refs[1]["range"]["start"], (Json{{"line", 6}, {"character", 7}}));
    EXPECT_EQ(refs[2]["range"]["start"], (Json{{"line", 10}, {"character", 9}}));
    // The marker "#/1" leads to the label line.
    EXPECT_EQ(request(server, 7, "textDocument/definition", at(kUri, 3, 1))["result"]["range"]["start"]["line"], 4);
}

TEST(Server, RenameCompletionSymbolsAndQuickFixes) {
    Server server = openBook();
    Json edit = request(server, 2, "textDocument/rename",
                        {{"textDocument", {{"uri", kUri}}}, {"position", {{"line", 5}, {"character", 2}}},
                         {"newName", "Падежи"}})["result"];
    Json edits = edit["changes"][std::string(kUri)];
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[1]["range"]["start"], (Json{{"line", 10}, {"character", 0}}));
    EXPECT_EQ(edits[1]["range"]["end"], (Json{{"line", 10}, {"character", 5}}));
    EXPECT_EQ(edits[1]["newText"], "Падежи");
    Json refused = request(server, 3, "textDocument/rename",
                           {{"textDocument", {{"uri", kUri}}}, {"position", {{"line", 5}, {"character", 2}}},
                            {"newName", "a -- b"}});
    EXPECT_EQ(refused["error"]["code"], -32803);

    Json items = request(server, 4, "textDocument/completion", at(kUri, 6, 1))["result"]["items"];
    std::map<std::string, std::string> offered;
    for (const Json& item : items) offered[item["label"]] = item["detail"];
    EXPECT_EQ(offered["Падеж"], "ссылок: 3");
    EXPECT_TRUE(offered.contains("=автор условия "));
    EXPECT_TRUE(request(server, 5, "textDocument/completion", at(kUri, 6, 7))["result"]["items"].empty());

    Json symbols = request(server, 6, "textDocument/documentSymbol", {{"textDocument", {{"uri", kUri}}}})["result"];
    ASSERT_EQ(symbols.size(), 3u);
    EXPECT_EQ(symbols[1]["name"], "#/1 Олимп");
    EXPECT_EQ(symbols[1]["range"]["end"]["line"], 8);

    Json actions = request(server, 7, "textDocument/codeAction",
                           {{"textDocument", {{"uri", kUri}}},
                            {"range", {{"start", {{"line", 8}, {"character", 0}}}, {"end", {{"line", 8}, {"character", 0}}}}},
                            {"context", {{"diagnostics", Json::array()}}}})["result"];
    ASSERT_EQ(actions.size(), 1u);
    Json change = actions[0]["edit"]["changes"][std::string(kUri)][0];
    EXPECT_EQ(change["newText"], "-- ");
    EXPECT_EQ(change["range"]["start"], (Json{{"line", 8}, {"character", 6}}));
    EXPECT_EQ(change["range"]["end"], (Json{{"line", 8}, {"character", 6}}));
}

TEST(Server, OlyindexTomlFindingsShowUnderItsOwnUriUntilMended) {
    const std::string config = "file:///book/olyindex.toml";
    std::string onDisk = "[table]\nslots = 0\n";  // 0 is out of range: line 2, column 9
    Server server;
    server.readFile = [&](const std::filesystem::path& path) -> std::optional<std::string> {
        if (path == "/book/olyindex.toml") return onDisk;
        return std::nullopt;
    };
    request(server, 1, "initialize", Json::object());
    notify(server, "textDocument/didOpen", {{"textDocument", {{"uri", kUri}, {"version", 1}, {"text", kBook}}}});
    auto publishNow = [&] {
        server.outbox.clear();
        publishDiagnostics(server, Clock::now());
    };
    auto codesAndStarts = [](const Json& params) {
        std::vector<std::pair<std::string, Json>> shown;
        for (const Json& d : params["diagnostics"]) shown.emplace_back(d["code"], d["range"]["start"]);
        return shown;
    };
    auto save = [&] { notify(server, "textDocument/didSave", {{"textDocument", {{"uri", kUri}}}}); };

    publishNow();
    Json disk = published(server, config);
    ASSERT_EQ(disk["diagnostics"].size(), 1u);
    EXPECT_EQ(disk["diagnostics"][0]["code"], "config-out-of-range");
    EXPECT_EQ(disk["diagnostics"][0]["range"]["end"], (Json{{"line", 1}, {"character", 9}}));
    save();
    publishNow();
    EXPECT_TRUE(published(server, config).is_null());  // unchanged: not sent again

    onDisk = "[table]\n";
    save();
    publishNow();
    EXPECT_EQ(published(server, config)["diagnostics"], Json::array());

    // The open buffer speaks for the file, with its version.
    notify(server, "textDocument/didOpen",
           {{"textDocument", {{"uri", config}, {"version", 4}, {"text", "[table]\n  olympaids = 3\n"}}}});
    publishNow();
    Json buffer = published(server, config);
    EXPECT_EQ(buffer["version"], 4);
    EXPECT_EQ(codesAndStarts(buffer), (std::vector<std::pair<std::string, Json>>{
                                          {"unknown-config-key", {{"line", 1}, {"character", 2}}}}));
    server.outbox.clear();
    notify(server, "textDocument/didClose", {{"textDocument", {{"uri", config}}}});
    EXPECT_EQ(published(server, config)["diagnostics"], Json::array());

    // Faulty on disk again; closing the book's last source clears them.
    onDisk = "[table]\nslots = 0\n";
    save();
    publishNow();
    EXPECT_EQ(published(server, config)["diagnostics"].size(), 1u);
    server.outbox.clear();
    notify(server, "textDocument/didClose", {{"textDocument", {{"uri", kUri}}}});
    EXPECT_EQ(published(server, config)["diagnostics"], Json::array());
}

// A lone "\r" ends a line for the editor but cuts the line for the book
// (which reads "Падеж -- 1" and warns of ", 2"): positions both ways follow
// the editor's lines, 0 to 8, while the book has lines 1 to 7.
TEST(Server, ALoneCarriageReturnEndsALineForTheEditor) {
    constexpr std::string_view kCut = "#!\n0/1 1/1\n#/1\n! Олимп\nПадеж -- 1\r, 2\nРод -- 1\nЧисло 1\r, 2\n";
    Server server;
    request(server, 1, "initialize", Json::object());
    notify(server, "textDocument/didOpen", {{"textDocument", {{"uri", kUri}, {"version", 1}, {"text", kCut}}}});
    publishDiagnostics(server, Clock::now());
    Json diagnostics = published(server, kUri)["diagnostics"];
    ASSERT_EQ(diagnostics.size(), 3u);  // and on book line 7: a cut, and no "--"
    EXPECT_EQ(diagnostics[0]["code"], "line-cut");
    // Book line 5, columns 11 (the "\r") to 14: the end of editor line 4 to the end of line 5.
    EXPECT_EQ(diagnostics[0]["range"], (Json{{"start", {{"line", 4}, {"character", 10}}},
                                             {"end", {{"line", 5}, {"character", 3}}}}));

    EXPECT_EQ(request(server, 2, "textDocument/hover", at(kUri, 6, 7))["result"]["range"]["start"],
              (Json{{"line", 6}, {"character", 7}}));
    Json refs = request(server, 3, "textDocument/references",
                        {{"textDocument", {{"uri", kUri}}}, {"position", {{"line", 1}, {"character", 0}}},
                         {"context", {{"includeDeclaration", false}}}})["result"];
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_EQ(refs[0]["range"]["start"], (Json{{"line", 4}, {"character", 9}}));
    EXPECT_EQ(refs[1]["range"]["start"], (Json{{"line", 6}, {"character", 7}}));
    Json edits = request(server, 4, "textDocument/rename",
                         {{"textDocument", {{"uri", kUri}}}, {"position", {{"line", 6}, {"character", 1}}},
                          {"newName", "Вид"}})["result"]["changes"][std::string(kUri)];
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0]["range"], (Json{{"start", {{"line", 6}, {"character", 0}}}, {"end", {{"line", 6}, {"character", 3}}}}));

    // The editor applies that edit and sends it back: it lands on "Род".
    notify(server, "textDocument/didChange",
           {{"textDocument", {{"uri", kUri}, {"version", 2}}},
            {"contentChanges", Json::array({{{"range", edits[0]["range"]}, {"text", "Вид"}}})}});
    EXPECT_EQ(server.documents.at(std::string(kUri)).document.text,
              "#!\n0/1 1/1\n#/1\n! Олимп\nПадеж -- 1\r, 2\nВид -- 1\nЧисло 1\r, 2\n");

    // The missing "--" goes before the "1" the book reads, not into what the "\r" cuts off.
    Json actions = request(server, 5, "textDocument/codeAction",
                           {{"textDocument", {{"uri", kUri}}},
                            {"range", {{"start", {{"line", 7}, {"character", 0}}}, {"end", {{"line", 7}, {"character", 0}}}}},
                            {"context", {{"diagnostics", Json::array()}}}})["result"];
    ASSERT_EQ(actions.size(), 1u);
    Json change = actions[0]["edit"]["changes"][std::string(kUri)][0];
    EXPECT_EQ(change["newText"], "-- ");
    EXPECT_EQ(change["range"]["start"], (Json{{"line", 7}, {"character", 6}}));
}

}  // namespace
