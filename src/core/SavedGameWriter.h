#pragma once
#include <string>

#include "core/MatchState.h"

namespace zel {

// The one writer of saved games ("*.zel"), used by F5 in the match window
// and by zel-sim for its final state, so `zel-sim continue` and the game's
// "Загрузить игру" read what either wrote. Line by line, each ended by CR LF:
//  - the 26-character header line, directly followed by the date and time;
//  - "Ver=" and the build number;
//  - "[general]" with the keys of a replay header (CurG among them), then the
//    camera ("CamX", "CamY", "CamZ", "TargX", "TargZ") and the strike
//    direction ("AimAngle"), then `extraGeneral` as given (lines with CR LF);
//  - "[R1]".."[R<Num>]": "Xpos", "Ypos", "Xvec", "Yvec", "u", "Phi" (shortest
//    decimals that read back to the same doubles), "Life" (-1 or 0) and
//    "SginCount".
// `header` must be 26 characters long; a longer or shorter one would make the
// browser's information box cut the date.
std::string FormatSavedGame(const MatchState& s, const std::string& header,
                            const std::string& dateTime, const std::string& extraGeneral = "");

// The header line of the game's own saved games (26 characters).
inline constexpr const char* kSavedGameHeader = ";Сохраненная игра Korvalo:";

// How an F5 save ended: the file written, or why not.
struct SavedGameWrite {
    bool Ok = false;
    std::string Path;   // the file written
    std::string Error;  // the system's description when Ok is false
};

// Writes the match as a saved game into `folder` (made when missing) under
// the name "<stamp>.zel", or "<stamp>-2.zel" and so on when that name is
// taken, through a temporary file that is renamed over the target (a save
// never leaves half a file). `stamp` is the date and time in a form a file
// name may hold ("2026-12-07_12-30-05"); `dateTime` is what the header line
// shows.
SavedGameWrite WriteSavedGame(const std::string& folder, const MatchState& s,
                              const std::string& stamp, const std::string& dateTime);

// Now as a file-name stamp: "yyyy-MM-dd_HH-mm-ss" in local time.
std::string NowFileStamp();

}  // namespace zel
