#include "driver/console.hpp"

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>

#include "driver/book_config.hpp"
#include "driver/options.hpp"
#include "index/entry.hpp"
#include "index/language_index.hpp"
#include "latex/references.hpp"
#include "text/cp1251.hpp"
#include "text/line_input.hpp"
#include "text/numbers.hpp"

namespace {

// A plain run's stops and faults: on a line of their own after an empty one.
constexpr auto kOutOfMemory = cp1251("\nОШИБКА распределения памяти\n");
constexpr auto kNoFreeRecord = cp1251("\nОШИБКА поиска свободного элемента массива\n");
constexpr auto kBadFormat = cp1251("\nОШИБКА формата, строка %ld\n");
constexpr auto kBadSourceLine = cp1251("\nОШИБКА в исходном файле в строке %ld:\n%s\n");
constexpr auto kNoRoomForSource = cp1251("\nОШИБКА: недостаточно места в таблице источников\n");
constexpr auto kSourceLineTooLong = cp1251("\nОШИБКА: в исходном файле длина строки %ld превышает %d символов.");
constexpr auto kLineTooLong = cp1251("\nОШИБКА: в файле %s длина строки %ld превышает %d символов.");
constexpr auto kCannotHoldPlain =
    cp1251("\nОШИБКА: в файле %s в строке %ld символ U+%04X нельзя записать в кодировке 1251\n");
constexpr auto kNotUtf8Plain = cp1251("\nОШИБКА: в файле %s в строке %ld байты %s не являются символом UTF-8\n");
constexpr auto kFileUnavailable = cp1251("\nОШИБКА: файл %s недоступен\n");
constexpr auto kArgumentCountPlain = cp1251("\nОШИБКА: нужно 2 аргумента (откуда, куда), а указано %d\n");
constexpr auto kCheckArgumentCountPlain =
    cp1251("\nОШИБКА: для проверки нужен 1 аргумент (исходный файл), а указано %d\n");
constexpr auto kSourceUnavailablePlain = cp1251("\nОШИБКА: файл %s [1] недоступен\n");
constexpr auto kCopyUnavailablePlain = cp1251("\nОШИБКА: файл %s [2] недоступен\n");
constexpr auto kCopyIsSourcePlain = cp1251("\nОШИБКА: файл %s [2] совпадает с исходным файлом\n");
constexpr auto kSourceClash = cp1251("\nОШИБКА: файл %s [1] совпадает с файлом %s\n");
constexpr auto kCopyClash = cp1251("\nОШИБКА: файл %s [2] совпадает с файлом %s\n");
constexpr auto kReadError = cp1251("\nОШИБКА чтения файла %s\n");
constexpr auto kUtf8WithoutOptionPlain =
    cp1251("\nОШИБКА: файл %s записан в кодировке UTF-8; запустите программу с ключом --utf8\n");
constexpr auto kConfigError = cp1251("\nОШИБКА: в файле olyindex.toml в строке %ld: %s\n");
constexpr auto kWriteError = cp1251("\nОШИБКА записи в файл %s\n");
constexpr auto kClash = cp1251("\nОШИБКА: файл %s совпадает с файлом %s\n");
constexpr auto kNotAFile = cp1251("\nОШИБКА: файл %s не является обычным файлом\n");
constexpr auto kAnotherRun = cp1251("\nОШИБКА: в этом каталоге уже идёт другой запуск olyindex\n");
constexpr auto kInterrupted = cp1251("\nОШИБКА: работа прервана; прежние файлы сохранены\n");
constexpr auto kDirectoryUnavailable = cp1251("\nОШИБКА: каталог %s недоступен\n");

// A check's and a quiet run's stops: one line that names what it is about.
constexpr auto kOutputUnavailable = cp1251("%s: ошибка: файл нельзя создать или перезаписать\n");
constexpr auto kArgumentCount = cp1251("olyindex: ошибка: нужно 2 аргумента (откуда, куда), а указано %d\n");
constexpr auto kCheckArgumentCount =
    cp1251("olyindex: ошибка: для проверки нужен 1 аргумент (исходный файл), а указано %d\n");
constexpr auto kSourceUnavailable = cp1251("%s: ошибка: исходный файл недоступен\n");
constexpr auto kReadFailed = cp1251("%s: ошибка: файл не удалось дочитать до конца\n");
constexpr auto kSourceIsWritten = cp1251("%s: ошибка: исходный файл совпадает с файлом %s, который пишет программа\n");
constexpr auto kCopyIsSource = cp1251("%s: ошибка: копия совпадает с исходным файлом\n");
constexpr auto kCopyIsUsed = cp1251("%s: ошибка: копия совпадает с файлом %s\n");
constexpr auto kCopyUnavailable = cp1251("%s: ошибка: файл копии нельзя создать\n");
constexpr auto kUtf8WithoutOption =
    cp1251("%s: ошибка: файл записан в кодировке UTF-8; запустите программу с ключом --utf8\n");
constexpr auto kCannotHold = cp1251("%s:%ld:%ld: ошибка: символ U+%04X нельзя записать в кодировке 1251\n");
constexpr auto kNotUtf8 = cp1251("%s:%ld:%ld: ошибка: байты %s не являются символом UTF-8\n");
constexpr auto kDirectoryUnavailableCompact = cp1251("%s: ошибка: каталог недоступен\n");
constexpr auto kTemplateBesideSource =
    cp1251("%s: замечание: шаблон indeksal_yazykov.tex.template лежит рядом с исходным файлом, а не в каталоге "
           "запуска, и не проверен; проверяйте из каталога книги (ключ -C %s)\n");

// The answers to the command line.
constexpr auto kUsage = cp1251(
    "Использование: olyindex [КЛЮЧИ] ИСХОДНЫЙ_ФАЙЛ КОПИЯ\n"
    "               olyindex --check [КЛЮЧИ] ИСХОДНЫЙ_ФАЙЛ\n"
    "               olyindex --lsp\n"
    "\n"
    "Строит указатели к сборнику задач лингвистических олимпиад.\n"
    "  ИСХОДНЫЙ_ФАЙЛ  размеченный исходный текст (кодовая страница 1251);\n"
    "  КОПИЯ          файл, куда записывается очищенная копия исходного текста.\n"
    "\n"
    "Читает в каталоге книги (текущем или заданном ключом -C) шаблон\n"
    "indeksal_yazykov.tex.template (если он есть) и пишет туда же:\n"
    "  polnyj_indeksal.tex, po_terminam.tex, indeksal_yazykov.tex, po_olimpiadam.tex,\n"
    "  po_avtoram_uslovij.tex, po_avtoram_reshenij.tex, po_avtoram.tex,\n"
    "  po_russkomu_jazyku.tex, po_jazykam.tex, po_zadacham.tex,\n"
    "  tabl_po_nomeram.tex, tabl_po_olimpiadam.tex и журналы log1.log ... log5.log.\n"
    "\n"
    "Ключи:\n"
    "  --check        только проверить исходный файл и шаблон: ни один файл не пишется\n"
    "  --lsp          языковой сервер (LSP) для редакторов на стандартных входе и выходе\n"
    "  -q, --quiet    на экране только находки, как у --check: ФАЙЛ:СТРОКА:СТОЛБЕЦ: ...\n"
    "  --strict       код завершения 1, если найдена хоть одна ошибка\n"
    "  -C КАТАЛОГ     работать в КАТАЛОГЕ: имена файлов и в сообщениях - от него\n"
    "  --utf8         исходный файл и шаблон в UTF-8, все файлы и сообщения в UTF-8\n"
    "  --console=utf8, --console=cp1251\n"
    "                 кодировка консоли при любой локали (в Windows - кодовая страница)\n"
    "  --order=ru     статьи в русском словарном порядке (для печати), а не по байтам\n"
    "  -h, --help     эта справка\n"
    "  --version      версия программы\n"
    "  --             конец ключей: дальше только имена файлов\n"
    "\n"
    "Код завершения:\n"
    "  0  работа доведена до конца и все файлы записаны, даже если какие-то строки\n"
    "     отвергнуты (о них сказано на консоли); --check: ошибок не найдено;\n"
    "     --help, --version: когда текст выведен;\n"
    "  1  работа не начата (неверный ключ или аргументы, файл недоступен) или\n"
    "     остановлена, какой-то файл или консоль не удалось записать, не хватило\n"
    "     памяти; --check: найдена ошибка или проверка не смогла начаться;\n"
    "     с --strict ещё и тогда, когда запуск нашёл хоть одну ошибку (отвергнутую\n"
    "     строку), хотя все файлы записаны.\n");

constexpr auto kUnknownOption = cp1251("ОШИБКА: неизвестный ключ %s (список ключей: olyindex --help)");
constexpr auto kNoDirectory = cp1251("ОШИБКА: после ключа %s нужно имя каталога");
constexpr auto kBadConsole = cp1251("ОШИБКА: неизвестная кодировка консоли в ключе %s: нужно --console=utf8 или --console=cp1251");

// The run's trace.
constexpr auto kBanner = cp1251("\nПрограмма для построения индекса к книжке \"Квиртала\"\n");
constexpr auto kLinesRead = cp1251("\nПрочитано %ld строк.");
constexpr auto kProblemCount = cp1251("\nЗаписей о задачах               %d.");
constexpr auto kElementCount = cp1251("\nЭлементов предметного указателя %d.");
constexpr auto kPositionsRead = cp1251("\nПрочитано %ld позиций\n");
constexpr auto kNoRoomForReferences = cp1251("\nnew zz: ошибка распределения памяти (Nzz=%d).\n");
constexpr auto kNoRoomForStarred = cp1251("\nnew zz_: ошибка распределения памяти (Nzz=%d).\n");
constexpr auto kOrdering = cp1251("\nСделать сортировку элементов указателя\nи слияние элементов с одинаковыми названиями,\n"
                                  "а также сортировку номеров внутри элемента.\n");
constexpr auto kLanguageList = cp1251("\n=== СПИСОК ЯЗЫКОВ ===\n");
constexpr auto kMaxBookNumber = cp1251("\n\nМаксимальный номер задачи в источнике %d равен %d");
constexpr auto kDuplicate = cp1251("\nДУБЛИКАТ/%s/\n");
// Between the stages: a line of 60 '='.
constexpr std::string_view kSeparator = "\n============================================================\n";
static_assert(kSeparator.size() == 62);

// "2: [0/5] [3/7.1]\n"; nothing for an empty record. Written piece by piece
// rather than formatted: the trace shows every problem.
void showProblem(Sink& console, const ProblemRecord& record) {
    if (record.defined != 1) return;
    appendDecimal(console, presentCount(record));
    console += ':';
    for (const Placement& p : record.placements) {
        if (p.present != 1) continue;
        console += " [";
        console += placementText(p).view();
        console += ']';
    }
    console += '\n';
}

// A text as "%s" shows it: up to its first zero byte.
std::string_view shownText(std::string_view text) {
    const void* zero = std::memchr(text.data(), '\0', text.size());
    return zero == nullptr ? text : text.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - text.data()));
}

