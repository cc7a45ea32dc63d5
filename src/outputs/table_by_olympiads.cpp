#include "outputs/table_by_olympiads.hpp"

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "elements/categories.hpp"
#include "latex/references.hpp"
#include "outputs/book_references.hpp"
#include "elements/place_designation.hpp"
#include "text/cp1251.hpp"

namespace {

// Pads the shown book number to three digits; the link target keeps it plain.
std::string_view filler(std::int32_t number) {
    if (number <= 9) return "\\phantom{00}";
    if (number <= 99) return "\\phantom{0}";
    return "";
}

// A live place element with its designation read once for the whole table.
struct Place {
    const IndexElement* element;
    PlaceDesignation designation;
};

// The places of each slot of the table (olympiad, round, slot), in element
// table order; a place outside the shape is in none.
using Slot = std::tuple<std::int32_t, std::int32_t, std::int32_t>;
using PlacesBySlot = std::map<Slot, std::vector<Place>>;

PlacesBySlot placesOf(const ElementTable& elements, const TableShape& shape) {
    PlacesBySlot places;
    for (const IndexElement& element : elements) {
        std::string_view name = element.name;
        if (!isLive(element) || !name.starts_with(kPlacePrefix.view())) continue;
        PlaceDesignation designation = parsePlaceDesignation(name.substr(kPlacePrefix.size));
        if (!designation.wellFormed || designation.olympiad < 1 || designation.olympiad > shape.olympiads() ||
            designation.round < 1 || designation.round > shape.rounds() || designation.slot < 0 ||
            designation.slot >= shape.slots)
            continue;
        places[{designation.olympiad, designation.round, designation.slot}].push_back({&element, designation});
    }
    return places;
}

// Links to the book's problems the element refers to, in book-number order;
// returns how many were written.
int writeLinks(const Tables& tables, const IndexElement& element, std::string_view suffix,
               std::int32_t maxBookNumber, Sink& out) {
    int links = 0;
    // Only the numbers under which the element's own problems stand can lead to them.
    for (std::int32_t b : bookNumbersOf(element.zz, maxBookNumber)) {
        ProblemRef problem = findProblem(tables.problems, 0, b, 0);
        if (problem == nullptr || problem->defined != 1 || !refersTo(element, problem)) continue;
        for (const Placement& placement : problem->placements) {
            if (placement.present != 1 || placement.source != 0) continue;
            if (++links > 1) out += "; ";
            std::string number = std::to_string(placement.number);
            writeProblemLink(Page::Statement, number, std::string(filler(placement.number)) + number, out);
            if (placement.subnumber >= 0) format(out, ".%d", placement.subnumber);
            format(out, "%s", suffix);
        }
    }
    return links;
}

// The cell of one row of a slot: the places whose group holds the row's
// letter. "---" stands for an element of a section without numbers; "==="
// for a slot that elements name but none of them links a problem of the book.
void writeCell(const Tables& tables, const std::vector<Place>& places, std::string_view row,
               std::int32_t maxBookNumber, Sink& out) {
    int items = 0;
    bool matched = false;
    bool dashed = false;
    for (const Place& place : places) {
        if (place.designation.group.find(row) == std::string_view::npos) continue;
        matched = true;
        if (place.element->noNumber == 1) {
            dashed = true;
            out += "---";
            continue;
        }
        if (items > 0) out += "\\newline ";
        if (writeLinks(tables, *place.element, place.designation.suffix, maxBookNumber, out) > 0) ++items;
    }
    if (items == 0 && matched && !dashed) out += "===";
}

void writeRowCells(const Tables& tables, const TableShape& shape, const PlacesBySlot& places, std::int32_t olympiad,
                   std::string_view row, std::int32_t maxBookNumber, Sink& out) {
    static const std::vector<Place> kNone;
    for (std::int32_t round = 1; round <= shape.rounds(); ++round) {
        for (std::int32_t slot = 0; slot < shape.slots; ++slot) {
            out += ' ';
            auto found = places.find({olympiad, round, slot});
            writeCell(tables, found == places.end() ? kNone : found->second, row, maxBookNumber, out);
            out += " &";
        }
    }
    out += "\\\\\n";
}

// Two centred columns, one of width \pwidth for each slot of each round, and
// an empty last one without column separation; then the header: a group of
// columns for each round, the row letters, and the slot numbers.
void writeHead(const TableShape& shape, Sink& out) {
    out += "\n\\begin{longtable}{|c|c|";
    for (std::int32_t column = 0; column < shape.rounds() * shape.slots; ++column) out += "p{\\pwidth}|";
    out += "@{}c@{}}\n";
    out += " \\hline\n";
    out += cp1251("Олим- &  &").view();
    for (std::int32_t round = 0; round < shape.rounds(); ++round) {
        if (round > 0) out += " &";
        format(out, cp1251(" \\multicolumn{%d}{c|}{Номера задач}"), shape.slots);
    }
    out += " &\\\\\n";
    out += cp1251("пиада & ").view();
    for (std::size_t row = 0; row < shape.rows.size(); ++row) {
        if (row > 0) out += "/";
        out += shape.rows[row];
    }
    out += " &";
    for (std::size_t round = 0; round < shape.roundNames.size(); ++round) {
        if (round > 0) out += " &";
        format(out, " \\multicolumn{%d}{c|}{%s}", shape.slots, shape.roundNames[round]);
    }
    out += " &\\\\\n";
    format(out, " \\cline{3-%d}\n", shape.columns());
    out += cp1251("(год) & ").view();
    for (std::int32_t round = 0; round < shape.rounds(); ++round)
        for (std::int32_t slot = 0; slot < shape.slots; ++slot) format(out, " & %d", slot);
    out += " &\\\\\n";
    out += " \\hline\n \\hline\n";
}

}  // namespace

// A block has a row for each row letter. The first row shows the olympiad's
// number, the second its year, any further ones nothing; a block of a single
// row shows the number above the year in one cell.
void writeTableByOlympiads(const Tables& tables, const TableShape& shape, std::int32_t maxBookNumber, Sink& out) {
    writeHead(shape, out);
    PlacesBySlot places = placesOf(tables.elements, shape);
    for (std::int32_t olympiad = 1; olympiad <= shape.olympiads(); ++olympiad) {
        const Bytes& year = shape.years[static_cast<std::size_t>(olympiad - 1)];
        out += " \\hline\n";
        for (std::size_t row = 0; row < shape.rows.size(); ++row) {
            if (row > 0) format(out, " \\cline{2-%d}\n", shape.columns());
            if (shape.rows.size() == 1)
                format(out, "\\begin{tabular}[t]{@{}c@{}}%d\\\\(%s)\\end{tabular} &", olympiad, year);
            else if (row == 0)
                format(out, "    %2d &", olympiad);
            else if (row == 1)
                format(out, "(%s) &", year);
            else
                out += " &";
            format(out, " %s &", shape.rows[row]);
            writeRowCells(tables, shape, places, olympiad, shape.rows[row], maxBookNumber, out);
        }
        out += " \\hline\n";
    }
    out += "\\end{longtable}\n\n\n";
}
