#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zel::labels {

// Characters a label shows at most.
inline constexpr int kLabelChars = 5;

// Splits UTF-8 text into characters, one string per character. A Russian
// letter is one character however many bytes it takes; "и" or "е" followed
// by a combining breve or diaeresis is joined into "й" or "ё", so a name
// typed in decomposed form still takes one cell per letter. A byte that does
// not start a well-formed sequence is a character of its own: it has no
// glyph but keeps its cell. At most `limit` characters are returned.
std::vector<std::string> SplitCharacters(std::string_view utf8, int limit);

// The upper-case form of one character: "a".."z", "а".."я" and the letters
// U+0450..U+045F ("ё" becomes "Ё"). Anything else comes back unchanged.
std::string UpperCaseCharacter(std::string_view ch);

// What a name's label draws: its first five characters, each upper-cased.
std::vector<std::string> LabelCharacters(std::string_view name);

}  // namespace zel::labels
