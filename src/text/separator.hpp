#pragma once

#include <string_view>

// Printed on the console between the stages of a run: a line of 60 '='.
inline constexpr std::string_view kSeparator = "\n============================================================\n";
static_assert(kSeparator.size() == 62);
