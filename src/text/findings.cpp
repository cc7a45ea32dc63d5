#include "text/findings.hpp"

#include <algorithm>
#include <utility>

void addFinding(Findings* findings, Location at, Severity severity, std::string_view code, Bytes message) {
    if (findings == nullptr) return;
    findings->push_back(
        {at.file, at.line, at.firstColumn, at.lastColumn, severity, code, std::move(message), {}});
}

long countFindings(const Findings& findings, Severity severity) {
    return std::count_if(findings.begin(), findings.end(), [&](const Finding& f) { return f.severity == severity; });
}

