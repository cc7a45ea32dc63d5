#include "driver/startup_stops.hpp"

#include "text/cp1251.hpp"
#include "text/encoding.hpp"
#include "text/messages.hpp"

namespace {

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
constexpr auto kDirectoryUnavailable = cp1251("\nОШИБКА: каталог %s недоступен\n");
constexpr auto kDirectoryUnavailableCompact = cp1251("%s: ошибка: каталог недоступен\n");
constexpr auto kTemplateBesideSource =
    cp1251("%s: замечание: шаблон indeksal_yazykov.tex.template лежит рядом с исходным файлом, а не в каталоге "
           "запуска, и не проверен; проверяйте из каталога книги (ключ -C %s)\n");

}  // namespace

void outputUnavailable(StopReport report, std::string_view name) {
    if (report.compact) format(report.console, kOutputUnavailable, name);
    else format(report.console, messages::kFileUnavailable, name);
}

void wrongArgumentCount(StopReport report, std::size_t count) {
    if (report.compact) format(report.console, kArgumentCount, count);
    else format(report.console, messages::kArgumentCount, count);
}

void wrongCheckArgumentCount(StopReport report, std::size_t count) {
    if (report.compact) format(report.console, kCheckArgumentCount, count);
    else format(report.console, messages::kCheckArgumentCount, count);
}

void sourceUnavailable(StopReport report, std::string_view source) {
    if (report.compact) format(report.console, kSourceUnavailable, source);
    else format(report.console, messages::kSourceUnavailable, source);
}

void readFailed(StopReport report, std::string_view name) {
    if (report.compact) format(report.console, kReadFailed, name);
    else format(report.console, messages::kReadError, name);
}

void sourceIsWritten(StopReport report, std::string_view source, std::string_view written) {
    if (report.compact) format(report.console, kSourceIsWritten, source, written);
    else format(report.console, messages::kSourceClash, source, written);
}

void copyIsSource(StopReport report, std::string_view copy) {
    if (report.compact) format(report.console, kCopyIsSource, copy);
    else format(report.console, messages::kCopyIsSource, copy);
}

void copyIsUsed(StopReport report, std::string_view copy, std::string_view used) {
    if (report.compact) format(report.console, kCopyIsUsed, copy, used);
    else format(report.console, messages::kCopyClash, copy, used);
}

void copyUnavailable(StopReport report, std::string_view copy) {
    if (report.compact) format(report.console, kCopyUnavailable, copy);
    else format(report.console, messages::kCopyUnavailable, copy);
}

void utf8WithoutOption(StopReport report, std::string_view name) {
    if (report.compact) format(report.console, kUtf8WithoutOption, name);
    else format(report.console, messages::kUtf8WithoutOption, name);
}

void encodingFault(StopReport report, std::string_view name, long line, long column, const FromUtf8& fault) {
    if (!report.compact) {
        printEncodingFault(report.console, name, line, fault);
        return;
    }
    if (fault.codePoint >= 0) {
        format(report.console, kCannotHold, name, line, column, fault.codePoint);
        return;
    }
    std::string hex;
    for (char byte : fault.badBytes) {
        if (!hex.empty()) hex += ' ';
        format(hex, "%02X", static_cast<unsigned char>(byte));
    }
    format(report.console, kNotUtf8, name, line, column, hex);
}

void directoryUnavailable(StopReport report, std::string_view directory) {
    if (report.compact) format(report.console, kDirectoryUnavailableCompact, directory);
    else format(report.console, kDirectoryUnavailable, directory);
}

void templateBesideSource(Sink& console, std::string_view source, std::string_view sourceDirectory) {
    format(console, kTemplateBesideSource, source, sourceDirectory);
}
