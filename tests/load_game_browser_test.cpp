// The saved-games browser without its window: the lists, the buttons'
// checks and texts, and the two loaders.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "core/MatchSetup.h"
#include "core/ReplayFile.h"
#include "core/SavedGameWriter.h"
#include "screens/LoadGameModel.h"
#include "screens/LoadGameTexts.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel::screens {
namespace {

namespace fs = std::filesystem;
using test::FakeDialogs;
using test::TempDir;

// A match of `num` participants on a `maxX` x `maxY` table, as a new match starts.
MatchState Match(int num = 2, int maxX = 600, int maxY = 400) {
    MatchState s;
    MatchSetup setup;
    setup.MaxX = static_cast<std::int16_t>(maxX);
    setup.MaxY = static_cast<std::int16_t>(maxY);
    for (int i = 0; i < num; ++i) setup.Participants.push_back(ParticipantSetup{std::string(1, char('A' + i)), 3, 1});
    StartMatchState(s, setup);
    return s;
}

std::string SavedGameText(const MatchState& s) { return FormatSavedGame(s, kSavedGameHeader, "07.12.2026 10:00:00"); }
std::string ReplayText(const MatchState& s) { return FormatReplayHeader(s, "06.12.2026 21:15:00"); }

// A browser on a folder of its own, a match state, and a store with a
// screen large enough for the default table.
struct Browser {
    TempDir dir;
    MatchState s;
    SettingsStore store;
    FakeDialogs dialogs;
    int disabled = 0;
    int enabled = 0;
    LoadGameModel model{{}, dir.Path().string(), dir.File("saves")};

