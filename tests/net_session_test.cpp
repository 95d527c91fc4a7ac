// The network session's order of the conversation: handshake, set-up,
// turns, match end; whatever comes out of turn closes it with a clear text.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/ProgramVersion.h"
#include "net/NetCodec.h"
#include "net/NetLimits.h"
#include "net/NetTexts.h"
#include "net/NetMatchSetup.h"
#include "net/RestingState.h"
#include "support/PeerPair.h"
#include "support/RecordedMatch.h"
#include "support/SessionPair.h"

namespace zel {
namespace {

using test::SessionPair;

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

const ReplayStepRecord kStep{10, 0, 100, 200, 0};

TEST(NetSession, TheHandshakeTellsEachSideTheOthersNames) {
    SessionPair p;
    p.Guest.Start();
    p.Exchange();
    EXPECT_EQ(p.Host.PeerNames(), std::vector<std::string>{"Гость"});
    EXPECT_EQ(p.Guest.PeerNames(), std::vector<std::string>{"Хозяин"});
    EXPECT_EQ(p.Host.CurrentPhase(), NetSession::Phase::Lobby);
    EXPECT_EQ(p.Guest.CurrentPhase(), NetSession::Phase::Lobby);
    EXPECT_TRUE(SessionPair::Has(p.HostEvents, NetEventKind::PeerHello));
}

TEST(NetSession, ADifferentBuildIsRefusedOnBothSides) {
    SessionPair p;
    p.Guest = NetSession(NetRole::Guest, {"Гость"}, kBuildNumber + 1);
    p.Guest.Start();
    p.Exchange();
    ASSERT_TRUE(p.Host.IsClosed());
    ASSERT_TRUE(p.Guest.IsClosed());
    const std::string both = std::to_string(kBuildNumber) + ", у другого компьютера сборка " +
                             std::to_string(kBuildNumber + 1);
    EXPECT_TRUE(StartsWith(p.Host.CloseText(), nettexts::kOtherBuild)) << p.Host.CloseText();
    EXPECT_NE(p.Host.CloseText().find(both), std::string::npos) << p.Host.CloseText();
    // The guest hears the host's reason, with the host's numbers.
    EXPECT_TRUE(StartsWith(p.Guest.CloseText(), nettexts::kRefusedByOther));
    EXPECT_NE(p.Guest.CloseText().find(nettexts::kOtherBuild), std::string::npos);
    EXPECT_FALSE(SessionPair::Has(p.HostEvents, NetEventKind::PeerHello));
}

TEST(NetSession, ASecondHelloIsOutOfTurn) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Guest.Receive("");  // nothing: nothing happens
    p.Host.Receive(EncodeFrame(HelloMsg{kNetLimits.ProtocolVersion, kBuildNumber, {}}));
    ASSERT_TRUE(p.Host.IsClosed());
    EXPECT_EQ(p.Host.CloseText(), std::string(nettexts::kOutOfTurn) + "приветствие");
}

TEST(NetSession, AimBeforeTheSetUpIsOutOfTurn) {
    SessionPair p;
    p.Guest.Start();
    p.Exchange();
    p.Guest.Receive(EncodeFrame(AimMsg{1, 0, 0, 0, 0}));
    ASSERT_TRUE(p.Guest.IsClosed());
    EXPECT_EQ(p.Guest.CloseText(), std::string(nettexts::kOutOfTurn) + "прицел");
    // The other side is told why.
    p.Exchange();
    EXPECT_TRUE(StartsWith(p.Host.CloseText(), nettexts::kRefusedByOther)) << p.Host.CloseText();
}

TEST(NetSession, OnlyTheSideThatPlaysTheStrikerStrikes) {
    SessionPair p;
    p.SetUp(2, {false, false, true});  // the guest plays 2
    p.Host.BeginTurn(1);
    p.Guest.BeginTurn(1);
    EXPECT_FALSE(p.Guest.SendStrike(kStep));
    EXPECT_FALSE(p.Guest.SendAim(AimMsg{1, 0, 0, 0, 0}));
    EXPECT_TRUE(p.Host.SendAim(AimMsg{1, 1, 2, 3, 4}));
    EXPECT_TRUE(p.Host.SendStrike(kStep));
    p.Exchange();
    ASSERT_EQ(p.GuestEvents.size(), 4u);  // hello, setup, aim, strike
    EXPECT_EQ(p.GuestEvents[2].Kind, NetEventKind::Aim);
    EXPECT_EQ(p.GuestEvents[3].Kind, NetEventKind::Strike);
    EXPECT_EQ(std::get<StrikeMsg>(p.GuestEvents[3].Message).Participant, 1);
    EXPECT_EQ(p.Guest.Strikes(), 1);
}

TEST(NetSession, AStrikeForAParticipantNotTheStrikerClosesTheSession) {
    SessionPair p;
    p.SetUp(3, {false, false, true, true});
    p.Host.BeginTurn(2);  // the guest's participant 2 is to strike
    p.Host.Receive(EncodeFrame(StrikeMsg{0, 3, kStep}));
    ASSERT_TRUE(p.Host.IsClosed());
    EXPECT_EQ(p.Host.CloseText(), std::string(nettexts::kOutOfTurn) + "удар");
}

TEST(NetSession, AStrikeForTheHostsOwnParticipantFromTheGuestIsRefused) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Host.BeginTurn(1);
    p.Host.Receive(EncodeFrame(StrikeMsg{0, 1, kStep}));
    EXPECT_TRUE(p.Host.IsClosed());
}

