#include "index/entry.hpp"

#include <array>

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
    // Pieces rather than a format: the console's LaTeX dump writes one for every element.
    out += "\\noindent\\mbox{$\\quad$}\\raisebox{1.5\\baselineskip}[0pt][0pt]{\\hypertarget{";
    out += kElementTarget;
    out += id;
    out += "}}";
}

void writeEntryHeading(const IndexElement& element, Sink& out, std::size_t prefixLength) {
    out += "\\element";
    // Right-aligned ids keep the names of ids up to 9999 in one column.
    for (std::int32_t bound : {10, 100, 1000})
        if (element.id < bound) out += ' ';
    format(out, "{%d}", element.id);
    std::string_view name = element.name;
    if (name.size() >= prefixLength) name.remove_prefix(prefixLength);
    format(out, " %s", name);
}

void writeEntryNumber(const ListedReference& reference, Sink& out) {
    if (reference.starred) format(out, "\\zz{%d}", reference.number);
    else format(out, "\\z{%d}", reference.number);
}

void writeElementEntry(const IndexElement& element, Sink& out, std::size_t prefixLength) {
    if (!isLive(element)) return;
    writeEntryHeading(element, out, prefixLength);
    out += " \\x ";
    writeNumbersAndNote(listedReferences(element, 0), writeEntryNumber, element.note, out);
    out += " \\par\n";
}