// Every reference of the element spelled by `spell` (spellPlainNumber or
// spellLinkedNumber), ", " between them, then its note, after "; " when a
// reference came before it. The dumps show every reference of the table, so
// each goes to the sink in one piece, separator and all.
template <char* (*spell)(const ListedReference&, char*)>
void writeReferencesAndNote(const IndexElement& element, Sink& out) {
    bool first = true;
    forEachReference(element, 0, [&](const ListedReference& reference) {
        char piece[kSpelledNumberRoom];
        char* at = piece;
        if (!first) {
            *at++ = ',';
            *at++ = ' ';
        }
        first = false;
        out += std::string_view(piece, static_cast<std::size_t>(spell(reference, at) - piece));
    });
    if (element.note.empty()) return;
    if (!first) out += "; ";
    out += shownText(element.note);
}

std::string_view fileName(InFile file, std::string_view sourceName) {
    switch (file) {
        case InFile::Source: return sourceName;
        case InFile::Template: return kTemplateName;
        case InFile::Config: return kConfigName;
    }
    return sourceName;
}

std::string hexBytes(std::string_view bytes) {
    std::string hex;
    for (char byte : bytes) {
        if (!hex.empty()) hex += ' ';
        format(hex, "%02X", static_cast<unsigned char>(byte));
    }
    return hex;
}

}  // namespace

