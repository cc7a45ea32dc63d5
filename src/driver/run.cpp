#include "driver/run.hpp"

#include <algorithm>
#include <array>
#include <new>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/book_check.hpp"
#include "driver/book_config.hpp"
#include "driver/console.hpp"
#include "driver/file_system.hpp"
#include "driver/options.hpp"
#include "driver/output_files.hpp"
#include "driver/passes.hpp"
#include "driver/paths.hpp"
#include "driver/run_lock.hpp"
#include "driver/signals.hpp"
#include "elements/ordering.hpp"
#include "elements/tables.hpp"
#include "index/author_index.hpp"
#include "index/full_index.hpp"
#include "index/language_index.hpp"
#include "index/olympiad_index.hpp"
#include "index/russian_index.hpp"
#include "lsp/stream.hpp"
#include "outputs/language_list.hpp"
#include "outputs/rubricator.hpp"
#include "outputs/table_by_numbers.hpp"
#include "outputs/table_by_olympiads.hpp"
#include "text/encoding.hpp"
#include "text/utf8.hpp"

namespace {

#ifdef _WIN32
constexpr const char* kPathSeparators = "/\\";
#else
constexpr const char* kPathSeparators = "/";
#endif

// The files created once every start-up check has passed, in their order of creation.
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

struct Run {
    Run(std::filesystem::path directory, std::ostream& terminalStream, Encoding fileEncoding, Encoding terminalEncoding,
        NameOrder nameOrder)
        : dir(std::move(directory)), terminal(terminalStream), encoding(fileEncoding), consoleEncoding(terminalEncoding),
          order(nameOrder) {}

    std::filesystem::path dir;
    std::ostream& terminal;
    Encoding encoding;         // of the files read and written
    Encoding consoleEncoding;  // of the terminal
    NameOrder order;           // of the element table once merged
    Sink console;  // goes to the terminal as it fills and when a stage ends
    bool consoleFailed = false;
    std::array<OutputFile, kFileCount> files;
    OutputFile copy;
    OutputFile languageIndex;
    bool languageIndexReached = false;  // its turn came: it is kept with the others
    RunLock lock;
    std::string sourceText;                   // the whole source, read once
    std::optional<std::string> templateText;  // none when there is no template
    Tables tables;
    TableShape shape;  // of the table by olympiads: the defaults or olyindex.toml's
    bool checking = false;     // --check: read and report, write no file
    bool quiet = false;        // -q: the console shows the findings only
    bool muted = false;        // what the stages print goes nowhere
    bool readingBegan = false;
    bool failed = false;        // memory ran out, or a file could not be made: nothing is kept
    bool watching = false;      // the run looks for a signal at every flush
    Findings findings;
    Passes passes{{}, tables, copy.sink, console, file(kLog1), file(kLog2), findings, false, Faults::Stop, {}};

    Sink& file(FileId id) { return files[id].sink; }

    // However the run ends, no temporary file outlives it: one that was not
    // put in place goes.
    ~Run() { discardFiles(); }

    void discardFiles() {
        discardOutput(copy);
        for (OutputFile& file : files) discardOutput(file);
        discardOutput(languageIndex);
    }

    // The sinks go to the terminal (nowhere while muted) and to the files.
    void connectSinks() {
        console.drain = [this](std::string_view bytes) {
            if (watching) stopIfInterrupted();
            if (muted) return;
            writeEncoded(bytes, consoleEncoding, [this](std::string_view piece) {
                terminal.write(piece.data(), static_cast<std::streamsize>(piece.size()));
            });
            if (!terminal) consoleFailed = true;
        };
        connectOutput(copy, encoding);
        for (OutputFile& file : files) connectOutput(file, encoding);
        connectOutput(languageIndex, encoding);
    }

    void flushConsole() {
        console.pass();
        if (!terminal.flush()) consoleFailed = true;
    }

    // What a stage wrote reaches the terminal and the files when it ends,
    // and a signal noted meanwhile ends the run here.
    void flush() {
        flushConsole();
        spillOutput(copy);
        for (OutputFile& file : files) spillOutput(file);
        spillOutput(languageIndex);
        if (watching) stopIfInterrupted();
    }

