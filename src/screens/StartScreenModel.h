#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "core/PlayerKind.h"

namespace zel {

// The settings-bearing controls of the match setup screen, without a window:
// per participant slot (0..7, slot i is the row of participant i + 1) the
// name box, the model list and the participation mark, plus the participant
// count label, the start button's enabled state and GamersKolvo. These
// controls are the only store of names, model choices and marks between
// matches; the settings file loads into them and saves from them, and the
// screen's widgets only display this model.
//
// Every setter runs the control's reaction, whether the person clicked or
// the program set the value (the settings loader relies on that: the loaded
// marks set GamersKolvo, the loaded models set the pieces' RMod).
class StartScreenModel {
public:
    static constexpr int kSlots = kMaxParticipants;
    // Entry 4 of every model list, the oval piece, cannot be played.
    static constexpr int kOvalModel = 4;

    // As the screen is created: empty names, every list on entry 0, every
    // mark clear, GamersKolvo 2 and the start button enabled.
    StartScreenModel();

    // The name box of a slot ("" for a slot that does not exist).
    const std::string& Name(int slot) const;
    // Sets the name box's text; there is no reaction. Ignored for a slot
    // that does not exist.
    void SetName(int slot, std::string text);

    // The selected entry of the slot's model list, -1 when none is selected.
    std::int16_t Model(int slot) const;
    // Selects entry `index` (-1 clears the selection), then reacts: the oval
    // piece shows the warning "Предупреждение" and the list goes back to
    // entry 0; a selection in 0..4 becomes RMod of record slot + 1 at once.
    // An index the list does not have (below -1, above 4) or a slot that
    // does not exist changes nothing and gives false.
    bool SelectModel(int slot, int index, MatchState& s, Dialogs& d);

    // The participation mark: 0 clear, 1 checked, 2 greyed (0 for a slot
    // that does not exist).
    std::int16_t Mark(int slot) const;
    // Sets the mark, then recounts the checked slots (state exactly 1): the
    // label shows "Играет игроков: " and the count; with 2 or more the start
    // button is enabled and GamersKolvo becomes the count, with fewer the
    // button is disabled and GamersKolvo stays. A state other than 0, 1, 2
    // or a slot that does not exist changes nothing and gives false.
    bool SetMark(int slot, int state);

    // Who plays the slot: "Человек" or the computer at a level (a person
    // for a slot that does not exist). Setting a slot that does not exist
    // changes nothing.
    PlayerKind Player(int slot) const;
    void SetPlayer(int slot, PlayerKind kind);

    // Participants of the next match started from this screen or the teams
    // screen; the teams screen sets it directly.
    std::int16_t GamersKolvo() const { return gamersKolvo_; }
    void SetGamersKolvo(std::int16_t n) { gamersKolvo_ = n; }

    // Whether the start button "ВЕМБА!!!" can be pressed.
    bool GoEnabled() const { return goEnabled_; }
    // The participant count label as it reads now.
    const std::string& GamersKolvoText() const { return gamersKolvoText_; }
    // Slots whose mark is exactly 1.
    int CheckedCount() const;

    // The text of entry `index` of every model list; "" outside 0..4.
    static const char* ModelName(int index);

    // --- a network match ----------------------------------------------------
    // While the host sets up a network match, each slot is played here or
    // on the other computer; outside one every slot is played here and the
    // marks of "there" are cleared. Only a person can play a slot there.
    bool NetworkMode() const { return networkMode_; }
    void SetNetworkMode(bool on);
    bool PlayedThere(int slot) const;
    // Ignored outside network mode and for a slot that does not exist.
    // Marking a slot "there" makes its player a person.
    void SetPlayedThere(int slot, bool there);
    // The other computer joined with `names`: each takes, in order, a slot
    // not yet checked here (name box, checked mark, played there); names
    // beyond the free slots are left out. Returns how many found a slot.
    // The slots keep their own name, mark and player for zel.ini, and get
    // them back when network mode ends.
    int TakeGuestNames(const std::vector<std::string>& names);
    // What zel.ini stores for the slot: its own name, mark and player, also
    // while the other computer's player holds it.
    const std::string& OwnName(int slot) const;
    std::int16_t OwnMark(int slot) const;
    PlayerKind OwnPlayer(int slot) const;
    // This computer's players as a guest introduces them: the trimmed
    // names of the checked slots, an empty one as its slot's number; with
    // no slot checked, the first slot's.
    std::vector<std::string> CheckedNames() const;

private:
    // One row of the screen.
    struct Slot {
        std::string Name;        // the name box's text
        std::int16_t Model = 0;  // selected model list entry, -1 for none
        std::int16_t Mark = 0;   // participation mark 0, 1 or 2
        PlayerKind Player = PlayerKind::Human;  // who plays the slot
        bool There = false;      // played on the other computer (network mode)
        // The slot's own values while the other computer's player holds it.
        bool Lent = false;
        std::string OwnName;
        std::int16_t OwnMark = 0;
        PlayerKind OwnPlayer = PlayerKind::Human;
    };

    void CountMarks();

    std::array<Slot, kSlots> slots_{};  // the eight rows
    std::int16_t gamersKolvo_ = 2;      // participants of the next match
    bool goEnabled_ = true;             // the start button can be pressed
    std::string gamersKolvoText_;       // the participant count label
    bool networkMode_ = false;          // the host sets up a network match
};

}  // namespace zel