TEST(NetSession, AStrikeWithAnotherTurnNumberIsRefused) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Host.BeginTurn(2);
    p.Host.Receive(EncodeFrame(StrikeMsg{5, 2, kStep}));
    EXPECT_TRUE(p.Host.IsClosed());
}

TEST(NetSession, OnlyTheHostSendsTheRestingState) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Host.BeginTurn(2);
    p.Guest.BeginTurn(2);
    ASSERT_TRUE(p.Guest.SendStrike(kStep));
    p.Exchange();
    EXPECT_FALSE(p.Guest.SendRestingState(RestingState{}));
    p.Host.Receive(EncodeFrame(RestingStateMsg{0, RestingState{}}));
    EXPECT_TRUE(p.Host.IsClosed());
}

TEST(NetSession, ARestingStateBeforeAnyStrikeIsOutOfTurn) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Guest.BeginTurn(1);
    p.Guest.Receive(EncodeFrame(RestingStateMsg{0, RestingState{}}));
    ASSERT_TRUE(p.Guest.IsClosed());
    EXPECT_EQ(p.Guest.CloseText(), std::string(nettexts::kOutOfTurn) + "положение на столе");
}

TEST(NetSession, TheNextTurnsMessagesWaitUntilThisSideGetsThere) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Host.BeginTurn(1);
    p.Guest.BeginTurn(1);
    p.Host.SendStrike(kStep);
    p.Host.SendRestingState(RestingState{});
    p.Exchange();
    EXPECT_EQ(p.Guest.CurrentPhase(), NetSession::Phase::Rested);
    // The guest begins turn 2 and strikes before the host has finished
    // turn 1: the host holds the strike until its own turn 2 begins.
    p.Guest.BeginTurn(2);
    ASSERT_TRUE(p.Guest.SendStrike(kStep));
    p.Exchange();
    EXPECT_EQ(p.Host.Strikes(), 1);
    EXPECT_FALSE(SessionPair::Has(p.HostEvents, NetEventKind::Strike));
    p.Host.BeginTurn(2);
    EXPECT_EQ(p.Host.Strikes(), 2);
    EXPECT_TRUE(SessionPair::Has(p.Host.TakeEvents(), NetEventKind::Strike));
    EXPECT_FALSE(p.Host.IsClosed());
}

TEST(NetSession, AMessageThatComesEarlyIsHeldAndJudgedLater) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Guest.BeginTurn(1);
    p.Host.BeginTurn(1);
    p.Host.SendStrike(kStep);
    p.Host.SendRestingState(RestingState{});
    p.Exchange();
    // An aim for participant 1 in the next turn, whose striker is 2: held...
    p.Guest.Receive(EncodeFrame(AimMsg{1, 0, 0, 0, 0}));
    EXPECT_FALSE(p.Guest.IsClosed());
    // ...and refused when the turn it claims to be in begins.
    p.Guest.BeginTurn(2);
    EXPECT_TRUE(p.Guest.IsClosed());
}

TEST(NetSession, HeldMessagesAreBounded) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    std::string flood;
    for (std::size_t i = 0; i <= kNetLimits.MaxHeldMessages; ++i) flood += EncodeFrame(AimMsg{1, 0, 0, 0, 0});
    p.Guest.Receive(flood);
    ASSERT_TRUE(p.Guest.IsClosed());
    EXPECT_TRUE(StartsWith(p.Guest.CloseText(), nettexts::kOutOfTurn));
}

