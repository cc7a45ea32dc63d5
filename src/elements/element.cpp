#include "elements/element.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <new>
#include <optional>

#include "problems/lookups.hpp"
#include "text/cp1251.hpp"
#include "text/line_input.hpp"
#include "text/numbers.hpp"
#include "text/first_free.hpp"

ElementTable makeElementTable(std::size_t count, std::int32_t& idCounter) {
    ElementTable table(count);
    for (IndexElement& e : table) e.id = ++idCounter;
    return table;
}

void clear(IndexElement& element) {
    element.actual = 0;
    element.name.clear();
    element.name.shrink_to_fit();  // most elements of a large book are merged away
    element.zz.clear();
    element.zz.shrink_to_fit();
    element.zz_.clear();
    element.zz_.shrink_to_fit();
}

namespace {

bool holds(const std::vector<ProblemRef>& refs, ProblemRef problem) {
    return std::find(refs.begin(), refs.end(), problem) != refs.end();
}

}  // namespace

bool refersTo(const IndexElement& element, ProblemRef problem) {
    return isLive(element) && holds(element.zz, problem);
}

bool isStarred(const IndexElement& element, ProblemRef problem) {
    return holds(element.zz_, problem);
}

bool StarredSet::contains(ProblemRef problem) const {
    return std::binary_search(problems.begin(), problems.end(), problem);
}

StarredSet starredSet(const IndexElement& element) {
    StarredSet set;
    std::copy_if(element.zz_.begin(), element.zz_.end(), std::back_inserter(set.problems),
                 [](ProblemRef p) { return p != nullptr; });
    std::sort(set.problems.begin(), set.problems.end());
    return set;
}

std::size_t findDashSeparator(std::string_view line, std::size_t from) {
    // A search for the pair rather than a byte loop: the name before it is
    // most of the line, and every element line is searched.
    for (std::size_t p = line.find("--", from); p != std::string_view::npos; p = line.find("--", p + 1))
        if (p + 2 >= line.size() || line[p + 2] != '-') return p;
    return std::string_view::npos;
}

namespace {

// Why a token is malformed: the first rule it breaks.
enum class TokenFault { None, FifthDigit, FourthSubnumberDigit, DigitAfterStar, SecondStar, SecondPoint };

// One reference token of the reference text: digits, an optional point and
// subnumber, an optional final star.
struct Token {
    std::size_t start = 0;
    std::size_t end = 0;  // one past the token
    std::int32_t number = 0;
    std::int32_t subnumber = 0;
    bool hasPoint = false;
    bool pointOnly = false;  // a point with no digits after it
    bool starred = false;
    TokenFault fault = TokenFault::None;
};

// The parser's trace, when someone follows it.
void note(const ElementParse& context, TraceStep step, std::int32_t number = 0) {
    if (context.trace != nullptr) context.trace->push_back({step, number});
}

// Extends the token that starts at the digit at `start`; false when it is
// malformed. Reading its point is traced, as each scan does.
bool readToken(std::string_view text, std::size_t start, Token& token, const ElementParse& context) {
    token = Token{};
    token.start = start;
    std::size_t before = 0;
    std::size_t after = 0;
    std::size_t i = start;
    auto breaks = [&](bool broken, TokenFault fault) {
        if (broken) token.fault = fault;
    };
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.' || text[i] == '*'); ++i) {
        char c = text[i];
        if (token.fault != TokenFault::None) continue;
        if (c == '*') {
            breaks(token.starred, TokenFault::SecondStar);
            token.starred = true;
        } else if (c == '.') {
            // A point after the star is no fault of its own: it is read, and
            // the token fails on what follows it.
            breaks(token.hasPoint, TokenFault::SecondPoint);
            if (!token.hasPoint) note(context, TraceStep::Point);
            token.hasPoint = true;
        } else if (token.starred) {
            breaks(true, TokenFault::DigitAfterStar);
        } else if (token.hasPoint) {
            breaks(++after > 3, TokenFault::FourthSubnumberDigit);
            token.subnumber = token.subnumber * 10 + (c - '0');
        } else {
            breaks(++before > 4, TokenFault::FifthDigit);
            token.number = token.number * 10 + (c - '0');
        }
    }
    token.end = i;
    token.pointOnly = token.hasPoint && after == 0;
    return token.fault == TokenFault::None;
}

