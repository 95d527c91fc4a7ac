#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screens/NetworkScreenModel.h"
#include "screens/ResultsScreenModel.h"
#include "screens/StartScreenModel.h"
#include "support/FakeDialogs.h"

namespace zel {
namespace {

using test::FakeDialogs;

// A connection that only notes what it was asked.
class FakeConnector : public NetConnector {
public:
    std::string ListenAnswer;              // "" opens the port
    std::vector<std::string> Addresses{"127.0.0.7", "127.0.0.1"};
    std::vector<std::uint16_t> Listened;
    std::vector<std::string> Connects;     // "address:port names..."
    int Closes = 0;

    std::string Listen(std::uint16_t port) override {
        Listened.push_back(port);
        return ListenAnswer;
    }
    std::vector<std::string> LocalAddresses() override { return Addresses; }
    void Connect(const std::string& address, std::uint16_t port,
                 const std::vector<std::string>& names) override {
        std::string line = address + ":" + std::to_string(port);
        for (const std::string& n : names) line += " " + n;
        Connects.push_back(line);
    }
    void Close() override { ++Closes; }
};

struct Screen {
    FakeConnector net;
    FakeDialogs d;
    NetSettings remembered{"127.0.0.9", "3000", "4000"};
    NetworkScreenModel model{net};
    Screen() { model.Open(remembered); }
};

TEST(NetworkScreen, BoxesStartFromWhatTheSettingsRemember) {
    Screen s;
    EXPECT_EQ(s.model.AddressText(), "127.0.0.9");
    EXPECT_EQ(s.model.PortText(), "3000");
    EXPECT_EQ(s.model.HostPortText(), "4000");
    EXPECT_EQ(s.model.State(), NetScreenState::Choosing);
    EXPECT_EQ(s.model.Status(), "");
}

TEST(NetworkScreen, HostListensShowsAddressesAndPortAndRemembersThePort) {
    Screen s;
    s.model.SetHostPortText("5123");
    ASSERT_TRUE(s.model.Host(s.remembered, s.d));
    EXPECT_EQ(s.net.Listened, std::vector<std::uint16_t>{5123});
    EXPECT_EQ(s.model.State(), NetScreenState::Hosting);
    EXPECT_EQ(s.model.Addresses(), "Адреса этого компьютера: 127.0.0.7, 127.0.0.1\r\nПорт: 5123");
    EXPECT_EQ(s.model.Status(), "Ожидание второго компьютера...");
    EXPECT_EQ(s.remembered.HostPort, "5123");
    EXPECT_FALSE(s.model.Choosing());
    EXPECT_TRUE(s.d.Messages.empty());
}

TEST(NetworkScreen, HostWithoutNetworkSaysSo) {
    Screen s;
    s.net.Addresses.clear();
    ASSERT_TRUE(s.model.Host(s.remembered, s.d));
    EXPECT_EQ(s.model.Addresses(),
              "Адреса этого компьютера: (нет сети, только этот компьютер)\r\nПорт: 4000");
}

TEST(NetworkScreen, PortThatIsNoPortIsRefusedAndNothingOpens) {
    for (const char* bad : {"", "0", "65536", "12a", " 80", "-1", "999999"}) {
        Screen s;
        s.model.SetHostPortText(bad);
        EXPECT_FALSE(s.model.Host(s.remembered, s.d)) << bad;
        EXPECT_TRUE(s.net.Listened.empty()) << bad;
        ASSERT_EQ(s.d.Messages.size(), 1u) << bad;
        EXPECT_EQ(s.d.Messages[0].Text, "Порт задан неверно. Укажите число от 1 до 65535.");
        EXPECT_EQ(s.d.Messages[0].Icon, MsgIcon::Information);
        EXPECT_EQ(s.remembered.HostPort, "4000") << bad;
        EXPECT_EQ(s.model.State(), NetScreenState::Choosing);
    }
}

TEST(NetworkScreen, PortThatCannotOpenShowsTheLinksMessageAndStaysChoosing) {
    Screen s;
    s.net.ListenAnswer = "Не удалось открыть порт для игры: занят";
    EXPECT_FALSE(s.model.Host(s.remembered, s.d));
    ASSERT_EQ(s.d.Messages.size(), 1u);
    EXPECT_EQ(s.d.Messages[0].Text, "Не удалось открыть порт для игры: занят");
    EXPECT_EQ(s.d.Messages[0].Icon, MsgIcon::Critical);
    EXPECT_EQ(s.model.State(), NetScreenState::Choosing);
    EXPECT_EQ(s.remembered.HostPort, "4000");
}

TEST(NetworkScreen, JoinConnectsWithThisComputersNamesAndRemembersAddressAndPort) {
    Screen s;
    s.model.SetAddressText("game.example.org");
    s.model.SetPortText("24610");
    ASSERT_TRUE(s.model.Join(s.remembered, {"Аня", "Боря"}, s.d));
    EXPECT_EQ(s.net.Connects, std::vector<std::string>{"game.example.org:24610 Аня Боря"});
    EXPECT_EQ(s.model.Status(), "Подключение к game.example.org:24610...");
    EXPECT_EQ(s.model.State(), NetScreenState::Joining);
    EXPECT_EQ(s.remembered.Address, "game.example.org");
    EXPECT_EQ(s.remembered.Port, "24610");
}

TEST(NetworkScreen, AddressThatIsNoAddressIsRefused) {
    for (const char* bad : {"", "two words", "tab\there"}) {
        Screen s;
        s.model.SetAddressText(bad);
        EXPECT_FALSE(s.model.Join(s.remembered, {"Аня"}, s.d)) << bad;
        EXPECT_TRUE(s.net.Connects.empty());
        ASSERT_EQ(s.d.Messages.size(), 1u);
        EXPECT_EQ(s.d.Messages[0].Text, "Адрес задан неверно. Укажите имя или адрес другого компьютера.");
        EXPECT_EQ(s.remembered.Address, "127.0.0.9");
    }
    Screen s;
    s.model.SetAddressText(std::string(254, 'a'));
    EXPECT_FALSE(s.model.Join(s.remembered, {"Аня"}, s.d));
}

TEST(NetworkScreen, GuestPortIsCheckedLikeTheHosts) {
    Screen s;
    s.model.SetPortText("70000");
    EXPECT_FALSE(s.model.Join(s.remembered, {"Аня"}, s.d));
    EXPECT_TRUE(s.net.Connects.empty());
    ASSERT_EQ(s.d.Messages.size(), 1u);
    EXPECT_EQ(s.d.Messages[0].Text, "Порт задан неверно. Укажите число от 1 до 65535.");
}

TEST(NetworkScreen, ArrivingGuestGivesItsNamesToTheHost) {
    Screen s;
    ASSERT_TRUE(s.model.Host(s.remembered, s.d));
    ASSERT_TRUE(s.model.GuestArrived({"Вова", "Галя"}));
    EXPECT_EQ(s.model.State(), NetScreenState::GuestArrived);
    EXPECT_EQ(s.model.GuestNames(), (std::vector<std::string>{"Вова", "Галя"}));
    EXPECT_EQ(s.model.Status(), "Подключился другой компьютер. Там играют: Вова, Галя");
}

TEST(NetworkScreen, OutcomesOutOfTheirStateAreIgnored) {
    Screen s;
    EXPECT_FALSE(s.model.GuestArrived({"Вова"}));
    EXPECT_FALSE(s.model.Connected());
    EXPECT_FALSE(s.model.Failed("x", s.d));
    EXPECT_TRUE(s.d.Messages.empty());
    ASSERT_TRUE(s.model.Host(s.remembered, s.d));
    EXPECT_FALSE(s.model.Connected());  // a host never joins
    EXPECT_EQ(s.model.State(), NetScreenState::Hosting);
    Screen g;
    g.model.Join(g.remembered, {"Аня"}, g.d);
    EXPECT_FALSE(g.model.GuestArrived({"Вова"}));  // a guest hosts nobody
    EXPECT_TRUE(g.model.Connected());
    EXPECT_EQ(g.model.State(), NetScreenState::Joined);
    EXPECT_EQ(g.model.Status(), "Подключено! Ведущий компьютер настраивает вембу...");
}

TEST(NetworkScreen, SecondCommandWhileOneIsOpenDoesNothing) {
    Screen s;
    ASSERT_TRUE(s.model.Host(s.remembered, s.d));
    EXPECT_FALSE(s.model.Host(s.remembered, s.d));
    EXPECT_FALSE(s.model.Join(s.remembered, {"Аня"}, s.d));
    EXPECT_EQ(s.net.Listened.size(), 1u);
    EXPECT_TRUE(s.net.Connects.empty());
}

TEST(NetworkScreen, FailureShowsItsMessageClosesAndGoesBackToChoosing) {
    Screen s;
    s.model.Join(s.remembered, {"Аня"}, s.d);
    ASSERT_TRUE(s.model.Failed("Другая версия игры: у вас сборка 1200, у другого компьютера сборка 1199.", s.d));
    ASSERT_EQ(s.d.Messages.size(), 1u);
    EXPECT_EQ(s.d.Messages[0].Text, "Другая версия игры: у вас сборка 1200, у другого компьютера сборка 1199.");
    EXPECT_EQ(s.d.Messages[0].Icon, MsgIcon::Critical);
    EXPECT_EQ(s.model.State(), NetScreenState::Choosing);
    EXPECT_EQ(s.model.Status(), "");
    EXPECT_EQ(s.net.Closes, 1);
    // The screen can try again at once.
    EXPECT_TRUE(s.model.Join(s.remembered, {"Аня"}, s.d));
}

TEST(NetworkScreen, BackClosesWhatIsOpenAndOnlyThat) {
    Screen s;
    s.model.Cancel();
    EXPECT_EQ(s.net.Closes, 0);
    ASSERT_TRUE(s.model.Host(s.remembered, s.d));
    s.model.Cancel();
    EXPECT_EQ(s.net.Closes, 1);
    EXPECT_EQ(s.model.State(), NetScreenState::Choosing);
    EXPECT_EQ(s.model.Addresses(), "");
}

}  // namespace
}  // namespace zel