void usageAsked(Sink& console) {
    console += kUsage.view();
}

void versionAsked(Sink& console) {
    console += "olyindex " OLYINDEX_VERSION "\n";
}

void optionRefused(Sink& console, OptionFault fault, std::string_view shownOption, bool compact) {
    Bytes message;
    switch (fault) {
        case OptionFault::NoDirectory: format(message, kNoDirectory, shownOption); break;
        case OptionFault::BadConsole: format(message, kBadConsole, shownOption); break;
        case OptionFault::Unknown:
        case OptionFault::None: format(message, kUnknownOption, shownOption); break;
    }
    // "ОШИБКА: " on a line of its own, or after the program's name as compilers print it.
    constexpr auto kPlainStart = cp1251("ОШИБКА: ");
    if (compact) {
        console += cp1251("olyindex: ошибка: ").view();
        console += std::string_view(message).substr(kPlainStart.view().size());
        console += '\n';
        return;
    }
    console += '\n';
    console += message;
    console += '\n';
}

void outputUnavailable(StopReport report, std::string_view name) {
    if (report.compact) format(report.console, kOutputUnavailable, name);
    else format(report.console, kFileUnavailable, name);
}

void wrongArgumentCount(StopReport report, std::size_t count) {
    if (report.compact) format(report.console, kArgumentCount, count);
    else format(report.console, kArgumentCountPlain, count);
}