// The reasons a rejected line is given, each spanning what it is about in the
// reference text, which starts at `base` in the line.
LineFault tokenFault(std::size_t base, const Token& token, std::string_view code) {
    return {base + token.start, base + token.end, code, {}};
}

LineFault badToken(std::string_view text, std::size_t base, const Token& token) {
    static constexpr auto kFifthDigit = cp1251("пятая цифра в номере");
    static constexpr auto kFourthDigit = cp1251("четвёртая цифра после точки");
    static constexpr auto kDigitAfterStar = cp1251("цифра после «*»");
    static constexpr auto kSecondStar = cp1251("вторая «*»");
    static constexpr auto kSecondPoint = cp1251("вторая точка");
    static constexpr std::array<std::string_view, 6> kWhy = {"", kFifthDigit, kFourthDigit, kDigitAfterStar,
                                                             kSecondStar, kSecondPoint};
    LineFault fault = tokenFault(base, token, "malformed-reference");
    format(fault.message, cp1251("неверная ссылка «%s»: %s"), text.substr(token.start, token.end - token.start),
           kWhy[static_cast<std::size_t>(token.fault)]);
    return fault;
}

// The item is what stands between the commas (or a "[") around the token,
// without the spaces at its ends.
LineFault undelimitedToken(std::string_view text, std::size_t base, const Token& token) {
    std::size_t from = text.rfind(',', token.start);
    from = from == std::string_view::npos ? 0 : from + 1;
    std::size_t to = text.find_first_of(",[", token.end);
    if (to == std::string_view::npos) to = text.size();
    while (from < to && text[from] == ' ') ++from;
    while (to > from && text[to - 1] == ' ') --to;
    std::string item(text.substr(from, to - from));
    collapseSpaces(item);
    LineFault fault{base + from, base + to, "glued-reference", {}};
    format(fault.message, cp1251("ссылка «%s» в пункте «%s» стоит рядом с другим текстом: пункты разделяются запятыми"),
           text.substr(token.start, token.end - token.start), item);
    return fault;
}

LineFault unresolvedToken(const ProblemTable& problems, std::size_t base, const Token& token, std::int32_t source) {
    Bytes shown;
    format(shown, "%d", token.number);
    if (token.hasPoint) format(shown, ".%d", token.subnumber);
    std::vector<Answering> answering =
        placementsAnswering(problems, source, token.number, token.hasPoint ? token.subnumber : 0);
    if (answering.empty()) {
        LineFault fault = tokenFault(base, token, "unresolved-reference");
        format(fault.message, cp1251("нет задачи %s в источнике %d"), shown, source);
        return fault;
    }
    // Several problems answer: the editor needs their lines, and the numbers
    // only where they differ ("14.1, 14.2"), not "10, 10".
    std::vector<Bytes> numbers;
    std::vector<long> lines;
    for (const Answering& a : answering) {
        const Placement& p = *a.placement;
        Bytes& number = numbers.emplace_back();
        format(number, "%d", p.number);
        if (p.subnumber >= 0) format(number, ".%d", p.subnumber);
        if (std::find(lines.begin(), lines.end(), a.record->line) == lines.end()) lines.push_back(a.record->line);
    }
    LineFault fault = tokenFault(base, token, "ambiguous-reference");
    format(fault.message, cp1251("ссылка %s в источнике %d неоднозначна"), shown, source);
    if (std::any_of(numbers.begin(), numbers.end(), [&](const Bytes& n) { return n != numbers.front(); })) {
        fault.message += " (";
        for (std::size_t i = 0; i < numbers.size(); ++i) fault.message += (i > 0 ? ", " : "") + numbers[i];
        fault.message += ")";
    }
    std::sort(lines.begin(), lines.end());
    fault.message += cp1251(": задачи в строках ").view();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) fault.message += i + 1 == lines.size() ? cp1251(" и ").view() : std::string_view(", ");
        format(fault.message, "%ld", lines[i]);
    }
    return fault;
}

