#include "base/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace zel {

std::string FormatDouble(double v) {
    if (!std::isfinite(v)) return "0";

    // The shortest round-trip digits, in the one form whose layout is fixed:
    // [-]d[.ddd]e(+|-)xx. The digits are then placed around the point.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    if (res.ec != std::errc()) return "0";  // cannot happen: 64 bytes hold any double
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));

    const std::size_t e = sci.find('e');
    std::string_view mant = sci.substr(0, e);
    const std::string_view expText = sci.substr(e + 1);

    std::string out;
    if (!mant.empty() && mant.front() == '-') {
        out += '-';
        mant.remove_prefix(1);
    }
    std::string digits;
    for (const char c : mant)
        if (c != '.') digits += c;

    int exp = 0;
    std::from_chars(expText.data() + (expText.front() == '+' ? 1 : 0),
                    expText.data() + expText.size(), exp);

    // Digits before the decimal point: the first digit stands at 10^exp.
    const long before = static_cast<long>(exp) + 1;
    const long count = static_cast<long>(digits.size());
    if (before <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-before), '0');
        out += digits;
    } else if (before >= count) {
        out += digits;
        out.append(static_cast<std::size_t>(before - count), '0');
    } else {
        out.append(digits, 0, static_cast<std::size_t>(before));
        out += '.';
        out.append(digits, static_cast<std::size_t>(before), std::string::npos);
    }
    return out;
}

}  // namespace zel
