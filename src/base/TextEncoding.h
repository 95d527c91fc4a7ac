#pragma once
#include <string>
#include <string_view>

namespace zel {

// How the bytes of our text files become text. Everything inside the program
// is UTF-8. Files we write are UTF-8; files made by the Windows edition of the
// game are Windows-1251 (Cyrillic code page), so a file that is not valid
// UTF-8 is read as Windows-1251 instead. The two are easy to tell apart: the
// Cyrillic letters of Windows-1251 are single bytes >= 0xC0 that almost never
// form a valid UTF-8 sequence.

// True when `bytes` is well-formed UTF-8: no stray continuation bytes, no
// overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Converts Windows-1251 bytes to UTF-8. Bytes below 0x80 are copied; the one
// byte the code page leaves undefined (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

// A file's bytes as UTF-8 text: the bytes themselves when they are valid
// UTF-8 (a leading byte-order mark is dropped), else their Windows-1251
// reading. Never fails.
std::string DecodeFileText(std::string_view bytes);

// Lower-cases the ASCII letters and the Cyrillic letters (U+0400..U+042F to
// U+0430..U+045F) of UTF-8 text and leaves every other byte alone. Both
// ranges keep their byte length, so a prefix of the folded text is the fold
// of the same prefix: case-insensitive prefix tests can compare bytes.
std::string FoldCase(std::string_view utf8);

}  // namespace zel
