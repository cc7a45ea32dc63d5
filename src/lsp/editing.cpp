#include "lsp/editing.hpp"

#include <map>

#include "elements/categories.hpp"
#include "lsp/diagnostics.hpp"
#include "lsp/navigation.hpp"
#include "text/cp1251.hpp"
#include "text/line_input.hpp"
#include "text/utf8.hpp"

namespace {

constexpr int kCompletionValue = 12;
constexpr int kCompletionKeyword = 14;

Json edit(Json range, std::string text) {
    return Json{{"range", std::move(range)}, {"newText", std::move(text)}};
}

Json nameRange(const Analysis& analysis, long line, const ElementParts& parts) {
    return rangeOf(analysis, line, static_cast<std::int32_t>(parts.nameFirst + 1),
                   static_cast<std::int32_t>(parts.nameEnd));
}

// The fixes of a finding; a missing dash separator gets one here when the
// check offers none: "--" before the references the line ends with, or at
// its end when it ends with none.
std::vector<Fix> fixesOf(const Analysis& analysis, const Finding& finding) {
    if (!finding.fixes.empty() || finding.code != "missing-dash" || finding.file != InFile::Source)
        return finding.fixes;
    std::string_view raw = bookLine(analysis, finding.line - 1);
    // Up to where the parser reads: a comment, or a carriage return or zero byte inside the line.
    std::string_view kept = raw.substr(0, std::min(raw.find("//"), raw.find_first_of(std::string_view("\r\0", 2))));
    kept = kept.substr(0, kept.find_last_not_of(' ') + 1);
    std::size_t references = kept.find_last_not_of("0123456789.*, ") + 1;
    while (references < kept.size() && kept[references] == ' ') ++references;
    Bytes title(cp1251("Вставить \"--\" между названием и ссылками").view());
    bool endsWithReferences = references > 0 && references < kept.size() && kept[references - 1] == ' ';
    if (!endsWithReferences) {
        auto end = static_cast<std::int32_t>(kept.size() + 1);
        return {Fix{end, end - 1, Bytes(" --"), title}};
    }
    auto at = static_cast<std::int32_t>(references + 1);
    return {Fix{at, at - 1, Bytes("-- "), title}};
}

}  // namespace

Json completion(const Analysis& analysis, Position position) {
    Spot spot = spotAt(analysis, position);
    Json items = Json::array();
    Json none = Json{{"isIncomplete", false}, {"items", items}};
    bool nameLine = spot.role.inElements &&
                    (spot.role.kind == LineKind::Element || spot.role.kind == LineKind::Blank);
    if (!nameLine) return none;
    ElementParts parts = elementParts(spot.raw);
    if (parts.hasDash && spot.column > parts.nameEnd) return none;
    // What is typed so far, from the line's first character, is replaced.
    std::size_t from = std::min(spot.raw.find_first_not_of(' '), spot.column);
    Json range = rangeOf(analysis, spot.line, static_cast<std::int32_t>(from + 1), static_cast<std::int32_t>(spot.column));
    std::map<std::string, std::size_t> names;  // with their references, over all lines of the name
    for (const IndexElement& e : analysis.check.tables.elements)
        if (e.line > 0 && !e.name.empty()) names[e.name] += e.zz.size();
    for (const auto& [name, count] : names) {
        std::string label = toUtf8(name);
        items.push_back(Json{{"label", label},
                             {"kind", kCompletionValue},
                             {"detail", "ссылок: " + std::to_string(count)},
                             {"textEdit", edit(range, label)}});
    }
    for (std::string_view prefix : {kPlacePrefix.view(), kConditionAuthorPrefix.view(), kSolutionAuthorPrefix.view(),
                                    kRussianPrefix.view()}) {
        std::string label = toUtf8(prefix);
        items.push_back(Json{{"label", label},
                             {"kind", kCompletionKeyword},
                             {"detail", "категория"},
                             {"sortText", " " + label},
                             {"textEdit", edit(range, label)}});
    }
    return Json{{"isIncomplete", false}, {"items", items}};
}

Json prepareRename(const Analysis& analysis, Position position) {
    Spot spot = spotAt(analysis, position);
    if (!onElementName(spot)) return nullptr;
    ElementParts parts = elementParts(spot.raw);
    return Json{{"range", nameRange(analysis, spot.line, parts)}, {"placeholder", toUtf8(elementName(spot.raw, parts))}};
}

Json rename(const Analysis& analysis, std::string_view uri, Position position, std::string_view newName,
            std::string& refusal) {
    Spot spot = spotAt(analysis, position);
    if (!onElementName(spot)) return nullptr;
    FromUtf8 converted = fromUtf8(newName);
    if (!converted.ok()) {
        refusal = "в новом названии есть символ, которого нет в кодировке 1251";
        return nullptr;
    }
    std::string name = converted.text;
    collapseSpaces(name);
    if (name.empty() || name.find("--") != std::string::npos || name.find("//") != std::string::npos ||
        name.find_first_of("\r\n") != std::string::npos || name.starts_with("!")) {
        refusal = "новое название пустое или меняет разбор строки (\"--\", \"//\", \"!\" в начале, перевод строки)";
        return nullptr;
    }
    std::string old = elementName(spot.raw, elementParts(spot.raw));
    Json edits = Json::array();
    for (std::size_t i = 0; i < analysis.roles.size(); ++i) {
        if (analysis.roles[i].kind != LineKind::Element) continue;
        std::string_view raw = bookLine(analysis, static_cast<std::int64_t>(i));
        ElementParts parts = elementParts(raw);
        if (parts.nameEnd > parts.nameFirst && elementName(raw, parts) == old)
            edits.push_back(edit(nameRange(analysis, static_cast<long>(i) + 1, parts), toUtf8(name)));
    }
    return Json{{"changes", {{std::string(uri), edits}}}};
}

Json codeActions(const Analysis& analysis, std::string_view uri, InFile file, std::int64_t firstLine,
                 std::int64_t lastLine) {
    Json actions = Json::array();
    for (const Finding& f : analysis.check.findings) {
        if (f.file != file || f.line - 1 < firstLine || f.line - 1 > lastLine) continue;
        for (const Fix& fix : fixesOf(analysis, f)) {
            Json change = edit(rangeOf(analysis, f.line, fix.firstColumn, fix.lastColumn), toUtf8(fix.text));
            actions.push_back(Json{{"title", toUtf8(fix.title)},
                                   {"kind", "quickfix"},
                                   {"diagnostics", Json::array({diagnosticOf(analysis, f)})},
                                   {"edit", {{"changes", {{std::string(uri), Json::array({change})}}}}}});
        }
    }
    return actions;
}
