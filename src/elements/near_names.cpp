#include "elements/near_names.hpp"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "elements/categories.hpp"
#include "elements/name_order.hpp"
#include "text/cp1251.hpp"
#include "text/line_input.hpp"

namespace {

constexpr auto kSuppressionMark = cp1251("olyindex:");
constexpr auto kDifferent = cp1251("разные");
constexpr char kOpenQuote = cp1251("«")[0];
constexpr char kCloseQuote = cp1251("»")[0];

std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r')) ++i;
    return i;
}

// Reads «X» at `i`; false when there is none.
bool readQuoted(std::string_view text, std::size_t& i, std::string& out) {
    i = skipBlanks(text, i);
    if (i >= text.size() || text[i] != kOpenQuote) return false;
    std::size_t close = text.find(kCloseQuote, i + 1);
    if (close == std::string_view::npos) return false;
    out.assign(text.substr(i + 1, close - i - 1));
    collapseSpaces(out);
    i = close + 1;
    return !out.empty();
}

// The comment "разные «A» «B»" after the mark, as a pair; false when it is not one.
bool readPair(std::string_view rest, DifferentNames& pair) {
    std::size_t i = skipBlanks(rest, 0);
    if (!rest.substr(i).starts_with(kDifferent.view())) return false;
    i += kDifferent.size;
    if (!readQuoted(rest, i, pair.first) || !readQuoted(rest, i, pair.second)) return false;
    return skipBlanks(rest, i) == rest.size();
}

}  // namespace

std::vector<DifferentNames> readDifferentNames(std::string_view source, Findings* findings) {
    std::vector<DifferentNames> pairs;
    long lineNumber = 1;
    std::size_t counted = 0;  // the line feeds before here are in lineNumber
    // The mark is rare: it is looked for, and only its lines are read.
    for (std::size_t hit = source.find(kSuppressionMark.view()); hit != std::string_view::npos;
         hit = source.find(kSuppressionMark.view(), hit + 1)) {
        std::size_t start = source.rfind('\n', hit);
        start = start == std::string_view::npos ? 0 : start + 1;
        std::size_t end = source.find('\n', hit);
        std::string_view line = source.substr(start, (end == std::string_view::npos ? source.size() : end) - start);
        lineNumber += std::count(source.begin() + static_cast<std::ptrdiff_t>(counted),
                                 source.begin() + static_cast<std::ptrdiff_t>(start), '\n');
        counted = start;
        std::size_t comment = line.find("//");
        std::size_t mark = hit - start;
        if (comment == std::string_view::npos || comment > mark || skipBlanks(line, comment + 2) != mark) continue;
        DifferentNames pair;
        if (readPair(line.substr(mark + kSuppressionMark.size), pair)) {
            pairs.push_back(std::move(pair));
            continue;
        }
        addFinding(findings,
                   {InFile::Source, lineNumber, static_cast<std::int32_t>(comment + 1), lineWidth(line)},
                   Severity::Warning, "bad-suppression",
                   Bytes(cp1251("комментарий «// olyindex:» не понят: он пишется так: "
                                "«// olyindex: разные «НАЗВАНИЕ» «НАЗВАНИЕ»»")));
    }
    return pairs;
}

OneEdit oneEditApart(std::string_view a, std::string_view b) {
    if (a.size() < b.size()) std::swap(a, b);
    std::size_t i = 0;
    while (i < b.size() && a[i] == b[i]) ++i;
    if (a.size() == b.size() + 1) {
        if (a.substr(i + 1) == b.substr(i)) return {Edit::Insertion, i};
        return {};
    }
    if (a.size() != b.size() || i == a.size()) return {};
    if (a.substr(i + 1) == b.substr(i + 1)) return {Edit::Substitution, i};
    if (i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] && a.substr(i + 2) == b.substr(i + 2))
        return {Edit::Transposition, i};
    return {};
}

