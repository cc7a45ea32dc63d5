#include "elements/table_checks.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <utility>

#include "elements/categories.hpp"
#include "problems/lookups.hpp"
#include "text/cp1251.hpp"

namespace {

bool hasLabel(const SourceTable& sources, std::int32_t source) {
    return std::any_of(sources.begin(), sources.end(), [&](const SourceEntry& e) {
        return e.used == 1 && e.source == source && !e.abbreviation.empty();
    });
}

}  // namespace

void checkProblems(const ProblemTable& problems, const SourceLines& problemLines, const SourceTable& sources,
                   Findings* findings) {
    if (findings == nullptr) return;
    std::map<std::int32_t, long> firstWithNumber;
    std::set<std::int32_t> unlabelled;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const ProblemRecord& problem = problems[i];
        long line = i < problemLines.size() ? problemLines[i] : 0;
        if (problem.defined != 1 || line == 0) continue;
        Bytes why;
        std::int32_t number = numberInSource(&problem, 0);
        if (number <= 0) {
            why = cp1251("у задачи нет одного номера в книге (размещения 0/НОМЕР): её номер не попадёт в указатели "
                         "и таблицы").view();
        } else if (auto [first, fresh] = firstWithNumber.emplace(number, line); !fresh) {
            format(why, cp1251("номер %d в книге есть и у задачи в строке %ld: ни одна из двух не получит ссылок"),
                   number, first->second);
        }
        if (!why.empty())
            addFinding(findings, {InFile::Source, line}, Severity::Warning,
                       number <= 0 ? "no-book-number" : "duplicate-book-number", std::move(why));
        for (const Placement& p : problem.placements) {
            if (p.present != 1 || p.source == 0 || hasLabel(sources, p.source) || !unlabelled.insert(p.source).second)
                continue;
            Bytes missing;
            format(missing, cp1251("у источника %d нет метки («! …»): его размещения не попадут в таблицу по номерам"),
                   p.source);
            addFinding(findings, {InFile::Source, line}, Severity::Warning, "source-without-label", std::move(missing));
        }
    }
}

void checkLanguagesNamed(const ElementTable& elements, const SourceLines& elementLines,
                         const std::vector<std::string>& languages, Findings* findings) {
    if (findings == nullptr) return;
    // A language is named when the element's name is one of the template's
    // languages and a blank followed by more: each blank of the name is looked
    // up among them, sorted once, rather than every language tried on every name.
    std::vector<std::string_view> sorted(languages.begin(), languages.end());
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const IndexElement& element = elements[i];
        if (i >= elementLines.size() || elementLines[i] == 0 || isCategory(element) || !isLanguageElement(element))
            continue;
        std::string_view name = element.name;
        bool named = false;
        for (std::size_t blank = name.find(' '); blank != std::string_view::npos && !named;
             blank = name.find(' ', blank + 1))
            named = std::binary_search(sorted.begin(), sorted.end(), name.substr(0, blank));
        if (named) continue;
        Bytes why;
        format(why, cp1251("язык «%s» не назван ни в одном блоке шаблона: его номера не попадут в указатель языков"),
               element.name);
        addFinding(findings, {InFile::Source, elementLines[i]}, Severity::Warning, "language-not-in-template",
                   std::move(why));
    }
}