ProblemRef resolve(const Token& token, std::int32_t source, const ElementParse& context) {
    ProblemRef problem =
        findProblem(context.problems, source, token.number, token.hasPoint ? token.subnumber : 0);
    if (problem == nullptr) note(context, TraceStep::Unresolved, token.number);
    return problem;
}

// The stretch of the text that a reference takes out of the note with it:
// from the comma in front of it (or the start) up to the next comma, "[" or
// the end. Only spaces may stand between the token and those. No default
// values: a line's room for its references is left as it is until used.
struct Stretch {
    std::size_t from;
    std::size_t to;
};

std::optional<Stretch> stretchAround(std::string_view text, const Token& token) {
    std::size_t from = token.start;
    for (; from > 0 && text[from - 1] != ','; --from)
        if (text[from - 1] != ' ') return std::nullopt;
    std::size_t to = token.end;
    for (; to < text.size() && text[to] != ',' && text[to] != '['; ++to)
        if (text[to] != ' ') return std::nullopt;
    return Stretch{from > 0 ? from - 1 : 0, to};
}

// A reference read and resolved, with its stretch.
struct Reference {
    Stretch stretch;
    std::int32_t number;
    bool hasPoint;
    bool starred;
    ProblemRef problem;
};

Reference referenceOf(const Token& token, Stretch stretch, ProblemRef problem) {
    return {stretch, token.number, token.hasPoint, token.starred, problem};
}

// log2 gets every reference of the book: "\n5/12 1" or "\n5/7.2 3", with the
// record's handle. Written piece by piece: a format call costs more than the
// few bytes it writes.
void logReference(Sink& log2, std::int32_t source, const Token& token, std::int64_t handle) {
    log2 += '\n';
    appendDecimal(log2, source);
    log2 += '/';
    appendDecimal(log2, token.number);
    if (token.hasPoint) {
        log2 += '.';
        appendDecimal(log2, token.subnumber);
    }
    log2 += ' ';
    appendHexadecimal(log2, handle);
}

// The references the first scan accepted, in order, so that the second need
// not read and look them up again; a line with more reads the rest twice.
// Left uninitialised: only the first `count` are ever read.
struct Resolved {
    std::array<Reference, 64> references;
    std::size_t count = 0;
    std::size_t starred = 0;  // among all the line's references
};

// The first scan: checks every token, counts it and resolves it; the number of
// references, or -1 when the line fails. The text starts at `base` in the line.
int checkReferences(std::string_view text, std::size_t base, std::int32_t source, const ElementParse& context,
                    LineFault& fault, Resolved& resolved) {
    int count = 0;
    Token token;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isDigit(text[i])) continue;
        if (!readToken(text, i, token, context)) {
            fault = badToken(text, base, token);
            return -1;
        }
        std::optional<Stretch> stretch = stretchAround(text, token);
        if (!stretch) {
            fault = undelimitedToken(text, base, token);
            return -1;
        }
        if (token.pointOnly) {
            note(context, TraceStep::Unresolved, token.number);
            fault = tokenFault(base, token, "point-without-subnumber");
            format(fault.message, cp1251("после точки в ссылке «%s» нет номера подзадачи"),
                   text.substr(token.start, token.end - token.start));
            return -1;
        }
        ++context.positionsRead;
        ++count;
        if (token.starred) ++resolved.starred;
        ProblemRef problem = resolve(token, source, context);
        if (problem == nullptr) {
            fault = unresolvedToken(context.problems, base, token, source);
            return -1;
        }
        if (resolved.count < resolved.references.size())
            resolved.references[resolved.count++] = referenceOf(token, *stretch, problem);
        logReference(context.log2, source, token, handleOf(context.problems, problem));
        i = token.end;
    }
    return count;
}

