#pragma once
#include "match/RunMatch.h"

namespace zel::match {

// The quick match of the main menu until the match setup screen takes it
// over: two participants from the setup screen's slots (the first two
// checked slots, else slots 0 and 1), each with the slot's trimmed name (an
// empty one becomes the participant's number, written back into the slot's
// name box), model (the oval piece or none gives model 0) and mass (the
// slot's record, 1..1000), on the table, friction, walls, posts and sound
// of the options. Checks the table size and the display settings with the
// setup screen's messages, shows its warning about the name labels,
// switches NumLock on and runs the match. The slots' masses are put back
// into records 1..8 when the match has closed, so the settings file keeps
// them. `options` gives the title, the replay path and the hand-over; its
// display settings are taken from `store`. Returns whether the match ran.
bool StartQuickMatch(const MatchServices& services, SettingsStore& store, MatchWindowOptions options);

}  // namespace zel::match
