#include "index/entry.hpp"

namespace {

constexpr std::string_view kElementMacro =
    "\\newcommand{\\element}[1]{\\noindent\\mbox{$\\quad$}\\raisebox{1.5\\baselineskip}[0pt][0pt]"
    "{\\hypertarget{elementID-#1}}}\n";
constexpr std::string_view kNumberMacro = "\\newcommand{\\z}[1]{\\hyperlink{kvirtadoc-usl-#1}{#1}}\n";
constexpr std::string_view kSharedMacro = "\\newcommand{\\zsoavt}[1]{\\hyperlink{kvirtadoc-usl-#1}{(#1)}}\n";
constexpr std::string_view kStarredMacro = "\\newcommand{\\zz}[1]{\\hyperlink{kvirtadoc-usl-#1}{#1*}}\n";
constexpr std::string_view kGapMacro = "\\newcommand{\\x}{\\mbox{$\\quad$}}\n";
constexpr std::string_view kBlankNumberMacro = "\\newcommand{\\z}[1]{}\n";
constexpr std::string_view kBlankSharedMacro = "\\newcommand{\\zsoavt}[1]{}\n";
constexpr std::string_view kBlankStarredMacro = "\\newcommand{\\zz}[1]{}\n";
constexpr std::string_view kBlankGapMacro = "\\newcommand{\\x}{{\\quad}}\n";

}  // namespace

void writePreamble(Preamble variant, Bytes& out) {
    out += "\n{\n\n";
    out += kElementMacro;
    switch (variant) {
        case Preamble::Standard:
            out += kNumberMacro;
            out += kStarredMacro;
            out += kGapMacro;
            break;
        case Preamble::Author:
            out += kNumberMacro;
            out += kSharedMacro;
            out += kStarredMacro;
            out += kGapMacro;
            break;
        case Preamble::Blank:
            out += kBlankNumberMacro;
            out += kBlankSharedMacro;
            out += kBlankStarredMacro;
            out += kBlankGapMacro;
            break;
    }
    out += "\n";
}

void writeClosing(Preamble variant, Bytes& out) {
    out += variant == Preamble::Blank ? "\n\n\n}\n\n" : "\n}\n\n";
}

std::vector<ListedReference> listedReferences(const IndexElement& element, std::int32_t source) {
    std::vector<ListedReference> listed;
    if (element.actual == 0) return listed;
    for (ProblemRef problem : element.zz) {
        if (problem == nullptr) continue;
        std::int32_t n = numberInSource(problem, source);
        if (n <= 0) continue;
        if (!listed.empty() && listed.back().number == n) continue;
        listed.push_back({n, problem});
    }
    return listed;
}

void writeEntryHeading(const IndexElement& element, Bytes& out, std::size_t prefixLength) {
    out += "\\element";
    // Right-aligned ids keep the names of ids up to 9999 in one column.
    for (std::int32_t bound : {10, 100, 1000})
        if (element.id < bound) out += ' ';
    format(out, "{%d}", element.id);
    std::string_view name = element.name;
    if (name.size() >= prefixLength) name.remove_prefix(prefixLength);
    format(out, " %s", name);
}

void writeElementEntry(const IndexElement& element, std::int32_t source, Bytes& out, std::size_t prefixLength) {
    if (element.actual == 0) return;
    writeEntryHeading(element, out, prefixLength);
    out += " \\x ";
    Bytes list;
    writeReferenceList(element, source, list);
    out += list;
    if (!element.note.empty()) {
        if (!list.empty()) out += "; ";
        format(out, "%s", element.note);
    }
    out += " \\par\n";
}

void writeReferenceList(const IndexElement& element, std::int32_t source, Bytes& out) {
    bool first = true;
    StarredSet starred = starredSet(element);
    for (const ListedReference& ref : listedReferences(element, source)) {
        if (!first) out += ", ";
        out += starred.contains(ref.problem) ? "\\zz" : "\\z";
        format(out, "{%d}", ref.number);
        first = false;
    }
}

int countReferences(const IndexElement& element, std::int32_t source) {
    return static_cast<int>(listedReferences(element, source).size());
}
