#include "driver/passes.hpp"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "driver/console.hpp"
#include "elements/element_checks.hpp"
#include "elements/near_names.hpp"
#include "elements/table_checks.hpp"
#include "index/language_index.hpp"

namespace {

// One pass over the lines the first pass read.
template <class Handle>
Flow readPass(Passes& passes, Handle handle) {
    // A large source hands its lines on in portions, so memory stays bounded.
    constexpr long kLinesPerPortion = 4096;
    long handled = 0;
    return walkSource(passes.lines, {passes.copy, passes.console, passes.faults}, [&](const ContentLine& line) {
        handle(line);
        if (++handled % kLinesPerPortion == 0 && passes.spill) passes.spill();
    });
}

// Every accepted element line's name, in file order, where it stands.
std::vector<NameSighting> nameSightings(const ElementTable& elements, const RawLines& lines) {
    std::vector<NameSighting> names;
    names.reserve(elements.size());
    for (const IndexElement& element : elements) {
        if (!isLive(element) || element.line < 1 || static_cast<std::size_t>(element.line) > lines.size()) continue;
        names.push_back({element.name, element.line, lines[static_cast<std::size_t>(element.line) - 1],
                         static_cast<std::int32_t>(element.zz.size())});
    }
    // The table holds the lines in file order already; only a table that
    // was reordered needs the sort.
    auto byLine = [](const NameSighting& a, const NameSighting& b) { return a.line < b.line; };
    if (!std::is_sorted(names.begin(), names.end(), byLine)) std::stable_sort(names.begin(), names.end(), byLine);
    return names;
}

}  // namespace

Flow countLines(Passes& passes) {
    // Cut and folded once: the later passes walk the same lines.
    passes.lines = readSourceLines(passes.sourceText, &passes.findings, passes.faults);
    Flow flow = readPass(passes, [&](const ContentLine& line) {
        if (line.mode == SectionMode::Problems) ++passes.problemCount;
        else if (!isSourceLine(line.text)) ++passes.elementCount;
    });
    if (flow == Flow::Stop) return flow;
    linesCounted(passes.console, passes.lines.lineCount, passes.problemCount, passes.elementCount);
    return Flow::Go;
}

Flow readProblems(Passes& passes) {
    ProblemTable& problems = passes.tables.problems;
    // Memory running out goes up to the driver, which says so even when the
    // console is muted (a check, -q) and keeps no file.
    problems.records.assign(static_cast<std::size_t>(passes.problemCount), ProblemRecord{});
    std::size_t firstFree = 0;
    Flow flow = readPass(passes, [&](const ContentLine& line) {
        if (line.mode != SectionMode::Problems) return;
        StoredProblem stored = storeProblemLine(problems, firstFree, line.sourceLine(), passes.log1, &passes.findings);
        lineRefused(passes.console, stored.refusal, line.lineNumber);
    });
    indexPlacements(problems);
    return flow;
}

Flow readElements(Passes& passes) {
    Tables& tables = passes.tables;
    tables.elements = makeElementTable(static_cast<std::size_t>(passes.elementCount), passes.idCounter);
    tables.positionsRead = 0;
    std::size_t firstFree = 0;
    // One trace, emptied for every line, so that tracing allocates nothing once
    // it has grown; none when what the passes print is dropped (a check).
    ElementTrace trace;
    ElementParse parse{tables.problems, tables.positionsRead, passes.log2, passes.console.dropping ? nullptr : &trace,
                       &passes.findings};
    Flow flow = readPass(passes, [&](const ContentLine& line) {
        if (line.mode != SectionMode::Elements) return;
        if (isSourceLine(line.text)) {
            SourceRefusal refusal = storeSourceLine(tables.sources, line.sourceLine(), line.source, &passes.findings);
            sourceRefused(passes.console, refusal, line.lineNumber, line.text);
            return;
        }
        trace.clear();
        StoredElement stored = storeElementLine(tables.elements, firstFree, line.sourceLine(), line.source, parse);
        elementLineTraced(passes.console, trace, line.source);
        // A section without numbers has no references to trace: its lines are shown whole.
        if (stored.element != nullptr && stored.element->noNumber == 1)
            unnumberedElementRead(passes.console, stored.element->name, line.text);
        lineRefused(passes.console, stored.refusal, line.lineNumber);
        const IndexElement* taken = stored.element;
        if (taken == nullptr || !passes.lookFurther) return;
        checkElementLine(*taken, line.sourceLine(), passes.shape, &passes.findings);
        checkNotePlacement(*taken, line.sourceLine(), &passes.findings);
    });
    // The last pass: the lines' memory goes to what follows.
    passes.lines = SourceLines{};
    if (flow == Flow::Stop) return flow;
    elementsRead(passes.console, tables.positionsRead, tables.problems);
    return Flow::Go;
}

void checkTables(Passes& passes, std::optional<std::string_view> templateText) {
    if (!passes.lookFurther) return;
    RawLines lines;
    std::string_view raw;
    for (std::size_t pos = 0; readLine(passes.sourceText, pos, raw) != LineRead::End;) lines.push_back(raw);
    checkProblems(passes.tables.problems, passes.tables.sources, lines, &passes.findings);
    checkNearNames(nameSightings(passes.tables.elements, lines), readDifferentNames(passes.sourceText, &passes.findings),
                   &passes.findings);
    if (!templateText) return;
    std::vector<BlockLanguage> languages = checkTemplate(*templateText, &passes.findings);
    checkLanguagesNamed(passes.tables.elements, languages, lines, &passes.findings);
}
