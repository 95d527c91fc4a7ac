#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace zel {

// Reading numbers from the values of our text files. Only "." is a decimal
// point, whatever the system's locale says; nothing here consults the locale.

// The numeric prefix of a value, as every numeric key is read:
//  - leading blanks (space, tab, CR, LF) are skipped;
//  - an optional "+" or "-";
//  - the longest run of digits containing at most one "." ("5.", ".5" and
//    "-.5" are numbers; a second "." ends the number);
//  - whatever follows is ignored. Without a digit the result is 0.
// Deliberate limits: no exponent ("1e5" reads as 1), no "&H"/"&O" radix
// prefixes ("&H10" reads as 0), no blanks between the sign and the digits
// ("- 5" reads as 0), no thousands separators ("1,5" reads as 1).
// The result is the correctly rounded double of the decimal text, so every
// FormatDouble output reads back to the very same bits, -0 included. A digit
// run beyond the double range gives the largest finite double of that sign,
// one too small for a double gives 0 of that sign: the result is always a
// finite number, however long or odd the text.
double ParseNumberPrefix(std::string_view text);

// The whole value must be a number: optional blanks, the numeric prefix above
// with at least one digit, optional blanks, nothing else. "" and "x" fail;
// so do "12abc", "1e5" and "1.2.3".
std::optional<double> ParseNumberStrict(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2) and fails when the result lies outside
// -32768..32767 or the value is not a number.
std::optional<std::int16_t> ToInt16(double v);

// The numeric prefix taken to a 16-bit integer: ToInt16(ParseNumberPrefix).
// Fails only on overflow; text without a number gives 0.
std::optional<std::int16_t> ParsePrefixInt16(std::string_view text);

// The strict conversion taken to a 16-bit integer; fails when the text is not
// a number or the number does not fit.
std::optional<std::int16_t> ParseStrictInt16(std::string_view text);

}  // namespace zel
