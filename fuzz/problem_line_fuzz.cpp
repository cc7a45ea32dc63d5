// Any bytes as one problem line: the parser accepts or rejects, never more.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "problems/problem.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view line(reinterpret_cast<const char*>(data), size);
    ProblemRecord record;
    Sink log1;
    int result = parseProblemLine(record, line, 1, log1);
    // A rejected line leaves the record empty; an accepted one is defined.
    if ((result == 0) != (record.defined == 1)) __builtin_trap();
    if (result != 0 && record.placements[0].present != 0) __builtin_trap();
    return 0;
}
