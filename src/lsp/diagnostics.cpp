#include "lsp/diagnostics.hpp"

#include <algorithm>

#include "text/utf8.hpp"

namespace {

constexpr int kError = 1;
constexpr int kWarning = 2;

}  // namespace

Json diagnosticOf(const Analysis& analysis, const Finding& finding) {
    return Json{{"range", rangeOf(analysis, finding.line, finding.firstColumn, finding.lastColumn)},
                {"severity", finding.severity == Severity::Error ? kError : kWarning},
                {"code", std::string(finding.code)},
                {"source", "olyindex"},
                {"message", toUtf8(finding.message)}};
}

Json diagnosticsOf(const Analysis& analysis, InFile file) {
    std::vector<const Finding*> about;
    for (const Finding& f : analysis.check.findings)
        if (f.file == file) about.push_back(&f);
    std::stable_sort(about.begin(), about.end(), [](const Finding* a, const Finding* b) { return a->line < b->line; });
    Json diagnostics = Json::array();
    for (const Finding* f : about) diagnostics.push_back(diagnosticOf(analysis, *f));
    return diagnostics;
}
