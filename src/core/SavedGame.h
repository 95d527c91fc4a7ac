#pragma once
#include <string>

#include "core/Dialogs.h"
#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "setup/IniLookup.h"
#include "setup/SlotSetup.h"

namespace zel {

// Reading stored matches back: the "[general]" header of a saved game
// ("*.zel") or of a replay ("*.sav"), and a saved game's participant sections
// "[R1]".."[R8]". Nothing here writes files.

// --- saved games ------------------------------------------------------------

// Reads a saved game's "[general]" section into the match state and the
// set-up slots, in the order and with the checks the settings loader uses:
//  - per slot i = 0..7: name "R"i into the slot (always, also in a team
//    match; empty gives "i+1"); "RModel"i straight into RMod of piece i+1
//    (0..6, else an error); "RM"i into the piece's mass and the slot (a mass
//    outside 1..1000, a missing one included, becomes 1: mass 0 would divide
//    by zero in the contact push); "RGray"i as boolean text ("true"/"false" or
//    a number, non-zero is true) into the piece and the slot, anything else
//    leaving both as they were; "KtoHodit"i+1 and "WhoSgin"i+1;
//  - "MaxX", "MaxY", "CurSgin", "CurNG", "Num" clamped to 2..8, "CurG" below
//    1 gives 1 and above Num gives Num;
//  - "Ftr": 0.01, 0.02 and 0.03 are kept, the old scale's 30, 50 and 80 mean
//    0.01, 0.02 and 0.03, anything else gives 0.02;
//  - "MaxScr" = 1 makes the table 1000 by 1000; then a length of 0 gives 600
//    and a width of 0 gives 400;
//  - "ShowSgin", "Border" (with "BordMode", "BordSimm" when on), "Sound",
//    "Pipa" (with "PipaMode", "PipaSimm" when on): a check-box state 0, 1
//    or 2, non-zero meaning on;
//  - "chk"i (strict; 0, 1 or 2) into the slot's mark, else the mark stays.
// Numbers are read by their numeric prefix. A 16-bit overflow, a model that
// does not exist or a check-box value other than 0, 1, 2 stops the reading
// with the values read so far kept and an error description returned; ""
// means success. Display settings (screen size, colours, devices) belong to
// the settings file and are not taken from a saved game.
// The values the match would index tables with are kept in range: a turn
// order whose first Num entries are not each 1..Num becomes 1..Num, other
// order and elimination entries outside 0..8 become 0, CurNG outside 1..Num
// becomes 1 and CurSgin outside 0..8 becomes 0.
std::string ReadGameHeader(const IniFile& f, MatchState& s, SlotSetups& slots);

// ReadGameHeader on a file. A file that cannot be read, or an error while
// reading, is shown in a message box holding the error's description
// (critical icon) and gives false.
bool LoadGameHeader(const std::string& path, MatchState& s, SlotSetups& slots, Dialogs& d);

// Reads "CurG" from "[general]" (kept in 1..Num) and, for every participant
// p = 1..Num, section "R"p: "Xpos", "Ypos", "Xvec", "Yvec", "u", "Phi" as
// numbers, "Life" (non-zero: on the table, -1; else 0) and "SginCount". A
// piece that is off the table is parked at (-100, -100) at rest, as the
// match itself leaves an eliminated piece. Missing keys read as 0 (so a
// missing "Life" means eliminated).
void ReadGamePieces(const IniFile& f, MatchState& s);

// ReadGamePieces on a file; a file that cannot be read is reported like
// LoadGameHeader does and gives false.
bool LoadGamePieces(const std::string& path, MatchState& s, Dialogs& d);

// --- replays ----------------------------------------------------------------

// A replay's header as the match it was recorded from was set up.
struct ReplaySetupRead {
    bool Ok = false;      // the file is a readable replay with a usable header
    std::string Error;    // why not, when Ok is false
    MatchSetup Setup;     // table, switches, participants and turn order
};

// Reads a replay file's "[general]" section: "Num" (clamped to 2..8), "MaxX",
// "MaxY" (0 gives 600 / 400), "Ftr" (0.01, 0.02, 0.03, else 0.02), "Border",
// "BordMode", "BordSimm", "Pipa", "PipaMode", "PipaSimm", "Sound", and for
// i = 0..Num-1 "R"i, "RModel"i, "RM"i (outside 1..1000 gives 1), "RGray"i,
// and the turn order "KtoHodit"1..Num. A file that cannot be read, has no
// "[general]" section, no "[game]" line or no numeric "Num", or holds a
// number beyond 16 bits, gives an error instead. Never throws.
ReplaySetupRead ReadReplaySetup(const std::string& path);

// Prepares the match state for playing a replay back: ReadReplaySetup, then
// the same StartMatchState a live match starts from (so obstacles, masses
// and turn order are exactly what the recorded match had), and the slots get
// the names, models, masses and grey flags. Returns "" on success or the
// reason the replay cannot be played (the state then holds the new-match
// defaults).
std::string LoadReplaySetup(const std::string& path, MatchState& s, SlotSetups& slots);

}  // namespace zel
