// Calls of format whose arguments do not fit their conversions: each CASE
// but 0 must fail to compile (CMakeLists.txt runs the compiler on each).

#include <string>

#include "text/format.hpp"

void misuse(Bytes& out) {
#if CASE == 0
    format(out, "[%s] [%d] [%d/%d]", "42", 12, 3, 4);  // all fit: compiles
    format(out, cp1251("[%s] строка %ld"), std::string("x"), 5L);
#elif CASE == 1
    format(out, "[%s]", 42);  // a number for a text
#elif CASE == 2
    format(out, "[%d]", "twelve");  // a text for a number
#elif CASE == 3
    format(out, "[%d/%d]", 3);  // one argument too few
#elif CASE == 4
    format(out, "[%d]", 3, 4);  // one too many
#elif CASE == 5
    format(out, cp1251("строка %ld"), "x");  // code page 1251 formats alike
#elif CASE == 6
    format(out, "[%q]", 1);  // no such conversion
#endif
}