    Browser() {
        store.Display.ScreenW = 1024;
        store.Display.ScreenH = 768;
    }
    void Open(std::int16_t mode) {
        model.SetLoadMode(mode);
        model.UpdateInfo(s);
    }
    void Select(const std::string& name) {
        for (std::size_t i = 0; i < model.Files().size(); ++i)
            if (model.Files()[i] == name) model.SelectFile(static_cast<int>(i));
    }
    LoadTarget Target() {
        return LoadTarget{s, store, dialogs, [this](bool on) { ++(on ? enabled : disabled); }};
    }
};

TEST(LoadGameBrowser, TheModeTableAndWhichValuesCountAsWhichMode) {
    EXPECT_STREQ(RowForUpdate(0).Pattern, "*.zel");
    EXPECT_STREQ(RowForUpdate(1).Title, "Загрузка повтора");
    EXPECT_STREQ(RowForUpdate(2).Title, "Загрузка сохраненной игры");
    EXPECT_STREQ(RowForLoad(0).InfoHeading, "Информация о записанном повторе:");
    EXPECT_STREQ(RowForLoad(2).InfoHeading, "Информация о сохраненной игре:");
    EXPECT_EQ(GetPath("/a/b", "c.zel"), "/a/b/c.zel");
    EXPECT_EQ(GetPath("/a/b/", "c.zel"), "/a/b/c.zel");
}

TEST(LoadGameBrowser, EachModeListsItsPatternAndSavedGamesOpenTheSavesFolder) {
    Browser b;
    b.dir.Write("zel.sav", "x");
    b.dir.Write("OLD.SAV", "x");
    b.dir.Write(".hidden.sav", "x");
    b.dir.Write("notes.txt", "x");
    fs::create_directories(b.dir.Path() / "saves");
    b.dir.Write("saves/one.zel", "x");
    b.Open(kLoadReplays);
    EXPECT_EQ(b.model.Files(), (std::vector<std::string>{"OLD.SAV", "zel.sav"}));
    EXPECT_EQ(b.model.Title(), "Загрузка повтора");
    b.Open(kLoadSavedGames);
    EXPECT_EQ(b.model.Dir(), b.dir.File("saves") + "/");
    EXPECT_EQ(b.model.Files(), (std::vector<std::string>{"one.zel"}));
    // The folder the person went to is kept while the mode stays.
    b.model.ChangeDir(b.dir.Path().string());
    b.Open(kLoadSavedGames);
    EXPECT_EQ(b.model.Dir(), b.dir.Path().string() + "/");
}

TEST(LoadGameBrowser, AFolderThatCannotBeReadShowsEmpty) {
    Browser b;
    b.dir.Write("plain", "not a folder");
    b.Open(kLoadReplays);
    b.model.ChangeDir(b.dir.File("plain"));
    EXPECT_TRUE(b.model.Files().empty());
    EXPECT_TRUE(ListFolders(b.dir.File("plain")).empty());
    EXPECT_TRUE(ListFolders(b.dir.File("missing")).empty());
    b.model.Refresh();
    EXPECT_TRUE(b.model.Files().empty());
}

TEST(LoadGameBrowser, PlacesNameTheGameFolderHomeAndVolumesOnceEach) {
    const std::vector<Place> places =
        MakePlaces("/games/zel/", "/home/anna", {{"", "/"}, {"USB", "/media/usb"}, {"Дом", "/home/anna/"}});
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(places[0].Name, "Папка игры");
    EXPECT_EQ(places[1].Name, "Домашняя папка");
    EXPECT_EQ(places[1].Path, "/home/anna/");
    EXPECT_EQ(places[2].Name, "/");
    EXPECT_EQ(places[3].Name, "USB");
    LoadGameModel m(places, "/games/zel/", "/games/zel/saves/");
    m.ChangeDir("/home/anna/x");
    EXPECT_EQ(m.CurrentPlace(), 1);
}

TEST(LoadGameBrowser, LoadWithNothingSelectedDependsOnWhetherTheFolderHoldsAFile) {
    Browser b;
    b.Open(kLoadReplays);
    EXPECT_EQ(b.model.Load(b.dialogs).Action, LoadAction::None);
    EXPECT_EQ(b.dialogs.LastText(), "Указанный файл не существует!");
    EXPECT_EQ(b.dialogs.Messages.back().Icon, MsgIcon::Critical);

    b.dir.Write("a.sav", "x");
    b.model.Refresh();
    EXPECT_EQ(b.model.Load(b.dialogs).Action, LoadAction::None);
    EXPECT_EQ(b.dialogs.LastText(), "Нет выбранных файлов!");
    EXPECT_EQ(b.dialogs.Messages.back().Icon, MsgIcon::Information);
}

TEST(LoadGameBrowser, AFileDeletedAfterTheListWasFilledIsMissingAndLeavesTheList) {
    Browser b;
    b.dir.Write("a.zel", "x");
    b.dir.Write("b.zel", "x");
    b.Open(kLoadSavedGames);
    b.model.ChangeDir(b.dir.Path().string());
    b.Select("a.zel");
    ASSERT_TRUE(b.model.CanLoadOrDelete());
    fs::remove(b.dir.File("a.zel"));
    EXPECT_EQ(b.model.Load(b.dialogs).Action, LoadAction::None);
    EXPECT_EQ(b.dialogs.LastText(), "Указанный файл не существует!");
    EXPECT_EQ(b.model.Files(), (std::vector<std::string>{"b.zel"}));
    EXPECT_FALSE(b.model.CanLoadOrDelete());

    b.Select("b.zel");
    const LoadRequest r = b.model.Load(b.dialogs);
    EXPECT_EQ(r.Action, LoadAction::LoadGame);
    EXPECT_EQ(r.Path, b.dir.File("b.zel"));
}

TEST(LoadGameBrowser, TheInformationBoxShowsOnlyTheDateTimeAndTheBuild) {
    Browser b;
    b.dir.Write("r.sav", ReplayText(Match()));
    b.Open(kLoadReplays);
    b.model.Info(b.dialogs);
    EXPECT_EQ(b.dialogs.LastText(), texts::kInfoNoFile);
    b.Select("r.sav");
    b.model.Info(b.dialogs);
    EXPECT_EQ(b.dialogs.LastText(),
              "Информация о записанном повторе:\r\n\r\nВерсия/Билд: 1200\r\n\r\nдата и время записи: 06.12.2026 21:15:00");
    EXPECT_EQ(b.dialogs.Messages.back().Icon, MsgIcon::Information);

    fs::create_directories(b.dir.Path() / "saves");
    b.dir.Write("saves/g.zel", SavedGameText(Match()));
    b.Open(kLoadSavedGames);
    b.Select("g.zel");
    b.model.Info(b.dialogs);
    EXPECT_EQ(b.dialogs.LastText(),
              "Информация о сохраненной игре:\r\n\r\nВерсия/Билд: 1200\r\n\r\nдата и время записи: 07.12.2026 10:00:00");
}

TEST(LoadGameBrowser, DeleteAsksAndOnlyYesDeletes) {
    Browser b;
    b.dir.Write("a.sav", "x");
    b.Open(kLoadReplays);
    b.model.Delete(b.dialogs);
    EXPECT_EQ(b.dialogs.LastText(), "Сначала выберите файл!");
    EXPECT_EQ(b.dialogs.Messages.back().Icon, MsgIcon::None);

    b.Select("a.sav");
    b.dialogs.Answers = {MsgAnswer::No};
    b.model.Delete(b.dialogs);
    const Message& q = b.dialogs.Messages.back();
    EXPECT_EQ(q.Text, "Вы уверены, что хотите удалить файл\r\n\r\na.sav?");
    EXPECT_EQ(q.Title, "Удаление сохраненной игры");
    EXPECT_EQ(q.Icon, MsgIcon::Exclamation);
    EXPECT_EQ(q.Buttons, MsgButtons::YesNo);
    EXPECT_TRUE(fs::exists(b.dir.File("a.sav")));

    b.model.Delete(b.dialogs);  // Yes
    EXPECT_FALSE(fs::exists(b.dir.File("a.sav")));
    EXPECT_TRUE(b.model.Files().empty());
}

TEST(LoadGameBrowser, OnlyTheSameBuildOpensWithoutAQuestion) {
    const std::string same = SavedGameText(Match());
    for (const char* ver : {"1199", "1201", "12x0", ""}) {
        Browser b;
        std::string other = same;
        other.replace(other.find("Ver=1200"), 8, std::string("Ver=") + ver);
        b.dir.Write("g.zel", other);
        b.s.MaxX = 333;
        b.dialogs.Answers = {MsgAnswer::No};
        EXPECT_FALSE(ContinueSavedGame(b.dir.File("g.zel"), b.Target())) << ver;
        ASSERT_EQ(b.dialogs.Messages.size(), 1u) << ver;
        EXPECT_EQ(b.dialogs.LastText(), texts::kOlderSavedGame);
        EXPECT_EQ(b.dialogs.Messages.back().Icon, MsgIcon::Exclamation);
        // Declining leaves everything as it was.
        EXPECT_EQ(b.s.MaxX, 333);
        EXPECT_TRUE(b.dialogs.BusyCalls.empty());
        EXPECT_EQ(b.disabled, 0);

        b.dir.Write("r.sav", std::string(ReplayText(Match())).replace(ReplayText(Match()).find("Ver=1200"), 8,
                                                                        std::string("Ver=") + ver));
        b.dialogs.Answers = {MsgAnswer::No};
        EXPECT_FALSE(StartReplay(b.dir.File("r.sav"), b.Target()));
        EXPECT_EQ(b.dialogs.LastText(), texts::kOlderReplay);
    }
    Browser b;
    b.dir.Write("g.zel", same);
    EXPECT_TRUE(ContinueSavedGame(b.dir.File("g.zel"), b.Target()));
    EXPECT_TRUE(b.dialogs.Messages.empty());
    EXPECT_TRUE(b.dialogs.BusyBalanced());
    EXPECT_EQ(b.disabled, 1);
    EXPECT_EQ(b.enabled, 1);
}

TEST(LoadGameBrowser, ADamagedSavedGameIsToldAndNothingStarts) {
    const std::string whole = SavedGameText(Match(3));
    const std::string damaged[] = {
        whole.substr(0, whole.find("Life=", whole.find("[R3]"))),   // cut short
        std::string("\x7f" "ELF\x02\x01\x01\x00\x00\xff\xfe\x80\x81\x00\x00", 16),  // binary
        whole.substr(0, 30),                                          // only the first line
        std::string(whole).replace(whole.find("Num=3"), 5, "Num=99999"),  // beyond 16 bits
    };
    for (const std::string& bytes : damaged) {
        Browser b;
        b.dir.Write("g.zel", bytes);
        b.dialogs.Answers = {MsgAnswer::Yes};
        EXPECT_FALSE(ContinueSavedGame(b.dir.File("g.zel"), b.Target()));
        ASSERT_FALSE(b.dialogs.Messages.empty());
        EXPECT_EQ(b.dialogs.LastText().rfind(texts::kSavedGameUnusable, 0), 0u) << b.dialogs.LastText();
        EXPECT_EQ(b.dialogs.Messages.back().Icon, MsgIcon::Critical);
        EXPECT_TRUE(b.dialogs.BusyBalanced());
        EXPECT_EQ(b.disabled, b.enabled);
        EXPECT_FALSE(IsSet(b.s.Win.ContinueGame));
    }
}

TEST(LoadGameBrowser, ATableTooLargeOrTooSmallForTheScreenIsRefused) {
    Browser b;
    b.store.Display.ScreenW = 800;
    b.store.Display.ScreenH = 600;
    b.dir.Write("big.zel", SavedGameText(Match(2, 791, 400)));
    EXPECT_FALSE(ContinueSavedGame(b.dir.File("big.zel"), b.Target()));
    EXPECT_EQ(b.dialogs.LastText(), "Размеры поля заданы неверно.");
    EXPECT_EQ(b.dialogs.Messages.back().Icon, MsgIcon::Information);
    EXPECT_EQ(b.s.MaxX, 791);  // the state loaded so far stays

    b.dir.Write("fits.zel", SavedGameText(Match(2, 790, 500)));
    EXPECT_TRUE(ContinueSavedGame(b.dir.File("fits.zel"), b.Target()));

    b.dir.Write("tall.sav", ReplayText(Match(2, 600, 501)));
    EXPECT_FALSE(StartReplay(b.dir.File("tall.sav"), b.Target()));
    EXPECT_EQ(b.dialogs.LastText(), "Размеры поля заданы неверно.");
    EXPECT_TRUE(b.dialogs.BusyBalanced());
    EXPECT_EQ(b.disabled, b.enabled);
}

TEST(LoadGameBrowser, ContinuingTakesPositionsTurnAndNamesIntoTheMatch) {
    MatchState saved = Match(3);
    saved.Vembas[1].R = "  Аня ";
    saved.Vembas[2].R = "";
    saved.Vembas[2].Xpos = 123.456;
    saved.Vembas[3].Life = kFalse;
    saved.CurG = 2;
    saved.TeamGame = kFalse;
    Browser b;
    b.s.TeamGame = kTrue;  // the match before was a team match
    b.dir.Write("g.zel", SavedGameText(saved));
    ASSERT_TRUE(ContinueSavedGame(b.dir.File("g.zel"), b.Target()));
    EXPECT_EQ(b.s.Num, 3);
    EXPECT_EQ(b.s.CurG, 2);
    EXPECT_EQ(b.s.Vembas[2].Xpos, 123.456);
    EXPECT_FALSE(IsSet(b.s.Vembas[3].Life));
    EXPECT_EQ(b.s.Vembas[1].R, "Аня");
    EXPECT_EQ(b.s.Vembas[2].R, "2");
    EXPECT_EQ(b.store.Start.Name(1), "2");
    EXPECT_TRUE(IsSet(b.s.Win.ContinueGame));
    EXPECT_FALSE(IsSet(b.s.Win.ReplayMode));
    EXPECT_FALSE(IsSet(b.s.TeamGame));
}

TEST(LoadGameBrowser, AReplayStartsFromTheFirstTurnSlotWithoutGreyPieces) {
    MatchState recorded = Match(2);
    recorded.Vembas[1].RGray = kTrue;
    Browser b;
    b.s.CurNG = 2;
    b.dir.Write("r.sav", ReplayText(recorded));
    ASSERT_TRUE(StartReplay(b.dir.File("r.sav"), b.Target()));
    EXPECT_TRUE(IsSet(b.s.Win.ReplayMode));
    EXPECT_FALSE(IsSet(b.s.Win.ContinueGame));
    EXPECT_EQ(b.s.CurNG, 1);
    EXPECT_FALSE(IsSet(b.s.Vembas[1].RGray));
    EXPECT_EQ(b.store.Start.Name(0), "A");

    std::string noGame = ReplayText(recorded);
    noGame.erase(noGame.find("[game]"));
    b.dir.Write("nogame.sav", noGame);
    b.s.Win.ReplayMode = kFalse;
    EXPECT_FALSE(StartReplay(b.dir.File("nogame.sav"), b.Target()));
    EXPECT_EQ(b.dialogs.LastText().rfind("Ошибка при чтении файла повтора!", 0), 0u);
    EXPECT_FALSE(IsSet(b.s.Win.ReplayMode));
    EXPECT_TRUE(b.dialogs.BusyBalanced());
}

}  // namespace
}  // namespace zel::screens
