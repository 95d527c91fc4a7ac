#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "core/Flag.h"
#include "core/MatchKeys.h"
#include "core/MatchState.h"
#include "core/PlayerKind.h"
#include "settings/DisplaySettings.h"
#include "settings/NetSettings.h"

namespace zel {

// The settings file zel.ini: "[zelset]" followed by key=value lines. This is
// its one reader and its one writer; the match keys in it are read by the
// same reader as a replay's or saved game's "[general]" (ReadMatchKeys), so
// every file of the game reads its shared keys alike. Which controls the
// values end up in is the business of the screens that hold them.

// What a settings file gave.
struct SettingsFileRead {
    bool Found = false;        // the file exists; without it the defaults apply silently
    std::string Error;         // why the file could not be used; "" when it could
    // zel.ini's values that could not be used and took the built-in ones;
    // the rest of the file was used.
    std::vector<std::string> Skipped;
    DisplaySettings Display;   // the display settings with the file's usable keys applied
    MatchKeys Match;           // the match keys as read
    // Who plays each slot ("Player"i, 0 a person, 1..3 the computer's
    // levels): read from zel.ini only; a missing or unusable value is a
    // person, so older files play every slot as people.
    std::array<PlayerKind, kMaxParticipants> Players{};
    // The network screen's boxes (NetAddress, NetPort, NetHostPort): read
    // from zel.ini only; a missing or unusable value is the built-in one.
    NetSettings Net = DefaultNetSettings();
};

// Reads `path`: section "zelset" when `path` is exactly `settingsFile`, else
// "general" (a replay read for its match set-up).
//  - Display keys ScreenW, ScreenH, Colors, UseTex, UseRoom are read
//    strictly over `current`: a value that is not a number keeps the
//    setting, 0 gives the default size or depth; DeviceNum and RenderNum
//    (strict) outside 0..99 give 0.
//  - The match keys through ReadMatchKeys; `withParticipants` false (a team
//    match is set up) leaves the participants' keys unread.
// A file that cannot be opened, has no such section, or whose match keys
// stop the reader gives Error. In zel.ini no key stops the reader: an
// unusable value takes the built-in one and is listed in Skipped. An empty
// zel.ini counts as missing. The busy pointer is shown while the file is read.
SettingsFileRead ReadSettingsFile(const std::string& path, const std::string& settingsFile,
                                  const DisplaySettings& current, bool withParticipants,
                                  Dialogs& d);

// One participant slot as zel.ini stores it.
struct SettingsSlotValues {
    std::string Name;            // the name box; line breaks are written as blanks
    std::int16_t Model = 0;      // selected model list entry, -1 for none
    std::int16_t Mass = 1;       // RM of the slot's piece
    std::int16_t Mark = 0;       // participation box state 0..2
    PlayerKind Player = PlayerKind::Human;  // a person or the computer's level
};

// Everything zel.ini stores, gathered from the controls and the match state.
struct SettingsValues {
    DisplaySettings Display;
    std::array<SettingsSlotValues, kMaxParticipants> Slots{};
    std::string MaxXText;        // the length box as it stands, written verbatim
    std::string MaxYText;        // the width box as it stands
    double Ftr = 0.02;           // friction
    std::int16_t MaxScrBox = 0;  // largest-table box state
    std::int16_t SoundBox = 0;   // sound box state
    std::int16_t BorderBox = 0;  // wall box state
    std::int16_t ShowSginBox = 0;  // elimination-message box state
    std::int16_t PipaBox = 0;    // post box state
    std::int16_t BordMode = 1;   // wall position, written with a checked wall box
    Flag BordSimm = kTrue;       // symmetric wall, likewise
    NetSettings Net;             // the network screen's last address and ports
};

// The text of zel.ini, every line ending in CR LF: "[zelset]", ScreenW,
// ScreenH, Colors, UseTex, UseRoom, DeviceNum, RenderNum, then R i, RModel i,
// RM i for i = 0..7, MaxX, MaxY, Ftr, MaxScr, Sound, Border (with BordMode and
// BordSimm when the wall box is checked), ShowSgin, Pipa, then chk i, then
// Player i, then NetAddress, NetPort and NetHostPort. A box writes 1 only
// when it is checked (a greyed box writes 0).
std::string BuildSettingsText(const SettingsValues& v);

}  // namespace zel