TEST(NetSession, AByeAfterTheLastStrikeComesAfterIt) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Host.BeginTurn(1);
    p.Host.SendStrike(kStep);
    p.Host.SendRestingState(RestingState{});
    p.Host.Quit();
    p.Exchange();  // the guest has not begun its turn yet: all of it waits
    EXPECT_FALSE(p.Guest.IsClosed());
    p.Guest.BeginTurn(1);
    auto events = p.Guest.TakeEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Kind, NetEventKind::Strike);
    EXPECT_EQ(events[1].Kind, NetEventKind::Resting);
    EXPECT_EQ(events[2].Kind, NetEventKind::Closed);
    EXPECT_EQ(events[2].Text, nettexts::kOtherQuit);
    EXPECT_EQ(p.Host.CloseText(), nettexts::kYouQuit);
}

TEST(NetSession, ALostConnectionPlaysOutWhatArrivedBeforeIt) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Host.BeginTurn(1);
    p.Host.SendStrike(kStep);
    p.Exchange();
    p.Guest.Fail(nettexts::kConnectionLost);
    EXPECT_FALSE(p.Guest.IsClosed());
    p.Guest.BeginTurn(1);
    const auto events = p.Guest.TakeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Kind, NetEventKind::Strike);
    EXPECT_EQ(events[1].Text, nettexts::kConnectionLost);
}

TEST(NetSession, MalformedBytesCloseBothSidesWithTheReason) {
    SessionPair p;
    p.Guest.Start();
    p.Exchange();
    p.Host.Receive(std::string("\x00\x00\x00\x03\x01\x63\x00", 7));
    ASSERT_TRUE(p.Host.IsClosed());
    EXPECT_EQ(p.Host.CloseText(), std::string(nettexts::kMalformed) + "неизвестный вид сообщения 99");
    p.Exchange();
    EXPECT_TRUE(StartsWith(p.Guest.CloseText(), nettexts::kRefusedByOther));
    // A closed session takes nothing more and sends nothing more.
    p.Host.Receive(EncodeFrame(KeepAliveMsg{}));
    p.Host.SendKeepAlive();
    EXPECT_EQ(p.Host.TakeOutgoing(), "");
}

TEST(NetSession, ARestartNeedsBothSides) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    EXPECT_FALSE(p.Host.AskRestart());  // the match has not ended
    p.Host.EndMatch();
    p.Guest.EndMatch();
    EXPECT_TRUE(p.Host.AskRestart());
    p.Exchange();
    EXPECT_TRUE(SessionPair::Has(p.GuestEvents, NetEventKind::RestartAsked));
    EXPECT_TRUE(p.Guest.AnswerRestart(true));
    p.Exchange();
    EXPECT_EQ(p.Host.CurrentPhase(), NetSession::Phase::Lobby);
    EXPECT_EQ(p.Guest.CurrentPhase(), NetSession::Phase::Lobby);
    // The host sets the match up again; the guest takes it.
    MatchSetupMsg m;
    m.Header = "[general]";
    m.Num = 2;
    EXPECT_TRUE(p.Host.SendSetup(m));
    p.Exchange();
    EXPECT_EQ(p.Guest.CurrentPhase(), NetSession::Phase::Started);
}

TEST(NetSession, ADeclinedRestartLeavesTheMatchOver) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Host.EndMatch();
    p.Guest.EndMatch();
    p.Guest.AskRestart();
    p.Exchange();
    EXPECT_FALSE(p.Guest.AnswerRestart(true));  // nobody asked the guest
    EXPECT_TRUE(p.Host.AnswerRestart(false));
    p.Exchange();
    EXPECT_EQ(p.Guest.CurrentPhase(), NetSession::Phase::Over);
    ASSERT_TRUE(SessionPair::Has(p.GuestEvents, NetEventKind::RestartAnswered));
    // An answer nobody asked for is out of turn.
    p.Guest.Receive(EncodeFrame(RestartAnswerMsg{true}));
    EXPECT_TRUE(p.Guest.IsClosed());
}

TEST(NetSession, BothAskingAtOnceIsAgreement) {
    SessionPair p;
    p.SetUp(2, {false, false, true});
    p.Host.EndMatch();
    p.Guest.EndMatch();
    p.Host.AskRestart();
    p.Guest.AskRestart();
    p.Exchange();
    EXPECT_EQ(p.Host.CurrentPhase(), NetSession::Phase::Lobby);
    EXPECT_EQ(p.Guest.CurrentPhase(), NetSession::Phase::Lobby);
}

// --- a whole match joined to its sessions (NetMatch) ----------------------

