#include "index/olympiad_index.hpp"

#include <array>
#include <cstddef>
#include <string_view>

#include "elements/categories.hpp"
#include "index/entry.hpp"
#include "text/numbers.hpp"

namespace {

// The first two bytes of the designation; 0 past its end.
using GroupKey = std::array<char, 2>;

char byteAt(std::string_view text, std::size_t at) {
    return at < text.size() ? text[at] : '\0';
}

GroupKey groupKey(const IndexElement& element) {
    return {byteAt(element.name, kPlacePrefix.size), byteAt(element.name, kPlacePrefix.size + 1)};
}

bool isOneDigitOlympiad(const GroupKey& key) {
    return key[0] >= '1' && key[0] <= '9' && !isDigit(key[1]);
}

// Byte order puts "10-" before "2-"; writing one-digit olympiads in a pass of
// their own restores numeric order below 100.
void writePass(const Tables& tables, bool oneDigit, GroupKey& previous, Sink& out) {
    for (const IndexElement& element : tables.elements) {
        if (!element.name.starts_with(kPlacePrefix.view())) continue;
        GroupKey key = groupKey(element);
        if (isOneDigitOlympiad(key) != oneDigit) continue;
        if (key != previous) out += "\n\\medskip\n";
        writeElementEntry(element, out, kPlacePrefix.size);
        previous = key;
    }
}

}  // namespace

void writeOlympiadIndex(const Tables& tables, Sink& out) {
    writePreamble(Preamble::Standard, out);
    GroupKey previous{'\0', '\0'};
    writePass(tables, true, previous, out);
    writePass(tables, false, previous, out);
    writeClosing(Preamble::Standard, out);
}
