#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "screens/SettingsStore.h"

namespace zel::screens {

// What StartGame asks of the windows around it. Each may be empty.
struct StartGameHooks {
    // Opens the options screen the way "Параметры >>" does, from the calling
    // screen: the table size or the display settings need correcting.
    std::function<void()> OpenOptions;
    // NumLock on, so the keypad steers the camera.
    std::function<void()> ForceNumLock;
    // Hides the calling screen, shows the match window and starts the match
    // in it (Init). The match window reports its end separately.
    std::function<void()> RunMatch;
};

// How a call of StartGame ended.
enum class StartOutcome {
    Started,         // the match window took over
    BadTableSize,    // MaxX or MaxY outside 201..1000; the options screen is open
    BadDisplay,      // display width, height or depth unusable; the options screen is open
    NoParticipants,  // fewer than two participants could be found; nothing happened
    Refused,         // the match state refused the set-up; nothing happened
};

// StartGame: the one routine every new match goes through, from the match
// setup screen, the teams screen and the results screen. It turns the
// settings and the setup screen's controls into the match state and hands
// over to the match window.
//
// The masses the piece editor sets are kept per slot in records 1..8 of the
// piece table (that is where the settings file loads them and saves them
// from). A match overwrites those records with its participants, so the
// starter notes the slot masses when a start begins and puts them back when
// no match follows or when the match window has closed (MatchClosed); in
// between, each participant plays with the mass of its slot.
class GameStarter {
public:
    GameStarter(MatchState& s, SettingsStore& store, Dialogs& d) : s_(s), store_(store), d_(d) {}

    // In this order: new-match defaults; the table size check (message
    // "Размеры поля заданы неверно...", options screen, stop); Num from
    // GamersKolvo and the start layout; the four posts when Pipa is on;
    // friction from the options screen's friction buttons (0.02 when none is
    // selected); unless TeamGame is set, participant i from the i-th slot
    // whose mark is checked: trimmed name (an empty one becomes the number i,
    // written back into that slot's name box), model, the slot's mass and no
    // grey mesh (a team match keeps the names, grey flags and sides the teams
    // screen put in the records, every piece the first model with mass 1);
    // the display check (message "Некорректные параметры
    // графики.", options screen, stop); NumLock; the warning about the name
    // labels; ReplayMode and ContinueGame cleared; the match window. While the
// setup screen sets up a network match, PlayedElsewhere marks the
// participants whose slots are played on the other computer.
    // KtoHodit is the callers' (a list that is not an order of 1..Num plays
    // 1..Num). With fewer checked slots than GamersKolvo the match has as many
    // participants as there are checked slots.
    StartOutcome StartGame(const StartGameHooks& hooks);

    // The match window closed: records 1..8 get their slot masses back.
    void MatchClosed() { RestoreSlotMasses(); }
    // A match set up elsewhere (the other computer's) is about to fill the
    // records: their slot masses are noted for MatchClosed.
    void KeepSlotMasses() { NoteSlotMasses(); }

    // Whether a start is running now (the start buttons ignore presses then).
    bool Busy() const { return busy_; }

private:
    StartOutcome Run(const StartGameHooks& hooks);
    void NoteSlotMasses();
    void RestoreSlotMasses();

    MatchState& s_;             // the match being set up
    SettingsStore& store_;      // setup and options screens' controls, display settings
    Dialogs& d_;                // message boxes
    std::array<std::int16_t, kMaxParticipants + 1> slotMass_{};  // [1..8] mass of slot i-1
    bool massesNoted_ = false;  // slotMass_ holds masses not yet put back
    bool busy_ = false;         // a start is running
};

}  // namespace zel::screens
