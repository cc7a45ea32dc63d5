#pragma once
// The two orders of element names: bytes, the default, and Russian dictionary
// order for print. Merging always goes by the byte key; only the order of the
// entries differs.

#include <string>
#include <string_view>

enum class NameOrder { Bytewise, Russian };

// The byte key of a name: the name without the pairs "<<" and ">>" (recognised
// left to right), bytes as unsigned values, the shorter first, as strcmp does.
// Names whose keys are equal merge.
int compareByteKeys(std::string_view a, std::string_view b);

// True when the name's byte key is the name itself: it holds no "<<" or ">>".
bool isOwnByteKey(std::string_view name);

// Appends the byte key of a name.
void appendByteKey(std::string_view name, std::string& out);

// The primary key of the Russian order, one weight byte for each character
// that counts; comparing keys as unsigned bytes orders the names:
//   a space, then the digits 0-9, then Cyrillic а-я with capitals equal to
//   small letters and ё equal to е, then Latin a-z likewise, then the other
//   letters of code page 1251 by byte value.
// Nothing else counts: punctuation, braces, "<<", ">>", and TeX control
// sequences (a backslash with the ASCII letters after it and the blanks that
// TeX swallows after those, or a backslash with one other character). A tab,
// "~", the no-break space and "\ " are spaces, as they print; a run of spaces
// counts once, and spaces at either end not at all. With Spaces::Ignored no
// space counts, so that "Иванова А.Б." and "Иванова А. Б." have one key: the
// check of names that print apart but read alike compares those keys.
enum class Spaces { Counted, Ignored };
std::string russianKey(std::string_view name, Spaces spaces = Spaces::Counted);

// The weight a space has in a key with Spaces::Counted; the digits weigh the
// ten values after it, and every letter more.
inline constexpr char kSpaceWeight = 1;
inline constexpr unsigned char kFirstLetterWeight = 12;

// Names in the Russian order with their russianKey, worked out once by the
// caller: the keys, then the byte keys, then the names as bytes, so that only
// equal names tie.
int compareRussian(std::string_view aKey, std::string_view a, std::string_view bKey, std::string_view b);
