#include "elements/element_checks.hpp"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>
#include <utility>

#include "elements/categories.hpp"
#include "elements/place_designation.hpp"
#include "problems/lookups.hpp"
#include "text/cp1251.hpp"
#include "text/line_input.hpp"

namespace {

// Why the table by olympiads has no cell for the place; empty when it has one.
Bytes missingCell(const PlaceDesignation& place, const TableShape& shape) {
    Bytes why;
    if (!place.wellFormed) {
        why = cp1251("нужно ровно три «-»: ОЛИМПИАДА-ТУР-ГРУППА-МЕСТО").view();
    } else if (place.olympiad < 1 || place.olympiad > shape.olympiads()) {
        format(why, cp1251("номер олимпиады вне 1–%d"), shape.olympiads());
    } else if (place.round < 1 || place.round > shape.rounds()) {
        format(why, cp1251("тур вне 1–%d"), shape.rounds());
    } else if (place.slot < 0 || place.slot >= shape.slots) {
        format(why, cp1251("место вне 0–%d"), shape.slots - 1);
    } else if (std::none_of(shape.rows.begin(), shape.rows.end(), [&](const Bytes& row) {
                   return place.group.find(row) != std::string_view::npos;
               })) {
        // "в группе нет букв «Н» или «В»", "в группе нет буквы «Н»", "в группе нет букв «А», «Б» или «В»"
        why = shape.rows.size() == 1 ? cp1251("в группе нет буквы ").view() : cp1251("в группе нет букв ").view();
        for (std::size_t i = 0; i < shape.rows.size(); ++i) {
            if (i > 0) why += i + 1 == shape.rows.size() ? cp1251(" или ").view() : std::string_view(", ");
            format(why, cp1251("«%s»"), shape.rows[i]);
        }
    }
    return why;
}

bool hasCategoryPrefix(std::string_view name) {
    for (std::string_view prefix : {kPlacePrefix.view(), kConditionAuthorPrefix.view(), kSolutionAuthorPrefix.view(),
                                    kRussianPrefix.view()})
        if (name.starts_with(prefix)) return true;
    return false;
}

void warn(Findings* findings, const SourceLine& line, std::size_t first, std::size_t end, std::string_view code,
          Bytes why) {
    addFinding(findings, line, Severity::Warning, {first, end, code, std::move(why)});
}

}  // namespace

void checkElementLine(const IndexElement& element, const SourceLine& line, const TableShape& shape,
                      Findings* findings) {
    if (findings == nullptr) return;
    // The name is the line's start, its spaces folded already.
    std::string_view name = element.name;
    Bytes why;
    if (isCategory(element) && !hasCategoryPrefix(name)) {
        format(why, cp1251("название «%s» начинается с «=», но не с «=источник задачи: », «=автор условия », "
                           "«=автор решения » или «=РЯ »: элемент не попадёт ни в один указатель"),
               name);
        warn(findings, line, 0, name.size(), "unknown-category", std::move(why));
    }
    if (name.starts_with(kPlacePrefix.view())) {
        std::string_view designation = name.substr(kPlacePrefix.size);
        Bytes missing = missingCell(parsePlaceDesignation(designation), shape);
        if (!missing.empty()) {
            format(why, cp1251("место «%s» не попадёт в таблицу по олимпиадам: %s"), designation, missing);
            warn(findings, line, kPlacePrefix.size, name.size(), "place-outside-table", std::move(why));
        }
    }
    if (element.noNumber == 1) {
        // The name is what stands before the separator: the rest is dropped.
        std::size_t dash = findDashSeparator(line.text, 1);
        std::size_t first = dash == std::string_view::npos ? line.text.size() : dash + 2;
        while (first < line.text.size() && line.text[first] == ' ') ++first;
        std::string_view rest = line.text.substr(first);
        if (!rest.empty()) {
            format(why, cp1251("в разделе «#/-» текст после «--» не учитывается: «%s»"), rest);
            warn(findings, line, first, line.text.size(), "text-after-dash-ignored", std::move(why));
        }
    }
}

Bytes printedReferences(const IndexElement& element) {
    std::vector<ProblemRef> refs;
    std::copy_if(element.zz.begin(), element.zz.end(), std::back_inserter(refs),
                 [](ProblemRef p) { return p != nullptr && numberInSource(p, 0) > 0; });
    std::stable_sort(refs.begin(), refs.end(),
                     [](ProblemRef a, ProblemRef b) { return numberInSource(a, 0) < numberInSource(b, 0); });
    Bytes out;
    std::int32_t last = 0;
    for (ProblemRef p : refs) {
        std::int32_t n = numberInSource(p, 0);
        if (n == last) continue;
        if (last != 0) out += ", ";
        format(out, "%d", n);
        if (isStarred(element, p)) out += '*';
        last = n;
    }
    if (!element.note.empty()) {
        if (!out.empty()) out += "; ";
        out += element.note;
    }
    return out;
}

void checkNotePlacement(const IndexElement& element, const SourceLine& source, Findings* findings) {
    std::string_view line = source.text;
    if (findings == nullptr || element.noNumber == 1 || element.note.empty()) return;
    std::size_t dash = findDashSeparator(line, 0);
    if (dash == std::string_view::npos) return;
    std::string_view text = line.substr(dash + 2);
    std::size_t i = text.find_first_of("0123456789");
    if (i == std::string_view::npos) return;
    // Past the first reference only references, commas, blanks and notes in
    // brackets may stand.
    for (; i < text.size(); ++i) {
        char c = text[i];
        if ((c >= '0' && c <= '9') || c == '.' || c == '*' || c == ',' || c == ' ') continue;
        if (c != '[') break;
        i = std::min(text.size(), text.find(']', i));
    }
    if (i >= text.size()) return;
    Bytes why;
    format(why, cp1251("текст после номеров напечатается так: «%s»; пишите примечание перед номерами "
                       "или в квадратных скобках"),
           printedReferences(element));
    addFinding(findings, spanOf(source, dash + 2 + i, line.size()), Severity::Warning, "note-after-numbers",
               std::move(why));
}
