#include "index/entry.hpp"

#include <array>

#include "text/numbers.hpp"

void writePreamble(Preamble variant, Sink& out) {
    out += "\n{\n\n\\newcommand{\\element}[1]{";
    writeElementTarget("#1", out);
    out += "}\n";
    if (variant == Preamble::Blank) {
        writeNumberMacros("newcommand", std::nullopt, true, "\n", out);
        out += "\\newcommand{\\x}{{\\quad}}\n\n";
    } else {
        writeNumberMacros("newcommand", Page::Statement, variant == Preamble::Author, "\n", out);
        out += "\\newcommand{\\x}{\\mbox{$\\quad$}}\n\n";
    }
}

void writeClosing(Preamble variant, Sink& out) {
    out += variant == Preamble::Blank ? "\n\n\n}\n\n" : "\n}\n\n";
}

void writeNumberMacros(std::string_view command, std::optional<Page> page, bool shared, std::string_view after,
                       Sink& out) {
    struct Macro {
        std::string_view name;
        std::string_view shown;
        bool sharedOnly;
    };
    constexpr std::array<Macro, 3> kMacros = {{{"z", "#1", false}, {"zsoavt", "(#1)", true}, {"zz", "#1*", false}}};
    for (const Macro& macro : kMacros) {
        if (macro.sharedOnly && !shared) continue;
        format(out, "\\%s{\\%s}[1]{", command, macro.name);
        if (page) writeProblemLink(*page, "#1", macro.shown, out);
        out += '}';
        out += after;
    }
}

void writeElementTarget(std::string_view id, Sink& out) {
    // Pieces rather than a format: the dumps write one for every element.
    constexpr std::string_view kOpen = "\\noindent\\mbox{$\\quad$}\\raisebox{1.5\\baselineskip}[0pt][0pt]{\\hypertarget{elementID-";
    static_assert(kOpen.ends_with(kElementTarget));
    out += kOpen;
    out += id;
    out += "}}";
}

void writeEntryHeading(const IndexElement& element, Sink& out, std::size_t prefixLength) {
    out += "\\element";
    // Right-aligned ids keep the names of ids up to 9999 in one column.
    for (std::int32_t bound : {10, 100, 1000})
        if (element.id < bound) out += ' ';
    out += '{';
    appendDecimal(out, element.id);
    out += "} ";
    std::string_view name = element.name;
    if (name.size() >= prefixLength) name.remove_prefix(prefixLength);
    out += name;
}

void writeEntryNumber(const ListedReference& reference, Sink& out) {
    // Pieces rather than a format: the indexes write one for every reference.
    out += reference.starred ? "\\zz{" : "\\z{";
    appendDecimal(out, reference.number);
    out += '}';
}

void writeElementEntry(const IndexElement& element, Sink& out, std::size_t prefixLength) {
    if (!isLive(element)) return;
    writeEntryHeading(element, out, prefixLength);
    out += " \\x ";
    writeNote(element.note, writeListed(element, 0, writeEntryNumber, out) > 0, out);
    out += " \\par\n";
}
