#pragma once
// Tables built by hand for the writers' tests.

#include <initializer_list>
#include <string_view>
#include <vector>

#include "elements/tables.hpp"
#include "index/entry.hpp"

// Tables whose problem table holds these problem lines ("0/1 3/7 NS"), in order.
Tables tablesWith(std::initializer_list<std::string_view> problemLines);

struct NewElement {
    std::string_view name;
    std::vector<int> books;         // book numbers, each resolved to its one problem
    std::vector<int> starred = {};  // book numbers also put among the starred references
    std::string_view note = "";
};

// Appends a live element with the next id, its references ordered as ordering
// leaves them; the test appends the elements in name order.
IndexElement& addElement(Tables& tables, const NewElement& wanted);

// The problem with this book number (the test fails when there is not exactly one).
ProblemRef bookProblem(const Tables& tables, int book);

// A subject-index file as its writer makes it: the preamble, the entries, the closing.
Bytes indexFile(Preamble variant, std::string_view entries);
