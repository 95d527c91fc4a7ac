#pragma once
#include <cstdint>

#include "core/MatchPort.h"
#include "core/MatchState.h"

namespace zel {

// The match rules that run when a turn settles: crediting the turn's
// eliminations, deciding whether the match is over, and the pot blast.
// The fall of a piece itself is booked by the physics (EliminatePiece); these
// functions only read what that booking left in TurnSgin / WhoSgin.
//
// Every table access is bounded by the table sizes (WhoSgin 8, TurnSgin 7,
// participants 8), so a corrupted state never writes outside the tables.

// Participants taking part in the turn cycle: Num limited to 0..8.
int ParticipantCount(const MatchState& s);

// Volume (hundredths of a decibel, <= 0) of the crowd sound 7: minus the
// squared scene distance from the camera to the room's swin object at
// (MaxX/10, 150), divided by 100 and rounded half to even.
int CrowdVolume(const MatchState& s);

// Credits the eliminations still waiting in TurnSgin to the striker (CurG):
// only when TurnSginCount >= 1 and SginFlushed is clear. They are appended to
// WhoSgin last-fallen first, CurSgin and the striker's SginCount grow by the
// count, TurnSginCount becomes 0. Two or more victims with UseRoom on play
// the crowd sound 7 at CrowdVolume. Does not touch SginFlushed.
void AccountTurn(MatchState& s, MatchPort& port);

// Decides whether the match is over after a turn. When it is, sets GameOver,
// Winner (survivor, winning team from FirstTeam/SecondTeam, or -1), appends
// the survivors to WhoSgin as the rules say, sets StatusText to
// "Вемба закончена!" and clears GameRunning, and returns true. A free-for-all
// that nobody survives first shows "Вы живых не осталось никого...Все
// сгинули!" and lets pending events run once. Returns false when the turn
// should pass.
bool DecideMatchEnd(MatchState& s, MatchPort& port);

// True when DecideMatchEnd would end the match at this turn end, without
// changing anything: in a free-for-all at most one piece is left, in a team
// match nobody or only one side. A network match whose link drops while the
// decided table waits for its turn end is not told it was cut short.
bool MatchIsDecided(const MatchState& s);

// The pot blast with the window's Power: for every participant other than
// CurG, an impulse away from the striker that falls off with the square of the
// distance and grows with the distance from the table centre. |Power| < 1
// changes nothing at all. A piece standing exactly on the striker's point has
// no direction to be pushed in; its impulse is set to (0, 0).
void GorApply(MatchState& s);

}  // namespace zel