void wrongCheckArgumentCount(StopReport report, std::size_t count) {
    if (report.compact) format(report.console, kCheckArgumentCount, count);
    else format(report.console, kCheckArgumentCountPlain, count);
}

void sourceUnavailable(StopReport report, std::string_view source) {
    if (report.compact) format(report.console, kSourceUnavailable, source);
    else format(report.console, kSourceUnavailablePlain, source);
}

void readFailed(StopReport report, std::string_view name) {
    if (report.compact) format(report.console, kReadFailed, name);
    else format(report.console, kReadError, name);
}

void sourceIsWritten(StopReport report, std::string_view source, std::string_view written) {
    if (report.compact) format(report.console, kSourceIsWritten, source, written);
    else format(report.console, kSourceClash, source, written);
}

void copyIsSource(StopReport report, std::string_view copy) {
    if (report.compact) format(report.console, kCopyIsSource, copy);
    else format(report.console, kCopyIsSourcePlain, copy);
}

void copyIsUsed(StopReport report, std::string_view copy, std::string_view used) {
    if (report.compact) format(report.console, kCopyIsUsed, copy, used);
    else format(report.console, kCopyClash, copy, used);
}

void copyUnavailable(StopReport report, std::string_view copy) {
    if (report.compact) format(report.console, kCopyUnavailable, copy);
    else format(report.console, kCopyUnavailablePlain, copy);
}

void utf8WithoutOption(StopReport report, std::string_view name) {
    if (report.compact) format(report.console, kUtf8WithoutOption, name);
    else format(report.console, kUtf8WithoutOptionPlain, name);
}

void encodingFault(StopReport report, std::string_view name, long line, long column, const FromUtf8& fault) {
    if (fault.codePoint >= 0) {
        if (report.compact) format(report.console, kCannotHold, name, line, column, fault.codePoint);
        else format(report.console, kCannotHoldPlain, name, line, fault.codePoint);
        return;
    }
    if (report.compact) format(report.console, kNotUtf8, name, line, column, hexBytes(fault.badBytes));
    else format(report.console, kNotUtf8Plain, name, line, hexBytes(fault.badBytes));
}

void directoryUnavailable(StopReport report, std::string_view directory) {
    if (report.compact) format(report.console, kDirectoryUnavailableCompact, directory);
    else format(report.console, kDirectoryUnavailable, directory);
}

void templateBesideSource(Sink& console, std::string_view source, std::string_view sourceDirectory) {
    format(console, kTemplateBesideSource, source, sourceDirectory);
}

void outputsClash(Sink& console, std::string_view output, std::string_view other) {
    format(console, kClash, output, other);
}

void templateNotAFile(Sink& console) {
    format(console, kNotAFile, kTemplateName);
}

void configUnreadable(Sink& console) {
    format(console, kReadError, kConfigName);
}

void configFaulty(Sink& console, std::span<const Finding> faults) {
    for (const Finding& fault : faults) format(console, kConfigError, fault.line, fault.message);
}

void languageIndexUnavailable(Sink& console) {
    format(console, kFileUnavailable, kLanguageIndexName);
}

void anotherRunHere(Sink& console) {
    console += kAnotherRun.view();
}

void programStarts(Sink& console) {
    console += kBanner.view();
}

void sourceLineTooLong(Sink& console, long line) {
    format(console, kSourceLineTooLong, line, kLineLimit);
}

void badSourceLine(Sink& console, long line, std::string_view text) {
    format(console, kBadSourceLine, line, text);
}

void linesCounted(Sink& console, long lines, std::int32_t problems, std::int32_t elements) {
    format(console, kLinesRead, lines);
    format(console, kProblemCount, problems);
    format(console, kElementCount, elements);
    console += '\n';
}

void lineRefused(Sink& console, Refusal refusal, long line) {
    switch (refusal) {
        case Refusal::None: break;
        case Refusal::NoFreeRecord: console += kNoFreeRecord.view(); break;
        case Refusal::Rejected: format(console, kBadFormat, line); break;
    }
}

void sourceRefused(Sink& console, SourceRefusal refusal, long line, std::string_view text) {
    switch (refusal) {
        case SourceRefusal::None: break;
        case SourceRefusal::NoRoom: console += kNoRoomForSource.view(); break;
        case SourceRefusal::LabelTooLong: badSourceLine(console, line, text); break;
    }
}

