#include "elements/name_order.hpp"

#include <array>
#include <cstddef>

#include "text/cp1251.hpp"

namespace {

// The next byte of the name's byte key from position `i`, or -1 at its end.
int nextKeyByte(std::string_view name, std::size_t& i) {
    while (i < name.size()) {
        std::string_view rest = name.substr(i);
        if (rest.starts_with("<<") || rest.starts_with(">>")) {
            i += 2;
            continue;
        }
        return static_cast<unsigned char>(name[i++]);
    }
    return -1;
}

constexpr auto kSmallCyrillic = cp1251("абвгдежзийклмнопрстуфхцчшщъыьэюя");
constexpr auto kCapitalCyrillic = cp1251("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
constexpr std::string_view kSmallLatin = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kCapitalLatin = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
// The other letters of code page 1251: the Serbian, Macedonian, Ukrainian and
// Belarusian ones. The micro sign is taken for a symbol, as it is one in print.
constexpr auto kOtherLetters = cp1251("ЂЃѓЉЊЌЋЏђљњќћџЎўЈҐЄЇІіґєјЅѕї");
constexpr auto kYo = cp1251("Ёё");
constexpr auto kNoBreakSpace = cp1251("\u00A0");

constexpr unsigned char kIgnored = 0;
constexpr unsigned char kSpace = 1;

constexpr unsigned char byteOf(char c) {
    return static_cast<unsigned char>(c);
}

// The weight of every byte; kIgnored for one that does not count.
constexpr std::array<unsigned char, 256> makeWeights() {
    std::array<unsigned char, 256> weights{};
    for (char c : {' ', '\t', '~', kNoBreakSpace[0]}) weights[byteOf(c)] = kSpace;
    unsigned char next = kSpace + 1;
    for (char c = '0'; c <= '9'; ++c) weights[byteOf(c)] = next++;
    for (std::size_t i = 0; i < kSmallCyrillic.size; ++i, ++next)
        weights[byteOf(kSmallCyrillic[i])] = weights[byteOf(kCapitalCyrillic[i])] = next;
    for (char c : kYo.view()) weights[byteOf(c)] = weights[byteOf(cp1251("е")[0])];
    for (std::size_t i = 0; i < kSmallLatin.size(); ++i, ++next)
        weights[byteOf(kSmallLatin[i])] = weights[byteOf(kCapitalLatin[i])] = next;
    for (int byte = 0x80; byte < 0x100; ++byte)
        if (kOtherLetters.view().find(static_cast<char>(byte)) != std::string_view::npos)
            weights[static_cast<std::size_t>(byte)] = next++;
    return weights;
}

constexpr std::array<unsigned char, 256> kWeights = makeWeights();
static_assert(kWeights[byteOf(cp1251("Я")[0])] == kWeights[byteOf(cp1251("я")[0])]);
static_assert(kWeights[byteOf('z')] < kWeights[byteOf(cp1251("Ђ")[0])]);
static_assert(kWeights[byteOf(cp1251("ї")[0])] == 11 + 32 + 26 + 28);  // every weight is distinct and fits
static_assert(kWeights[byteOf(' ')] == kSpaceWeight && kWeights[byteOf('9')] + 1 == kFirstLetterWeight);

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Past the control sequence that starts with the backslash at `i`. A control
// space ("\ ") prints as a space, so only its backslash is passed.
std::size_t afterControlSequence(std::string_view name, std::size_t i) {
    ++i;
    if (i == name.size()) return i;
    if (!isAsciiLetter(name[i])) return isBlank(name[i]) ? i : i + 1;
    while (i < name.size() && isAsciiLetter(name[i])) ++i;
    while (i < name.size() && isBlank(name[i])) ++i;
    return i;
}

}  // namespace

int compareByteKeys(std::string_view a, std::string_view b) {
    // Walked in place: sorting a large table must not build the keys.
    std::size_t i = 0;
    std::size_t j = 0;
    while (true) {
        int x = nextKeyByte(a, i);
        int y = nextKeyByte(b, j);
        if (x != y) return x < y ? -1 : 1;
        if (x < 0) return 0;
    }
}

bool isOwnByteKey(std::string_view name) {
    return name.find("<<") == std::string_view::npos && name.find(">>") == std::string_view::npos;
}

void appendByteKey(std::string_view name, std::string& out) {
    std::size_t i = 0;
    for (int byte = nextKeyByte(name, i); byte >= 0; byte = nextKeyByte(name, i)) out += static_cast<char>(byte);
}

std::string russianKey(std::string_view name, Spaces spaces) {
    std::string key;
    bool spaceDue = false;
    for (std::size_t i = 0; i < name.size();) {
        if (name[i] == '\\') {
            i = afterControlSequence(name, i);
            continue;
        }
        unsigned char weight = kWeights[byteOf(name[i++])];
        if (weight == kIgnored) continue;
        if (weight == kSpace) {
            spaceDue = !key.empty() && spaces == Spaces::Counted;
            continue;
        }
        if (spaceDue) key += static_cast<char>(kSpace);
        spaceDue = false;
        key += static_cast<char>(weight);
    }
    return key;
}

int compareRussian(std::string_view aKey, std::string_view a, std::string_view bKey, std::string_view b) {
    if (int byKey = aKey.compare(bKey); byKey != 0) return byKey;
    if (int byBytes = compareByteKeys(a, b); byBytes != 0) return byBytes;
    return a.compare(b);
}