TEST(NetMatch, AGuestWhosePhysicsDiffersByOneBitTakesTheHostsStateAndLogsIt) {
    test::RecordedMatch rec(3, 7);
    ASSERT_GT(rec.Steps.size(), 3u);
    test::PeerPair pair(rec.Steps);
    // The guest's friction one bit above the host's: every strike ends
    // somewhere else by a hair.
    pair.Guest.SetBeforeInit([](MatchState& s) { s.Ftr = std::nextafter(s.Ftr, 1.0); });
    pair.Round();
    std::array<bool, kMaxParticipants + 1> guestPlays{};
    guestPlays[2] = true;
    std::string error;
    ASSERT_TRUE(pair.Host.HostReplay(rec.Path(), guestPlays, error)) << error;
    pair.Run();
    ASSERT_TRUE(pair.Host.Done() && pair.Guest.Done());

    EXPECT_GT(pair.Guest.Match().DriftsTaken(), 0);
    EXPECT_EQ(pair.Host.Match().DriftsTaken(), 0);
    EXPECT_EQ(RestingStateDifference(CaptureRestingState(pair.Host.State()),
                                     CaptureRestingState(pair.Guest.State())),
              "");
    const std::string log = test::TempDir::Read(pair.Guest.Log().Path());
    EXPECT_NE(log.find(nettexts::kDrift), std::string::npos);
    // Field by field, the host's value first: "R2.Xpos 20.3182.../20.3182...".
    EXPECT_NE(log.find("pos "), std::string::npos) << log.substr(0, 300);
    EXPECT_FALSE(std::filesystem::exists(pair.Host.Log().Path()));
}

TEST(NetMatch, WithTheSamePhysicsNothingIsTakenAndNothingLogged) {
    test::RecordedMatch rec(2, 3);
    test::PeerPair pair(rec.Steps);
    pair.Round();
    std::array<bool, kMaxParticipants + 1> guestPlays{};
    guestPlays[1] = true;
    std::string error;
    ASSERT_TRUE(pair.Host.HostReplay(rec.Path(), guestPlays, error)) << error;
    pair.Run();
    ASSERT_TRUE(pair.Host.Done() && pair.Guest.Done());
    EXPECT_EQ(pair.Guest.Match().DriftsTaken(), 0);
    EXPECT_FALSE(std::filesystem::exists(pair.Guest.Log().Path()));
    EXPECT_EQ(pair.Host.Output("").substr(40), pair.Guest.Output("").substr(40));
    EXPECT_NE(pair.Host.Output("").find("Finished=1"), std::string::npos);
}

TEST(NetMatch, AMatchSetUpWithABadHeaderIsRefusedAndPlaysNothing) {
    MatchState s;
    ResetMatchDefaults(s);
    MatchSetupMsg m;
    m.Header = "[general]\r\nNum=3\r\nMaxX=-5\r\n[game]\r\n";
    m.Num = 3;
    const std::string error = ApplyMatchSetup(m, NetRole::Guest, s);
    EXPECT_EQ(error.rfind(nettexts::kBadSetup, 0), 0u) << error;
    EXPECT_FALSE(s.PlayedElsewhere[1]);
}

TEST(NetMatch, TheSetUpMarksWhoPlaysWhereAndKeepsThisSidesComputerPlayers) {
    MatchState s;
    ResetMatchDefaults(s);
    test::KernelHarness h(3);
    std::array<bool, kMaxParticipants + 1> guestPlays{};
    guestPlays[2] = true;
    const MatchSetupMsg m = MakeMatchSetup(h.S, guestPlays);
    s.Players[1] = PlayerKind::Master;
    s.Players[2] = PlayerKind::Master;
    ASSERT_EQ(ApplyMatchSetup(m, NetRole::Host, s), "");
    EXPECT_EQ(s.Num, 3);
    EXPECT_FALSE(s.PlayedElsewhere[1]);
    EXPECT_TRUE(s.PlayedElsewhere[2]);
    EXPECT_EQ(s.Players[1], PlayerKind::Master);
    EXPECT_EQ(s.Players[2], PlayerKind::Human);  // the guest's hands, not our computer
    MatchState g;
    ResetMatchDefaults(g);
    ASSERT_EQ(ApplyMatchSetup(m, NetRole::Guest, g), "");
    EXPECT_TRUE(g.PlayedElsewhere[1]);
    EXPECT_FALSE(g.PlayedElsewhere[2]);
    EXPECT_EQ(g.Vembas[3].R, "C");
}

}  // namespace
}  // namespace zel
