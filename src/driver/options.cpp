#include "driver/options.hpp"

#include "text/cp1251.hpp"

namespace {

constexpr auto kUsage = cp1251(
    "Использование: olyindex ИСХОДНЫЙ_ФАЙЛ КОПИЯ\n"
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
    "Код завершения: 0 - работа доведена до конца, 1 - работа прервана\n"
    "или какой-то файл не удалось записать.\n"
    "\n"
    "С ключом --utf8 (в любом месте среди аргументов) исходный файл и шаблон\n"
    "читаются в UTF-8, а все файлы и сообщения пишутся в UTF-8.\n"
    "\n"
    "  olyindex --help     эта справка\n"
    "  olyindex --version  версия программы\n");

}  // namespace

std::optional<Bytes> infoRequested(std::span<const std::string> args) {
    if (args.size() != 1) return std::nullopt;
    if (args[0] == "--help") return Bytes(kUsage.view());
    if (args[0] == "--version") return Bytes("olyindex " OLYINDEX_VERSION "\n");
    return std::nullopt;
}

Options parseOptions(std::span<const std::string> commandLine) {
    Options options;
    for (const std::string& arg : commandLine) {
        if (arg == "--utf8") options.encoding = Encoding::Utf8;
        else options.args.push_back(arg);
    }
    return options;
}
