#include "driver/run.hpp"

#include <array>
#include <fstream>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

#include "driver/options.hpp"
#include "driver/output_files.hpp"
#include "driver/paths.hpp"
#include "driver/source_reader.hpp"
#include "elements/ordering.hpp"
#include "elements/tables.hpp"
#include "index/author_index.hpp"
#include "index/full_index.hpp"
#include "index/language_index.hpp"
#include "index/olympiad_index.hpp"
#include "index/russian_index.hpp"
#include "outputs/language_list.hpp"
#include "outputs/rubricator.hpp"
#include "outputs/table_by_numbers.hpp"
#include "outputs/table_by_olympiads.hpp"
#include "text/cp1251.hpp"
#include "text/separator.hpp"
#include "text/utf8.hpp"

namespace {

bool writeConsole(std::ostream& out, std::string_view bytes, Encoding encoding) {
    std::string converted = encoding == Encoding::Utf8 ? toUtf8(bytes) : std::string(bytes);
    out.write(converted.data(), static_cast<std::streamsize>(converted.size()));
    return static_cast<bool>(out.flush());
}

// The files created before anything else, in their order of creation.
enum FileId {
    kLog1, kLog2, kLog3, kLog4, kLog5,
    kRubricator, kLanguageList, kOlympiadIndex, kFullIndex, kConditionAuthors, kSolutionAuthors,
    kAllAuthors, kTermsIndex, kRussianIndex, kTableByNumbers, kTableByOlympiads,
    kFileCount
};

constexpr std::array<std::string_view, kFileCount> kFileNames = {
    "log1.log", "log2.log", "log3.log", "log4.log", "log5.log",
    "po_zadacham.tex", "po_jazykam.tex", "po_olimpiadam.tex", "polnyj_indeksal.tex",
    "po_avtoram_uslovij.tex", "po_avtoram_reshenij.tex", "po_avtoram.tex", "po_terminam.tex",
    "po_russkomu_jazyku.tex", "tabl_po_nomeram.tex", "tabl_po_olimpiadam.tex",
};

constexpr std::string_view kTemplateName = "indeksal_yazykov.tex.template";
constexpr std::string_view kLanguageIndexName = "indeksal_yazykov.tex";

struct Run {
    Run(std::filesystem::path directory, std::ostream& console, Encoding encoding)
        : dir(std::move(directory)), out(console), encoding(encoding) {}

    std::filesystem::path dir;
    std::ostream& out;
    Encoding encoding;
    Bytes console;
    std::array<OutputFile, kFileCount> files;
    OutputFile copy;
    OutputFile languageIndex;
    std::ifstream source;
    std::string sourceName;
    Tables tables;
    std::int32_t problemCount = 0;
    std::int32_t elementCount = 0;

    Bytes& file(FileId id) { return files[id].bytes; }

    // What a stage wrote reaches the console and the files when it ends.
    void flush() {
        writeConsole(out, console, encoding);
        console.clear();
        spillOutput(copy, encoding);
        for (OutputFile& file : files) spillOutput(file, encoding);
        spillOutput(languageIndex, encoding);
    }