namespace zel {
namespace {

struct Slots {
    FakeDialogs d;
    MatchState s;
    StartScreenModel start;
    Slots() {
        for (int i = 0; i < StartScreenModel::kSlots; ++i) start.SetName(i, std::to_string(i + 1));
        start.SetName(0, "Аня");
        start.SetMark(0, 1);
        start.SetMark(1, 0);
        start.SetMark(2, 1);
    }
};

TEST(NetworkSetup, GuestNamesFillTheFreeSlotsInOrderPlayedThere) {
    Slots u;
    u.start.SetNetworkMode(true);
    EXPECT_EQ(u.start.TakeGuestNames({"Вова", "Галя"}), 2);
    EXPECT_EQ(u.start.Name(1), "Вова");
    EXPECT_EQ(u.start.Name(3), "Галя");
    EXPECT_TRUE(u.start.PlayedThere(1));
    EXPECT_TRUE(u.start.PlayedThere(3));
    EXPECT_FALSE(u.start.PlayedThere(0));
    EXPECT_FALSE(u.start.PlayedThere(2));
    EXPECT_EQ(u.start.Mark(1), 1);
    EXPECT_EQ(u.start.Mark(3), 1);
    EXPECT_EQ(u.start.GamersKolvo(), 4);
}

TEST(NetworkSetup, SlotsLentToTheGuestKeepTheirOwnValuesForTheSettingsAndGetThemBack) {
    Slots u;
    u.start.SetPlayer(1, PlayerKind::Master);
    u.start.SetNetworkMode(true);
    u.start.TakeGuestNames({"Вова"});
    EXPECT_EQ(u.start.Name(1), "Вова");
    EXPECT_EQ(u.start.OwnName(1), "2");
    EXPECT_EQ(u.start.OwnMark(1), 0);
    EXPECT_EQ(u.start.OwnPlayer(1), PlayerKind::Master);
    EXPECT_EQ(u.start.OwnName(0), "Аня");  // a slot played here is its own
    u.start.SetNetworkMode(false);
    EXPECT_EQ(u.start.Name(1), "2");
    EXPECT_EQ(u.start.Mark(1), 0);
    EXPECT_EQ(u.start.Player(1), PlayerKind::Master);
    EXPECT_EQ(u.start.GamersKolvo(), 2);
    EXPECT_EQ(u.start.OwnName(1), "2");
}

TEST(NetworkSetup, NamesBeyondTheFreeSlotsAreLeftOut) {
    Slots u;
    u.start.SetNetworkMode(true);
    for (int i = 0; i < StartScreenModel::kSlots; ++i) u.start.SetMark(i, 1);
    u.start.SetMark(7, 0);
    EXPECT_EQ(u.start.TakeGuestNames({"Вова", "Галя"}), 1);
    EXPECT_EQ(u.start.Name(7), "Вова");
    EXPECT_EQ(u.start.CheckedCount(), 8);
}

TEST(NetworkSetup, OutsideNetworkModeEverySlotIsPlayedHere) {
    Slots u;
    EXPECT_EQ(u.start.TakeGuestNames({"Вова"}), 0);
    u.start.SetPlayedThere(1, true);
    EXPECT_FALSE(u.start.PlayedThere(1));
    u.start.SetNetworkMode(true);
    u.start.SetPlayedThere(1, true);
    EXPECT_TRUE(u.start.PlayedThere(1));
    u.start.SetNetworkMode(false);
    EXPECT_FALSE(u.start.PlayedThere(1));
}

TEST(NetworkSetup, SlotPlayedThereIsAPersons) {
    Slots u;
    u.start.SetNetworkMode(true);
    u.start.SetPlayer(2, PlayerKind::Master);
    u.start.SetPlayedThere(2, true);
    EXPECT_EQ(u.start.Player(2), PlayerKind::Human);
    u.start.SetPlayedThere(9, true);  // no such slot: nothing happens
    EXPECT_FALSE(u.start.PlayedThere(9));
}

TEST(NetworkSetup, GuestIntroducesItsCheckedPlayersTrimmedAndNumbered) {
    Slots u;
    u.start.SetName(0, "  Аня ");
    u.start.SetName(2, "   ");
    EXPECT_EQ(u.start.CheckedNames(), (std::vector<std::string>{"Аня", "3"}));
    StartScreenModel none;
    none.SetName(0, "Боря");
    EXPECT_EQ(none.CheckedNames(), std::vector<std::string>{"Боря"});
}

TEST(NetworkResults, AskingTheOtherComputerDisablesTheButtonUntilItAnswers) {
    screens::ResultsScreenModel results;
    MatchState s;
    ResetMatchDefaults(s);
    s.Num = 2;
    results.Update(s, nullptr);
    ASSERT_TRUE(results.View().GoEnabled);
    results.SetWaitingForPeer(true);
    EXPECT_TRUE(results.WaitingForPeer());
    EXPECT_FALSE(results.View().GoEnabled);
    EXPECT_EQ(results.View().Waiting, "Ждем ответа другого компьютера...");
    results.SetWaitingForPeer(false);
    EXPECT_TRUE(results.View().GoEnabled);
    EXPECT_EQ(results.View().Waiting, "");
    // A new match end starts without waiting.
    results.SetWaitingForPeer(true);
    results.Update(s, nullptr);
    EXPECT_FALSE(results.WaitingForPeer());
}

}  // namespace
}  // namespace zel
