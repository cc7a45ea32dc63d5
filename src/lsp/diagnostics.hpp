#pragma once
// The check's findings as the editor shows them: one diagnostic for each
// finding about a file, with the finding's columns, code and message.

#include "lsp/analysis.hpp"
#include "lsp/protocol.hpp"

// The diagnostics of the findings about `file`, in the order of their lines.
Json diagnosticsOf(const Analysis& analysis, InFile file);

// One finding as a diagnostic.
Json diagnosticOf(const Analysis& analysis, const Finding& finding);