    // A name from the command line as the messages show it: a UTF-8 console
    // is converted, so the name is taken into code page 1251 first.
    std::string shown(const std::string& name) const { return shownName(name, consoleEncoding); }

    // A check and a quiet run tell a stop at start-up on one line, as they tell the findings.
    StopReport stops() { return {console, checking || quiet}; }
};

// Whether the files are written through to the disk before they take their
// places: a power cut then leaves each file old or new, never empty. The
// cost, measured with bench/run.sh, is in bench/results/fsync.md: about
// 0.2 to 0.6 s of waiting a run, no CPU.
constexpr bool kSyncBeforePlacing = true;

// Start-up. Every check comes before any file is created or emptied, so that
// a run that stops here leaves the directory exactly as it was.

Flow checkOutputsCreatable(Run& run) {
    for (std::string_view name : kFileNames) {
        if (canCreate(run.dir / name)) continue;
        outputUnavailable(run.stops(), name);
        return Flow::Stop;
    }
    return Flow::Go;
}

// The source is read once; the three passes walk its text.
Flow readSourceFile(Run& run, const std::string& name) {
    switch (readWholeFile(run.dir / argumentPath(name), run.sourceText)) {
        case WholeRead::Ok: return Flow::Go;
        case WholeRead::CannotOpen: sourceUnavailable(run.stops(), run.shown(name)); break;
        case WholeRead::ReadError: readFailed(run.stops(), run.shown(name)); break;
    }
    return Flow::Stop;
}

// Writing the copy (or the outputs) over the source, the template or one of
// the outputs would destroy what the run reads or writes.
Flow checkClashes(Run& run, const std::string& sourceName, const std::string& copyName) {
    // Every path is resolved once, and the resolved ones are compared.
    const ResolvedPath source = resolvedOnce(run.dir / argumentPath(sourceName));
    const ResolvedPath copy = resolvedOnce(run.dir / argumentPath(copyName));
    std::vector<std::string_view> written(kFileNames.begin(), kFileNames.end());
    written.push_back(kLanguageIndexName);
    std::vector<ResolvedPath> places;
    for (std::string_view name : written) places.push_back(resolvedOnce(run.dir / name));
    const ResolvedPath templ = resolvedOnce(run.dir / kTemplateName);
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (!sameResolvedPath(source, places[i])) continue;
        sourceIsWritten(run.stops(), run.shown(sourceName), written[i]);
        return Flow::Stop;
    }
    if (sameResolvedPath(source, copy)) {
        copyIsSource(run.stops(), run.shown(copyName));
        return Flow::Stop;
    }
    // An output linked to the template, or two outputs that are one file:
    // the run would write over the editors' template, or one output over another.
    for (std::size_t i = 0; i < written.size(); ++i) {
        const ResolvedPath& output = places[i];
        std::string_view other = sameResolvedPath(output, templ) ? kTemplateName : std::string_view();
        for (std::size_t j = 0; j < i && other.empty(); ++j)
            if (sameResolvedPath(output, places[j])) other = written[j];
        if (other.empty()) continue;
        outputsClash(run.console, written[i], other);
        return Flow::Stop;
    }
    written.push_back(kTemplateName);
    places.push_back(templ);
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (!sameResolvedPath(copy, places[i])) continue;
        copyIsUsed(run.stops(), run.shown(copyName), written[i]);
        return Flow::Stop;
    }
    return Flow::Go;
}

// The text of a file read whole, in the run's encoding: a UTF-8 file in a code
// page 1251 run would fill every output with garbage, and in UTF-8 a line that
// is no text in code page 1251 is found before anything is written.
Flow decodeInput(Run& run, std::string_view shownName, std::string& bytes) {
    if (run.encoding == Encoding::Cp1251 && looksLikeUtf8(bytes)) {
        utf8WithoutOption(run.stops(), shownName);
        return Flow::Stop;
    }
    DecodedText decoded = decodeText(std::move(bytes), run.encoding);
    bytes = std::move(decoded.text);
    if (decoded.ok()) return Flow::Go;
    encodingFault(run.stops(), shownName, decoded.faultLine, decoded.faultColumn, decoded.fault);
    return Flow::Stop;
}

