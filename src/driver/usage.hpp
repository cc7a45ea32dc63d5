#pragma once
// "--help" and "--version": answered before the run touches any file.

#include <optional>
#include <span>
#include <string>

#include "text/format.hpp"

// The text to print when the arguments ask for the usage or the version only;
// none for the arguments of a run.
std::optional<Bytes> infoRequested(std::span<const std::string> args);
