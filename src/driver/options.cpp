#include "driver/options.hpp"

#include "text/cp1251.hpp"

namespace {

constexpr auto kUsage = cp1251(
    "Использование: olyindex [КЛЮЧИ] ИСХОДНЫЙ_ФАЙЛ КОПИЯ\n"
    "               olyindex --check [--utf8] ИСХОДНЫЙ_ФАЙЛ\n"
    "               olyindex --lsp\n"
    "\n"
    "Строит указатели к сборнику задач лингвистических олимпиад.\n"
    "  ИСХОДНЫЙ_ФАЙЛ  размеченный исходный текст (кодовая страница 1251);\n"
    "  КОПИЯ          файл, куда записывается очищенная копия исходного текста.\n"
    "\n"
    "Читает в текущем каталоге шаблон indeksal_yazykov.tex.template (если он есть)\n"
    "и пишет туда же:\n"
    "  polnyj_indeksal.tex, po_terminam.tex, indeksal_yazykov.tex, po_olimpiadam.tex,\n"
    "  po_avtoram_uslovij.tex, po_avtoram_reshenij.tex, po_avtoram.tex,\n"
    "  po_russkomu_jazyku.tex, po_jazykam.tex, po_zadacham.tex,\n"
    "  tabl_po_nomeram.tex, tabl_po_olimpiadam.tex и журналы log1.log ... log5.log.\n"
    "\n"
    "Ключи:\n"
    "  --check        только проверить исходный файл и шаблон: ни один файл не пишется\n"
    "  --lsp          языковой сервер (LSP) для редакторов на стандартных входе и выходе\n"
    "  -q, --quiet    на экран только ошибки и предупреждения в виде ФАЙЛ:СТРОКА: ...\n"
    "  --utf8         исходный файл и шаблон в UTF-8, все файлы и сообщения в UTF-8\n"
    "  --order=ru     статьи в русском словарном порядке (для печати), а не по байтам\n"
    "  -h, --help     эта справка\n"
    "  --version      версия программы\n"
    "  --             конец ключей: дальше только имена файлов\n"
    "\n"
    "Код завершения: 0 - работа доведена до конца (при --check: ошибок нет),\n"
    "1 - работа прервана, найдены ошибки или какой-то файл не удалось записать.\n");

constexpr auto kUnknownOption = cp1251("\nОШИБКА: неизвестный ключ %s (список ключей: olyindex --help)\n");

}  // namespace

Options parseOptions(std::span<const std::string> commandLine) {
    Options options;
    bool help = false;
    bool version = false;
    bool check = false;
    bool lsp = false;
    bool optionsEnded = false;
    for (const std::string& arg : commandLine) {
        if (optionsEnded || !arg.starts_with('-')) options.args.push_back(arg);
        else if (arg == "--") optionsEnded = true;
        else if (arg == "--utf8") options.encoding = Encoding::Utf8;
        else if (arg == "--order=ru") options.order = NameOrder::Russian;
        else if (arg == "-q" || arg == "--quiet") options.quiet = true;
        else if (arg == "--check") check = true;
        else if (arg == "--lsp") lsp = true;
        else if (arg == "-h" || arg == "--help") help = true;
        else if (arg == "--version") version = true;
        else if (options.unknown.empty()) options.unknown = arg;
    }
    if (help) options.mode = Mode::Help;
    else if (version) options.mode = Mode::Version;
    else if (!options.unknown.empty()) options.mode = Mode::UnknownOption;
    else if (lsp) options.mode = Mode::Lsp;
    else if (check) options.mode = Mode::Check;
    return options;
}

Bytes usage() {
    return Bytes(kUsage.view());
}

Bytes unknownOption(const std::string& option) {
    Bytes message;
    format(message, kUnknownOption, option);
    return message;
}