// A template that does not open means no language index, without a word; a
// FIFO or a device, which reading could wait on forever, is refused.
Flow readTemplate(Run& run) {
    if (isSpecialFile(run.dir / kTemplateName)) {
        templateNotAFile(run.console);
        return Flow::Stop;
    }
    std::string bytes;
    switch (readWholeFile(run.dir / kTemplateName, bytes)) {
        case WholeRead::CannotOpen: return Flow::Go;
        case WholeRead::ReadError: readFailed(run.stops(), kTemplateName); return Flow::Stop;
        case WholeRead::Ok: break;
    }
    if (decodeInput(run, kTemplateName, bytes) == Flow::Stop) return Flow::Stop;
    if (!run.checking && !canCreate(run.dir / kLanguageIndexName)) {
        outputUnavailable(run.stops(), kLanguageIndexName);
        return Flow::Stop;
    }
    run.templateText = std::move(bytes);
    return Flow::Go;
}

// olyindex.toml of the book in `bookDir`, when there is one. A check reports
// its faults with the source's findings; a run stops on them.
Flow readConfig(Run& run, const std::filesystem::path& bookDir) {
    BookConfig config;
    Findings faults;
    if (readBookConfig(bookDir, config, &faults) == ConfigRead::ReadError) {
        configUnreadable(run.console);
        return Flow::Stop;
    }
    run.shape = std::move(config.table);
    if (faults.empty()) return Flow::Go;
    if (run.checking) {
        run.findings.insert(run.findings.end(), faults.begin(), faults.end());
        return Flow::Go;
    }
    std::stable_sort(faults.begin(), faults.end(), [](const Finding& a, const Finding& b) { return a.line < b.line; });
    configFaulty(run.console, faults);
    return Flow::Stop;
}

Flow checkArguments(Run& run, std::span<const std::string> args) {
    if (args.size() != 2) {
        wrongArgumentCount(run.stops(), args.size());
        return Flow::Stop;
    }
    Flow read = readSourceFile(run, args[0]);
    stopIfInterrupted();  // a signal is why a read from a pipe ended early
    if (read == Flow::Stop) return Flow::Stop;
    if (checkClashes(run, args[0], args[1]) == Flow::Stop) return Flow::Stop;
    if (decodeInput(run, run.shown(args[0]), run.sourceText) == Flow::Stop) return Flow::Stop;
    if (readTemplate(run) == Flow::Stop) return Flow::Stop;
    if (!canCreate(run.dir / argumentPath(args[1]))) {
        copyUnavailable(run.stops(), run.shown(args[1]));
        return Flow::Stop;
    }
    return Flow::Go;
}

// Every check has passed: the temporary files are created beside their
// targets, the outputs in their order, then the copy, then the language index
// when there is a template. This asks the system what the run will need (room
// for a file, a descriptor, a name it takes); a failure stops the run with
// the directory as it was, since the temporary files go again.
Flow createFiles(Run& run, const std::string& copyName) {
    removeLeftTemporaries(run.dir);
    for (std::size_t i = 0; i < kFileCount; ++i) {
        if (openOutput(run.files[i], run.dir, std::string(kFileNames[i]))) continue;
        outputUnavailable(run.stops(), kFileNames[i]);
        return Flow::Stop;
    }
    if (!openOutput(run.copy, run.dir, copyName)) {
        copyUnavailable(run.stops(), run.shown(copyName));
        return Flow::Stop;
    }
    run.copy.name = run.shown(copyName);
    if (run.templateText && !openOutput(run.languageIndex, run.dir, std::string(kLanguageIndexName))) {
        languageIndexUnavailable(run.console);
        return Flow::Stop;
    }
    return Flow::Go;
}

Flow startUp(Run& run, std::span<const std::string> args) {
    if (!lockDirectory(run.lock, run.dir)) {
        anotherRunHere(run.console);
        return Flow::Stop;
    }
    if (checkOutputsCreatable(run) == Flow::Stop) return Flow::Stop;
    if (!run.quiet) programStarts(run.console);
    if (checkArguments(run, args) == Flow::Stop) return Flow::Stop;
    if (readConfig(run, run.dir) == Flow::Stop) return Flow::Stop;
    return createFiles(run, args[1]);
}

