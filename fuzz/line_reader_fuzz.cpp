// Any bytes as a source, decoded as code page 1251 and as UTF-8: every
// content line handed on is clean and within the limit.
#include <cstddef>
#include <cstdint>
#include <string>

#include "driver/source_reader.hpp"
#include "text/encoding.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (Encoding encoding : {Encoding::Cp1251, Encoding::Utf8}) {
        DecodedText source = decodeText(std::string(reinterpret_cast<const char*>(data), size), encoding);
        Sink copy, console;
        Findings findings;
        SourceLines lines = readSourceLines(source.text, &findings, Faults::PassOver);
        walkSource(lines, PassSinks{copy, console, Faults::PassOver}, [](const ContentLine& line) {
            std::string_view text = line.text;
            bool clean = !text.empty() && text.size() <= 2048 && text.front() != ' ' && text.back() != ' ' &&
                         text.find("  ") == std::string_view::npos && text.find("//") == std::string_view::npos &&
                         text.find_first_of(std::string_view("\n\r\0", 3)) == std::string_view::npos;
            if (!clean) __builtin_trap();
        });
    }
    return 0;
}
