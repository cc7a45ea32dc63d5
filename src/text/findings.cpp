#include "text/findings.hpp"

#include <algorithm>
#include <tuple>
#include <utility>

#include "text/cp1251.hpp"

void addFinding(Findings* findings, long line, Severity severity, Bytes reason, InFile file) {
    if (findings != nullptr) findings->push_back({file, line, severity, std::move(reason)});
}

long countFindings(const Findings& findings, Severity severity) {
    return std::count_if(findings.begin(), findings.end(), [&](const Finding& f) { return f.severity == severity; });
}

void writeFindings(Findings findings, std::string_view sourceName, std::string_view templateName, Sink& out) {
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    });
    for (const Finding& f : findings) {
        format(out, "%s:%ld: %s: %s\n", f.file == InFile::Source ? sourceName : templateName, f.line,
               f.severity == Severity::Error ? cp1251("ошибка").view() : cp1251("предупреждение").view(), f.reason);
    }
    format(out, cp1251("%s: ошибок %ld, предупреждений %ld\n"), sourceName, countFindings(findings, Severity::Error),
           countFindings(findings, Severity::Warning));
}