// A check run from above the book's directory would check the source without
// its template; the template beside the source tells that this was meant.
void noteTemplateBesideSource(Run& run, const std::string& source) {
    std::size_t slash = source.find_last_of(kPathSeparators);
    if (slash == std::string::npos) return;
    std::string directory = source.substr(0, slash == 0 ? 1 : slash);
    std::error_code error;
    const std::filesystem::path beside = run.dir / argumentPath(directory) / kTemplateName;
    if (!std::filesystem::is_regular_file(beside, error) || samePath(beside, run.dir / kTemplateName)) return;
    templateBesideSource(run.console, run.shown(source), run.shown(directory));
}

// A check reads the source and the template as a run does, and touches no file.
Flow startCheck(Run& run, std::span<const std::string> args) {
    if (args.size() != 1) {
        wrongCheckArgumentCount(run.stops(), args.size());
        return Flow::Stop;
    }
    Flow read = readSourceFile(run, args[0]);
    stopIfInterrupted();
    if (read == Flow::Stop) return Flow::Stop;
    if (decodeInput(run, run.shown(args[0]), run.sourceText) == Flow::Stop) return Flow::Stop;
    if (readConfig(run, (run.dir / argumentPath(args[0])).parent_path()) == Flow::Stop) return Flow::Stop;
    if (readTemplate(run) == Flow::Stop) return Flow::Stop;
    if (!run.templateText) noteTemplateBesideSource(run, args[0]);
    return Flow::Go;
}

// The check proper prints nothing: its findings are printed at the end.
Flow checkStages(Run& run) {
    BookCheck checked = checkBook(std::move(run.sourceText), std::move(run.templateText), CheckOptions{run.shape});
    // After the findings of olyindex.toml, which start-up read.
    run.findings.insert(run.findings.end(), std::make_move_iterator(checked.findings.begin()),
                        std::make_move_iterator(checked.findings.end()));
    return checked.complete ? Flow::Go : Flow::Stop;
}

// The template was read at start-up and the language index's temporary file
// made; the index takes the place of the old one only when its turn has come.
Flow writeLanguageIndexStage(Run& run) {
    std::optional<std::string_view> templ;
    if (run.templateText) {
        templ = *run.templateText;
        run.languageIndexReached = true;
    }
    long lineTooLong = 0;
    if (writeLanguageIndex(run.tables, templ, run.languageIndex.sink, lineTooLong) == Flow::Stop) {
        templateLineTooLong(run.console, lineTooLong);
        return Flow::Stop;
    }
    stageEnds(run.console);
    return Flow::Go;
}

void separate(Run& run) {
    stageEnds(run.console);
}

// The lookups' duplicates that a writer met, in the order it met them.
void reportDuplicates(Run& run, std::span<const DuplicateLookup> duplicates) {
    for (const DuplicateLookup& duplicate : duplicates) duplicateFound(run.console, run.tables.problems, duplicate);
}

// Ordering step by step, the table dumped between the steps. Merging finds
// equal names as neighbours in byte order, so the table is sorted by bytes
// first, and log4, the dump after the sort and log5's positions show that
// order; the run's own order comes after the merging, and the dumps from
// then on show it.
void orderElements(Run& run) {
    ElementTable& elements = run.tables.elements;
    separate(run);
    logNames(elements, run.file(kLog3));
    elementsDumped(run.console, elements);
    separate(run);
    orderingStarts(run.console);
    sortElements(elements);
    logNames(elements, run.file(kLog4));
    elementsDumped(run.console, elements);
    mergeEqualNames(elements, run.file(kLog5));
    sortInNameOrder(elements, run.order);
    sortReferences(elements);
    separate(run);
    elementsDumped(run.console, elements);
    separate(run);
    elementsDumpedAsLatex(run.console, elements);
}

