#include "labels/LabelText.h"

#include <cstdint>

namespace zel::labels {

namespace {

// Length of the well-formed UTF-8 sequence at the start of `s` (1..4) and its
// code point, or 0 when the first byte does not start one.
int DecodeOne(std::string_view s, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    int len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1FU, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0FU, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07U, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < static_cast<std::size_t>(len)) return 0;
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[static_cast<std::size_t>(k)]);
        if ((b & 0xC0U) != 0x80U) return 0;
        cp = (cp << 6) | (b & 0x3FU);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (cp < min || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0;
    return len;
}

std::string EncodeUtf8(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

constexpr char32_t kCombiningBreve = 0x0306;
constexpr char32_t kCombiningDiaeresis = 0x0308;

// The precomposed letter of `base` + `mark`, or 0 when there is none we join.
char32_t Compose(char32_t base, char32_t mark) {
    if (mark == kCombiningBreve) {
        if (base == U'и') return U'й';
        if (base == U'И') return U'Й';
    } else if (mark == kCombiningDiaeresis) {
        if (base == U'е') return U'ё';
        if (base == U'Е') return U'Ё';
    }
    return 0;
}

}  // namespace

std::vector<std::string> SplitCharacters(std::string_view utf8, int limit) {
    std::vector<std::string> chars;
    std::size_t pos = 0;
    while (pos < utf8.size() && static_cast<int>(chars.size()) < limit) {
        char32_t cp = 0;
        const int len = DecodeOne(utf8.substr(pos), cp);
        if (len == 0) {
            chars.emplace_back(utf8.substr(pos, 1));
            ++pos;
            continue;
        }
        pos += static_cast<std::size_t>(len);
        if (pos < utf8.size()) {
            char32_t mark = 0;
            const int markLen = DecodeOne(utf8.substr(pos), mark);
            const char32_t joined = markLen > 0 ? Compose(cp, mark) : 0;
            if (joined != 0) {
                cp = joined;
                pos += static_cast<std::size_t>(markLen);
            }
        }
        chars.push_back(EncodeUtf8(cp));
    }
    return chars;
}

std::string UpperCaseCharacter(std::string_view ch) {
    char32_t cp = 0;
    if (ch.empty() || DecodeOne(ch, cp) != static_cast<int>(ch.size())) return std::string(ch);
    if (cp >= U'a' && cp <= U'z') return EncodeUtf8(cp - 0x20);
    if (cp >= 0x0430 && cp <= 0x044F) return EncodeUtf8(cp - 0x20);  // а..я
    if (cp >= 0x0450 && cp <= 0x045F) return EncodeUtf8(cp - 0x50);  // ѐ..џ, ё among them
    return std::string(ch);
}

std::vector<std::string> LabelCharacters(std::string_view name) {
    std::vector<std::string> chars = SplitCharacters(name, kLabelChars);
    for (std::string& c : chars) c = UpperCaseCharacter(c);
    return chars;
}

}  // namespace zel::labels
