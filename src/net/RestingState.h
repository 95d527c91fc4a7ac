#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/MatchState.h"

namespace zel {

// Everything on the table once it has come to rest at a turn end: every
// field of every body record (participants, obstacles, walls), where each
// fallen piece left the table, and the turn and elimination counters the
// turn end reads. The host of a network match sends it after every strike;
// the guest compares it with its own, bit for bit.
struct RestingState {
    std::array<VembaRecord, kRecordCount + 1> Vembas{};  // [1..16]
    std::array<LeavePoint, kRecordCount + 1> LeftTable{};
    std::int16_t CurNG = 1;
    std::int16_t CurG = 1;
    std::array<std::int16_t, kMaxParticipants + 1> WhoSgin{};
    std::int16_t CurSgin = 0;
    std::array<std::int16_t, kMaxParticipants> TurnSgin{};
    std::int16_t TurnSginCount = 0;
    Flag SginFlushed = kTrue;
    std::int16_t Winner = 0;
};

RestingState CaptureRestingState(const MatchState& s);

// Puts the state into the match, every field as captured.
void AdoptRestingState(const RestingState& r, MatchState& s);

// "" when both are the same to the last bit (names byte for byte, -0 and 0
// told apart); otherwise every differing field as "R3.Xpos 12.5/12.500000000000002"
// (host value first), separated by "; ".
std::string RestingStateDifference(const RestingState& host, const RestingState& own);

}  // namespace zel
