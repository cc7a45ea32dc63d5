#include "index/language_index.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "elements/categories.hpp"
#include "index/entry.hpp"
#include "text/cp1251.hpp"
#include "text/line_input.hpp"
#include "text/separator.hpp"
#include "text/messages.hpp"

namespace {

constexpr auto kMarker = cp1251("\\элемент");
static_assert(kMarker.size == 8);

enum class Block { Outside, NameLineNext, Inside };

bool isMarkerLine(std::string_view line) {
    return line.starts_with(kMarker.view()) && (line.size() == kMarker.size || line[kMarker.size] == ' ');
}

// The language elements (category elements aside) sorted by their names, so
// that the elements of one language are found without a walk over the table.
using LanguageElements = std::vector<const IndexElement*>;

std::string_view nameOf(const IndexElement* element) {
    return element->name;
}

LanguageElements languageElements(const Tables& tables) {
    LanguageElements languages;
    for (const IndexElement& element : tables.elements)
        if (!isCategory(element) && isLanguageElement(element)) languages.push_back(&element);
    std::ranges::stable_sort(languages, {}, nameOf);
    return languages;
}

// The listed numbers of the language elements whose names are the language
// and a blank followed by more, in table order, as one list: the numbers of
// two elements never run together.
void writeLanguageNumbers(const LanguageElements& languages, std::string_view language, Sink& out) {
    if (language.empty()) return;
    std::string start = std::string(language) + ' ';
    std::vector<const IndexElement*> matching;
    for (auto it = std::ranges::lower_bound(languages, std::string_view(start), {}, nameOf);
         it != languages.end() && (*it)->name.starts_with(start); ++it)
        matching.push_back(*it);
    std::sort(matching.begin(), matching.end());  // the table is an array: addresses give table order
    std::vector<ListedReference> numbers;
    for (const IndexElement* element : matching) {
        std::vector<ListedReference> listed = listedReferences(*element, 0);
        numbers.insert(numbers.end(), listed.begin(), listed.end());
    }
    writeNumberList(numbers, writeEntryNumber, out);
}

void writeFilledLine(const LanguageElements& languages, std::string_view line, std::string_view language, Sink& out) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line.substr(i).starts_with("[]")) {
            writeLanguageNumbers(languages, language, out);
            ++i;
        } else {
            format(out, "%c", line[i]);
        }
    }
    out += '\n';
}

// Copies the template line by line; Stop after reporting a line over the limit.
Flow copyTemplate(const LanguageElements& languages, std::string_view templ, Sink& out, Sink& console) {
    Block block = Block::Outside;
    std::string language;
    long lineNumber = 0;
    std::string line;
    std::string_view raw;
    std::size_t pos = 0;
    LineRead read;
    while ((read = readLine(templ, pos, raw)) != LineRead::End) {
        ++lineNumber;
        if (read == LineRead::TooLong) {
            format(console, messages::kLineTooLong, kTemplateName, lineNumber, kLineLimit);
            return Flow::Stop;
        }
        line.assign(raw);
        cutLine(line);
        if (line.empty()) {
            block = Block::Outside;
            language.clear();
            out += '\n';
        } else if (block == Block::Outside) {
            format(out, "%s\n", line);
            if (isMarkerLine(line)) block = Block::NameLineNext;
        } else {
            if (block == Block::NameLineNext) language = languageNameOf(line);
            block = Block::Inside;
            writeFilledLine(languages, line, language, out);
        }
    }
    return Flow::Go;
}

}  // namespace

std::string languageNameOf(std::string_view nameLine) {
    std::size_t blank = nameLine.find(' ');
    if (blank == std::string_view::npos) return {};
    std::string_view rest = nameLine.substr(blank);
    std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    rest = rest.substr(start);
    rest = rest.substr(0, rest.find('}'));
    std::string name;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest.substr(i).starts_with("\\'")) {
            // The character after an accent is kept as it is, even a backslash.
            i += 2;
            if (i >= rest.size()) break;
        }
        name += rest[i];
    }
    return name;
}

Flow writeLanguageIndex(const Tables& tables, std::optional<std::string_view> templ, Sink& out, Sink& console) {
    if (templ && copyTemplate(languageElements(tables), *templ, out, console) == Flow::Stop)
        return Flow::Stop;
    console += kSeparator;
    return Flow::Go;
}
