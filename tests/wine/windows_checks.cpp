// The paths on Windows, where names ignore case and arrive in UTF-16; run
// under wine by tests/wine/run_cases.sh in a directory of its own. Prints each
// check that fails; the exit status is the number of failures.

#include <cstdio>
#include <filesystem>
#include <string>

#include "driver/paths.hpp"
#include "text/cp1251.hpp"

namespace fs = std::filesystem;

int main() {
    int failures = 0;
    auto check = [&](bool ok, const char* what) {
        if (ok) return;
        std::printf("FAILED %s\n", what);
        ++failures;
    };
    const fs::path dir = "windows-checks";
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    fs::create_directory(dir);

    // Neither file exists yet: the places are compared, name by name.
    check(samePath(dir / argumentPath("Новая книга/Копия.txt"), dir / argumentPath("НОВАЯ КНИГА/копия.TXT")),
          "Cyrillic names that differ in case only");
    check(samePath(dir / argumentPath("а/../Копия.txt"), dir / argumentPath("./КОПИЯ.txt")),
          "a name reached through .. and through .");
    check(!samePath(dir / argumentPath("Копия.txt"), dir / argumentPath("Копия.tex")), "different names");
    check(!samePath(dir / argumentPath("а/Копия.txt"), dir / argumentPath("б/Копия.txt")),
          "one name in different directories");

    // A name outside code page 1251 and the ANSI code page reaches the file system whole.
    const std::string name = "Ёлка 日本.txt";
    std::FILE* file = openFile(dir / argumentPath(name), "wb");
    check(file != nullptr, "creating a file with a Cyrillic and Chinese name");
    if (file != nullptr) std::fclose(file);
    check(fs::is_regular_file(dir / L"Ёлка 日本.txt"), "the file under its UTF-16 name");
    check(samePath(dir / argumentPath(name), dir / argumentPath("ЁЛКА 日本.TXT")), "an existing file in other case");
    check(!samePath(dir / argumentPath(name), dir / argumentPath("Елка 日本.txt")), "Ё is not Е");

    // Names are UTF-8 on Windows, so the messages show them in code page 1251 in either mode.
    for (Encoding encoding : {Encoding::Cp1251, Encoding::Utf8})
        check(shownName(name, encoding) == cp1251("Ёлка ??.txt").view(), "a name shown in code page 1251");

    fs::remove_all(dir, ignored);
    return failures;
}
