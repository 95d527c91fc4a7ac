#include "net/NetFields.h"

#include <cmath>

#include "base/NumberFormat.h"
#include "base/NumberParse.h"

namespace zel {

namespace {

// A number's text is never longer than this (the smallest subnormal is about 330).
constexpr std::size_t kMaxNumberText = 400;

}  // namespace

void FieldWriter::I16(std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    U8(static_cast<std::uint8_t>(u >> 8));
    U8(static_cast<std::uint8_t>(u & 0xFF));
}

void FieldWriter::I32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 24; shift >= 0; shift -= 8) U8(static_cast<std::uint8_t>((u >> shift) & 0xFF));
}

void FieldWriter::Text(std::string_view t) {
    if (t.size() > 0xFFFF) t = t.substr(0, 0xFFFF);
    const auto n = static_cast<std::uint16_t>(t.size());
    U8(static_cast<std::uint8_t>(n >> 8));
    U8(static_cast<std::uint8_t>(n & 0xFF));
    out_.append(t);
}

void FieldWriter::Number(double v) { Text(FormatDouble(v)); }

bool FieldReader::Fail(const char* what, const char* why) {
    if (error_.empty()) error_ = std::string(what) + ": " + why;
    return false;
}

bool FieldReader::Take(std::size_t n, std::string_view& out, const char* what) {
    if (Failed()) return false;
    if (in_.size() - at_ < n) return Fail(what, "сообщение обрывается");
    out = in_.substr(at_, n);
    at_ += n;
    return true;
}

bool FieldReader::U8(std::uint8_t& v, std::uint8_t lo, std::uint8_t hi, const char* what) {
    std::string_view b;
    if (!Take(1, b, what)) return false;
    const auto x = static_cast<std::uint8_t>(b[0]);
    if (x < lo || x > hi) return Fail(what, "значение вне допустимых пределов");
    v = x;
    return true;
}

bool FieldReader::I16(std::int16_t& v, std::int16_t lo, std::int16_t hi, const char* what) {
    std::string_view b;
    if (!Take(2, b, what)) return false;
    const auto u = static_cast<std::uint16_t>((static_cast<std::uint8_t>(b[0]) << 8) |
                                              static_cast<std::uint8_t>(b[1]));
    const auto x = static_cast<std::int16_t>(u);
    if (x < lo || x > hi) return Fail(what, "значение вне допустимых пределов");
    v = x;
    return true;
}

bool FieldReader::I32(std::int32_t& v, std::int32_t lo, std::int32_t hi, const char* what) {
    std::string_view b;
    if (!Take(4, b, what)) return false;
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u = (u << 8) | static_cast<std::uint8_t>(b[static_cast<std::size_t>(i)]);
    const auto x = static_cast<std::int32_t>(u);
    if (x < lo || x > hi) return Fail(what, "значение вне допустимых пределов");
    v = x;
    return true;
}

bool FieldReader::Flag(std::int16_t& v, const char* what) {
    std::int16_t x = 0;
    if (!I16(x, -1, 0, what)) return false;
    v = x;
    return true;
}

bool FieldReader::Text(std::string& v, std::size_t minBytes, std::size_t maxBytes, bool oneLine,
                       const char* what) {
    std::string_view len;
    if (!Take(2, len, what)) return false;
    const std::size_t n = (static_cast<std::size_t>(static_cast<std::uint8_t>(len[0])) << 8) |
                          static_cast<std::uint8_t>(len[1]);
    if (n < minBytes || n > maxBytes) return Fail(what, "недопустимая длина текста");
    std::string_view t;
    if (!Take(n, t, what)) return false;
    if (!IsUtf8(t)) return Fail(what, "текст не в кодировке UTF-8");
    if (oneLine)
        for (char c : t)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                return Fail(what, "управляющий символ в тексте");
    v.assign(t);
    return true;
}

bool FieldReader::Number(double& v, double bound, const char* what) {
    std::string t;
    if (!Text(t, 1, kMaxNumberText, true, what)) return false;
    const std::optional<double> x = ParseNumberStrict(t);
    // Only the one text the sender's writer gives for a number is taken, so
    // a number means the same bits on both sides.
    if (!x || FormatDouble(*x) != t) return Fail(what, "не число");
    if (!std::isfinite(*x) || std::abs(*x) > bound) return Fail(what, "число вне допустимых пределов");
    v = *x;
    return true;
}

bool FieldReader::End() {
    if (Failed()) return false;
    if (at_ != in_.size()) return Fail("конец сообщения", "лишние байты");
    return true;
}

bool IsUtf8(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size()) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        std::uint32_t cp = 0;
        if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (t.size() - i <= static_cast<std::size_t>(extra)) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(t[i + static_cast<std::size_t>(k)]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        static constexpr std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

}  // namespace zel
