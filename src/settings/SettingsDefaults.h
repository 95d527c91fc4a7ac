#pragma once
#include <cstdint>

#include "core/Flag.h"

namespace zel {

// The built-in values of the settings file zel.ini: what a missing or
// unreadable file gives, and what the loader puts in place of an unusable
// display value. The match keys zel.ini shares with the match files take
// their defaults from kMatchKeyDefaults (core/MatchKeyDefaults.h); every
// other default of the settings lives in this one table.
struct SettingsDefaultTable {
    std::int16_t ScreenW;       // display width, also what ScreenW=0 or a bad value gives
    std::int16_t ScreenH;       // display height, likewise
    std::int16_t Colors;        // colour depth in bits, likewise
    Flag UseTex;                // table textures off until the options screen turns them on
    Flag UseRoom;               // the room around the table, likewise
    std::int16_t DeviceNum;     // first display driver; also what an index out of range gives
    std::int16_t RenderNum;     // software 3D device; likewise
    std::int16_t DeviceLimit;   // device indexes must stay below this, or they give the default
    std::int16_t Model;         // model list entry of every slot: the classic piece
    std::int16_t Num;           // two participants
    std::int16_t MarkedSlots;   // slots 0..MarkedSlots-1 are marked as taking part
    std::int16_t CurG;          // the first participant begins
    Flag Sound;                 // sound effects
    Flag Border;                // the wall
    std::int16_t BordMode;      // the wall's second position
    Flag BordSimm;              // the symmetric second wall
    Flag Pipa;                  // the four posts
    Flag ShowSgin;              // the humorous elimination messages
    const char* NetAddress;     // the network screen's address box: this computer
    const char* NetPort;        // its port box, and the port a host listens on
};

inline constexpr SettingsDefaultTable kSettingsDefaults{
    .ScreenW = 640,
    .ScreenH = 480,
    .Colors = 8,
    .UseTex = kFalse,
    .UseRoom = kFalse,
    .DeviceNum = 0,
    .RenderNum = 0,
    .DeviceLimit = 100,
    .Model = 0,
    .Num = 2,
    .MarkedSlots = 2,
    .CurG = 1,
    .Sound = kTrue,
    .Border = kTrue,
    .BordMode = 1,
    .BordSimm = kTrue,
    .Pipa = kTrue,
    .ShowSgin = kTrue,
    .NetAddress = "127.0.0.1",
    .NetPort = "24610",
};

}  // namespace zel