void elementLineTraced(Sink& console, std::span<const TraceEntry> trace, std::int32_t source) {
    for (const TraceEntry& entry : trace) {
        switch (entry.step) {
            case TraceStep::Point: console += "<.>"; break;
            case TraceStep::Unresolved: format(console, "\n[<!>%d/%d]", source, entry.number); break;
            case TraceStep::Stored:  // the common step: written without a format
                console += '[';
                appendDecimal(console, entry.number);
                console += ']';
                break;
            case TraceStep::NoRoomForReferences: format(console, kNoRoomForReferences, entry.number); break;
            case TraceStep::NoRoomForStarred: format(console, kNoRoomForStarred, entry.number); break;
        }
    }
}

void unnumberedElementRead(Sink& console, std::string_view name, std::string_view line) {
    format(console, "\nno_number[%s/%s]", name, line);
}

void elementsRead(Sink& console, long positions, const ProblemTable& problems) {
    format(console, kPositionsRead, positions);
    for (const ProblemRecord& record : problems) showProblem(console, record);
}

void stageEnds(Sink& console) {
    console += kSeparator;
}

void orderingStarts(Sink& console) {
    console += kOrdering.view();
}

// Both dumps print every reference of the table: no list of them is built,
// and each number is spelled without the writers' general forms.
void elementsDumped(Sink& console, const ElementTable& table) {
    for (const IndexElement& element : table) {
        if (!isLive(element)) continue;
        console += shownText(element.name);
        console += " -- ";
        writeReferencesAndNote<spellPlainNumber>(element, console);
        console += '\n';
    }
}

void elementsDumpedAsLatex(Sink& console, const ElementTable& table) {
    for (const IndexElement& element : table) {
        if (!isLive(element)) continue;
        writeElementTarget(Decimal(element.id).view(), console);
        console += shownText(element.name);
        console += "\\mbox{$\\quad$}";
        writeReferencesAndNote<spellLinkedNumber>(element, console);
        console += "\\par\n";
    }
}

void templateLineTooLong(Sink& console, long line) {
    format(console, kLineTooLong, kTemplateName, line, kLineLimit);
}

void languageListStarts(Sink& console) {
    format(console, kLanguageList);
}

void maxBookNumberFound(Sink& console, std::int32_t maximum) {
    format(console, kMaxBookNumber, 0, maximum);
}

// Without a format, as referringElementListed: the listing has a line for
// every book number and every reference to it.
void bookNumberListed(Sink& console, std::int32_t number) {
    console += "\n\n\n";
    appendDecimal(console, number);
    console += ":\n";
}

void duplicateFound(Sink& console, const ProblemTable& problems, const DuplicateLookup& duplicate) {
    format(console, kDuplicate, duplicate.element);
    format(console, "%x ", handleOf(problems, duplicate.kept));
    showProblem(console, *duplicate.kept);
    format(console, "%x ", handleOf(problems, duplicate.other));
    showProblem(console, *duplicate.other);
}

void referringElementListed(Sink& console, std::string_view name) {
    console += shownText(name);
    console += '\n';
}

void sourcesListed(Sink& console, const SourceTable& sources) {
    for (const SourceEntry& entry : sources)
        if (entry.used == 1) format(console, "%d/%s/%s\n", entry.source, entry.abbreviation, entry.fullName);
}

void findingsListed(Sink& console, Findings findings, std::string_view sourceName) {
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    });
    for (const Finding& f : findings) {
        format(console, "%s:%ld:%d: %s: %s\n", fileName(f.file, sourceName), f.line, f.firstColumn,
               f.severity == Severity::Error ? cp1251("ошибка").view() : cp1251("предупреждение").view(), f.message);
    }
    format(console, cp1251("%s: ошибок %ld, предупреждений %ld\n"), sourceName,
           countFindings(findings, Severity::Error), countFindings(findings, Severity::Warning));
}

void writeFailed(Sink& console, std::string_view name) {
    format(console, kWriteError, name);
}

void runInterrupted(Sink& console) {
    console += kInterrupted.view();
}

void outOfMemory(std::ostream& terminal, Encoding encoding) {
    // The literal in the source is UTF-8 already.
    constexpr std::string_view kUtf8 = "\nОШИБКА распределения памяти\n";
    std::string_view message = encoding == Encoding::Utf8 ? kUtf8 : kOutOfMemory.view();
    terminal.write(message.data(), static_cast<std::streamsize>(message.size()));
    terminal.flush();
}
