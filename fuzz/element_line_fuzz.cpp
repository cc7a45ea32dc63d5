// Any bytes as one element line, in a numbered section and in one without
// numbers, against a small problem table.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "elements/element.hpp"

namespace {

ProblemTable smallBook() {
    ProblemTable table;
    const char* lines[] = {"0/1 5/12", "0/2 5/34", "0/3 5/7.2", "0/4 5/7.1 1/1", "0/5 1/1"};
    table.records.resize(std::size(lines));
    Sink log;
    for (std::size_t i = 0; i < std::size(lines); ++i) parseProblemLine(table.records[i], lines[i], 1, log);
    indexPlacements(table);
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ProblemTable problems = smallBook();
    std::string line(reinterpret_cast<const char*>(data), size);
    for (std::int32_t source : {5, 1, -1}) {
        std::int32_t positionsRead = 0;
        Sink log2;
        ElementTrace trace;
        IndexElement element;
        int result = parseElementLine(element, line, source, ElementParse{problems, positionsRead, log2, &trace});
        if ((result == 0) != (element.actual == 1)) __builtin_trap();
        for (ProblemRef ref : element.zz)
            if (ref == nullptr) __builtin_trap();
        // The starred references are among the references, in the same order.
        auto at = element.zz.begin();
        for (ProblemRef starred : element.zz_) {
            at = std::find(at, element.zz.end(), starred);
            if (at == element.zz.end()) __builtin_trap();
            ++at;
        }
    }
    return 0;
}
