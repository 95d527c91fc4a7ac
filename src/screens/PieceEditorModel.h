#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "settings/DisplaySettings.h"

namespace zel::screens {

// The mass a piece may have, as the editor checks it: a whole number from
// 1 to 1000, blanks around it allowed. Anything else gives nothing.
std::optional<std::int16_t> ParseMass(const std::string& text);

// The piece editor "Настройка Вембы" without a window: participant n's mass
// box, the information line, the preview colour-depth mode, and what
// "Принять" and "Предварительный просмотр" do to the settings.
class PieceEditorModel {
public:
    // Opening for participant n (1..8) of the slot named `name` with the
    // model entry `modelText`: the information line reads "Игрок: <name>
    // (<model>)", the mass box shows RM of record n, the preview mode is
    // 16 bits. A participant number outside 1..8 opens on record 1.
    void Open(int n, const std::string& name, const std::string& modelText, const MatchState& s);

    int Participant() const { return n_; }
    const std::string& InfoText() const { return info_; }
    const std::string& MassText() const { return massText_; }
    void SetMassText(std::string text) { massText_ = std::move(text); }

    // The preview mode label was clicked: 8 bits <-> 16 bits.
    void ToggleMode() { eightBit_ = !eightBit_; }
    bool EightBit() const { return eightBit_; }
    // The label's text for the current mode.
    const char* ModeText() const;

    // "Принять": a valid mass becomes RM of record n and true is returned
    // (the editor closes); otherwise the mass message is shown, nothing
    // changes and the editor stays open.
    bool Accept(MatchState& s, Dialogs& d) const;

    // "Предварительный просмотр" up to the preview itself: the mass check
    // (false after the message), RM of record n, and the display depth
    // Colors = 8 or 16 as the mode label says. Colors is the program's
    // display setting, so the choice also holds for later matches.
    bool PreparePreview(MatchState& s, DisplaySettings& display, Dialogs& d) const;

private:
    std::optional<std::int16_t> CheckedMass(Dialogs& d) const;

    int n_ = 1;                // the participant whose piece is edited
    std::string info_;         // lblInfo
    std::string massText_;     // txtMass
    bool eightBit_ = false;    // preview in 8-bit colour instead of 16
};

}  // namespace zel::screens
