#include "lsp/navigation.hpp"

#include "elements/categories.hpp"
#include "problems/lookups.hpp"
#include "text/utf8.hpp"

namespace {

std::string placementsText(const ProblemRecord& record) {
    std::string text;
    for (const Placement& p : record.placements) {
        if (p.present != 1) continue;
        if (!text.empty()) text += ", ";
        text += placementText(p).view();
    }
    return text.empty() ? "нет" : text;
}

const SourceEntry* sourceEntry(const Tables& tables, std::int32_t source) {
    for (const SourceEntry& e : tables.sources)
        if (e.used == 1 && e.source == source) return &e;
    return nullptr;
}

std::string sourceText(const Tables& tables, std::int32_t source) {
    std::string text = "Источник " + std::to_string(source);
    const SourceEntry* entry = sourceEntry(tables, source);
    if (entry == nullptr || entry->abbreviation.empty()) return text + ": метки нет";
    text += ": " + toUtf8(entry->abbreviation);
    if (!entry->fullName.empty()) text += " (" + toUtf8(entry->fullName) + ")";
    return text;
}

std::string bookNumberText(const ProblemRecord& record) {
    return record.bookNumber > 0 ? "**Задача № " + std::to_string(record.bookNumber) + "** книги"
                                 : "**Задача без номера в книге**";
}

// The live elements of the check's table that refer to the problem.
std::vector<const IndexElement*> referrers(const Tables& tables, ProblemRef problem) {
    std::vector<const IndexElement*> found;
    for (const IndexElement& e : tables.elements)
        if (e.line > 0 && refersTo(e, problem)) found.push_back(&e);
    return found;
}

Json markdown(std::string text, Json range) {
    return Json{{"contents", {{"kind", "markdown"}, {"value", std::move(text)}}}, {"range", std::move(range)}};
}

Json lineRange(const Analysis& analysis, long line) {
    std::int32_t width = static_cast<std::int32_t>(bookLine(analysis, line - 1).size());
    return rangeOf(analysis, line, 1, width);
}

Json location(std::string_view uri, Json range) {
    return Json{{"uri", std::string(uri)}, {"range", std::move(range)}};
}

Json tokenRange(const Analysis& analysis, long line, std::size_t first, std::size_t end) {
    return rangeOf(analysis, line, static_cast<std::int32_t>(first + 1), static_cast<std::int32_t>(end));
}

std::string referenceText(const ReferenceToken& token, std::int32_t source) {
    std::string text = std::to_string(source) + "/" + std::to_string(token.number);
    if (token.subnumber >= 0) text += "." + std::to_string(token.subnumber);
    return text;
}

Json hoverReference(const Analysis& analysis, const Spot& spot, const ReferenceToken& token) {
    const Tables& tables = analysis.check.tables;
    Json range = tokenRange(analysis, spot.line, token.first, token.end);
    if (token.number < 0) return markdown("Ссылка записана неверно: 1–4 цифры, за ними по желанию точка с 1–3 цифрами и «*»", range);
    std::int32_t source = spot.role.source;
    ProblemRef problem = resolve(tables, source, token);
    if (problem == nullptr) {
        std::vector<long> lines;
        std::int32_t subnumber = token.subnumber < 0 ? 0 : token.subnumber;
        for (const ProblemRecord& r : tables.problems)
            if (placementOf(&r, source, token.number, subnumber) != nullptr) lines.push_back(r.line);
        std::string why = lines.empty()
            ? "Ссылка не разрешается: ни у одной задачи нет размещения " + referenceText(token, source)
            : "Ссылка неоднозначна: размещение " + referenceText(token, source) + " есть у задач в строках";
        for (std::size_t i = 0; i < lines.size(); ++i) why += (i == 0 ? " " : ", ") + std::to_string(lines[i]);
        return markdown(why, range);
    }
    std::string text = bookNumberText(*problem) + " (строка " + std::to_string(problem->line) + ")\n\n";
    text += "Размещения: " + placementsText(*problem) + "\n\n" + sourceText(tables, source);
    if (token.starred) text += "\n\nСо звёздочкой";
    return markdown(text, range);
}

Json hoverProblem(const Analysis& analysis, const Spot& spot) {
    ProblemRef problem = problemOnLine(analysis.check.tables, spot.line);
    if (problem == nullptr) return nullptr;
    std::string text = bookNumberText(*problem) + "\n\nРазмещения: " + placementsText(*problem);
    if (problem->nsFlag == 1) text += "\n\nБез страницы решения (NS)";
    text += "\n\nСсылаются элементов: " + std::to_string(referrers(analysis.check.tables, problem).size());
    return markdown(text, lineRange(analysis, spot.line));
}

Json hoverElementName(const Analysis& analysis, const Spot& spot) {
    const Tables& tables = analysis.check.tables;
    ElementParts parts = elementParts(spot.raw);
    Json range = tokenRange(analysis, spot.line, parts.nameFirst, parts.nameEnd);
    const IndexElement* element = elementOnLine(tables, spot.line);
    if (element == nullptr) return markdown("Строка элемента не принята: см. её ошибку", range);
    std::string text = "**" + toUtf8(element->name) + "**\n\nПопадает в: ";
    std::vector<std::string_view> files = indexFilesOf(*element);
    for (std::size_t i = 0; i < files.size(); ++i) text += (i == 0 ? "" : ", ") + std::string(files[i]);
    if (files.empty()) text += "ни один указатель";
    std::string merged;
    std::size_t total = element->zz.size();
    for (const IndexElement& e : tables.elements) {
        if (&e == element || e.line <= 0 || e.name != element->name) continue;
        merged += "\n- строка " + std::to_string(e.line) + " (#/" + std::to_string(roleOf(analysis, e.line - 1).source) +
                  "), ссылок " + std::to_string(e.zz.size());
        total += e.zz.size();
    }
    text += merged.empty() ? "\n\nСливается: ни с чем" : "\n\nСливается с элементами:" + merged;
    text += "\n\nСсылок всего: " + std::to_string(total);
    return markdown(text, range);
}

}  // namespace