Flow writeOutputs(Run& run) {
    Tables& t = run.tables;
    writeFullIndex(t, run.file(kFullIndex));
    separate(run);
    writeTermsIndex(t, run.file(kTermsIndex));
    separate(run);
    run.flush();
    if (writeLanguageIndexStage(run) == Flow::Stop) return Flow::Stop;
    elementsDumpedAsLatex(run.console, t.elements);
    writeOlympiadIndex(t, run.file(kOlympiadIndex));
    const AuthorShares shares = authorShares(t.elements);
    writeConditionAuthorIndex(t, shares, run.file(kConditionAuthors));
    writeSolutionAuthorIndex(t, shares, run.file(kSolutionAuthors));
    writeCombinedAuthorIndex(t, shares, run.order, run.file(kAllAuthors));
    writeRussianIndex(t, run.file(kRussianIndex));
    separate(run);
    languageListStarts(run.console);
    writeLanguageList(t, run.file(kLanguageList));
    separate(run);
    run.flush();
    const std::int32_t maxBookNumber = computeMaxBookNumber(t);
    maxBookNumberFound(run.console, maxBookNumber);
    // One walk over the book numbers serves the trace, the rubricator and the
    // table by numbers; the two files' duplicates are told after the trace.
    Sink& rubricator = run.file(kRubricator);
    Sink& table = run.file(kTableByNumbers);
    std::vector<DuplicateLookup> rubricatorDuplicates;
    TableByNumbers rows = startTableByNumbers(t, table);
    listElementsByBookNumber(t, maxBookNumber, [&](const BookNumberListing& listing) {
        bookNumberListed(run.console, listing.number);
        reportDuplicates(run, listing.duplicates);
        for (const Referring& r : listing.elements) referringElementListed(run.console, r.element->name);
        writeRubricatorBlock(listing, rubricator, rubricatorDuplicates);
        writeTableRow(rows, listing, table);
    });
    separate(run);
    reportDuplicates(run, rubricatorDuplicates);
    reportDuplicates(run, finishTableByNumbers(rows, t, table));
    separate(run);
    writeTableByOlympiads(t, run.shape, maxBookNumber, run.file(kTableByOlympiads));
    separate(run);
    sourcesListed(run.console, t.sources);
    return Flow::Go;
}

Flow runStages(Run& run, std::span<const std::string> args) {
    if ((run.checking ? startCheck(run, args) : startUp(run, args)) == Flow::Stop) return Flow::Stop;
    run.flush();
    run.readingBegan = true;
    if (run.checking) return checkStages(run);
    run.muted = run.quiet;
    Passes& passes = run.passes;
    passes.sourceText = run.sourceText;
    passes.shape = run.shape;
    passes.lookFurther = run.quiet;  // a plain run does not look for what it would not show
    passes.spill = [&run] { run.flush(); };
    for (auto pass : {countLines, readProblems, readElements}) {
        Flow flow = pass(passes);
        run.flush();
        if (flow == Flow::Stop) return Flow::Stop;
    }
    checkTables(passes, run.templateText ? std::optional<std::string_view>(*run.templateText) : std::nullopt);
    std::string().swap(run.sourceText);  // read for the last time: its memory goes to the ordering
    orderElements(run);
    run.flush();
    return writeOutputs(run);
}

// Names a file that could not be written. Out of memory, the files are
// handled all the same and the exit status tells the failure.
void tellWriteFailed(Run& run, std::string_view name) {
    try {
        writeFailed(run.console, name);
    } catch (const std::bad_alloc&) {
    }
}

// Closes every file in order (copy, logs, fragments, the language index),
// naming each that could not be written; true when all of them were.
bool closeFiles(Run& run) {
    bool ok = true;
    auto close = [&](OutputFile& file) {
        if (closeOutput(file, kSyncBeforePlacing)) return;
        ok = false;
        tellWriteFailed(run, file.name);
    };
    close(run.copy);
    for (OutputFile& file : run.files) close(file);
    close(run.languageIndex);
    return ok;
}

// The closed files take the places of their targets in the order of closing,
// the language index only when its turn came; false when one could not be
// put in place (it is named, and the files after it are removed).
bool putFilesInPlace(Run& run) {
    if (!run.languageIndexReached) discardOutput(run.languageIndex);
    bool ok = true;
    auto place = [&](OutputFile& file) {
        if (!ok) {
            discardOutput(file);
            return;
        }
        if (putInPlace(file)) return;
        ok = false;
        tellWriteFailed(run, file.name);
    };
    place(run.copy);
    for (OutputFile& file : run.files) place(file);
    place(run.languageIndex);
    return ok;
}

