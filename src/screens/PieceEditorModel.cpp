#include "screens/PieceEditorModel.h"

#include "screens/ScreenTexts.h"
#include "settings/SettingsDefaults.h"
#include "core/MatchKeyDefaults.h"

namespace zel::screens {
namespace {

constexpr std::int16_t kPreviewDepth8 = 8;
constexpr std::int16_t kPreviewDepth16 = 16;

bool Blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<std::int16_t> ParseMass(const std::string& text) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && Blank(text[i])) ++i;
    while (end > i && Blank(text[end - 1])) --end;
    if (i < end && text[i] == '+') ++i;
    if (i == end) return std::nullopt;
    int value = 0;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        // Stop counting long before int could overflow; it is out of range anyway.
        if (value > kMatchKeyDefaults.MaxMass) return std::nullopt;
    }
    if (value < kMatchKeyDefaults.MinMass) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

void PieceEditorModel::Open(int n, const std::string& name, const std::string& modelText,
                            const MatchState& s) {
    n_ = n >= 1 && n <= kMaxParticipants ? n : 1;
    info_ = std::string(texts::kInfoPrefix) + name + " (" + modelText + ")";
    massText_ = std::to_string(s.Vembas[n_].RM);
    eightBit_ = false;
}

const char* PieceEditorModel::ModeText() const {
    return eightBit_ ? texts::kPreviewMode8 : texts::kPreviewMode16;
}

std::optional<std::int16_t> PieceEditorModel::CheckedMass(Dialogs& d) const {
    const std::optional<std::int16_t> mass = ParseMass(massText_);
    if (!mass) {
        Message m;
        m.Text = texts::kBadMass;
        m.Icon = MsgIcon::Information;
        d.Ask(m);
    }
    return mass;
}

bool PieceEditorModel::Accept(MatchState& s, Dialogs& d) const {
    const std::optional<std::int16_t> mass = CheckedMass(d);
    if (!mass) return false;
    s.Vembas[n_].RM = *mass;
    return true;
}

bool PieceEditorModel::PreparePreview(MatchState& s, DisplaySettings& display, Dialogs& d) const {
    if (!Accept(s, d)) return false;
    display.Colors = eightBit_ ? kPreviewDepth8 : kPreviewDepth16;
    return true;
}

}  // namespace zel::screens
