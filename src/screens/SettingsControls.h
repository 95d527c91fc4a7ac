#pragma once
#include <string>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "screens/SettingsStore.h"
#include "settings/SettingsFile.h"

namespace zel {

// The settings file zel.ini and the screens' controls that are its store.
// The file's reader and writer are in settings/SettingsFile.h; these
// routines move the values between the file and the controls (and the match
// state). The same loader reads a replay file's "[general]" section, which
// also carries the match keys KtoHodit1..8, WhoSgin1..8, CurSgin, CurNG, Num
// and CurG.

// Loads the settings from `path` into the match state and the store.
// `settingsFile` is the path of zel.ini (see AppPaths): the section read is
// "zelset" when `path` is exactly that text, "general" otherwise.
//  - A file that is not there gives the built-in defaults without a word.
//  - Display keys are read strictly; a value that is not a number keeps the
//    setting, 0 gives the default size or depth, a device index outside
//    0..99 gives 0.
//  - Per slot i = 0..7, unless a team match is set up (TeamGame), the name
//    "R"i, the model list entry "RModel"i and the mass "RM"i of record i+1;
//    an empty name becomes the text of i+1 either way. The masses the piece
//    editor allows are 1..1000: anything else read (a missing key included)
//    becomes 1, so no piece ever gets mass 0.
//  - Table size with the largest-table box ("MaxScr" 1 gives 1000 by 1000,
//    0 gives 600 or 400), friction (0.01, 0.02, 0.03, or the older 30, 50,
//    80; else 0.02), Num (2..8), CurG (1..Num), and the boxes of ShowSgin,
//    Border (BordMode and BordSimm only when on), Sound and Pipa (PipaMode
//    and PipaSimm only when on and in the file), each flag following its box.
//  - The grey flags "RGray"i when the file has them (replays do).
//  - The participation marks "chk"i (strict; 0, 1 or 2, else the mark stays).
// The match keys go through the one reader every match file uses
// (ReadMatchKeys / ApplyMatchKeys), so a replay's header gives the game the
// same match it gives zel-sim.
// A file that cannot be read, a number beyond 16 bits, a model the list does
// not have or a box value other than 0, 1, 2 shows "Ошибка при загрузке
// параметров." with the description and applies the defaults to the state as
// it was before the load began: nothing of the failed file is kept. The busy
// pointer is shown while the file is read and put back on every path.
// When `path` is the settings file, a file that gave the message is first
// copied beside itself (see KeepDamagedCopy) and the message names the copy;
// when no copy can be made the store is told to leave the file alone, so
// nothing the person had is written over. A zel.ini value that cannot be
// used costs only that key: the others load, the message lists the keys.
void LoadSettings(const std::string& path, const std::string& settingsFile, SettingsStore& store,
                  MatchState& s, Dialogs& d);

// The same for a settings file found elsewhere than where the settings are
// written (the program folder's zel.ini when the writable folder has none):
// `asSettingsFile` reads its "[zelset]", `willBeReplaced` says whether the
// file itself is the one the settings are later written to.
void LoadSettingsFile(const std::string& path, bool asSettingsFile, bool willBeReplaced,
                      SettingsStore& store, MatchState& s, Dialogs& d);

// The built-in defaults: display 640x480x8, textures, room and device
// indexes 0, names "1".."8" with model entry 0 (the pieces' models follow),
// Num 2, slots 0 and 1 marked (the other marks stay), CurG 1, friction 0.02,
// the largest-table box cleared, table 600 by 400, sound box and sound on,
// wall on at position 1 with its symmetric twin (the wall box stays), post
// box and posts on, elimination-message box and messages on.
void ApplyDefaultSettings(SettingsStore& store, MatchState& s);

// What zel.ini stores, gathered from the controls and the match state.
SettingsValues CollectSettings(const SettingsStore& store, const MatchState& s);

// Writes BuildSettingsText(CollectSettings(...)) to `settingsFile` through WriteTextFile (which
// reports its own failure and keeps the old file). A failure while the text
// is built shows "Ошибка при сохранении параметров." and writes nothing.
// The busy pointer is shown meanwhile. True when the file was written.
// Writes nothing (and says nothing more; the load said why) while the store
// is told to leave a file alone that failed to load and could not be copied.
bool SaveSettings(const std::string& settingsFile, const SettingsStore& store, const MatchState& s,
                  Dialogs& d);

}  // namespace zel
