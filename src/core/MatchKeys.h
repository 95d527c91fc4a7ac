#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/IniLookup.h"
#include "core/Flag.h"
#include "core/MatchState.h"
#include "core/SlotSetup.h"

namespace zel {

// The match keys shared by zel.ini's "[zelset]" and the "[general]" section
// of replays and saved games, as one reader takes them from a file. The
// settings loader, the saved-game loader and the replay set-up of the game
// and of zel-sim all read through here, so one header reads the same way
// everywhere.

// One participant slot's keys (slot i is participant i + 1; the keys count
// from 0).
struct SlotKeys {
    std::string Name;               // "R"i verbatim; "" when missing
    std::int16_t Model = 0;         // "RModel"i numeric prefix, as MatchKeys::Models says
    std::int16_t Mass = 0;          // "RM"i numeric prefix, not yet held to 1..1000
    std::optional<Flag> Gray;       // "RGray"i when it is boolean text; zel.ini has none
    std::optional<std::int16_t> Mark;  // "chk"i when it is a box state (strict)
};

// What "RModel"i names. The settings file and replays store the entry of
// the set-up screen's model list (-1 none, 0..4, the oval entry 4 reading
// as 0); a saved game stores the piece's model number itself (0..6).
enum class ModelKeys { ListEntries, PieceModels };

struct MatchKeys {
    bool WithParticipants = true;   // names, models, masses and grey flags were read
    ModelKeys Models = ModelKeys::ListEntries;  // how the "RModel"i values were read
    std::array<SlotKeys, kMaxParticipants> Slots{};
    std::array<std::int16_t, kMaxParticipants + 1> KtoHodit{};  // entries 1..8
    std::array<std::int16_t, kMaxParticipants + 1> WhoSgin{};   // entries 1..8
    std::int16_t MaxX = 0;          // as stored; 0 means the default length
    std::int16_t MaxY = 0;          // as stored; 0 means the default width
    std::int16_t CurSgin = 0;
    std::int16_t CurNG = 0;
    std::int16_t Num = 0;           // as stored, before it is held to 2..8
    std::int16_t CurG = 0;          // as stored, before it is held to 1..Num
    double Ftr = 0;                 // as stored, before the choices are applied
    std::int16_t MaxScr = 0;        // largest-table box state 0..2
    std::int16_t ShowSgin = 0;      // elimination-message box state 0..2
    std::int16_t Border = 0;        // wall box state 0..2
    std::int16_t Sound = 0;         // sound box state 0..2
    std::int16_t Pipa = 0;          // post box state 0..2
    // Read only when the switch before them is on, and only when the file
    // has them: zel.ini keeps no post position, so loading it leaves that.
    std::optional<std::int16_t> BordMode;
    std::optional<Flag> BordSimm;
    std::optional<std::int16_t> PipaMode;
    std::optional<Flag> PipaSimm;
};

struct MatchKeysRead {
    MatchKeys Keys;
    std::string Error;  // "" when every key could be used; else why not
    // With a fallback: the values that could not be used and took the
    // fallback's instead, described as Error would have described the first.
    std::vector<std::string> Skipped;
};

// Reads the match keys of `section` in the order the game has always read
// them, with the numeric-prefix rule for every key but the strict marks
// "chk"i. A number beyond 16 bits, a model the rule does not have (a list
// entry outside -1..4, a piece model outside 0..6) or a box state other than
// 0, 1, 2 stops the reading with a description of the key and its value
// (the keys read so far are kept in Keys). `withParticipants` false (a team
// match brings its own participants) skips "R"i, "RModel"i, "RM"i and
// "RGray"i.
// With `fallback` nothing stops the reading: each unusable value takes the
// fallback's value for that key and is listed in Skipped. Files whose keys
// must all be right (a replay, a saved game) are read without one.
MatchKeysRead ReadMatchKeys(const IniFile& f, std::string_view section, bool withParticipants,
                            ModelKeys models = ModelKeys::ListEntries,
                            const MatchKeys* fallback = nullptr);

// What the keys mean for a match, applied to the state and the set-up slots:
// per slot (when read) the name (empty gives i+1, also when not read), the
// model (a list entry: the oval entry 4 gives 0, -1 selects nothing and
// leaves the piece's model; a piece model goes to the piece as it is), the mass held to 1..1000 (else 1) in the piece and the
// slot, the grey flag when the file has one, the mark when it is a box
// state; the order tables; Num held to 2..8, CurG to 1..Num; friction from
// its choices; the table size (largest-table box checked gives 1000 by 1000,
// then 0 gives 600 / 400); the switches, on for box states 1 and 2, with
// the wall and post positions the file has. Order and elimination entries,
// CurNG and CurSgin outside 0..8 become 0, so nothing read can index past
// the match's tables.
void ApplyMatchKeys(const MatchKeys& k, MatchState& s, SlotSetups& slots);

// The table length and width the keys give (largest-table box, then the
// defaults for 0), as ApplyMatchKeys sets them.
std::int16_t TableLengthFrom(const MatchKeys& k);
std::int16_t TableWidthFrom(const MatchKeys& k);

}  // namespace zel
