#include "driver/options.hpp"

#include "text/cp1251.hpp"

namespace {

constexpr auto kUsage = cp1251(
    "Использование: olyindex [КЛЮЧИ] ИСХОДНЫЙ_ФАЙЛ КОПИЯ\n"
    "               olyindex --check [КЛЮЧИ] ИСХОДНЫЙ_ФАЙЛ\n"
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

// "a" then "b" is "a/b"; an absolute "b" stands alone.
void composeDirectory(std::string& directory, const std::string& next) {
    bool absolute = next.starts_with('/') || next.starts_with('\\') || (next.size() > 1 && next[1] == ':');
    if (directory.empty() || absolute) directory = next;
    else directory += (directory.ends_with('/') ? "" : "/") + next;
}

}  // namespace

Options parseOptions(std::span<const std::string> commandLine) {
    Options options;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    auto refuse = [&](OptionFault fault, const std::string& arg) {
        if (options.fault != OptionFault::None) return;
        options.fault = fault;
        options.unknown = arg;
    };
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        const std::string& arg = commandLine[i];
        if (optionsEnded || !arg.starts_with('-')) options.args.push_back(arg);
        else if (arg == "--") optionsEnded = true;
        else if (arg == "--utf8") options.encoding = Encoding::Utf8;
        else if (arg == "--order=ru") options.order = NameOrder::Russian;
        else if (arg == "-q" || arg == "--quiet") options.quiet = true;
        else if (arg == "--strict") options.strict = true;
        else if (arg == "--check") options.check = true;
        else if (arg == "-h" || arg == "--help") help = true;
        else if (arg == "--version") version = true;
        else if (arg == "--console=utf8") options.console = Encoding::Utf8;
        else if (arg == "--console=cp1251") options.console = Encoding::Cp1251;
        else if (arg.starts_with("--console=")) refuse(OptionFault::BadConsole, arg);
        else if (arg == "-C" && i + 1 < commandLine.size() && !commandLine[i + 1].empty())
            composeDirectory(options.directory, commandLine[++i]);
        else if (arg == "-C") refuse(OptionFault::NoDirectory, arg);
        else if (arg.starts_with("-C")) composeDirectory(options.directory, arg.substr(2));
        else if (arg.starts_with("--directory=") && arg.size() > 12) composeDirectory(options.directory, arg.substr(12));
        else refuse(OptionFault::Unknown, arg);
    }
    if (help) options.mode = Mode::Help;
    else if (version) options.mode = Mode::Version;
    else if (options.fault != OptionFault::None) options.mode = Mode::UnknownOption;
    else if (options.check) options.mode = Mode::Check;
    return options;
}

Encoding consoleEncoding(const Options& options, Encoding otherwise) {
    if (options.console) return *options.console;
    return options.encoding == Encoding::Utf8 ? Encoding::Utf8 : otherwise;
}

Bytes usage() {
    return Bytes(kUsage.view());
}

Bytes optionFault(OptionFault fault, const std::string& shownOption, bool compact) {
    Bytes message;
    switch (fault) {
        case OptionFault::NoDirectory: format(message, kNoDirectory, shownOption); break;
        case OptionFault::BadConsole: format(message, kBadConsole, shownOption); break;
        case OptionFault::Unknown:
        case OptionFault::None: format(message, kUnknownOption, shownOption); break;
    }
    // "ОШИБКА: " on a line of its own, or after the program's name as compilers print it.
    constexpr auto kPlainStart = cp1251("ОШИБКА: ");
    if (compact) return Bytes(cp1251("olyindex: ошибка: ").view()) + message.substr(kPlainStart.view().size()) + "\n";
    return "\n" + message + "\n";
}
