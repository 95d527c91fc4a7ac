#include "match/QuickMatch.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include <QString>

#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "match/ForceNumLock.h"
#include "setup/SettingsStore.h"

namespace zel::match {

namespace {

// The setup screen's messages before a match.
constexpr const char* kBadTableSize =
    "Размеры поля заданы неверно. Задайте верные значения и повторите запуск.";
constexpr const char* kBadDisplay = "Некорректные параметры графики.";
constexpr const char* kWarningTitle = "Предупреждение";
constexpr const char* kLabelsWarning =
    "Если игра будет сильно тормозить, выключите имена нажатием на F3. Включить имена можно повторно "
    "нажав на F3.";

constexpr std::size_t kQuickParticipants = 2;
constexpr double kFrictions[] = {0.01, 0.02, 0.03};
constexpr double kDefaultFriction = 0.02;

void Inform(Dialogs& d, const char* text, const char* title = "") {
    Message m;
    m.Text = text;
    m.Title = title;
    m.Icon = MsgIcon::Information;
    d.Ask(m);
}

// The slots that play: checked ones first, in slot order, then unchecked
// ones from slot 0 until there are two.
std::vector<int> PlayingSlots(const StartScreenModel& start) {
    std::vector<int> chosen;
    for (int slot = 0; slot < StartScreenModel::kSlots && chosen.size() < kQuickParticipants; ++slot)
        if (start.Mark(slot) == 1) chosen.push_back(slot);
    for (int slot = 0; slot < StartScreenModel::kSlots && chosen.size() < kQuickParticipants; ++slot)
        if (start.Mark(slot) != 1) chosen.push_back(slot);
    return chosen;
}

std::string Trimmed(const std::string& text) { return QString::fromStdString(text).trimmed().toStdString(); }

}  // namespace

bool StartQuickMatch(const MatchServices& services, SettingsStore& store, MatchWindowOptions options) {
    MatchState& s = services.State;
    Dialogs& d = services.Messages;

    // Records 1..8 hold the slots' masses between matches; the match
    // overwrites them.
    std::array<std::int16_t, kMaxParticipants + 1> slotMass{};
    for (int i = 1; i <= kMaxParticipants; ++i) slotMass[i] = s.Vembas[i].RM;
    auto restoreMasses = [&] {
        for (int i = 1; i <= kMaxParticipants; ++i) s.Vembas[i].RM = slotMass[i];
    };

    MatchSetup setup;
    setup.MaxX = s.MaxX;
    setup.MaxY = s.MaxY;
    const int friction = store.Options.FrictionChoice();
    setup.Ftr = friction >= 0 && friction < 3 ? kFrictions[friction] : kDefaultFriction;
    setup.Border = s.Border;
    setup.BordMode = s.BordMode;
    setup.BordSimm = s.BordSimm;
    setup.Pipa = s.Pipa;
    setup.PipaMode = s.PipaMode;
    setup.PipaSimm = s.PipaSimm;
    setup.Sound = s.Sound;
    setup.TeamGame = kFalse;
    int number = 1;
    for (int slot : PlayingSlots(store.Start)) {
        ParticipantSetup p;
        p.Name = Trimmed(store.Start.Name(slot));
        if (p.Name.empty()) {
            p.Name = std::to_string(number);
            store.Start.SetName(slot, p.Name);
        }
        const int model = store.Start.Model(slot);
        p.Model = static_cast<std::int16_t>(model >= 0 && model <= 3 ? model : 0);
        const std::int16_t mass = slotMass[slot + 1];
        p.Mass = static_cast<std::int16_t>(mass >= 1 && mass <= 1000 ? mass : 1);
        setup.Participants.push_back(p);
        ++number;
    }

    const SetupResult result = StartMatchState(s, setup);
    if (result != SetupResult::Ok) {
        restoreMasses();
        if (result == SetupResult::BadTableSize) Inform(d, kBadTableSize);
        return false;
    }
    const DisplaySettings& display = store.Display;
    if (display.ScreenW < 1 || display.ScreenH < 1 || display.Colors < 2) {
        restoreMasses();
        Inform(d, kBadDisplay);
        return false;
    }
    CopyDisplayToMatch(display, s);
    ForceNumLock();
    Inform(d, kLabelsWarning, kWarningTitle);
    s.TeamGame = kFalse;
    s.Win.ReplayMode = kFalse;
    s.Win.ContinueGame = kFalse;

    const std::string title = options.Render.AppTitle;
    options.Render = RenderSettingsFrom(store, title);
    const bool ran = RunMatch(services, std::move(options));
    restoreMasses();
    return ran;
}

}  // namespace zel::match