// Memory ran out: what the stage printed goes out, then the message, written
// as it is so that printing it needs no memory; the tables are given back so
// that the files can still be closed.
void reportOutOfMemory(Run& run) {
    try {
        run.flushConsole();
    } catch (const std::bad_alloc&) {
        run.consoleFailed = true;
    }
    run.tables = Tables{};
    outOfMemory(run.terminal, run.consoleEncoding);
}

// The usage, the version and unknown options are answered without a file touched.
int answered(Run& run) {
    run.flushConsole();
    return run.consoleFailed ? 1 : 0;
}

int runCommandLine(std::span<const std::string> commandLine, const std::filesystem::path& dir, std::ostream& console,
                   Encoding consoleEncodingOtherwise) {
    Options options = parseOptions(commandLine);
    const Encoding consoleShows = consoleEncoding(options, consoleEncodingOtherwise);
    // "-C DIR" is taken from the directory the run was given, as a shell's cd would.
    const std::filesystem::path workDir = options.directory.empty() ? dir : dir / argumentPath(options.directory);
    Run state(workDir, console, options.encoding, consoleShows, options.order);
    state.connectSinks();
    state.checking = options.mode == Mode::Check;
    state.quiet = options.quiet;
    switch (options.mode) {
        case Mode::Help:
            usageAsked(state.console);
            return answered(state);
        case Mode::Version:
            versionAsked(state.console);
            return answered(state);
        case Mode::UnknownOption:
            optionRefused(state.console, options.fault, state.shown(options.unknown), options.check || options.quiet);
            answered(state);
            return 1;
        case Mode::Lsp: return serveLanguageServer();
        case Mode::Check:
        case Mode::Run: break;
    }
    if (std::error_code error; !options.directory.empty() && !std::filesystem::is_directory(state.dir, error)) {
        directoryUnavailable(state.stops(), state.shown(options.directory));
        state.flushConsole();
        return 1;
    }
    Flow flow = Flow::Stop;
    int signal = 0;
    try {
        state.watching = true;
        flow = runStages(state, options.args);
    } catch (const std::bad_alloc&) {
        reportOutOfMemory(state);
        state.failed = true;
    } catch (const Interrupted& interrupted) {
        signal = interrupted.signal;
    }
    state.watching = false;
    state.flush();
    state.muted = false;
    bool written = closeFiles(state);
    if (signal == 0) signal = pendingSignal();  // the last look before the files are put in place
    // What the run wrote is kept when it ended or stopped on its own after
    // reading began; every other ending leaves the earlier files as they were.
    bool keep = state.readingBegan && !state.checking && !state.failed && written && signal == 0;
    bool placed = keep && putFilesInPlace(state);
    if (!keep) state.discardFiles();
    if (signal != 0) runInterrupted(state.console);
    if ((state.checking || state.quiet) && state.readingBegan && !state.failed && signal == 0)
        findingsListed(state.console, state.findings, state.shown(options.args.at(0)));
    state.flushConsole();
    if (signal != 0) return 128 + signal;
    // Every line a run rejects is an error finding, with or without -q.
    const bool errorFound = countFindings(state.findings, Severity::Error) > 0;
    // A check that could not read its files, or ran out of memory, has failed.
    if (state.checking) return flow == Flow::Stop || errorFound || state.consoleFailed ? 1 : 0;
    bool complete = flow == Flow::Go && placed;
    return complete && !state.consoleFailed && !(options.strict && errorFound) ? 0 : 1;
}

}  // namespace

int run(std::span<const std::string> commandLine, const std::filesystem::path& dir, std::ostream& console,
        Encoding consoleEncoding) {
    try {
        return runCommandLine(commandLine, dir, console, consoleEncoding);
    } catch (const std::bad_alloc&) {
        // Before the run has its files, or while it closes them.
        outOfMemory(console, consoleEncoding);
        return 1;
    }
}
