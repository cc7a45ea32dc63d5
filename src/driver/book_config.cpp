#include "driver/book_config.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

// The one file that parses TOML: toml++ header-only, without exceptions (a
// parse error is a value) and without the writers we do not need.
#define TOML_EXCEPTIONS 0
#define TOML_ENABLE_FORMATTERS 0
#include <toml++/toml.h>

#include "driver/file_system.hpp"
#include "text/cp1251.hpp"
#include "text/utf8.hpp"

namespace {

constexpr std::string_view kOlympiads = "olympiads";
constexpr std::string_view kYears = "years";
constexpr std::string_view kRounds = "rounds";
constexpr std::string_view kRoundNames = "round_names";
constexpr std::string_view kSlots = "slots";
constexpr std::string_view kRows = "rows";

// toml++ counts columns in characters and ends a region after its last one.
Location locationOf(const toml::source_region& region) {
    Location at{InFile::Config, static_cast<long>(region.begin.line), static_cast<std::int32_t>(region.begin.column),
                static_cast<std::int32_t>(region.begin.column)};
    if (region.end.line == region.begin.line && region.end.column > region.begin.column)
        at.lastColumn = static_cast<std::int32_t>(region.end.column) - 1;
    return at;
}

// UTF-8 shown in a message: a character code page 1251 lacks becomes "?".
Bytes shown(std::string_view utf8) {
    Bytes out;
    while (!utf8.empty()) {
        char32_t c = 0;
        std::size_t length = decodeUtf8Character(utf8, c);
        int byte = length == 0 ? -1 : cp1251table::fromUnicode(c);
        out += byte < 0 ? '?' : static_cast<char>(byte);
        utf8.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return out;
}

struct Loader {
    Findings* findings;
    long errors = 0;

    void fault(const toml::source_region& at, std::string_view code, Bytes message) {
        ++errors;
        addFinding(findings, locationOf(at), Severity::Error, code, std::move(message));
    }

    // An integer within its bounds.
    std::optional<std::int32_t> count(std::string_view key, const toml::node& node, std::int32_t most) {
        const toml::value<std::int64_t>* value = node.as_integer();
        Bytes why;
        if (value == nullptr) {
            format(why, cp1251("%s: нужно целое число"), key);
            fault(node.source(), "config-wrong-type", std::move(why));
            return std::nullopt;
        }
        if (value->get() < 1 || value->get() > most) {
            format(why, cp1251("%s = %ld вне 1–%d"), key, value->get(), most);
            fault(node.source(), "config-out-of-range", std::move(why));
            return std::nullopt;
        }
        return static_cast<std::int32_t>(value->get());
    }

    // A list of texts, each turned into code page 1251.
    std::optional<std::vector<Bytes>> texts(std::string_view key, const toml::node& node) {
        const toml::array* array = node.as_array();
        Bytes why;
        if (array == nullptr) {
            format(why, cp1251("%s: нужен список текстов в кавычках, [\"…\", \"…\"]"), key);
            fault(node.source(), "config-wrong-type", std::move(why));
            return std::nullopt;
        }
        std::vector<Bytes> list;
        bool whole = true;
        for (const toml::node& item : *array) {
            const toml::value<std::string>* text = item.as_string();
            if (text == nullptr) {
                format(why, cp1251("%s: каждое значение должно быть текстом в кавычках"), key);
                fault(item.source(), "config-wrong-type", std::move(why));
                return std::nullopt;
            }
            FromUtf8 converted = fromUtf8(text->get());
            if (converted.codePoint >= 0) {
                format(why, cp1251("%s: символ U+%04X нельзя записать в кодировке 1251"), key, converted.codePoint);
                fault(item.source(), "config-not-cp1251", std::move(why));
                whole = false;
            }
            list.push_back(std::move(converted.text));
        }
        if (!whole) return std::nullopt;
        return list;
    }

    void unknown(const toml::key& key, std::string_view known) {
        Bytes why;
        format(why, cp1251("неизвестный ключ «%s»: %s"), shown(key.str()), known);
        fault(key.source(), "unknown-config-key", std::move(why));
    }
};

// A list and its key: when a count is given beside it, the two must agree;
// when not, the list's length is the count.
struct Sized {
    const toml::key* key = nullptr;
    std::optional<std::vector<Bytes>> list;
};

TableShape loadTable(Loader& loader, const toml::table& table) {
    TableShape shape;
    std::optional<std::int32_t> olympiads, rounds, slots;
    const toml::key* olympiadsKey = nullptr;
    Sized years, roundNames, rows;
    for (auto&& [key, node] : table) {
        std::string_view name = key.str();
        if (name == kOlympiads) {
            olympiadsKey = &key;
            olympiads = loader.count(name, node, kMaxOlympiads);
        } else if (name == kRounds) {
            rounds = loader.count(name, node, kMaxRounds);
        } else if (name == kSlots) {
            slots = loader.count(name, node, kMaxSlots);
        } else if (name == kYears) {
            years = {&key, loader.texts(name, node)};
        } else if (name == kRoundNames) {
            roundNames = {&key, loader.texts(name, node)};
        } else if (name == kRows) {
            rows = {&key, loader.texts(name, node)};
        } else {
            loader.unknown(key, cp1251("в разделе [table] бывают olympiads, years, rounds, round_names, slots и rows"));
        }
    }
    Bytes why;
    auto fault = [&](const toml::key& key, std::string_view code) {
        loader.fault(key.source(), code, std::exchange(why, Bytes()));
    };

    if (years.list) {
        std::int32_t given = static_cast<std::int32_t>(years.list->size());
        if (olympiads && given != *olympiads) {
            format(why, cp1251("в years значений: %d, а олимпиад (olympiads): %d"), given, *olympiads);
            fault(*years.key, "config-wrong-length");
        } else if (given < 1 || given > kMaxOlympiads) {
            format(why, cp1251("в years значений: %d, а нужно от 1 до %d"), given, kMaxOlympiads);
            fault(*years.key, "config-out-of-range");
        }
        shape.years = std::move(*years.list);
    } else if (years.key == nullptr && olympiads && *olympiads != shape.olympiads()) {
        format(why, cp1251("olympiads = %d: нужен и список years, год каждой олимпиады"), *olympiads);
        fault(*olympiadsKey, "config-wrong-length");
    }

    if (roundNames.list) {
        std::int32_t given = static_cast<std::int32_t>(roundNames.list->size());
        if (rounds && given != *rounds) {
            format(why, cp1251("в round_names названий: %d, а туров (rounds): %d"), given, *rounds);
            fault(*roundNames.key, "config-wrong-length");
        } else if (given < 1 || given > kMaxRounds) {
            format(why, cp1251("в round_names названий: %d, а нужно от 1 до %d"), given, kMaxRounds);
            fault(*roundNames.key, "config-out-of-range");
        }
        shape.roundNames = std::move(*roundNames.list);
    } else if (roundNames.key == nullptr && rounds) {
        shape.roundNames.assign(kRoundOrdinals.begin(), kRoundOrdinals.begin() + *rounds);
    }

    if (slots) shape.slots = *slots;

    if (rows.list) {
        std::vector<Bytes>& letters = *rows.list;
        if (letters.empty() || static_cast<std::int32_t>(letters.size()) > kMaxRows) {
            format(why, cp1251("в rows букв: %d, а нужно от 1 до %d"), letters.size(), kMaxRows);
            fault(*rows.key, "config-out-of-range");
        }
        for (std::size_t i = 0; i < letters.size(); ++i) {
            if (letters[i].empty()) {
                why = cp1251("rows: буква строки не может быть пустой").view();
                fault(*rows.key, "config-bad-row");
            } else if (std::find(letters.begin(), letters.begin() + static_cast<std::ptrdiff_t>(i), letters[i]) !=
                       letters.begin() + static_cast<std::ptrdiff_t>(i)) {
                format(why, cp1251("rows: буква «%s» повторяется"), letters[i]);
                fault(*rows.key, "config-bad-row");
            }
        }
        shape.rows = std::move(letters);
    }
    return shape;
}

// Where the text first stops being UTF-8: the line, the column and the byte.
bool reportNotUtf8(Loader& loader, std::string_view text) {
    toml::source_position at{1, 1};
    for (std::string_view rest = text; !rest.empty();) {
        char32_t c = 0;
        std::size_t length = decodeUtf8Character(rest, c);
        if (length == 0) {
            Bytes why;
            format(why, cp1251("байт %02X не входит в символ UTF-8: olyindex.toml пишется в кодировке UTF-8"),
                   static_cast<unsigned char>(rest[0]));
            loader.fault(toml::source_region{at, at, nullptr}, "config-not-utf8", std::move(why));
            return true;
        }
        if (c == '\n') {
            ++at.line;
            at.column = 1;
        } else {
            ++at.column;
        }
        rest.remove_prefix(length);
    }
    return false;
}

}  // namespace

BookConfig loadBookConfig(std::string_view tomlText, Findings* findings) {
    BookConfig config;
    Loader loader{findings};
    if (reportNotUtf8(loader, tomlText)) return config;
    toml::parse_result parsed = toml::parse(tomlText, std::string_view(kConfigName));
    if (!parsed) {
        Bytes why;
        format(why, cp1251("неверный синтаксис TOML: %s"), shown(parsed.error().description()));
        loader.fault(parsed.error().source(), "config-syntax", std::move(why));
        return config;
    }
    TableShape shape;
    for (auto&& [key, node] : parsed.table()) {
        if (key.str() != "table") {
            loader.unknown(key, cp1251("в файле бывает только раздел [table]"));
        } else if (const toml::table* table = node.as_table()) {
            shape = loadTable(loader, *table);
        } else {
            loader.fault(node.source(), "config-wrong-type", Bytes(cp1251("table: нужен раздел [table]").view()));
        }
    }
    if (loader.errors == 0) config.table = std::move(shape);
    return config;
}

ConfigRead readBookConfig(const std::filesystem::path& bookDir, BookConfig& config, Findings* findings) {
    const std::filesystem::path path = bookDir / kConfigName;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return ConfigRead::Absent;
    std::string text;
    if (readWholeFile(path, text) != WholeRead::Ok) return ConfigRead::ReadError;
    config = loadBookConfig(text, findings);
    return ConfigRead::Read;
}
