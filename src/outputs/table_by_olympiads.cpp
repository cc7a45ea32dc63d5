#include "outputs/table_by_olympiads.hpp"

#include <string>
#include <string_view>
#include <vector>

#include "elements/categories.hpp"
#include "latex/references.hpp"
#include "outputs/book_references.hpp"
#include "elements/place_designation.hpp"
#include "text/cp1251.hpp"

namespace {

struct Cell {
    std::int32_t olympiad;
    std::string_view row;  // the row letter
    std::int32_t round;
    std::int32_t slot;
};

bool belongs(const PlaceDesignation& place, const Cell& cell) {
    return place.wellFormed && place.olympiad == cell.olympiad && place.round == cell.round &&
           place.slot == cell.slot && place.group.find(cell.row) != std::string_view::npos;
}

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

std::vector<Place> placesOf(const ElementTable& elements) {
    std::vector<Place> places;
    for (const IndexElement& element : elements) {
        std::string_view name = element.name;
        if (isLive(element) && name.starts_with(kPlacePrefix.view()))
            places.push_back({&element, parsePlaceDesignation(name.substr(kPlacePrefix.size))});
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

// "---" stands for an element of a section without numbers; "===" for a slot
// that elements name but none of them links a problem of the book.
void writeCell(const Tables& tables, const std::vector<Place>& places, const Cell& cell, std::int32_t maxBookNumber,
               Sink& out) {
    int items = 0;
    bool matched = false;
    bool dashed = false;
    for (const Place& place : places) {
        if (!belongs(place.designation, cell)) continue;
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

void writeRowCells(const Tables& tables, const std::vector<Place>& places, std::int32_t olympiad, std::string_view row,
                   std::int32_t maxBookNumber, Sink& out) {
    for (std::int32_t round = 1; round <= kLastRound; ++round) {
        for (std::int32_t slot = 0; slot <= kLastSlot; ++slot) {
            out += ' ';
            writeCell(tables, places, {olympiad, row, round, slot}, maxBookNumber, out);
            out += " &";
        }
    }
    out += "\\\\\n";
}

}  // namespace

void writeTableByOlympiads(const Tables& tables, std::int32_t maxBookNumber, Sink& out) {
    out += "\n";
    out += "\\begin{longtable}{|c|c|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|"
           "p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|p{\\pwidth}|@{}c@{}}\n";
    out += " \\hline\n";
    out += cp1251("Олим- &  & \\multicolumn{8}{c|}{Номера задач} & \\multicolumn{8}{c|}{Номера задач} &\\\\\n");
    out += cp1251("пиада & Н/В & \\multicolumn{8}{c|}{первого тура} & \\multicolumn{8}{c|}{второго тура} &\\\\\n");
    out += " \\cline{3-19}\n";
    out += cp1251("(год) &  & 0 & 1 & 2 & 3 & 4 & 5 & 6 & 7 & 0 & 1 & 2 & 3 & 4 & 5 & 6 & 7 &\\\\\n");
    out += " \\hline\n \\hline\n";
    std::vector<Place> places = placesOf(tables.elements);
    for (std::int32_t olympiad = 1; olympiad <= kLastOlympiad; ++olympiad) {
        out += " \\hline\n";
        format(out, "    %2d & %s &", olympiad, kFirstRow);
        writeRowCells(tables, places, olympiad, kFirstRow, maxBookNumber, out);
        out += " \\cline{2-19}\n";
        format(out, "(%d) & %s &", olympiadYears[olympiad - 1], kSecondRow);
        writeRowCells(tables, places, olympiad, kSecondRow, maxBookNumber, out);
        out += " \\hline\n";
    }
    out += "\\end{longtable}\n\n\n";
}