// The second scan: stores the references, and puts together the note from
// the text without them. The trace shows each point read again, as this scan
// has always read every token anew.
void fillReferences(IndexElement& element, std::string_view text, std::int32_t source, const ElementParse& context,
                    const Resolved& resolved) {
    std::size_t filled = 0;
    std::size_t starred = 0;
    std::size_t noted = 0;  // the text before this is in the note
    auto store = [&](const Reference& reference) {
        note(context, TraceStep::Stored, reference.number);
        element.zz[filled++] = reference.problem;
        if (reference.starred) element.zz_[starred++] = reference.problem;
        // A space for the reference, when text stands before it: the spaces
        // are folded below, and most lines are references only.
        const Stretch& cut = reference.stretch;
        if (cut.from > noted) element.note.append(text.substr(noted, cut.from - noted)) += ' ';
        noted = cut.to;
    };
    for (std::size_t k = 0; k < resolved.count; ++k) {
        if (resolved.references[k].hasPoint) note(context, TraceStep::Point);
        store(resolved.references[k]);
    }
    Token token;
    for (std::size_t i = noted; i < text.size(); ++i) {
        if (!isDigit(text[i])) continue;
        readToken(text, i, token, context);
        store(referenceOf(token, *stretchAround(text, token), resolve(token, source, context)));
        i = token.end;
    }
    element.note.append(text.substr(noted));
    collapseSpaces(element.note);
}

int parseNumberedLine(IndexElement& element, std::string_view line, std::int32_t source,
                      const ElementParse& context, LineFault& fault) {
    std::size_t dash = findDashSeparator(line, 0);
    if (dash == std::string::npos) {
        fault = {0, 0, "missing-dash", Bytes(cp1251("нет разделителя «--» между названием и ссылками").view())};
        return -1;
    }
    element.name.assign(line.substr(0, dash));
    collapseSpaces(element.name);
    element.actual = 1;
    std::string_view text = line.substr(dash + 2);
    Resolved resolved;
    int count = checkReferences(text, dash + 2, source, context, fault, resolved);
    if (count < 0) return -1;
    if (count > 0) {
        try {
            element.zz.assign(static_cast<std::size_t>(count), nullptr);
        } catch (const std::bad_alloc&) {
            note(context, TraceStep::NoRoomForReferences, count);
            fault = {0, 0, "out-of-memory", Bytes(cp1251("не хватило памяти на ссылки строки").view())};
            return -1;
        }
        try {
            element.zz_.assign(resolved.starred, nullptr);
        } catch (const std::bad_alloc&) {
            note(context, TraceStep::NoRoomForStarred, count);
            fault = {0, 0, "out-of-memory", Bytes(cp1251("не хватило памяти на ссылки строки").view())};
            return -1;
        }
    }
    element.note.clear();
    fillReferences(element, text, source, context, resolved);
    return 0;
}

int parseUnnumberedLine(IndexElement& element, std::string_view line) {
    element.noNumber = 1;
    element.name.assign(line.substr(0, findDashSeparator(line, 1)));
    collapseSpaces(element.name);
    element.actual = 1;
    return 0;
}

constexpr auto kLineRead = cp1251("\n\nПРОЧИТАНА СТРОКА: ");

}  // namespace

int parseElementLine(IndexElement& element, std::string_view line, std::int32_t source, ElementParse context,
                     LineFault* fault) {
    if (source < 0) return parseUnnumberedLine(element, line);
    // Not through a format, which every call would copy: once for each line.
    // A cleaned line holds no zero byte, where a "%s" would stop.
    context.log2 += kLineRead.view();
    context.log2 += line;
    LineFault found;
    if (parseNumberedLine(element, line, source, context, found) == 0) return 0;
    if (fault != nullptr) *fault = std::move(found);
    clear(element);
    return -1;
}

StoredElement storeElementLine(ElementTable& table, std::size_t& firstFree, const SourceLine& line,
                               std::int32_t source, ElementParse context) {
    IndexElement* free = firstFreeRecord(table, firstFree, [](const IndexElement& e) { return !isLive(e); });
    if (free == nullptr) {
        addFinding(context.findings, line, Severity::Error,
                   {0, 0, "no-free-record", Bytes(cp1251("нет свободной записи для элемента"))});
        return {nullptr, Refusal::NoFreeRecord};
    }
    LineFault fault;
    if (parseElementLine(*free, line.text, source, context, &fault) == 0) {
        free->line = line.number;
        return {free, Refusal::None};
    }
    addFinding(context.findings, line, Severity::Error, std::move(fault));
    return {nullptr, Refusal::Rejected};
}
