#include "labels/NameLabelLayout.h"

#include <algorithm>
#include <string>

#include "core/MatchState.h"
#include "labels/LabelText.h"

namespace zel::labels {

namespace {

double Single(double x) { return static_cast<double>(static_cast<float>(x)); }

}  // namespace

LabelOffset PlaceLabelDot(int charIndex, int column, int row) {
    LabelOffset p;
    p.X = Single(0.1 * column + charIndex - 3);
    p.Y = Single(1.5);
    p.Z = Single(-0.1 * row);
    return p;
}

std::vector<LabelDot> BuildNameLabelDots(const MatchState& s, const GlyphTable& font) {
    std::vector<LabelDot> dots;
    const int participants = std::clamp<int>(s.Num, 0, kMaxParticipants);
    for (int i = 1; i <= participants; ++i) {
        const std::vector<std::string> chars = LabelCharacters(s.Vembas[static_cast<std::size_t>(i)].R);
        for (int j = 1; j <= static_cast<int>(chars.size()); ++j) {
            const Glyph g = FindGlyph(font, chars[static_cast<std::size_t>(j - 1)]);
            for (int a = 1; a <= kGlyphSize; ++a) {
                for (int b = 1; b <= kGlyphSize; ++b) {
                    if (g.Cell(a, b) != 1) continue;
                    dots.push_back(LabelDot{i, j, a, b, PlaceLabelDot(j, a, b)});
                }
            }
        }
    }
    return dots;
}

std::vector<LabelDot> BuildNameLabelDots(const MatchState& s) { return BuildNameLabelDots(s, LabelFont()); }

}  // namespace zel::labels
