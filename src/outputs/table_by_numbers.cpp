#include "outputs/table_by_numbers.hpp"

#include <algorithm>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "elements/categories.hpp"
#include "latex/references.hpp"
#include "outputs/book_references.hpp"
#include "problems/lookups.hpp"
#include "text/cp1251.hpp"
#include "text/numbers.hpp"

namespace {

// The names of the referring elements that have the prefix, the prefix cut
// off, in table order.
template <class Visit>
void forEachTail(const BookNumberListing& listing, std::string_view prefix, Visit visit) {
    for (const Referring& r : listing.elements) {
        std::string_view name = r.element->name;
        if (name.starts_with(prefix)) visit(name.substr(prefix.size()), name);
    }
}

// The duplicates of the elements that have the prefix: the row looks only
// them up, the places first, then the two kinds of authors.
void addDuplicates(const BookNumberListing& listing, std::string_view prefix, std::vector<DuplicateLookup>& duplicates) {
    for (const DuplicateLookup& duplicate : listing.duplicates)
        if (duplicate.element.starts_with(prefix)) duplicates.push_back(duplicate);
}

void writePlaces(const BookNumberListing& listing, Sink& out) {
    int count = 0;
    forEachTail(listing, kPlacePrefix, [&](std::string_view tail, std::string_view name) {
        // Names ending in "$" are kept out of this column on purpose.
        if (name.ends_with('$')) return;
        if (count > 0) out += "; ";
        // One-digit olympiads get a filler so that they line up with two-digit ones.
        // Only the olympiad's number is needed, not the whole designation.
        bool oneDigit = leadingNumber(tail) < 10;
        out += oneDigit ? "\\mbox{\\phantom{0}" : "\\mbox{";
        out += tail;
        out += '}';
        ++count;
    });
}

// The authors of a kind, emptied first.
void collectAuthors(const BookNumberListing& listing, std::string_view prefix, std::vector<std::string_view>& names) {
    names.clear();
    forEachTail(listing, prefix, [&names](std::string_view tail, std::string_view) { names.push_back(tail); });
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
void writeAuthors(TableByNumbers& table, const BookNumberListing& listing, Sink& out) {
    std::vector<std::string_view>& statement = table.statementAuthors;
    std::vector<std::string_view>& solution = table.solutionAuthors;
    collectAuthors(listing, kConditionAuthorPrefix, statement);
    collectAuthors(listing, kSolutionAuthorPrefix, solution);
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
void writeRow(TableByNumbers& table, const BookNumberListing& listing, Sink& out) {
    const Decimal number(listing.number);
    out += number.view();
    out += " & ";
    writePlaces(listing, out);
    out += "\\raggedright &  \\raggedright ";
    writeAuthors(table, listing, out);
    out += " & \\pageref{";
    out += kStatementTarget;
    out += number.view();
    out += "p} & ";
    if (listing.problem->nsFlag == 0) {
        out += "\\pageref{";
        out += kSolutionTarget;
        out += number.view();
        out += "p}";
    }
    out += " & \\raggedright ";
    writePublications(table.abbreviated, *listing.problem, out);
    out += " & \\\\\n\\hline\n";
}

}  // namespace

TableByNumbers startTableByNumbers(const Tables& tables, Sink& out) {
    out += "\n\n\\noindent\n";
    out += "\\begin{longtable}[l]{|r|p{3.5cm}|p{7.4cm}|@{}r@{\\,}|@{}r@{\\,}|p{3.8cm}|@{}l@{}}\n";
    out += "\\hline\n";
    out += cp1251("\\номер & Место на олимпиаде & Авторы (условие/решение) & Усл. & Реш. & Прежние публикации\\\\\n");
    out += "\\hline\n";
    return {abbreviatedSources(tables.sources), {}, {}, {}};
}

void writeTableRow(TableByNumbers& table, const BookNumberListing& listing, Sink& out) {
    // A number that no problem or several problems carry gets no row.
    if (listing.problem == nullptr) return;
    writeRow(table, listing, out);
    for (std::string_view prefix : {kPlacePrefix.view(), kConditionAuthorPrefix.view(), kSolutionAuthorPrefix.view()})
        addDuplicates(listing, prefix, table.duplicates);
}

std::vector<DuplicateLookup> finishTableByNumbers(TableByNumbers& table, const Tables& tables, Sink& out) {
    out += "\\end{longtable}\n\n\n";
    out += "\n\n\\label{rashifrovka_oboznachenij}\n\n";
    for (const SourceEntry& entry : tables.sources)
        if (entry.used == 1) format(out, "\n\n[%s] %s", entry.abbreviation, entry.fullName);
    return std::move(table.duplicates);
}

std::vector<DuplicateLookup> writeTableByNumbers(const Tables& tables, std::int32_t maxBookNumber, Sink& out) {
    TableByNumbers table = startTableByNumbers(tables, out);
    listElementsByBookNumber(tables, maxBookNumber,
                             [&](const BookNumberListing& listing) { writeTableRow(table, listing, out); });
    return finishTableByNumbers(table, tables, out);
}
