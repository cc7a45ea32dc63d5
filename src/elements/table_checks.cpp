#include "elements/table_checks.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <utility>

#include "elements/categories.hpp"
#include "problems/lookups.hpp"
#include "text/cp1251.hpp"
#include "text/numbers.hpp"

namespace {

std::string_view rawLine(const RawLines& lines, long line) {
    return line >= 1 && static_cast<std::size_t>(line) <= lines.size() ? lines[static_cast<std::size_t>(line) - 1]
                                                                      : std::string_view();
}

// Where the first placement of `source` stands in the problem line.
Location placementIn(std::string_view raw, long line, std::int32_t source) {
    std::string text = cleanedLine(raw);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find(' ', start), text.size());
        std::string_view token = std::string_view(text).substr(start, end - start);
        if (parseDigits(token.substr(0, token.find('/'))) == source) return spanOf({text, raw, line}, start, end);
        start = end + 1;
    }
    return wholeLine(InFile::Source, line, raw);
}

bool hasLabel(const SourceTable& sources, std::int32_t source) {
    return std::any_of(sources.begin(), sources.end(), [&](const SourceEntry& e) {
        return e.used == 1 && e.source == source && !e.abbreviation.empty();
    });
}

}  // namespace

void checkProblems(const ProblemTable& problems, const SourceTable& sources, const RawLines& lines,
                   Findings* findings) {
    if (findings == nullptr) return;
    std::map<std::int32_t, long> firstWithNumber;
    std::set<std::int32_t> unlabelled;
    for (const ProblemRecord& problem : problems) {
        const long line = problem.line;
        if (problem.defined != 1 || line == 0) continue;
        Bytes why;
        std::int32_t number = numberInSource(&problem, 0);
        if (number <= 0) {
            why = cp1251("у задачи нет одного номера в книге (размещения 0/НОМЕР): её номер не попадёт в указатели "
                         "и таблицы").view();
        } else if (auto [first, fresh] = firstWithNumber.emplace(number, line); !fresh) {
            format(why, cp1251("номер %d в книге уже есть у задачи в строке %ld: ссылка %d в источнике 0 не найдёт "
                               "ни одну из двух, и строка элемента с ней будет отвергнута"),
                   number, first->second, number);
        }
        // Two problems under one number print under it both, and a reference
        // to it rejects its whole element line: an error of the later line.
        if (!why.empty() && number <= 0)
            addFinding(findings, wholeLine(InFile::Source, line, rawLine(lines, line)), Severity::Warning,
                       "no-book-number", std::move(why));
        else if (!why.empty())
            addFinding(findings, placementIn(rawLine(lines, line), line, 0), Severity::Error, "duplicate-book-number",
                       std::move(why));
        for (const Placement& p : problem.placements) {
            if (p.present != 1 || p.source == 0 || hasLabel(sources, p.source) || !unlabelled.insert(p.source).second)
                continue;
            Bytes missing;
            format(missing, cp1251("у источника %d нет метки («! …»): его размещения не попадут в таблицу по номерам"),
                   p.source);
            addFinding(findings, placementIn(rawLine(lines, line), line, p.source), Severity::Warning,
                       "source-without-label", std::move(missing));
        }
    }
}

void checkLanguagesNamed(const ElementTable& elements, const std::vector<BlockLanguage>& languages,
                         const RawLines& lines, Findings* findings) {
    if (findings == nullptr) return;
    // A language is named when the element's name is one of the template's
    // languages and a blank followed by more: each blank of the name is looked
    // up among them, sorted once, rather than every language tried on every name.
    std::vector<std::string_view> sorted;
    for (const BlockLanguage& language : languages) sorted.push_back(language.name);
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::string_view> languageNames;  // of the language elements, sorted below
    for (const IndexElement& element : elements) {
        if (!isLive(element) || element.line == 0 || isCategory(element) || !isLanguageElement(element)) continue;
        std::string_view name = element.name;
        languageNames.push_back(name);
        bool named = false;
        for (std::size_t blank = name.find(' '); blank != std::string_view::npos && !named;
             blank = name.find(' ', blank + 1))
            named = std::binary_search(sorted.begin(), sorted.end(), name.substr(0, blank));
        if (named) continue;
        Bytes why;
        format(why, cp1251("язык «%s» не назван ни в одном блоке шаблона: его номера не попадут в указатель языков "
                           "(название элемента должно начинаться с названия языка в блоке и пробела)"),
               element.name);
        // The name is the start of the line, its spaces folded.
        std::string_view raw = rawLine(lines, element.line);
        addFinding(findings, spanOf({element.name, raw, element.line}, 0, element.name.size()), Severity::Warning,
                   "language-not-in-template", std::move(why));
    }
    // The template's side: the names that begin with a language and a blank
    // follow it at once among the sorted names.
    std::sort(languageNames.begin(), languageNames.end());
    std::string wanted;
    for (const BlockLanguage& language : languages) {
        wanted.assign(language.name);
        wanted += ' ';
        auto at = std::lower_bound(languageNames.begin(), languageNames.end(), std::string_view(wanted));
        if (at != languageNames.end() && at->starts_with(wanted)) continue;
        Bytes why;
        format(why, cp1251("блок языка «%s» останется без номеров: ни одно название элемента-языка не начинается "
                           "с «%s» и пробела"),
               language.name, language.name);
        addFinding(findings, language.at, Severity::Warning, "block-without-element", std::move(why));
    }
}
