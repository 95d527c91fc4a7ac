#include "base/NumberParse.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "base/Rounding.h"

namespace zel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number found at the start of a text: where it ends and its value.
struct Prefix {
    std::size_t End = 0;  // index just past the number (or past the blanks when none)
    bool Found = false;   // at least one digit was there
    double Value = 0;     // the number, 0 when none was found
};

// Converts sign and digits (at most one '.') to the nearest double.
double DecimalToDouble(bool negative, std::string_view digits) {
    // from_chars wants a digit before and after the point in the forms it
    // accepts everywhere; ".5" becomes "0.5" and "5." becomes "5".
    std::string text;
    text.reserve(digits.size() + 1);
    if (!digits.empty() && digits.front() == '.') text += '0';
    text += digits;
    if (text.back() == '.') text.pop_back();

    double v = 0;
    const auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: decide by whether a non-zero
        // digit stands before the point.
        bool big = false;
        for (const char c : text) {
            if (c == '.') break;
            if (c != '0') {
                big = true;
                break;
            }
        }
        v = big ? std::numeric_limits<double>::max() : 0.0;
    } else if (ec != std::errc()) {
        v = 0;
    }
    // Large but finite texts may still have rounded to infinity.
    if (std::isinf(v)) v = std::numeric_limits<double>::max();
    return negative ? -v : v;
}

Prefix ReadPrefix(std::string_view s) {
    Prefix p;
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    p.End = i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    bool point = false;
    bool digit = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            digit = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digit) return p;
    p.Found = true;
    p.End = i;
    p.Value = DecimalToDouble(negative, s.substr(start, i - start));
    return p;
}

}  // namespace

double ParseNumberPrefix(std::string_view text) { return ReadPrefix(text).Value; }

std::optional<double> ParseNumberStrict(std::string_view text) {
    const Prefix p = ReadPrefix(text);
    if (!p.Found) return std::nullopt;
    for (std::size_t i = p.End; i < text.size(); ++i)
        if (!IsBlank(text[i])) return std::nullopt;
    return p.Value;
}

std::optional<std::int16_t> ToInt16(double v) {
    if (std::isnan(v)) return std::nullopt;
    const double r = RoundHalfEven(v);
    if (r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<std::int16_t> ParsePrefixInt16(std::string_view text) {
    return ToInt16(ParseNumberPrefix(text));
}

std::optional<std::int16_t> ParseStrictInt16(std::string_view text) {
    const std::optional<double> v = ParseNumberStrict(text);
    if (!v) return std::nullopt;
    return ToInt16(*v);
}

}  // namespace zel
