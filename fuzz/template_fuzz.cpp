// Any bytes as the language template, filled from a small book.
#include <cstddef>
#include <cstdint>
#include <string>

#include "elements/tables.hpp"
#include "index/language_index.hpp"
#include "text/cp1251.hpp"
#include "text/encoding.hpp"

namespace {

Tables smallBook() {
    Tables tables;
    tables.problems.records.resize(3);
    Sink log;
    parseProblemLine(tables.problems.records[0], "0/1", 1, log);
    parseProblemLine(tables.problems.records[1], "0/2", 2, log);
    parseProblemLine(tables.problems.records[2], "0/3", 3, log);
    indexPlacements(tables.problems);
    static constexpr auto kLanguage = cp1251("абазинский язык");
    static constexpr auto kDialects = cp1251("абазинский язык (диалекты)");
    static constexpr auto kNoLanguage = cp1251("{}язык жестов");
    for (std::string_view name : {kLanguage.view(), kDialects.view(), kNoLanguage.view()}) {
        IndexElement e;
        e.id = static_cast<std::int32_t>(tables.elements.size()) + 2;  // as a run numbers them
        e.actual = 1;
        e.name = std::string(name);
        for (const ProblemRecord& r : tables.problems) e.zz.push_back(&r);
        e.zz_.assign(e.zz.size(), nullptr);
        tables.elements.push_back(e);
    }
    return tables;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Tables tables = smallBook();
    for (Encoding encoding : {Encoding::Cp1251, Encoding::Utf8}) {
        DecodedText templ = decodeText(std::string(reinterpret_cast<const char*>(data), size), encoding);
        Sink out;
        long lineTooLong = 0;
        if (writeLanguageIndex(tables, templ.text, out, lineTooLong) == Flow::Stop && lineTooLong < 1) __builtin_trap();
    }
    return 0;
}
