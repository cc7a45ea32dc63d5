#include "driver/paths.hpp"

#include "text/cp1251.hpp"
#include "text/utf8.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr bool kNamesAreUtf8 = true;
#else
constexpr bool kNamesAreUtf8 = false;
#endif

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

fs::path absoluteNormal(const fs::path& path) {
    std::error_code error;
    fs::path full = fs::absolute(path, error);
    full = (error ? path : full).lexically_normal();
    // "dir/" names the directory itself.
    if (!full.has_filename() && full.has_relative_path()) full = full.parent_path();
    return full;
}

bool existing(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

bool sameName(const fs::path& a, const fs::path& b) {
#ifdef _WIN32
    const std::wstring& x = a.native();
    const std::wstring& y = b.native();
    return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()), TRUE) ==
           CSTR_EQUAL;
#else
    return a.native() == b.native();
#endif
}

// Both paths absolute and normal. A file that does not exist yet (a copy about
// to be made) has no identity to compare, so its place is compared instead.
bool samePlace(const fs::path& a, const fs::path& b) {
    if (existing(a) && existing(b)) {
        std::error_code error;
        return fs::equivalent(a, b, error);
    }
    if (!a.has_relative_path() || !b.has_relative_path()) return sameName(a, b);
    return sameName(a.filename(), b.filename()) && samePlace(a.parent_path(), b.parent_path());
}

}  // namespace

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::u16string utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t c = 0;
        std::size_t length = decodeUtf8Character(text, c, Surrogates::Kept);
        if (length == 0) {
            c = U'\uFFFD';
            length = 1;
        }
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
        text.remove_prefix(length);
    }
    return out;
}

fs::path argumentPath(std::string_view name) {
#ifdef _WIN32
    std::u16string wide = utf16FromUtf8(name);
    return fs::path(std::wstring(wide.begin(), wide.end()));
#else
    return fs::path(std::string(name));
#endif
}

std::FILE* openFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::string shownName(std::string_view name, Encoding encoding) {
    if (!kNamesAreUtf8 && encoding != Encoding::Utf8) return std::string(name);
    std::u16string wide = utf16FromUtf8(name);
    std::string shown;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (isHighSurrogate(wide[i]) && i + 1 < wide.size() && isLowSurrogate(wide[i + 1])) ++i;
        int byte = cp1251table::fromUnicode(wide[i]);
        shown += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return shown;
}

fs::path resolvedPath(fs::path path) {
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++hops) {
        fs::path target = fs::read_symlink(path, error);
        if (error) break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    fs::path resolved = fs::weakly_canonical(path, error);
    return absoluteNormal(error ? path : resolved);
}

bool samePath(const fs::path& a, const fs::path& b) {
    return sameResolvedPath(resolvedOnce(a), resolvedOnce(b));
}

ResolvedPath resolvedOnce(const fs::path& path) {
    ResolvedPath resolved{resolvedPath(path)};
#ifdef _WIN32
    resolved.exists = existing(resolved.path);
#else
    struct stat info {};
    if (::stat(resolved.path.c_str(), &info) == 0) {
        resolved.exists = true;
        resolved.device = static_cast<std::uint64_t>(info.st_dev);
        resolved.inode = static_cast<std::uint64_t>(info.st_ino);
    }
#endif
    return resolved;
}

bool sameResolvedPath(const ResolvedPath& a, const ResolvedPath& b) {
#ifdef _WIN32
    return samePlace(a.path, b.path);  // the system's file ids are asked for by the pair
#else
    if (a.exists && b.exists) return a.device == b.device && a.inode == b.inode;
    return samePlace(a.path, b.path);
#endif
}
