// The saved-games browser window: its captions, the way it is opened and
// left, and the hand-over to the match window.
#include <filesystem>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ScreensHarness.h"
#include "core/MatchSetup.h"
#include "core/ReplayFile.h"
#include "core/SavedGameWriter.h"
#include "screens/LoadGameModel.h"
#include "screens/LoadGameWindow.h"

namespace zel::test {
namespace {

using screens::LoadGameWindow;
using screens::ResultsWindow;
namespace fs = std::filesystem;

QString Text(QWidget* w, const char* name) {
    if (auto* b = w->findChild<QPushButton*>(name)) return b->text();
    return ScreensHarness::Control<QLabel>(w, name)->text();
}

bool Pick(LoadGameWindow* w, const QString& name) {
    auto* list = ScreensHarness::Control<QListWidget>(w, "File");
    const auto found = list->findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    list->setCurrentItem(found.front());
    return true;
}

// A finished individual match ended on the results screen; zel.sav is there.
ResultsWindow* ResultsAfterAMatch(ScreensHarness& h) {
    h.MarkOnly({0, 1});
    h.screens->OpenStart(&h.menu);
    h.tmp.Write("zel.sav", FormatReplayHeader(h.s, "06.12.2026 21:15:00"));
    h.screens->Start()->Go();
    return h.screens->Results();
}

TEST(LoadGameWindow, EveryCaptionIsWhereTheBrowserShowsIt) {
    ScreensHarness h;
    h.screens->OpenLoadGame(&h.menu, screens::kLoadSavedGames);
    LoadGameWindow* w = h.screens->LoadGameScreen();
    ASSERT_TRUE(w->isVisible());
    EXPECT_FALSE(h.menu.isVisible());
    EXPECT_TRUE(w->windowTitle().endsWith(": загрузка игры"));
    EXPECT_EQ(Text(w, "cmdInfo"), "Инфо");
    EXPECT_EQ(Text(w, "cmdUpdateWindow"), "Обновить");
    EXPECT_EQ(ScreensHarness::Control<QPushButton>(w, "cmdUpdateWindow")->toolTip(), "Обновить список файлов");
    EXPECT_EQ(Text(w, "cmdDel"), "Удалить");
    EXPECT_EQ(Text(w, "cmdLoad"), "Загрузить...");
    EXPECT_EQ(Text(w, "cmdBack"), "< Назад");
    EXPECT_EQ(Text(w, "cmdExit"), "Выход");
    EXPECT_EQ(Text(w, "Label1"), "Записанные игры:");
    EXPECT_EQ(Text(w, "Label2"), "Выделите файл в списке и нажмите \"Загрузить\"");
    EXPECT_EQ(Text(w, "lbl"), "Загрузка сохраненной игры");
    EXPECT_EQ(Text(w, "lblDir").toStdString(), h.tmp.File("saves") + "/");

    // The switch to replays: the other title, pattern and folder.
    h.tmp.Write("zel.sav", "x");
    QTest::mouseClick(ScreensHarness::Control<QRadioButton>(w, "optReplays"), Qt::LeftButton);
    EXPECT_EQ(Text(w, "lbl"), "Загрузка повтора");
    EXPECT_EQ(w->Model().Pattern(), "*.sav");
    EXPECT_TRUE(Pick(w, "zel.sav"));
}

TEST(LoadGameWindow, AFileClickEnablesLoadAndDeleteAndAnEmptySelectionDisablesThem) {
    ScreensHarness h;
    h.tmp.Write("a.sav", "x");
    h.screens->OpenLoadGame(&h.menu, screens::kLoadReplays);
    LoadGameWindow* w = h.screens->LoadGameScreen();
    auto* load = ScreensHarness::Control<QPushButton>(w, "cmdLoad");
    auto* del = ScreensHarness::Control<QPushButton>(w, "cmdDel");
    ASSERT_TRUE(Pick(w, "a.sav"));
    EXPECT_TRUE(load->isEnabled());
    EXPECT_TRUE(del->isEnabled());
    ScreensHarness::Control<QListWidget>(w, "File")->clearSelection();
    EXPECT_FALSE(load->isEnabled());
    EXPECT_FALSE(del->isEnabled());
}

TEST(LoadGameWindow, BackFromABrowserTheResultsScreenOpenedLeadsToTheMainMenu) {
    ScreensHarness h;
    ResultsWindow* results = ResultsAfterAMatch(h);
    ASSERT_TRUE(results->isVisible());
    auto* loadReplay = ScreensHarness::Control<QPushButton>(results, "cmdLoadGame");
    ASSERT_TRUE(loadReplay->isEnabled());
    QTest::mouseClick(loadReplay, Qt::LeftButton);
    LoadGameWindow* w = h.screens->LoadGameScreen();
    ASSERT_TRUE(w->isVisible());
    EXPECT_FALSE(results->isVisible());
    EXPECT_EQ(Text(w, "lbl"), "Загрузка повтора");
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdBack"), Qt::LeftButton);
    EXPECT_TRUE(h.menu.isVisible());
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(results->isVisible());
}

TEST(LoadGameWindow, WithoutAReplayFileTheResultsScreenOffersNoReplayToLoad) {
    ScreensHarness h;
    h.MarkOnly({0, 1});
    h.screens->OpenStart(&h.menu);
    h.screens->Start()->Go();
    EXPECT_FALSE(ScreensHarness::Control<QPushButton>(h.screens->Results(), "cmdLoadGame")->isEnabled());
}

TEST(LoadGameWindow, ClosingByTheFrameAndExitEndTheProgramWithoutAQuestion) {
    ScreensHarness h;
    h.screens->OpenLoadGame(&h.menu, screens::kLoadSavedGames);
    LoadGameWindow* w = h.screens->LoadGameScreen();
    w->close();
    EXPECT_EQ(h.exitCalls, 1);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdExit"), Qt::LeftButton);
    EXPECT_EQ(h.exitCalls, 2);
    EXPECT_TRUE(h.dialogs.Messages.empty());
}

TEST(LoadGameWindow, AReplayRunsInTheMatchWindowAndItsEndReturnsToTheBrowser) {
    ScreensHarness h;
    h.store.Display.ScreenW = 1024;
    h.store.Display.ScreenH = 768;
    h.MarkOnly({0, 1});
    MatchState recorded = h.s;
    MatchSetup setup;
    setup.Participants = {ParticipantSetup{"Аня", 0, 1}, ParticipantSetup{"Боря", 0, 1}};
    ASSERT_EQ(StartMatchState(recorded, setup), SetupResult::Ok);
    const std::string path = h.tmp.Write("match.sav", FormatReplayHeader(recorded, "06.12.2026 21:15:00"));
    h.screens->OpenLoadGame(&h.menu, screens::kLoadReplays);
    LoadGameWindow* w = h.screens->LoadGameScreen();
    bool hiddenAndEnabled = false;
    h.script.Next = NextScreen::SavedGames;
    h.script.Play = [&](MatchState&) {
        hiddenAndEnabled = !w->isVisible() && w->isEnabled() && h.dialogs.BusyDepth == 0;
    };
    ASSERT_TRUE(Pick(w, "match.sav"));
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdLoad"), Qt::LeftButton);
    ASSERT_EQ(h.matches, 1) << h.dialogs.LastText();
    EXPECT_EQ(h.playbackPaths[0], path);
    EXPECT_TRUE(IsSet(h.started[0].Win.ReplayMode));
    EXPECT_TRUE(hiddenAndEnabled);
    EXPECT_EQ(h.numLockCalls, 1);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(h.dialogs.BusyBalanced());
}

TEST(LoadGameWindow, ASavedGameIsContinuedAndAContinuedGameOffersNoReplayToSave) {
    ScreensHarness h;
    h.store.Display.ScreenW = 1024;
    h.store.Display.ScreenH = 768;
    MatchState saved = h.s;
    saved.Num = 2;
    saved.Vembas[1].R = "Аня";
    saved.Vembas[2].R = "Боря";
    fs::create_directories(h.tmp.Path() / "saves");
    h.tmp.Write("saves/g.zel", FormatSavedGame(saved, kSavedGameHeader, "07.12.2026 10:00:00"));
    h.screens->OpenLoadGame(&h.menu, screens::kLoadSavedGames);
    LoadGameWindow* w = h.screens->LoadGameScreen();
    h.script.SaveReplay = false;
    ASSERT_TRUE(Pick(w, "g.zel"));
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdLoad"), Qt::LeftButton);
    ASSERT_EQ(h.matches, 1) << h.dialogs.LastText();
    EXPECT_EQ(h.playbackPaths[0], "");
    EXPECT_TRUE(IsSet(h.started[0].Win.ContinueGame));
    EXPECT_EQ(h.started[0].Vembas[2].R, "Боря");
    ResultsWindow* results = h.screens->Results();
    ASSERT_TRUE(results->isVisible());
    auto* save = ScreensHarness::Control<QPushButton>(results, "cmdSavePovt");
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(save->toolTip().isEmpty());
}

TEST(LoadGameWindow, ADamagedSavedGameIsToldAndTheBrowserStays) {
    ScreensHarness h;
    fs::create_directories(h.tmp.Path() / "saves");
    h.tmp.Write("saves/bad.zel", std::string("\x00\x01\x02\xff\xfe binary", 12));
    h.screens->OpenLoadGame(&h.menu, screens::kLoadSavedGames);
    LoadGameWindow* w = h.screens->LoadGameScreen();
    ASSERT_TRUE(Pick(w, "bad.zel"));
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdLoad"), Qt::LeftButton);
    EXPECT_EQ(h.matches, 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isEnabled());
    ASSERT_FALSE(h.dialogs.Messages.empty());
    EXPECT_EQ(h.dialogs.Messages.back().Icon, MsgIcon::Critical);
    EXPECT_TRUE(h.dialogs.BusyBalanced());
}

}  // namespace
}  // namespace zel::test