    // A name from the command line as the messages show it.
    std::string shown(const std::string& name) const { return shownName(name, encoding); }
};

Flow openFiles(Run& run) {
    for (std::size_t i = 0; i < kFileCount; ++i) {
        if (!openOutput(run.files[i], run.dir, std::string(kFileNames[i]))) {
            format(run.console, cp1251("\nОШИБКА: файл %s недоступен\n"), kFileNames[i]);
            return Flow::Stop;
        }
    }
    return Flow::Go;
}

bool isDirectory(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

Flow openSourceAndCopy(Run& run, std::span<const std::string> args) {
    if (args.size() != 2) {
        format(run.console, cp1251("\nОШИБКА: нужно 2 аргумента (откуда, куда), а указано %d\n"), args.size());
        return Flow::Stop;
    }
    std::filesystem::path sourcePath = run.dir / argumentPath(args[0]);
    std::filesystem::path copyPath = run.dir / argumentPath(args[1]);
    if (!isDirectory(sourcePath)) run.source.open(sourcePath, std::ios::binary);
    if (!run.source.is_open()) {
        format(run.console, cp1251("\nОШИБКА: файл %s [1] недоступен\n"), run.shown(args[0]));
        return Flow::Stop;
    }
    // Opening the copy for writing would destroy the source.
    if (samePath(sourcePath, copyPath)) {
        run.source.close();
        format(run.console, cp1251("\nОШИБКА: файл %s [2] совпадает с исходным файлом\n"), run.shown(args[1]));
        return Flow::Stop;
    }
    if (!openOutput(run.copy, run.dir, args[1])) {
        run.source.close();
        format(run.console, cp1251("\nОШИБКА: файл %s [2] недоступен\n"), run.shown(args[1]));
        return Flow::Stop;
    }
    run.copy.name = run.shown(args[1]);
    run.sourceName = run.shown(args[0]);
    return Flow::Go;
}

Flow readPass(Run& run, const std::function<void(const ContentLine&)>& handle, long& lineCount) {
    run.source.clear();
    run.source.seekg(0);
    // A large source hands its lines on in portions, so memory stays bounded.
    constexpr long kLinesPerPortion = 4096;
    long handled = 0;
    auto handleAndSpill = [&](const ContentLine& line) {
        handle(line);
        if (++handled % kLinesPerPortion == 0) run.flush();
    };
    return readSource(SourceFile{run.source, run.sourceName, run.encoding}, PassSinks{run.copy.bytes, run.console},
                      handleAndSpill, lineCount);
}

ElementParse elementParse(Run& run) {
    return ElementParse{run.tables.problems, run.tables.positionsRead, run.file(kLog2), run.console};
}

Flow countLines(Run& run) {
    long lineCount = 0;
    Flow flow = readPass(run, [&](const ContentLine& line) {
        if (line.mode == SectionMode::Problems) ++run.problemCount;
        else if (!isSourceLine(line.text)) ++run.elementCount;
    }, lineCount);
    if (flow == Flow::Stop) return flow;
    format(run.console, cp1251("\nПрочитано %ld строк."), lineCount);
    format(run.console, cp1251("\nЗаписей о задачах               %d."), run.problemCount);
    format(run.console, cp1251("\nЭлементов предметного указателя %d."), run.elementCount);
    run.console += '\n';
    return Flow::Go;
}

Flow readProblems(Run& run) {
    try {
        run.tables.problems.records.assign(static_cast<std::size_t>(run.problemCount), ProblemRecord{});
    } catch (const std::bad_alloc&) {
        run.console += cp1251("\nОШИБКА распределения памяти\n").view();
        return Flow::Stop;
    }
    long lineCount = 0;
    std::size_t firstFree = 0;
    Flow flow = readPass(run, [&](const ContentLine& line) {
        if (line.mode == SectionMode::Problems)
            storeProblemLine(run.tables.problems, firstFree, line.text, line.lineNumber, run.file(kLog1), run.console);
    }, lineCount);
    indexPlacements(run.tables.problems);
    return flow;
}

Flow readElements(Run& run) {
    try {
        run.tables.elements = makeElementTable(static_cast<std::size_t>(run.elementCount), run.tables.idCounter);
    } catch (const std::bad_alloc&) {
        run.console += cp1251("\nОШИБКА распределения памяти\n").view();
        return Flow::Stop;
    }
    run.tables.positionsRead = 0;
    long lineCount = 0;
    std::size_t firstFree = 0;
    Flow flow = readPass(run, [&](const ContentLine& line) {
        if (line.mode != SectionMode::Elements) return;
        if (isSourceLine(line.text))
            storeSourceLine(run.tables.sources, line.text, line.source, line.lineNumber, run.console);
        else
            storeElementLine(run.tables.elements, firstFree, line.text, line.source, line.lineNumber, elementParse(run));
    }, lineCount);
    if (flow == Flow::Stop) return flow;
    format(run.console, cp1251("\nПрочитано %ld позиций\n"), run.tables.positionsRead);
    for (const ProblemRecord& record : run.tables.problems) printProblem(record, run.console);
    return Flow::Go;
}

Flow writeLanguageIndexStage(Run& run) {
    std::filesystem::path templatePath = run.dir / kTemplateName;
    std::ifstream templ;
    if (!isDirectory(templatePath)) templ.open(templatePath, std::ios::binary);
    std::istream* input = nullptr;
    if (templ.is_open() && openOutput(run.languageIndex, run.dir, std::string(kLanguageIndexName))) input = &templ;
    return writeLanguageIndex(run.tables, input, run.encoding, run.languageIndex.bytes, run.console);
}

void separate(Run& run) {
    run.console += kSeparator;
}

Flow writeOutputs(Run& run) {
    Tables& t = run.tables;
    writeFullIndex(t, run.file(kFullIndex), run.console);
    writeTermsIndex(t, run.file(kTermsIndex), run.console);
    run.flush();
    if (writeLanguageIndexStage(run) == Flow::Stop) return Flow::Stop;
    writeOlympiadIndex(t, run.file(kOlympiadIndex), run.console);
    writeConditionAuthorIndex(t, run.file(kConditionAuthors));
    writeSolutionAuthorIndex(t, run.file(kSolutionAuthors));
    writeCombinedAuthorIndex(t, run.file(kAllAuthors));
    writeRussianIndex(t, run.file(kRussianIndex));
    separate(run);
    writeLanguageList(t, run.file(kLanguageList), run.console);
    separate(run);
    run.flush();
    t.maxBookNumber = computeMaxBookNumber(t, run.console);
    printElementsByBookNumber(t, t.maxBookNumber, run.console);
    separate(run);
    writeRubricator(t, t.maxBookNumber, run.file(kRubricator), run.console);
    writeTableByNumbers(t, t.maxBookNumber, run.file(kTableByNumbers), run.console);
    separate(run);
    writeTableByOlympiads(t, t.maxBookNumber, run.file(kTableByOlympiads));
    separate(run);
    for (const SourceEntry& entry : t.sources) printSource(entry, run.console);
    return Flow::Go;
}

Flow runStages(Run& run, std::span<const std::string> args) {
    if (openFiles(run) == Flow::Stop) return Flow::Stop;
    run.console += cp1251("\nПрограмма для построения индекса к книжке \"Квиртала\"\n").view();
    if (openSourceAndCopy(run, args) == Flow::Stop) return Flow::Stop;
    run.flush();
    for (auto stage : {countLines, readProblems, readElements}) {
        Flow flow = stage(run);
        run.flush();
        if (flow == Flow::Stop) return Flow::Stop;
    }
    run.source.close();
    orderElements(run.tables.elements, OrderingLogs{run.file(kLog3), run.file(kLog4), run.file(kLog5)}, run.console);
    run.flush();
    return writeOutputs(run);
}

// Closes every file in order (copy, logs, fragments, the language index);
// true when all of them were written.
bool closeFiles(Run& run) {
    run.source.close();
    bool ok = true;
    auto close = [&](OutputFile& file) {
        if (closeOutput(file, run.encoding)) return;
        format(run.console, cp1251("\nОШИБКА записи в файл %s\n"), file.name);
        ok = false;
    };
    close(run.copy);
    for (OutputFile& file : run.files) close(file);
    close(run.languageIndex);
    return ok;
}

}  // namespace

int run(std::span<const std::string> commandLine, const std::filesystem::path& dir, std::ostream& console) {
    Options options = parseOptions(commandLine);
    if (std::optional<Bytes> info = infoRequested(options.args))
        return writeConsole(console, *info, options.encoding) ? 0 : 1;
    Run state(dir, console, options.encoding);
    Flow flow = runStages(state, options.args);
    bool written = closeFiles(state);
    state.flush();
    return flow == Flow::Go && written ? 0 : 1;
}
