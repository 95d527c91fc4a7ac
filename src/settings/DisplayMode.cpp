#include "settings/DisplayMode.h"

#include "base/NumberParse.h"

namespace zel {

std::string FormatDisplayMode(const DisplayMode& m) {
    return std::to_string(m.Width) + "x" + std::to_string(m.Height) + "x" +
           std::to_string(m.Colors);
}

std::optional<DisplayMode> ParseDisplayMode(std::string_view text) {
    const std::size_t first = text.find('x');
    const std::size_t last = text.rfind('x');
    if (first == std::string_view::npos || first == last) return std::nullopt;
    const std::optional<std::int16_t> w = ParseStrictInt16(text.substr(0, first));
    const std::optional<std::int16_t> h = ParseStrictInt16(text.substr(first + 1, last - first - 1));
    const std::optional<std::int16_t> c = ParseStrictInt16(text.substr(last + 1));
    if (!w || !h || !c) return std::nullopt;
    return DisplayMode{*w, *h, *c};
}

}  // namespace zel