Spot spotAt(const Analysis& analysis, Position position) {
    BookPlace place = bookPlace(analysis, position);
    Spot spot;
    spot.line = static_cast<long>(place.line) + 1;
    spot.column = static_cast<std::size_t>(place.characters);
    spot.role = roleOf(analysis, place.line);
    spot.raw = bookLine(analysis, place.line);
    return spot;
}

std::optional<ReferenceToken> referenceAt(const Spot& spot) {
    if (spot.role.kind != LineKind::Element || spot.role.source < 0) return std::nullopt;
    for (const ReferenceToken& token : elementParts(spot.raw).references)
        if (spot.column >= token.first && spot.column <= token.end) return token;
    return std::nullopt;
}

bool onElementName(const Spot& spot) {
    if (spot.role.kind != LineKind::Element) return false;
    ElementParts parts = elementParts(spot.raw);
    return parts.nameEnd > parts.nameFirst && spot.column >= parts.nameFirst && spot.column <= parts.nameEnd;
}

std::vector<std::string_view> indexFilesOf(const IndexElement& element) {
    std::string_view name = element.name;
    std::vector<std::string_view> files;
    if (!isCategory(element)) {
        files.push_back("polnyj_indeksal.tex");
        if (isLanguageElement(element)) {
            files.push_back("indeksal_yazykov.tex");
            files.push_back("po_jazykam.tex");
        } else {
            files.push_back("po_terminam.tex");
        }
    } else if (name.starts_with(kPlacePrefix.view())) {
        files.push_back("po_olimpiadam.tex");
        files.push_back("tabl_po_nomeram.tex");
        files.push_back("tabl_po_olimpiadam.tex");
    } else if (name.starts_with(kConditionAuthorPrefix.view())) {
        files.push_back("po_avtoram_uslovij.tex");
        files.push_back("po_avtoram.tex");
        files.push_back("tabl_po_nomeram.tex");
    } else if (name.starts_with(kSolutionAuthorPrefix.view())) {
        files.push_back("po_avtoram_reshenij.tex");
        files.push_back("po_avtoram.tex");
        files.push_back("tabl_po_nomeram.tex");
    } else if (name.starts_with(kRussianPrefix.view())) {
        files.push_back("po_russkomu_jazyku.tex");
    }
    if (!isRussianLanguageElement(element)) files.push_back("po_zadacham.tex");
    return files;
}

