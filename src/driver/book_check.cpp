#include "driver/book_check.hpp"

#include <string_view>
#include <utility>

#include "driver/passes.hpp"

BookCheck checkBook(std::string sourceText, std::optional<std::string> templateText, CheckOptions options) {
    BookCheck checked;
    // What the passes print goes nowhere, and is not even put together.
    Sink copy, console, log1, log2;
    for (Sink* sink : {&copy, &console, &log1, &log2}) sink->dropping = true;
    Passes passes{sourceText, checked.tables, copy, console, log1, log2, checked.findings, true, Faults::PassOver, {}};
    passes.shape = std::move(options.shape);
    for (auto pass : {countLines, readProblems, readElements})
        if (pass(passes) == Flow::Stop) return checked;
    checkTables(passes, templateText ? std::optional<std::string_view>(*templateText) : std::nullopt);
    checked.complete = true;
    return checked;
}