namespace {

// A key without its spaces, with the word each of its letters stands in.
struct WordedKey {
    std::string key;
    std::vector<std::uint16_t> wordLength;  // of the word the letter is in
    std::vector<std::uint16_t> fromEnd;     // letters after it in that word
};

WordedKey worded(std::string_view spacedKey) {
    WordedKey w;
    std::size_t wordStart = 0;
    auto endWord = [&] {
        auto length = static_cast<std::uint16_t>(w.key.size() - wordStart);
        for (std::size_t j = wordStart; j < w.key.size(); ++j) {
            w.wordLength.push_back(length);
            w.fromEnd.push_back(static_cast<std::uint16_t>(w.key.size() - 1 - j));
        }
        wordStart = w.key.size();
    };
    for (char c : spacedKey) {
        if (c == kSpaceWeight) {
            endWord();
            continue;
        }
        w.key += c;
    }
    endWord();
    return w;
}

bool isDigitWeight(char c) {
    return static_cast<unsigned char>(c) > kSpaceWeight && static_cast<unsigned char>(c) < kFirstLetterWeight;
}

// The letters that Russian endings are made of (and the Latin plural "s").
bool isEndingLetter(char c) {
    static const std::string kEndings = russianKey(cp1251("аеиоуыэюяьймх").view()) + russianKey("s");
    return kEndings.find(c) != std::string::npos;
}

constexpr std::size_t kShortWord = 3;
constexpr std::size_t kEndingLength = 2;

bool deliberate(const WordedKey& a, const WordedKey& b) {
    const WordedKey& longer = a.key.size() >= b.key.size() ? a : b;
    const WordedKey& shorter = a.key.size() >= b.key.size() ? b : a;
    OneEdit edit = oneEditApart(longer.key, shorter.key);
    std::size_t i = edit.at;
    auto shortWord = [&](const WordedKey& k, std::size_t at) { return at < k.key.size() && k.wordLength[at] <= kShortWord; };
    auto ending = [&](const WordedKey& k, std::size_t at) {
        return at < k.key.size() && k.fromEnd[at] < kEndingLength && isEndingLetter(k.key[at]);
    };
    switch (edit.kind) {
        case Edit::None: return false;
        case Edit::Insertion:
            return isDigitWeight(longer.key[i]) || shortWord(longer, i) || ending(longer, i);
        case Edit::Substitution:
            return isDigitWeight(longer.key[i]) || isDigitWeight(shorter.key[i]) || shortWord(longer, i) ||
                   shortWord(shorter, i) || (ending(longer, i) && ending(shorter, i));
        case Edit::Transposition:
            return isDigitWeight(longer.key[i]) || isDigitWeight(longer.key[i + 1]) || shortWord(longer, i) ||
                   shortWord(longer, i + 1);
    }
    return false;
}

constexpr std::uint64_t kHashBase = 0x100000001b3ULL;

// Spreads the bits of a hash (splitmix64's finaliser).
std::uint64_t mixed(std::uint64_t h) {
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
}

std::size_t letterCount(std::string_view key) {
    return static_cast<std::size_t>(std::count_if(
        key.begin(), key.end(), [](char c) { return static_cast<unsigned char>(c) >= kFirstLetterWeight; }));
}

// The category a name belongs to and how long its prefix is: typos are
// looked for within a category, in the names without their prefixes.
std::pair<int, std::size_t> categoryOf(std::string_view name) {
    const std::string_view prefixes[] = {kPlacePrefix.view(), kConditionAuthorPrefix.view(),
                                         kSolutionAuthorPrefix.view(), kRussianMark};
    for (std::size_t c = 0; c < std::size(prefixes); ++c)
        if (name.starts_with(prefixes[c])) return {static_cast<int>(c) + 1, prefixes[c].size()};
    if (name.starts_with(kCategoryMark)) return {5, 1};
    return {0, 0};
}

// A name as the printed index has it once: its first sighting, and the
// references of all its lines.
struct DistinctName {
    const NameSighting* first = nullptr;
    std::int64_t references = 0;
    std::string key;  // the whole name, spaces not counting
    std::size_t bodyAt = 0;  // where the key of the name less its category prefix begins
    int category = 0;
};

Bytes countedReferences(std::int64_t n) {
    std::int64_t last = n % 10;
    std::int64_t lastTwo = n % 100;
    static constexpr auto kOne = cp1251("ссылка");
    static constexpr auto kFew = cp1251("ссылки");
    static constexpr auto kMany = cp1251("ссылок");
    std::string_view word = last == 1 && lastTwo != 11                               ? kOne.view()
                            : last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14) ? kFew.view()
                                                                                       : kMany.view();
    Bytes out;
    format(out, "%ld %s", static_cast<long>(n), word);
    return out;
}

void warnAt(Findings* findings, const NameSighting& at, std::string_view code, Bytes why, std::string_view other) {
    if (findings == nullptr) return;
    // The name is the start of its line, its spaces folded; its columns are
    // worked out only for the few names warned of.
    Location place = spanOf({at.name, at.raw, at.line}, 0, at.name.size());
    addFinding(findings, place, Severity::Warning, code, std::move(why));
    Bytes title;
    format(title, cp1251("заменить на «%s»"), other);
    findings->back().fixes.push_back({place.firstColumn, place.lastColumn, Bytes(other), std::move(title)});
}