Json hover(const Analysis& analysis, Position position) {
    Spot spot = spotAt(analysis, position);
    if (std::optional<ReferenceToken> token = referenceAt(spot)) return hoverReference(analysis, spot, *token);
    if (spot.role.kind == LineKind::Problem) return hoverProblem(analysis, spot);
    if (onElementName(spot)) return hoverElementName(analysis, spot);
    return nullptr;
}

Json definition(const Analysis& analysis, std::string_view uri, Position position) {
    Spot spot = spotAt(analysis, position);
    if (std::optional<ReferenceToken> token = referenceAt(spot)) {
        ProblemRef problem = resolve(analysis.check.tables, spot.role.source, *token);
        if (problem == nullptr) return nullptr;
        return location(uri, lineRange(analysis, problem->line));
    }
    if (spot.role.kind != LineKind::ElementMarker) return nullptr;
    // A later label of the same source replaces an earlier one: the last counts.
    for (std::size_t i = analysis.roles.size(); i-- > 0;) {
        const LineRole& role = analysis.roles[i];
        if (role.kind == LineKind::SourceLabel && role.source == spot.role.source)
            return location(uri, lineRange(analysis, static_cast<long>(i) + 1));
    }
    return nullptr;
}

Json references(const Analysis& analysis, std::string_view uri, Position position, bool withDeclaration) {
    Spot spot = spotAt(analysis, position);
    const Tables& tables = analysis.check.tables;
    ProblemRef problem = nullptr;
    if (spot.role.kind == LineKind::Problem) problem = problemOnLine(tables, spot.line);
    else if (std::optional<ReferenceToken> token = referenceAt(spot)) problem = resolve(tables, spot.role.source, *token);
    if (problem == nullptr) return nullptr;
    Json found = Json::array();
    if (withDeclaration) found.push_back(location(uri, lineRange(analysis, problem->line)));
    for (const IndexElement* e : referrers(tables, problem)) {
        std::string_view raw = bookLine(analysis, e->line - 1);
        std::int32_t source = roleOf(analysis, e->line - 1).source;
        for (const ReferenceToken& token : elementParts(raw).references)
            if (resolve(tables, source, token) == problem)
                found.push_back(location(uri, tokenRange(analysis, e->line, token.first, token.end)));
    }
    return found;
}

Json documentSymbols(const Analysis& analysis) {
    constexpr int kModule = 2;
    constexpr int kNamespace = 3;
    Json symbols = Json::array();
    const std::size_t count = analysis.roles.size();
    for (std::size_t i = 0; i < count; ++i) {
        const LineRole& role = analysis.roles[i];
        if (role.kind != LineKind::ProblemMarker && role.kind != LineKind::ElementMarker) continue;
        std::size_t last = i;
        while (last + 1 < count && analysis.roles[last + 1].kind != LineKind::ProblemMarker &&
               analysis.roles[last + 1].kind != LineKind::ElementMarker)
            ++last;
        std::string name;
        std::string detail;
        if (role.kind == LineKind::ProblemMarker) {
            name = "#! задачи";
        } else {
            name = role.source < 0 ? "#/- без номеров" : "#/" + std::to_string(role.source);
            if (const SourceEntry* e = sourceEntry(analysis.check.tables, role.source)) {
                if (!e->abbreviation.empty()) name += " " + toUtf8(e->abbreviation);
                detail = toUtf8(e->fullName);
            }
        }
        long first = static_cast<long>(i) + 1;
        Json full = lineRange(analysis, first);
        full["end"] = lineRange(analysis, static_cast<long>(last) + 1)["end"];
        symbols.push_back(Json{{"name", name},
                               {"detail", detail},
                               {"kind", role.kind == LineKind::ProblemMarker ? kModule : kNamespace},
                               {"range", full},
                               {"selectionRange", lineRange(analysis, first)}});
    }
    return symbols;
}
