#pragma once
// The run's console messages in code page 1251, gathered so that their wording
// is read and changed in one place. Most are printed by one file only: the
// start-up ones by the driver, the others by the pass that meets the fault;
// the first four are printed by both the problem and the element passes.

#include "text/cp1251.hpp"

namespace messages {

inline constexpr auto kOutOfMemory = cp1251("\nОШИБКА распределения памяти\n");
inline constexpr auto kNoFreeRecord = cp1251("\nОШИБКА поиска свободного элемента массива\n");
inline constexpr auto kBadFormat = cp1251("\nОШИБКА формата, строка %ld\n");
inline constexpr auto kBadSourceLine = cp1251("\nОШИБКА в исходном файле в строке %ld:\n%s\n");
inline constexpr auto kNoRoomForSource = cp1251("\nОШИБКА: недостаточно места в таблице источников\n");

// Lines over the limit (the limit is an argument): in the source, in the template (named).
inline constexpr auto kSourceLineTooLong = cp1251("\nОШИБКА: в исходном файле длина строки %ld превышает %d символов.");
inline constexpr auto kLineTooLong = cp1251("\nОШИБКА: в файле %s длина строки %ld превышает %d символов.");

// Text that is not UTF-8, or that code page 1251 cannot hold.
inline constexpr auto kCannotHold =
    cp1251("\nОШИБКА: в файле %s в строке %ld символ U+%04X нельзя записать в кодировке 1251\n");
inline constexpr auto kNotUtf8 = cp1251("\nОШИБКА: в файле %s в строке %ld байты %s не являются символом UTF-8\n");

// Start-up: the files of the run and its arguments.
inline constexpr auto kFileUnavailable = cp1251("\nОШИБКА: файл %s недоступен\n");
inline constexpr auto kArgumentCount = cp1251("\nОШИБКА: нужно 2 аргумента (откуда, куда), а указано %d\n");
inline constexpr auto kCheckArgumentCount =
    cp1251("\nОШИБКА: для проверки нужен 1 аргумент (исходный файл), а указано %d\n");
inline constexpr auto kSourceUnavailable = cp1251("\nОШИБКА: файл %s [1] недоступен\n");
inline constexpr auto kCopyUnavailable = cp1251("\nОШИБКА: файл %s [2] недоступен\n");
inline constexpr auto kCopyIsSource = cp1251("\nОШИБКА: файл %s [2] совпадает с исходным файлом\n");
inline constexpr auto kSourceClash = cp1251("\nОШИБКА: файл %s [1] совпадает с файлом %s\n");
inline constexpr auto kCopyClash = cp1251("\nОШИБКА: файл %s [2] совпадает с файлом %s\n");
inline constexpr auto kReadError = cp1251("\nОШИБКА чтения файла %s\n");
inline constexpr auto kUtf8WithoutOption =
    cp1251("\nОШИБКА: файл %s записан в кодировке UTF-8; запустите программу с ключом --utf8\n");
inline constexpr auto kConfigError = cp1251("\nОШИБКА: в файле olyindex.toml в строке %ld: %s\n");
inline constexpr auto kWriteError = cp1251("\nОШИБКА записи в файл %s\n");
inline constexpr auto kClash = cp1251("\nОШИБКА: файл %s совпадает с файлом %s\n");
inline constexpr auto kNotAFile = cp1251("\nОШИБКА: файл %s не является обычным файлом\n");
inline constexpr auto kAnotherRun = cp1251("\nОШИБКА: в этом каталоге уже идёт другой запуск olyindex\n");
inline constexpr auto kInterrupted = cp1251("\nОШИБКА: работа прервана; прежние файлы сохранены\n");

}  // namespace messages