bool keptApart(std::span<const DifferentNames> different, std::string_view a, std::string_view b) {
    return std::any_of(different.begin(), different.end(), [&](const DifferentNames& d) {
        return (d.first == a && d.second == b) || (d.first == b && d.second == a);
    });
}

std::uint64_t hashOf(std::string_view bytes) {
    std::uint64_t h = 0xcbf29ce484222325ULL;  // FNV-1a
    for (char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    return h;
}

// For each of `count` items, the first item equal to it (itself when none
// comes before). Items are grouped by their hashes, sorted: a map of strings
// would cost more than the whole search.
template <class Hash, class Equal>
std::vector<std::size_t> firstOfEqual(std::size_t count, Hash hash, Equal equal) {
    std::vector<std::pair<std::uint64_t, std::size_t>> hashed(count);
    for (std::size_t i = 0; i < count; ++i) hashed[i] = {hash(i), i};
    std::sort(hashed.begin(), hashed.end());
    std::vector<std::size_t> first(count);
    for (std::size_t from = 0; from < count;) {
        std::size_t to = from + 1;
        while (to < count && hashed[to].first == hashed[from].first) ++to;
        for (std::size_t x = from; x < to; ++x) {
            std::size_t item = hashed[x].second;
            first[item] = item;
            for (std::size_t y = from; y < x; ++y)
                if (first[hashed[y].second] == hashed[y].second && equal(item, hashed[y].second)) {
                    first[item] = hashed[y].second;
                    break;
                }
        }
        from = to;
    }
    return first;
}

std::vector<DistinctName> distinctNames(std::span<const NameSighting> sightings) {
    std::string byteKey;
    std::vector<std::size_t> first = firstOfEqual(
        sightings.size(),
        [&](std::size_t i) {
            std::string_view name = sightings[i].name;
            if (isOwnByteKey(name)) return hashOf(name);
            byteKey.clear();
            appendByteKey(name, byteKey);
            return hashOf(byteKey);
        },
        [&](std::size_t i, std::size_t j) {
            std::string_view a = sightings[i].name;
            std::string_view b = sightings[j].name;
            // Nearly every name is its own byte key, and equal names are the rule here.
            if (a == b) return true;
            return compareByteKeys(a, b) == 0;
        });
    std::vector<DistinctName> names;
    std::vector<std::size_t> distinctOf(sightings.size());
    for (std::size_t i = 0; i < sightings.size(); ++i) {
        const NameSighting& s = sightings[i];
        if (first[i] != i) {
            names[distinctOf[first[i]]].references += s.references;
            continue;
        }
        // With spaces not counting, the key of the whole is the prefix's
        // key and the rest's: each name is keyed once.
        auto [category, prefix] = categoryOf(s.name);
        std::string key = russianKey(s.name.substr(0, prefix), Spaces::Ignored);
        std::size_t bodyAt = key.size();
        key += russianKey(s.name.substr(prefix), Spaces::Ignored);
        distinctOf[i] = names.size();
        names.push_back({&s, s.references, std::move(key), bodyAt, category});
    }
    return names;
}

}  // namespace

bool differsInEndingOrShortWord(std::string_view a, std::string_view b) {
    return deliberate(worded(russianKey(a)), worded(russianKey(b)));
}

