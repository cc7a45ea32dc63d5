#include "text/findings.hpp"

#include <algorithm>
#include <tuple>
#include <utility>

#include "text/cp1251.hpp"

void addFinding(Findings* findings, Location at, Severity severity, std::string_view code, Bytes message) {
    if (findings == nullptr) return;
    findings->push_back(
        {at.file, at.line, at.firstColumn, at.lastColumn, severity, code, std::move(message), {}});
}

long countFindings(const Findings& findings, Severity severity) {
    return std::count_if(findings.begin(), findings.end(), [&](const Finding& f) { return f.severity == severity; });
}

namespace {

std::string_view fileName(InFile file, std::string_view sourceName, std::string_view templateName) {
    switch (file) {
        case InFile::Source: return sourceName;
        case InFile::Template: return templateName;
        case InFile::Config: return "olyindex.toml";
    }
    return sourceName;
}

}  // namespace

void writeFindings(Findings findings, std::string_view sourceName, std::string_view templateName, Sink& out) {
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    });
    for (const Finding& f : findings) {
        format(out, "%s:%ld:%d: %s: %s\n", fileName(f.file, sourceName, templateName), f.line, f.firstColumn,
               f.severity == Severity::Error ? cp1251("ошибка").view() : cp1251("предупреждение").view(), f.message);
    }
    format(out, cp1251("%s: ошибок %ld, предупреждений %ld\n"), sourceName, countFindings(findings, Severity::Error),
           countFindings(findings, Severity::Warning));
}
