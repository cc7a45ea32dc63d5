#pragma once
// The index by olympiads: the places where problems were set, grouped by olympiad.

#include "elements/tables.hpp"
#include "text/format.hpp"

// The places: olympiads 1 to 9 first, then all others, a skip before each olympiad.
void writeOlympiadIndex(const Tables& tables, Sink& out);
