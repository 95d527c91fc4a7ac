#include <map>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ScreensHarness.h"
#include "screens/ReplaySaver.h"
#include "screens/ResultsScreenModel.h"
#include "screens/ScreenTexts.h"

namespace zel::test {
namespace {

using screens::ResultsScreenModel;
using screens::ResultsWindow;
namespace st = screens::texts;

// Teams by number with names and scores.
class Teams : public screens::TeamTable {
public:
    std::map<int, std::pair<std::string, std::int16_t>> Table;
    std::string TeamName(int team) const override {
        auto it = Table.find(team);
        return it == Table.end() ? "" : it->second.first;
    }
    std::int16_t Score(int team) const override {
        auto it = Table.find(team);
        return it == Table.end() ? std::int16_t{0} : it->second.second;
    }
    void AddScore(int team, int points) override {
        auto it = Table.find(team);
        if (it != Table.end()) it->second.second = static_cast<std::int16_t>(it->second.second + points);
    }
};

// A free-for-all of `num` with the given pieces still on the table.
MatchState Ended(int num, std::initializer_list<int> alive) {
    MatchState s;
    s.Num = static_cast<std::int16_t>(num);
    for (int i = 1; i <= num; ++i) {
        s.Vembas[i].R = "Игрок" + std::to_string(i);
        s.Vembas[i].Life = kFalse;
    }
    for (int i : alive) s.Vembas[i].Life = kTrue;
    return s;
}

TEST(ResultsScreen, WinnerOfAFreeForAllIsTheFirstSurvivor) {
    MatchState s = Ended(4, {3});
    ResultsScreenModel m;
    m.SetGameOver(kTrue);
    m.Update(s, nullptr);
    EXPECT_EQ(m.View().Status, "Выиграл игрок:");
    EXPECT_EQ(m.View().Winner, "Игрок3");
    EXPECT_FALSE(m.View().TeamGroupVisible);
    EXPECT_FALSE(m.View().SaveReplayEnabled);
    EXPECT_FALSE(m.View().LoadReplayEnabled);
    EXPECT_TRUE(m.View().GoEnabled);

    s = Ended(4, {});
    m.Update(s, nullptr);
    EXPECT_EQ(m.View().Winner, "(отсутствует)");
    s = Ended(4, {2});
    s.Vembas[2].R = "";
    m.Update(s, nullptr);
    EXPECT_EQ(m.View().Winner, "(отсутствует)");
}

TEST(ResultsScreen, MatchPieceIsTheFirstWithTheMostKnockedOff) {
    MatchState s = Ended(4, {1});
    ResultsScreenModel m;
    m.SetGameOver(kTrue);
    m.Update(s, nullptr);
    EXPECT_EQ(m.View().MatchPiece, "(неопределена)");
    EXPECT_EQ(m.View().Knocked, "0");
    s.Vembas[2].SginCount = 2;
    s.Vembas[4].SginCount = 2;
    s.Vembas[1].SginCount = 1;
    m.Update(s, nullptr);
    EXPECT_EQ(m.View().MatchPiece, "Игрок2");
    EXPECT_EQ(m.View().Knocked, "2");
}

TEST(ResultsScreen, TeamMatchCreditsTheWinnersOnceAndNotWhenLeftEarly) {
    Teams teams;
    teams.Table[3] = {"Ястребы", 4};
    teams.Table[5] = {"Совы", 1};
    MatchState s = Ended(4, {2, 4});
    s.TeamGame = kTrue;
    s.FirstTeam = 3;
    s.SecondTeam = 5;
    s.Winner = 5;
    ResultsScreenModel m;
    m.SetGameOver(kTrue);
    m.Update(s, &teams);
    EXPECT_EQ(m.View().Status, "Выиграла команда:");
    EXPECT_EQ(m.View().Winner, "Совы");
    EXPECT_TRUE(m.View().TeamGroupVisible);
    EXPECT_EQ(m.View().Team1, "Ястребы");
    EXPECT_EQ(m.View().Score1, "4");
    EXPECT_EQ(m.View().Score2, "3");

    // A team match left early names nobody and leaves the scores alone.
    m.SetGameOver(kFalse);
    m.Update(s, &teams);
    EXPECT_EQ(m.View().Winner, "(матч не закончен)");
    EXPECT_EQ(teams.Score(5), 3);
    EXPECT_EQ(m.View().Score2, "3");

    s = Ended(4, {});
    s.TeamGame = kTrue;
    s.Winner = -1;
    m.SetGameOver(kTrue);
    m.Update(s, &teams);
    EXPECT_EQ(m.View().Winner, "(все сгинули)");
}

TEST(ResultsScreen, PlayAgainTurnsTheEliminationOrderAround) {
    MatchState s = Ended(4, {3});
    s.WhoSgin = {0, 2, 4, 1, 3, 0, 0, 0, 0};
    s.Vembas[2].SginCount = 3;
    ResultsScreenModel m;
    m.SetGameOver(kTrue);
    m.PreparePlayAgain(s);
    EXPECT_EQ((std::vector<std::int16_t>{s.KtoHodit[1], s.KtoHodit[2], s.KtoHodit[3], s.KtoHodit[4]}),
              (std::vector<std::int16_t>{3, 1, 4, 2}));
    EXPECT_EQ(s.Vembas[2].SginCount, 0);

    // A list with a gap still gives everybody one turn.
    s.WhoSgin = {0, 2, 0, 2, 3, 0, 0, 0, 0};
    m.PreparePlayAgain(s);
    EXPECT_EQ((std::vector<std::int16_t>{s.KtoHodit[1], s.KtoHodit[2], s.KtoHodit[3], s.KtoHodit[4]}),
              (std::vector<std::int16_t>{3, 2, 1, 4}));

    m.SetGameOver(kFalse);
    m.PreparePlayAgain(s);
    EXPECT_EQ(s.KtoHodit[1], 1);
    EXPECT_EQ(s.KtoHodit[4], 4);
}

TEST(ResultsScreen, PlayAgainStartsTheSameMatchInReverseOrder) {
    ScreensHarness h;
    h.MarkOnly({0, 1, 2, 3});
    h.s.Vembas[2].RM = 30;
    h.script.Play = [](MatchState& s) {
        s.WhoSgin = {0, 2, 4, 1, 3, 0, 0, 0, 0};
        for (int i : {1, 2, 4}) s.Vembas[i].Life = kFalse;
    };
    h.screens->OpenStart(&h.menu);
    h.screens->Start()->Go();
    ResultsWindow* w = h.screens->Results();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(ScreensHarness::Control<QLabel>(w, "lblWiner")->text(), QString("3"));
    EXPECT_TRUE(ScreensHarness::Control<QPushButton>(w, "cmdSavePovt")->isEnabled());
    EXPECT_FALSE(ScreensHarness::Control<QPushButton>(w, "cmdLoadGame")->isEnabled());

    h.script.Play = nullptr;
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdGo"), Qt::LeftButton);
    ASSERT_EQ(h.matches, 2);
    const MatchState& again = h.started[1];
    EXPECT_EQ((std::vector<std::int16_t>{again.KtoHodit[1], again.KtoHodit[2], again.KtoHodit[3], again.KtoHodit[4]}),
              (std::vector<std::int16_t>{3, 1, 4, 2}));
    EXPECT_EQ(again.Vembas[2].RM, 30);
    EXPECT_EQ(again.Vembas[3].Life, kTrue);
}

TEST(ResultsScreen, SavedReplayGetsTheExtensionAndAsksBeforeOverwriting) {
    EXPECT_EQ(screens::WithReplayExtension("/x/match"), "/x/match.sav");
    EXPECT_EQ(screens::WithReplayExtension("/x/MATCH.SAV"), "/x/MATCH.SAV");
    EXPECT_EQ(screens::WithReplayExtension("/x/match.sav.txt"), "/x/match.sav.txt.sav");

    TempDir tmp;
    const std::string replay = tmp.Write("zel.sav", "[general]\r\nNum=2\r\n");
    FakeDialogs d;
    ScriptedSaveChooser chooser(tmp.File("final"));
    EXPECT_EQ(screens::SaveReplayAs(chooser, d, replay), screens::SaveReplayOutcome::Saved);
    ASSERT_EQ(chooser.Asked.size(), 1u);
    EXPECT_EQ(chooser.Asked[0].Title, "Сохранение повтора");
    EXPECT_EQ(chooser.Asked[0].FilterName, "Файлы повтора ZEL");
    EXPECT_EQ(chooser.Asked[0].FilterPattern, "*.sav");
    EXPECT_EQ(TempDir::Read(tmp.File("final.sav")), TempDir::Read(replay));
    EXPECT_EQ(d.LastText(), "Файл " + tmp.File("final.sav") + " успешно сохранен!");

    // The same name again: the question, and Cancel keeps the old file.
    tmp.Write("final.sav", "old");
    d.Answers.push_back(MsgAnswer::Cancel);
    EXPECT_EQ(screens::SaveReplayAs(chooser, d, replay), screens::SaveReplayOutcome::Declined);
    EXPECT_EQ(d.LastText(), "Файл\r\n\r\n" + tmp.File("final.sav") + "\r\n\r\nуже существует. Перезаписать?");
    EXPECT_EQ(d.Messages.back().Title, "Сохранение файла");
    EXPECT_EQ(d.Messages.back().Buttons, MsgButtons::OkCancel);
    EXPECT_EQ(TempDir::Read(tmp.File("final.sav")), "old");
    EXPECT_EQ(screens::SaveReplayAs(chooser, d, replay), screens::SaveReplayOutcome::Saved);
    EXPECT_EQ(TempDir::Read(tmp.File("final.sav")), TempDir::Read(replay));

    ScriptedSaveChooser cancelled("");
    const std::size_t shown = d.Messages.size();
    EXPECT_EQ(screens::SaveReplayAs(cancelled, d, replay), screens::SaveReplayOutcome::Cancelled);
    EXPECT_EQ(d.Messages.size(), shown);
}

TEST(ResultsScreen, FailedCopyIsReportedAndKeepsTheOldFile) {
    TempDir tmp;
    tmp.Write("kept.SAV", "old");
    FakeDialogs d;
    ScriptedSaveChooser chooser(tmp.File("kept.SAV"));
    EXPECT_EQ(screens::SaveReplayAs(chooser, d, tmp.File("zel.sav")), screens::SaveReplayOutcome::Failed);
    EXPECT_EQ(d.Messages.back().Icon, MsgIcon::Critical);
    EXPECT_EQ(d.LastText().rfind("Ошибка при сохранении файла!\r\n\r\n", 0), 0u);
    EXPECT_EQ(TempDir::Read(tmp.File("kept.SAV")), "old");
}

TEST(ResultsScreen, ButtonsLeadOnAndEscapeGoesBack) {
    ScreensHarness h;
    h.screens->OpenStart(&h.menu);
    h.screens->Start()->Go();
    ResultsWindow* w = h.screens->Results();
    ASSERT_TRUE(w->isVisible());

    h.saveAnswer = h.tmp.File("mine");
    h.tmp.Write("zel.sav", "replay");
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdSavePovt"), Qt::LeftButton);
    EXPECT_EQ(TempDir::Read(h.tmp.File("mine.sav")), "replay");

    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(h.screens->Start()->isVisible());

    // After a team match "< Назад" leads to the teams screen.
    ScreenNavigator::HandOver(h.screens->Start(), w);
    h.s.TeamGame = kTrue;
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdBack"), Qt::LeftButton);
    EXPECT_TRUE(h.teams.isVisible());

    w->close();
    EXPECT_EQ(h.exitCalls, 1);
}

}  // namespace
}  // namespace zel::test
