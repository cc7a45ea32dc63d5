#pragma once
// What every subject-index file shares: preambles, the entry line and the
// reference list.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "elements/element.hpp"
#include "text/format.hpp"

// Which macros a subject-index file defines. Blank hides every number until
// the file redefines the macros itself.
enum class Preamble { Standard, Author, Blank };

// Opens the file's TeX group and defines the macros of the variant.
void writePreamble(Preamble variant, Bytes& out);

// Closes the group opened by writePreamble of the same variant.
void writeClosing(Preamble variant, Bytes& out);

// One number of a reference list: the book number and the first reference that has it.
struct ListedReference {
    std::int32_t number = 0;
    ProblemRef problem = nullptr;
};

// The numbers a reference list shows, in order: the positive numbers in
// `source`, each once (at its first reference, as `zz` is ordered by number).
// Empty for an element that is not live.
std::vector<ListedReference> listedReferences(const IndexElement& element, std::int32_t source);

// "\element", the id padded to four columns and the name without its first
// `prefixLength` bytes (the whole name when it is shorter).
void writeEntryHeading(const IndexElement& element, Bytes& out, std::size_t prefixLength);

// One entry line: heading, numbers ("\zz" for starred ones), note. Nothing for
// an element that is not live.
void writeElementEntry(const IndexElement& element, std::int32_t source, Bytes& out, std::size_t prefixLength);

// Only the numbers of the entry, "\z{3}, \zz{17}"; nothing for an element that is not live.
void writeReferenceList(const IndexElement& element, std::int32_t source, Bytes& out);

// How many numbers writeReferenceList would write.
int countReferences(const IndexElement& element, std::int32_t source);
