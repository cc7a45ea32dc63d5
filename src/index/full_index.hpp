#pragma once
// The full subject index and the index of terms.

#include "elements/tables.hpp"
#include "text/format.hpp"

// Every live element whose name is not a category, languages included; then the separator.
void writeFullIndex(const Tables& tables, Sink& out);

// The same without the language elements; then the separator.
void writeTermsIndex(const Tables& tables, Sink& out);
