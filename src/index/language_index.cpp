#include "index/language_index.hpp"

#include <algorithm>
#include <utility>
#include <string>
#include <vector>

#include "elements/categories.hpp"
#include "index/entry.hpp"
#include "text/cp1251.hpp"
#include "text/line_input.hpp"

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
    std::size_t written = 0;
    for (const IndexElement* element : matching) written = writeListed(*element, 0, writeEntryNumber, out, written);
}

// The text between the placeholders goes out in runs, not byte by byte.
void writeFilledLine(const LanguageElements& languages, std::string_view line, std::string_view language, Sink& out) {
    std::size_t placeholder;
    while ((placeholder = line.find("[]")) != std::string_view::npos) {
        out += line.substr(0, placeholder);
        writeLanguageNumbers(languages, language, out);
        line.remove_prefix(placeholder + 2);
    }
    out += line;
    out += '\n';
}

// One line of the template as the block rules see it.
struct TemplateLine {
    long number = 0;
    bool tooLong = false;
    std::string_view raw;       // as read
    std::string_view text;      // cut at the line end or the comment
    bool filled = false;        // a name or filler line of a block: its "[]" are placeholders
    std::string_view language;  // the block's language; empty outside a block
};

// Walks the template line by line through the block rules; `visit` says
// whether to go on.
template <class Visit>
Flow walkTemplate(std::string_view templ, Visit visit) {
    Block block = Block::Outside;
    std::string language;
    std::string line;
    std::size_t pos = 0;
    TemplateLine current;
    LineRead read;
    while ((read = readLine(templ, pos, current.raw)) != LineRead::End) {
        ++current.number;
        current.tooLong = read == LineRead::TooLong;
        line.assign(current.tooLong ? std::string_view() : current.raw);
        cutLine(line);
        if (line.empty()) {
            block = Block::Outside;
            language.clear();
        } else if (block == Block::Outside) {
            if (isMarkerLine(line)) block = Block::NameLineNext;
        } else {
            if (block == Block::NameLineNext) language = languageNameOf(line);
            block = Block::Inside;
        }
        current.text = line;
        current.filled = block == Block::Inside && !line.empty();
        current.language = language;
        if (visit(current) == Flow::Stop) return Flow::Stop;
    }
    return Flow::Go;
}

// Copies the template line by line; Stop at a line over the limit, whose number is kept.
Flow copyTemplate(const LanguageElements& languages, std::string_view templ, Sink& out, long& lineTooLong) {
    return walkTemplate(templ, [&](const TemplateLine& line) {
        if (line.tooLong) {
            lineTooLong = line.number;
            return Flow::Stop;
        }
        if (line.filled) {
            writeFilledLine(languages, line.text, line.language, out);
        } else {
            out += line.text;
            out += '\n';
        }
        return Flow::Go;
    });
}

}  // namespace

std::vector<BlockLanguage> checkTemplate(std::string_view templ, Findings* findings) {
    std::vector<BlockLanguage> languages;
    // The template's lines are only cut, never folded: an offset is a column.
    auto warn = [&](long line, std::size_t at, std::size_t width, std::string_view code, std::string_view why) {
        auto first = static_cast<std::int32_t>(at) + 1;
        addFinding(findings, {InFile::Template, line, first, first + static_cast<std::int32_t>(width) - 1},
                   Severity::Warning, code, Bytes(why));
    };
    walkTemplate(templ, [&](const TemplateLine& line) {
        if (line.tooLong) {
            Bytes why;
            format(why, cp1251("строка длиннее %d символов"), kLineLimit);
            addFinding(findings, wholeLine(InFile::Template, line.number, line.raw), Severity::Error,
                       "line-too-long", std::move(why));
            return Flow::Go;
        }
        if (cutsWebAddress(line.raw))
            warn(line.number, line.raw.find("//"), 2, "web-address-cut",
                 cp1251("«//» после «:» начинает комментарий: веб-адрес обрезан"));
        std::size_t placeholder = line.text.find("[]");
        if (placeholder != std::string_view::npos && !line.filled)
            warn(line.number, placeholder, 2, "placeholder-outside-block",
                 cp1251("«[]» вне блока языка остаётся как есть"));
        else if (placeholder != std::string_view::npos && line.language.empty())
            warn(line.number, placeholder, 2, "block-without-language",
                 cp1251("у блока нет названия языка (после первого пробела в строке названия): «[]» останется пустым"));
        if (!line.language.empty() && (languages.empty() || languages.back().name != line.language))
            languages.push_back({std::string(line.language), wholeLine(InFile::Template, line.number, line.raw)});
        return Flow::Go;
    });
    return languages;
}

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

Flow writeLanguageIndex(const Tables& tables, std::optional<std::string_view> templ, Sink& out, long& lineTooLong) {
    lineTooLong = 0;
    if (!templ) return Flow::Go;
    return copyTemplate(languageElements(tables), *templ, out, lineTooLong);
}
