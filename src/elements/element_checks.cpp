#include "elements/element_checks.hpp"

#include <string>
#include <utility>

#include "elements/categories.hpp"
#include "elements/place_designation.hpp"
#include "text/cp1251.hpp"
#include "text/line_input.hpp"

namespace {

// Why the table by olympiads has no cell for the place; empty when it has one.
std::string_view missingCell(const PlaceDesignation& place) {
    static constexpr auto kDashes = cp1251("нужно ровно три «-»: ОЛИМПИАДА-ТУР-ГРУППА-МЕСТО");
    static constexpr auto kOlympiad = cp1251("номер олимпиады вне 1–12");
    static constexpr auto kRound = cp1251("тур вне 1–2");
    static constexpr auto kSlot = cp1251("место вне 0–7");
    static constexpr auto kRow = cp1251("в группе нет букв «Н» или «В»");
    if (!place.wellFormed) return kDashes;
    if (place.olympiad < 1 || place.olympiad > kLastOlympiad) return kOlympiad;
    if (place.round < 1 || place.round > kLastRound) return kRound;
    if (place.slot < 0 || place.slot > kLastSlot) return kSlot;
    bool row = place.group.find(kFirstRow.view()) != std::string_view::npos ||
               place.group.find(kSecondRow.view()) != std::string_view::npos;
    return row ? std::string_view() : kRow.view();
}

bool hasCategoryPrefix(std::string_view name) {
    for (std::string_view prefix : {kPlacePrefix.view(), kConditionAuthorPrefix.view(), kSolutionAuthorPrefix.view(),
                                    kRussianPrefix.view()})
        if (name.starts_with(prefix)) return true;
    return false;
}

void warn(Findings* findings, long lineNumber, std::string_view code, Bytes why) {
    addFinding(findings, {InFile::Source, lineNumber}, Severity::Warning, code, std::move(why));
}

}  // namespace

void checkElementLine(const IndexElement& element, std::string_view line, long lineNumber, Findings* findings) {
    if (findings == nullptr) return;
    std::string_view name = element.name;
    Bytes why;
    if (isCategory(element) && !hasCategoryPrefix(name)) {
        format(why, cp1251("название «%s» начинается с «=», но не с «=источник задачи: », «=автор условия », "
                           "«=автор решения » или «=РЯ »: элемент не попадёт ни в один указатель"),
               name);
        warn(findings, lineNumber, "unknown-category", std::move(why));
    }
    if (name.starts_with(kPlacePrefix.view())) {
        std::string_view designation = name.substr(kPlacePrefix.size);
        std::string_view missing = missingCell(parsePlaceDesignation(designation));
        if (!missing.empty()) {
            format(why, cp1251("место «%s» не попадёт в таблицу по олимпиадам: %s"), designation, missing);
            warn(findings, lineNumber, "place-outside-table", std::move(why));
        }
    }
    if (element.noNumber == 1) {
        // The name is what stands before the separator: the rest is dropped.
        std::size_t dash = findDashSeparator(line, 1);
        std::string rest(dash == std::string_view::npos ? std::string_view() : line.substr(dash + 2));
        collapseSpaces(rest);
        if (!rest.empty()) {
            format(why, cp1251("в разделе «#/-» текст после «--» не учитывается: «%s»"), rest);
            warn(findings, lineNumber, "text-after-dash-ignored", std::move(why));
        }
    }
}