void checkNearNames(std::span<const NameSighting> sightings, std::span<const DifferentNames> different,
                    Findings* findings) {
    if (findings == nullptr) return;
    std::vector<DistinctName> names = distinctNames(sightings);

    // Names with one key: each later one against the first.
    std::vector<std::size_t> firstWithKey = firstOfEqual(
        names.size(), [&](std::size_t i) { return hashOf(names[i].key); },
        [&](std::size_t i, std::size_t j) { return names[i].key == names[j].key; });
    std::vector<std::size_t> representatives;  // the first name of each key
    for (std::size_t i = 0; i < names.size(); ++i) {
        const DistinctName& name = names[i];
        if (name.key.empty()) continue;
        if (firstWithKey[i] == i) {
            representatives.push_back(i);
            continue;
        }
        const NameSighting& earlier = *names[firstWithKey[i]].first;
        const NameSighting& later = *name.first;
        if (keptApart(different, later.name, earlier.name)) continue;
        Bytes why;
        format(why, cp1251("«%s» и «%s» (строка %ld) станут двумя статьями указателя"), later.name, earlier.name,
               earlier.line);
        warnAt(findings, later, "near-duplicate-name", std::move(why), earlier.name);
    }

    // One edit apart: every key and every key less one letter goes into a
    // map, within its category; two keys one edit apart share an entry.
    struct Candidate {
        std::size_t name;
        int category;
        std::string_view key;  // of the name less its prefix
    };
    std::vector<Candidate> candidates;
    for (std::size_t i : representatives) {
        std::string_view body = std::string_view(names[i].key).substr(names[i].bodyAt);
        constexpr std::size_t kShortestName = 6;
        if (letterCount(body) >= kShortestName) candidates.push_back({i, names[i].category, body});
    }
    // The entries are hashes, sorted: a map of strings would cost more than
    // the rest of the check. Hashes that meet by chance are told apart by
    // comparing the keys themselves.
    // An entry is a hash in its high bits and the candidate in its low ones,
    // so that sorting moves eight bytes an entry.
    constexpr int kIndexBits = 24;
    constexpr std::uint64_t kIndexMask = (std::uint64_t{1} << kIndexBits) - 1;
    if (candidates.size() > kIndexMask) candidates.resize(kIndexMask);
    std::vector<std::uint64_t> entries;
    std::size_t entryCount = 0;
    for (const Candidate& c : candidates) entryCount += c.key.size() + 1;
    entries.reserve(entryCount);
    std::vector<std::uint64_t> prefix;
    std::vector<std::uint64_t> power;
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        std::string_view key = candidates[c].key;
        const std::size_t n = key.size();
        // Polynomial hashes of the prefixes: the key less its letter i
        // hashes as prefix(i) * B^(n-1-i) + the hash of what follows i.
        prefix.assign(n + 1, 0);
        power.assign(n + 1, 1);
        for (std::size_t i = 0; i < n; ++i) {
            prefix[i + 1] = prefix[i] * kHashBase + static_cast<unsigned char>(key[i]) + 1;
            power[i + 1] = power[i] * kHashBase;
        }
        auto category = static_cast<std::uint64_t>(candidates[c].category) << 56;
        auto entry = [&](std::uint64_t h) { entries.push_back((mixed(h) & ~kIndexMask) | c); };
        entry(prefix[n] ^ category ^ (n << 48));
        for (std::size_t drop = 0; drop < n; ++drop) {
            std::uint64_t suffix = prefix[n] - prefix[drop + 1] * power[n - drop - 1];
            entry((prefix[drop] * power[n - drop - 1] + suffix) ^ category ^ ((n - 1) << 48));
        }
    }
    std::sort(entries.begin(), entries.end());
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    for (std::size_t from = 0; from < entries.size();) {
        std::size_t to = from + 1;
        while (to < entries.size() && (entries[to] & ~kIndexMask) == (entries[from] & ~kIndexMask)) ++to;
        for (std::size_t x = from; x < to; ++x)
            for (std::size_t y = x + 1; y < to; ++y) {
                auto first = static_cast<std::uint32_t>(entries[x] & kIndexMask);
                auto second = static_cast<std::uint32_t>(entries[y] & kIndexMask);
                if (first != second) pairs.emplace_back(first, second);
            }
        from = to;
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    for (auto [x, y] : pairs) {
        const Candidate& a = candidates[x];
        const Candidate& b = candidates[y];
        if (oneEditApart(a.key, b.key).kind == Edit::None) continue;
        const DistinctName& earlier = names[a.name];
        const DistinctName& later = names[b.name];
        // Where the words end only the keys with spaces tell; few pairs get here.
        std::size_t prefixLength = categoryOf(earlier.first->name).second;
        if (deliberate(worded(russianKey(earlier.first->name.substr(prefixLength))),
                       worded(russianKey(later.first->name.substr(prefixLength)))))
            continue;
        if (keptApart(different, earlier.first->name, later.first->name)) continue;
        // The one with fewer references is likely the slip; of two alike, the later.
        bool earlierSlipped = earlier.references < later.references;
        const DistinctName& slip = earlierSlipped ? earlier : later;
        const DistinctName& right = earlierSlipped ? later : earlier;
        Bytes why;
        format(why, cp1251("вероятно, опечатка в «%s» (%s): есть «%s» (строка %ld, %s)"), slip.first->name,
               countedReferences(slip.references), right.first->name, right.first->line,
               countedReferences(right.references));
        warnAt(findings, *slip.first, "likely-typo", std::move(why), right.first->name);
    }
}
