#pragma once
// The index of Russian-language topics: the elements named "=РЯ " and a topic.

#include "elements/tables.hpp"
#include "text/format.hpp"

void writeRussianIndex(const Tables& tables, Sink& out);
