#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/MatchState.h"
#include "core/ReplayFile.h"
#include "net/RestingState.h"

namespace zel {

// The messages of a network match. Field checks happen when a message is
// read (NetCodec): whatever reaches the session is within these bounds.

// The first message of each side: who is speaking. The guest sends it on
// connecting; the host answers with its own or with a Refuse.
struct HelloMsg {
    int ProtocolVersion = 0;          // kNetLimits.ProtocolVersion of the sender
    int BuildNumber = 0;              // core/ProgramVersion.h kBuildNumber of the sender
    std::vector<std::string> Names;   // the sender's players, 0..8 names of 1..MaxNameBytes bytes
};

// No game with this side; the connection closes after it.
struct RefuseMsg {
    std::string Reason;  // shown to the player as given, 1..MaxReasonBytes bytes
};

// The host's set-up of the match: the replay header the match records
// (FormatReplayHeader) and which participants the guest plays.
struct MatchSetupMsg {
    std::string Header;  // "[general]" ... "[game]", 1..MaxHeaderBytes bytes
    std::int16_t Num = 2;  // participants, 2..8, as the header says
    std::array<bool, kMaxParticipants + 1> GuestPlays{};  // [1..Num]; the rest played by the host
};

// The striker's camera and aim as they change, before the strike.
struct AimMsg {
    std::int16_t Participant = 1;  // 1..8, the striker
    double CamX = 0;               // finite, |x| <= MaxPosition
    double CamZ = 0;
    double AimAngle = 0;           // finite, |a| <= MaxHeading
    std::int16_t Power = 0;        // 0..MaxPower
};

// A strike, as the replay file records it.
struct StrikeMsg {
    std::int32_t Turn = 0;          // strikes of this match before this one
    std::int16_t Participant = 1;   // 1..8, the striker
    ReplayStepRecord Step;          // carried as FormatReplayStep's text
};

// The host's table after a strike has come to rest.
struct RestingStateMsg {
    std::int32_t Turn = 0;  // the strike (counted from 0) this rest follows
    RestingState State;
};

struct RestartAskMsg {};
struct RestartAnswerMsg {
    bool Yes = false;
};
struct KeepAliveMsg {};
// The sender leaves the game; the connection closes after it.
struct ByeMsg {};

using NetMessage = std::variant<HelloMsg, RefuseMsg, MatchSetupMsg, AimMsg, StrikeMsg,
                                RestingStateMsg, RestartAskMsg, RestartAnswerMsg, KeepAliveMsg,
                                ByeMsg>;

// The type byte of each message on the wire: the variant's index plus one.
inline constexpr std::uint8_t MessageTypeByte(const NetMessage& m) {
    return static_cast<std::uint8_t>(m.index() + 1);
}

}  // namespace zel
