#include "latex/references.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <string_view>

namespace {

// The inline digits must agree with the library's at every length and past
// the four digits they are made for.
TEST(NumberSpelling, PositiveNumbersAsTheLibrarySpellsThem) {
    for (std::int32_t value = 1; value <= 100000; ++value) {
        char expected[16];
        char spelled[16];
        const char* wantEnd = std::to_chars(expected, expected + sizeof expected, value).ptr;
        const char* gotEnd = spellPositive(value, spelled);
        ASSERT_EQ(std::string_view(spelled, static_cast<std::size_t>(gotEnd - spelled)),
                  std::string_view(expected, static_cast<std::size_t>(wantEnd - expected)))
            << value;
    }
}

}  // namespace
