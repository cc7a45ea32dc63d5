#include "outputs/table_by_numbers.hpp"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "elements/categories.hpp"
#include "latex/references.hpp"
#include "outputs/book_references.hpp"
#include "elements/place_designation.hpp"
#include "problems/lookups.hpp"
#include "text/cp1251.hpp"
#include "text/numbers.hpp"

namespace {

// The first used source entry of each source number that has an
// abbreviation, by number: every placement of every row looks its source up.
struct Abbreviated {
    std::int32_t source = 0;
    const SourceEntry* entry = nullptr;
};

// One row's view of the tables: the problem's book number and the elements
// that refer to a problem placed under it.
struct Row {
    const Tables& tables;
    std::int32_t n;
    std::span<const BookReference> referring;
    std::span<const Abbreviated> abbreviated;
    std::vector<DuplicateLookup>& duplicates;  // the lookups' duplicates, in their order
};

// The element's name after `prefix`, when its name has that prefix and its
// references hold the problem with the row's book number.
std::optional<std::string_view> tailIfRefers(const Row& row, const BookReference& r, std::string_view prefix) {
    std::string_view name = r.element->name;
    if (!name.starts_with(prefix)) return std::nullopt;
    if (findProblemAmongRefs(0, row.n, name, r.refs, 0, row.duplicates) == nullptr) return std::nullopt;
    return name.substr(prefix.size());
}

void writePlaces(const Row& row, Sink& out) {
    int count = 0;
    for (const BookReference& r : row.referring) {
        auto tail = tailIfRefers(row, r, kPlacePrefix);
        // Names ending in "$" are kept out of this column on purpose.
        if (!tail || r.element->name.ends_with('$')) continue;
        if (count > 0) out += "; ";
        // One-digit olympiads get a filler so that they line up with two-digit ones.
        bool oneDigit = parsePlaceDesignation(*tail).olympiad < 10;
        out += oneDigit ? "\\mbox{\\phantom{0}" : "\\mbox{";
        out += *tail;
        out += '}';
        ++count;
    }
}

std::vector<std::string_view> authors(const Row& row, std::string_view prefix) {
    std::vector<std::string_view> names;
    for (const BookReference& r : row.referring)
        if (auto tail = tailIfRefers(row, r, prefix)) names.push_back(*tail);
    return names;
}

void writeAuthorList(const std::vector<std::string_view>& names, Sink& out) {
    if (names.empty()) out += "---";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) out += ", ";
        out += "\\mbox{";
        out += names[i];
        out += '}';
    }
}

// Statement authors "~/ " solution authors; named only once when the same one
// or two people wrote both. Names are compared whole, whatever their length.
void writeAuthors(const Row& row, Sink& out) {
    std::vector<std::string_view> statement = authors(row, kConditionAuthorPrefix);
    std::vector<std::string_view> solution = authors(row, kSolutionAuthorPrefix);
    if (statement.size() == solution.size() && statement.size() <= 2 && statement == solution) {
        if (statement.empty()) out += "---";
        else writeAuthorList(statement, out);
        return;
    }
    writeAuthorList(statement, out);
    out += "~/ ";
    writeAuthorList(solution, out);
}

// Those entries, by source number.
std::vector<Abbreviated> abbreviatedSources(const SourceTable& sources) {
    std::vector<Abbreviated> list;
    for (const SourceEntry& entry : sources)
        if (entry.used == 1 && !entry.abbreviation.empty()) list.push_back({entry.source, &entry});
    auto bySource = [](const Abbreviated& a, const Abbreviated& b) { return a.source < b.source; };
    std::stable_sort(list.begin(), list.end(), bySource);
    list.erase(std::unique(list.begin(), list.end(),
                           [](const Abbreviated& a, const Abbreviated& b) { return a.source == b.source; }),
               list.end());
    return list;
}

// The entry of that source number; none when it has none.
const SourceEntry* abbreviatedSource(std::span<const Abbreviated> list, std::int32_t source) {
    auto it = std::lower_bound(list.begin(), list.end(), source,
                               [](const Abbreviated& a, std::int32_t wanted) { return a.source < wanted; });
    return it != list.end() && it->source == source ? it->entry : nullptr;
}

void writePublications(std::span<const Abbreviated> abbreviated, const ProblemRecord& problem, Sink& out) {
    int count = 0;
    for (const Placement& placement : problem.placements) {
        if (placement.present != 1) continue;
        const SourceEntry* entry = abbreviatedSource(abbreviated, placement.source);
        if (entry == nullptr) continue;
        if (count > 0) out += "; ";
        out += "\\mbox{";
        out += entry->abbreviation;
        out += "--";
        appendDecimal(out, placement.number);
        if (placement.subnumber >= 0) {
            out += '.';
            appendDecimal(out, placement.subnumber);
        }
        out += '}';
        ++count;
    }
}

// A row for every problem of the book: put together from pieces, the number
// spelled once for its three places.
void writeRow(const Row& row, const ProblemRecord& problem, Sink& out) {
    const Decimal number(row.n);
    out += number.view();
    out += " & ";
    writePlaces(row, out);
    out += "\\raggedright &  \\raggedright ";
    writeAuthors(row, out);
    out += " & \\pageref{";
    out += kStatementTarget;
    out += number.view();
    out += "p} & ";
    if (problem.nsFlag == 0) {
        out += "\\pageref{";
        out += kSolutionTarget;
        out += number.view();
        out += "p}";
    }
    out += " & \\raggedright ";
    writePublications(row.abbreviated, problem, out);
    out += " & \\\\\n\\hline\n";
}

}  // namespace

std::vector<DuplicateLookup> writeTableByNumbers(const Tables& tables, std::int32_t maxBookNumber, Sink& out) {
    std::vector<DuplicateLookup> duplicates;
    out += "\n\n\\noindent\n";
    out += "\\begin{longtable}[l]{|r|p{3.5cm}|p{7.4cm}|@{}r@{\\,}|@{}r@{\\,}|p{3.8cm}|@{}l@{}}\n";
    out += "\\hline\n";
    out += cp1251("\\номер & Место на олимпиаде & Авторы (условие/решение) & Усл. & Реш. & Прежние публикации\\\\\n");
    out += "\\hline\n";
    const std::vector<Abbreviated> abbreviated = abbreviatedSources(tables.sources);
    BookReferences walk(tables.elements, tables.problems, maxBookNumber);
    for (std::int32_t n = 1; n <= maxBookNumber; ++n) {
        std::span<const BookReference> referring = walk.next();
        // A number that no problem or several problems carry gets no row.
        ProblemRef problem = findProblem(tables.problems, 0, n, 0);
        if (problem != nullptr) writeRow(Row{tables, n, referring, abbreviated, duplicates}, *problem, out);
    }
    out += "\\end{longtable}\n\n\n";
    out += "\n\n\\label{rashifrovka_oboznachenij}\n\n";
    for (const SourceEntry& entry : tables.sources)
        if (entry.used == 1) format(out, "\n\n[%s] %s", entry.abbreviation, entry.fullName);
    return duplicates;
}
