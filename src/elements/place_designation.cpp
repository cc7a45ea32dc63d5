#include "elements/place_designation.hpp"

#include <algorithm>

#include "text/numbers.hpp"

PlaceDesignation parsePlaceDesignation(std::string_view tail) {
    PlaceDesignation place;
    place.olympiad = leadingNumber(tail);
    if (std::count(tail.begin(), tail.end(), '-') != 3) return place;
    std::size_t first = tail.find('-');
    std::size_t second = tail.find('-', first + 1);
    std::size_t third = tail.find('-', second + 1);
    place.wellFormed = true;
    place.round = leadingNumber(tail.substr(first + 1));
    place.group = tail.substr(second + 1, third - second - 1);
    std::string_view afterSlot = tail.substr(third + 1);
    place.slot = leadingNumber(afterSlot);
    std::size_t digits = 0;
    while (digits < afterSlot.size() && isDigit(afterSlot[digits])) ++digits;
    place.suffix = afterSlot.substr(digits);
    return place;
}
