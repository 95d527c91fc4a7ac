#pragma once
#include <string>
#include <string_view>

#include "base/Dialogs.h"
#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "base/IniLookup.h"
#include "core/SlotSetup.h"

namespace zel {

// Reading stored matches back: the "[general]" header of a saved game
// ("*.zel") or of a replay ("*.sav"), and a saved game's participant sections
// "[R1]".."[R8]". Nothing here writes files.

// --- saved games ------------------------------------------------------------

// Reads a saved game's "[general]" section into the match state and the
// set-up slots with the shared match-key reader (ReadMatchKeys, then
// ApplyMatchKeys: the same keys, checks and defaults as the settings loader
// and the replay set-up). Returns "" on success or the description of the
// key that stopped the reading; on failure the state and the slots are
// left as they were. Display settings belong to the settings file and are not
// taken from a saved game.
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

// Everything a continued game starts from, read from a saved game the way
// the game's "Загрузить игру" and `zel-sim continue` both read it, so the two
// play on from the same state: the file must have "[general]" with "Num"
// and, for every participant, a section "R"p with all of "Xpos", "Ypos",
// "Xvec", "Yvec", "u", "Phi" and "Life" (a file cut short is refused rather
// than played with pieces missing); then ReadGameHeader, the names from the
// slots into the pieces (the caller may trim them further), ReadGamePieces,
// the camera ("CamX", "CamY", "CamZ", "TargX", "TargZ"; missing ones from
// the camera start of the table) and the strike direction ("AimAngle";
// missing: the one the camera gives at a turn start), and the obstacles
// where a new match puts them. Returns "" or why the file cannot be
// continued.
std::string ReadContinuedGame(const IniFile& f, MatchState& s, SlotSetups& slots);

// --- replays ----------------------------------------------------------------

// A replay's header as the match it was recorded from was set up.
struct ReplaySetupRead {
    bool Ok = false;      // the file is a readable replay with a usable header
    std::string Error;    // why not, when Ok is false
    MatchSetup Setup;     // table, switches, participants and turn order
};

// Reads a replay file's "[general]" section with the shared match-key
// reader and applies it to a fresh match state by the same rules as the
// settings loader, so the game and zel-sim take the same match from one
// header. A file that cannot be read, has no "[general]" section or no
// "[game]" line, or whose keys stop the reader (a number beyond 16 bits, a
// model the list does not have, a box state other than 0, 1, 2) gives an
// error instead. Never throws.
ReplaySetupRead ReadReplaySetup(const std::string& path);

// Prepares the match state for playing a replay back: ReadReplaySetup, then
// the same StartMatchState a live match starts from (so obstacles, masses
// and turn order are exactly what the recorded match had), and the slots get
// the names, models, masses and grey flags. Returns "" on success or the
// reason the replay cannot be played (the state then holds the new-match
// defaults).
std::string LoadReplaySetup(const std::string& path, MatchState& s, SlotSetups& slots);

// LoadReplaySetup, then the turn counters a replay starts from (the first
// turn slot plays first), as the game and zel-sim both start a playback.
std::string PrepareReplayPlayback(const std::string& path, MatchState& s, SlotSetups& slots);

// The same two on a replay header already in memory, as a network match's
// set-up carries it; `name` stands for the file in the errors.
ReplaySetupRead ReadReplaySetupText(std::string_view text, const std::string& name);
std::string PrepareReplayPlaybackText(std::string_view text, const std::string& name,
                                      MatchState& s, SlotSetups& slots);

}  // namespace zel
