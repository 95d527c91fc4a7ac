#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "net/NetDecoder.h"
#include "net/NetMessages.h"

namespace zel {

enum class NetRole { Host, Guest };

// What the session tells its owner. Every message that reaches an event has
// passed the field checks and the turn checks.
enum class NetEventKind {
    PeerHello,        // Message: the other side's HelloMsg (its players' names)
    Setup,            // guest: Message is the host's MatchSetupMsg; the match starts
    Aim,              // Message: AimMsg of the other side's striker
    Strike,           // Message: StrikeMsg of the other side's striker
    Resting,          // guest: Message is the host's RestingStateMsg
    RestartAsked,     // the other side asks to play again; answer with AnswerRestart
    RestartAnswered,  // Message: RestartAnswerMsg; on Yes the host sends the set-up again
    Closed,           // Text: why the connection ended (NetTexts.h); nothing follows
};

struct NetEvent {
    NetEventKind Kind = NetEventKind::Closed;
    NetMessage Message;
    std::string Text;
};

// One side of a network match without any transport: bytes in (Receive),
// bytes out (TakeOutgoing), events out (TakeEvents). It holds the order of
// the conversation and refuses whatever comes out of turn:
//   handshake  the guest's Hello, the host's Hello (or Refuse: another build)
//   lobby      the host's MatchSetup
//   each turn  BeginTurn(striker) on both sides; Aim messages then one
//              Strike from the side that plays the striker; the host's
//              RestingState once the strike has come to rest
//   match end  EndMatch on both sides; RestartAsk / RestartAnswer; on an
//              agreed restart the host's MatchSetup again
// KeepAlive is welcome at any time, Bye ends everything. Messages of the next
// turn (or of the match end) that arrive while this side still finishes the
// turn are held, a bounded number, and judged when the side gets there.
// Anything malformed, out of turn or naming the wrong participant closes the
// session: a Refuse with the reason goes out, then a Closed event.
class NetSession {
public:
    enum class Phase { Handshake, Lobby, Started, Turn, Moving, Rested, Over, Closed };

    NetSession(NetRole role, std::vector<std::string> localNames, int buildNumber);

    // The guest's Hello goes out; the host waits for it.
    void Start();
    void Receive(std::string_view bytes);
    std::string TakeOutgoing();
    std::vector<NetEvent> TakeEvents();

    NetRole Role() const { return role_; }
    Phase CurrentPhase() const { return phase_; }
    bool IsClosed() const { return phase_ == Phase::Closed; }
    const std::string& CloseText() const { return closeText_; }
    const std::vector<std::string>& PeerNames() const { return peerNames_; }
    // Strikes of this match so far, both sides'.
    std::int32_t Strikes() const { return strikes_; }
    // Whether this side plays participant p (1..Num) in the match set up.
    bool PlaysHere(int p) const;

    // Host, in the lobby: the match as set up goes to the guest and starts.
    bool SendSetup(const MatchSetupMsg& m);
    // Both sides at every turn start: `striker` is to strike now.
    void BeginTurn(int striker);
    // This side's striker: its aim as it changes, then its strike.
    bool SendAim(const AimMsg& m);
    bool SendStrike(const ReplayStepRecord& step);
    // Host: the table at rest after the strike.
    bool SendRestingState(const RestingState& r);
    // Both sides: the match ended by the rules.
    void EndMatch();
    bool AskRestart();
    bool AnswerRestart(bool yes);
    void SendKeepAlive();
    // This side leaves: Bye goes out, the session closes with kYouQuit.
    void Quit();
    // The transport failed (lost connection, silence): closed with `text`,
    // once the messages that arrived before are played out.
    void Fail(const std::string& text);

private:
    void Handle(NetMessage&& m);
    void HandleHello(const HelloMsg& m);
    void HandleNow(NetMessage&& m);
    bool Holdable(const NetMessage& m) const;
    void ReleaseHeld();
    void Send(const NetMessage& m);
    void Emit(NetEventKind kind, NetMessage m = KeepAliveMsg{}, std::string text = {});
    // Closes because of what the other side sent: Refuse out, Closed event.
    void Reject(const std::string& text);
    void Close(std::string text);
    void AgreeRestart();

    NetRole role_;
    std::vector<std::string> localNames_;
    int buildNumber_;
    Phase phase_ = Phase::Handshake;
    NetDecoder decoder_;
    std::string outgoing_;
    std::vector<NetEvent> events_;
    std::deque<NetMessage> held_;
    std::vector<std::string> peerNames_;
    std::string closeText_;
    std::string pendingFail_;  // the transport ended while messages were held
    std::int16_t num_ = 0;
    std::array<bool, kMaxParticipants + 1> guestPlays_{};
    int striker_ = 0;
    std::int32_t strikes_ = 0;
    bool askedRestart_ = false;  // this side asked and waits for the answer
    bool peerAsked_ = false;     // the other side asked and waits for ours
};

}  // namespace zel
