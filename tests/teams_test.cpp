#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "screens/NameCollection.h"
#include "screens/SettingsControls.h"
#include "screens/TeamEditorModel.h"
#include "screens/TeamList.h"
#include "screens/TeamsScreenModel.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel::screens {
namespace {

namespace fs = std::filesystem;
using test::FakeDialogs;
using test::TempDir;

const std::string kHeader = ";KORVALO 2: VANTORIX - Информация о командной игре\r\n";

std::string TeamSection(int n, const std::string& name) {
    return "[" + std::to_string(n) + "]\r\nComName=" + name + "\r\nR1=" + name + "1\r\nR2=" + name +
           "2\r\nR3=" + name + "3\r\nR4=" + name + "4\r\n";
}

// The teams screen over a team file of its own.
struct Screen {
    TempDir dir;
    FakeDialogs d;
    TeamList teams;
    TeamsScreenModel model{teams};
    std::string file = dir.File("zel.cmd");

    void Open(const std::string& text) {
        dir.Write("zel.cmd", text);
        model.Open(file, d);
    }
    void Create(const std::string& name) {
        ASSERT_TRUE(model.MayCreate(d));
        TeamEditorModel e = TeamEditorModel::ForNewTeam(teams);
        e.SetTeamName(name);
        ASSERT_TRUE(e.Done(teams, d)) << d.LastText();
        model.TeamsChanged();
    }
};

TEST(TeamFile, NoFileGivesNoTeamsAndLeavingWritesNone) {
    Screen s;
    s.model.Open(s.file, s.d);
    EXPECT_TRUE(s.model.Existing().empty());
    EXPECT_EQ(s.model.Status(), "(Файл с настройками команд не найден)");
    s.model.Save(s.file, s.d);
    EXPECT_FALSE(fs::exists(s.file));
    EXPECT_TRUE(s.d.Messages.empty());
}

TEST(TeamFile, ZeroOrMissingPlayerCountIsReportedAndGivesFour) {
    for (const std::string k : {"K=0\r\n", "", "K=abc\r\n"}) {
        Screen s;
        s.Open(kHeader + k + TeamSection(1, "А"));
        ASSERT_EQ(s.d.Messages.size(), 1u) << k;
        EXPECT_EQ(s.d.Messages[0].Text, "Обнаружена некорректная запись в файле " + s.file +
                                            "\r\nЗначение параметра будет установлено по умолчанию.");
        EXPECT_EQ(s.teams.PlayersPerTeam(), 4);
        EXPECT_EQ(s.model.Existing(), std::vector<std::string>{"А"});
    }
}

TEST(TeamFile, TeamsEndAtTheFirstMissingSection) {
    Screen s;
    s.Open(kHeader + "K=2\r\n" + TeamSection(1, "Орлы") + TeamSection(2, "Совы") +
           TeamSection(4, "Лисы") + "\r\n");
    EXPECT_EQ(s.model.Existing(), (std::vector<std::string>{"Орлы", "Совы"}));
    EXPECT_EQ(s.teams.PlayersPerTeam(), 2);
    EXPECT_EQ(s.model.Status(), "(Файл с настройками команд успешно загружен)");
    EXPECT_EQ(s.teams.At(2)->R[3], "Совы4");
}

TEST(TeamFile, WindowsEditionFileIsReadAndSavedBackAsUtf8) {
    Screen s;
    // "[1]" "ComName=Орлы" in Windows-1251.
    s.Open("K=1\r\n[1]\r\nComName=\xCE\xF0\xEB\xFB\r\nR1=a\r\nR2=b\r\nR3=c\r\nR4=d\r\n");
    ASSERT_EQ(s.model.Existing(), std::vector<std::string>{"Орлы"});
    s.model.Save(s.file, s.d);
    EXPECT_EQ(TempDir::Read(s.file), kHeader + "K=1\r\n[1]\r\nComName=Орлы\r\nR1=a\r\nR2=b\r\nR3=c\r\n"
                                               "R4=d\r\n\r\n");
    EXPECT_EQ(s.model.Status(), "(Настройки команд были успешно сохранены в файл zel.cmd)");
}

TEST(TeamFile, EightTeamsAreListedAndANinthIsRefused) {
    Screen s;
    std::string text = kHeader + "K=4\r\n";
    for (int n = 1; n <= 8; ++n) text += TeamSection(n, "Т" + std::to_string(n));
    s.Open(text);
    EXPECT_EQ(s.model.Existing().size(), 8u);
    EXPECT_FALSE(s.model.MayCreate(s.d));
    EXPECT_EQ(s.d.LastText(), "Больше 8 команд создавать нельзя!");
}

TEST(TeamFile, DeletingTheFirstOfThreeKeepsTheOthersInOrder) {
    Screen s;
    s.Open(kHeader + "K=4\r\n" + TeamSection(1, "A") + TeamSection(2, "B") + TeamSection(3, "C"));
    s.d.Answers.push_back(MsgAnswer::Yes);
    s.model.Delete(0, s.d);
    EXPECT_EQ(s.d.LastText(), "Вы действительно хотите удалить команду\r\n\r\nA?");
    EXPECT_EQ(s.model.Existing(), (std::vector<std::string>{"B", "C"}));
    s.model.Save(s.file, s.d);
    TeamList again;
    FakeDialogs d;
    again.Load(s.file, d);
    ASSERT_EQ(again.Count(), 2);
    EXPECT_EQ(again.At(1)->ComName, "B");
    EXPECT_EQ(again.At(2)->ComName, "C");
}

TEST(TeamFile, DeletingEveryTeamStaysDeletedAtTheNextStart) {
    Screen s;
    s.Open(kHeader + "K=4\r\n" + TeamSection(1, "A"));
    s.d.Answers.push_back(MsgAnswer::Yes);
    s.model.Delete(0, s.d);
    s.model.Save(s.file, s.d);
    Screen next;
    next.Open(TempDir::Read(s.file));
    EXPECT_TRUE(next.model.Existing().empty());
}

TEST(TeamFile, DamagedFileIsReportedAndKeptBesideBeforeItIsReplaced) {
    Screen s;
    const std::string damaged = kHeader + "K=9\r\n" + TeamSection(1, "A");
    s.Open(damaged);
    ASSERT_EQ(s.d.Messages.size(), 1u);
    EXPECT_EQ(s.d.Messages[0].Text.rfind("Ошибка при загрузке файла настроек:\r\n\r\n", 0), 0u);
    s.Create("Новые");
    s.model.Save(s.file, s.d);
    EXPECT_EQ(TempDir::Read(s.file + ".bak"), damaged);
    EXPECT_NE(TempDir::Read(s.file).find("ComName=Новые"), std::string::npos);
}

TEST(TeamFile, FailedSaveIsReportedAndKeepsTheOldFile) {
    Screen s;
    s.Open(kHeader + "K=4\r\n" + TeamSection(1, "A"));
    const std::string before = TempDir::Read(s.file);
    s.Create("B");
    // The file's place is taken by a folder: the write cannot replace it.
    const std::string blocked = s.dir.File("blocked.cmd");
    fs::create_directory(blocked);
    s.model.Save(blocked, s.d);
    EXPECT_EQ(s.d.LastText().rfind("Ошибка при сохранении файла настроек:\r\n\r\n", 0), 0u);
    EXPECT_EQ(s.d.Messages.back().Icon, MsgIcon::Critical);
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(TempDir::Read(s.file), before);
}

// Computer players are kept as optional C keys: a table of people is
// written exactly as before, a file without them reads as people, and once
// one team has a computer player every team writes its own four keys (the
// lookup would otherwise find the next team's).
TEST(TeamFile, ComputerPlayersAreOptionalKeysOlderFilesReadAsPeople) {
    Screen s;
    s.Open(kHeader + "K=4\r\n" + TeamSection(1, "A") + TeamSection(2, "B"));
    for (int n : {1, 2})
        for (PlayerKind k : s.teams.At(n)->Kinds) EXPECT_EQ(k, PlayerKind::Human);
    EXPECT_EQ(s.teams.FileText(), kHeader + "K=4\r\n" + TeamSection(1, "A") + TeamSection(2, "B") + "\r\n");

    s.teams.At(2)->Kinds[1] = PlayerKind::Master;
    s.teams.At(2)->Kinds[3] = PlayerKind::Novice;
    const std::string text = s.teams.FileText();
    EXPECT_NE(text.find("R4=A4\r\nC1=0\r\nC2=0\r\nC3=0\r\nC4=0\r\n[2]"), std::string::npos) << text;
    EXPECT_NE(text.find("R4=B4\r\nC1=0\r\nC2=3\r\nC3=0\r\nC4=1\r\n"), std::string::npos) << text;

    Screen back;
    back.Open(text);
    EXPECT_EQ(back.teams.At(1)->Kinds[1], PlayerKind::Human);
    EXPECT_EQ(back.teams.At(2)->Kinds[1], PlayerKind::Master);
    EXPECT_EQ(back.teams.At(2)->Kinds[3], PlayerKind::Novice);

    Screen odd;  // a level no one has is a person
    odd.Open(kHeader + "K=4\r\n" + TeamSection(1, "A") + "C1=9\r\nC2=x\r\nC3=2\r\nC4=-1\r\n");
    EXPECT_EQ(odd.teams.At(1)->Kinds[0], PlayerKind::Human);
    EXPECT_EQ(odd.teams.At(1)->Kinds[1], PlayerKind::Human);
    EXPECT_EQ(odd.teams.At(1)->Kinds[2], PlayerKind::Amateur);
    EXPECT_EQ(odd.teams.At(1)->Kinds[3], PlayerKind::Human);
}

TEST(TeamEditor, PlayerKindsAreKeptAndReachTheMatch) {
    Screen s;
    s.Open(kHeader + "K=2\r\n" + TeamSection(1, "A") + TeamSection(2, "B"));
    TeamEditorModel e = TeamEditorModel::ForTeam(s.teams, 2);
    e.SetKind(1, PlayerKind::Novice);
    ASSERT_TRUE(e.Done(s.teams, s.d));
    EXPECT_EQ(TeamEditorModel::ForTeam(s.teams, 2).Kind(1), PlayerKind::Novice);
    EXPECT_EQ(TeamEditorModel::ForNewTeam(s.teams).Kind(1), PlayerKind::Human);

    MatchState state;
    ResetMatchDefaults(state);
    SettingsStore store;
    ApplyDefaultSettings(store, state);
    GameStarter starter(state, store, s.d);
    StartGameHooks hooks;
    s.model.MoveToPlaying(0, s.d);
    s.model.MoveToPlaying(0, s.d);
    ASSERT_EQ(s.model.Start(state, store.Start, starter, hooks, s.file, {}, s.d), StartOutcome::Started);
    // Seats alternate A, B, A, B: B's second player sits at 4.
    EXPECT_EQ(state.Players[4], PlayerKind::Novice);
    for (int i : {1, 2, 3}) EXPECT_EQ(state.Players[i], PlayerKind::Human) << i;
}

TEST(TeamEditor, ChecksKeepTheEditorOpen) {
    Screen s;
    s.Open(kHeader + "K=4\r\n" + TeamSection(1, "A"));
    TeamEditorModel e = TeamEditorModel::ForNewTeam(s.teams);
    EXPECT_EQ(e.Title(), "Создание новой команды");
    EXPECT_EQ(e.DoneCaption(), "Создать");
    EXPECT_EQ(e.TeamName(), "Команда2");
    EXPECT_EQ(e.Player(3), "Вемба4");
    e.SetTeamName("");
    EXPECT_FALSE(e.Done(s.teams, s.d));
    EXPECT_EQ(s.d.LastText(), "Надо ввести имя команды!");
    e.SetTeamName("A");
    EXPECT_FALSE(e.Done(s.teams, s.d));
    EXPECT_EQ(s.d.LastText(), "Команда с указанным именем уже существует. Задайте другое имя.");
    e.SetTeamName("Б");
    e.SetPlayer(2, "  ");
    EXPECT_FALSE(e.Done(s.teams, s.d));
    EXPECT_EQ(s.d.LastText(), "Вы не ввели некоторые имена игроков.");
    EXPECT_EQ(s.teams.Count(), 1);
}

TEST(TeamEditor, NamesAreComparedAsTypedAndEditsMayTakeAnotherTeamsName) {
    Screen s;
    s.Open(kHeader + "K=4\r\n" + TeamSection(1, "A") + TeamSection(2, "B"));
    s.Create(" A ");
    EXPECT_EQ(s.teams.At(3)->ComName, "A");
    TeamEditorModel e = TeamEditorModel::ForTeam(s.teams, 2);
    EXPECT_EQ(e.Title(), "Изменение настроек команды");
    EXPECT_EQ(e.DoneCaption(), "Готово");
    EXPECT_EQ(e.Player(0), "B1");
    e.SetTeamName("A");
    e.SetPlayer(0, " Петя ");
    ASSERT_TRUE(e.Done(s.teams, s.d));
    s.model.TeamsChanged();
    EXPECT_EQ(s.teams.At(2)->ComName, "A");
    EXPECT_EQ(s.teams.At(2)->R[0], " Петя ");  // players as typed
    EXPECT_EQ(s.model.Existing(), (std::vector<std::string>{"A", "A", "A"}));
}

TEST(TeamsScreen, PlayingListHoldsTwoAndEnablesTheStart) {
    Screen s;
    s.Open(kHeader + "K=4\r\n" + TeamSection(1, "A") + TeamSection(2, "B") + TeamSection(3, "C"));
    s.model.MoveToPlaying(0, s.d);
    EXPECT_FALSE(s.model.GoEnabled());
    s.model.MoveToPlaying(0, s.d);
    EXPECT_TRUE(s.model.GoEnabled());
    s.model.MoveToPlaying(0, s.d);
    EXPECT_EQ(s.d.LastText(), "В списке играющих команд уже находятся 2 команды!");
    EXPECT_EQ(s.model.Playing(), (std::vector<std::string>{"A", "B"}));
    s.model.MoveToExisting(0);
    EXPECT_EQ(s.model.Existing(), (std::vector<std::string>{"C", "A"}));
    EXPECT_FALSE(s.model.GoEnabled());
    s.model.MoveToPlaying(7, s.d);  // no such entry
    EXPECT_EQ(s.model.Playing(), std::vector<std::string>{"B"});
    EXPECT_EQ(s.model.SelectedTeam(-1, s.d), 0);
    EXPECT_EQ(s.d.LastText(), "Сначала выберите команду!");
    EXPECT_FALSE(s.model.SetPlayersPerTeam(5));
    EXPECT_TRUE(s.model.SetPlayersPerTeam(3));
    EXPECT_EQ(s.model.PlayersLabel(), "Количество: 3");
}

TEST(TeamsScreen, StartInterleavesTheTeamsAndKeepsTheIndividualMasses) {
    Screen s;
    s.Open(kHeader + "K=3\r\n" + TeamSection(1, "A") + TeamSection(2, "B"));
    MatchState state;
    ResetMatchDefaults(state);
    SettingsStore store;
    ApplyDefaultSettings(store, state);
    for (int i = 1; i <= 8; ++i) state.Vembas[i].RM = static_cast<std::int16_t>(100 + i);
    GameStarter starter(state, store, s.d);
    bool ran = false;
    StartGameHooks hooks;
    hooks.RunMatch = [&] { ran = true; };
    EXPECT_EQ(s.model.Start(state, store.Start, starter, hooks, s.file, {}, s.d),
              StartOutcome::NoParticipants);
    EXPECT_EQ(s.d.LastText(), "Выберите 2 команды для игры!");
    s.model.MoveToPlaying(1, s.d);  // B plays first
    s.model.MoveToPlaying(0, s.d);
    ASSERT_EQ(s.model.Start(state, store.Start, starter, hooks, s.file, {}, s.d),
              StartOutcome::Started);
    EXPECT_TRUE(ran);
    EXPECT_EQ(state.TeamGame, kTrue);
    EXPECT_EQ(state.Num, 6);
    EXPECT_EQ(state.FirstTeam, 2);
    EXPECT_EQ(state.SecondTeam, 1);
    for (int j = 1; j <= 3; ++j) {
        EXPECT_EQ(state.Vembas[2 * j - 1].R, "B" + std::to_string(j));
        EXPECT_EQ(state.Vembas[2 * j - 1].TeamSide, 0);
        EXPECT_EQ(state.Vembas[2 * j - 1].RGray, kFalse);
        EXPECT_EQ(state.Vembas[2 * j].R, "A" + std::to_string(j));
        EXPECT_EQ(state.Vembas[2 * j].TeamSide, 1);
        EXPECT_EQ(state.Vembas[2 * j].RGray, kTrue);
    }
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(state.Vembas[i].RM, 1) << i;
        EXPECT_EQ(state.Vembas[i].RMod, 0) << i;
        EXPECT_EQ(state.KtoHodit[i], i);
    }
    starter.MatchClosed();
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(state.Vembas[i].RM, 100 + i) << i;
    EXPECT_TRUE(fs::exists(s.file));
}

TEST(NameCollection, ShortFileIsFilledUpAndBlankLinesSkipped) {
    TempDir dir;
    FakeDialogs d;
    NameCollection names;
    names.Load(dir.Write("zel.nam", "Аня\r\n   \r\n\r\n Боря \r\nВитя"), d);
    ASSERT_TRUE(names.Available());
    EXPECT_EQ(names.At(1), "Аня");
    EXPECT_EQ(names.At(2), " Боря ");  // taken as it stands
    EXPECT_EQ(names.At(3), "Витя");
    EXPECT_EQ(names.At(4), "Вемба4");
    EXPECT_EQ(names.At(160), "Вемба160");
    EXPECT_EQ(names.Pick([] { return 0.0; }), "Аня");
    EXPECT_EQ(names.Pick([] { return 0.99999; }), "Вемба160");
    EXPECT_EQ(names.Pick([] { return 0.5; }), "Вемба80");  // 80.5 rounds to even
    EXPECT_TRUE(d.Messages.empty());
}

TEST(NameCollection, MissingFileMakesThePickUnavailableWithTheNotice) {
    TempDir dir;
    FakeDialogs d;
    NameCollection names;
    names.Load(dir.File("zel.nam"), d);
    EXPECT_FALSE(names.Available());
    EXPECT_EQ(d.LastText(),
              "Файл с именами не найден. Функция выбора имени из коллекции будет недоступна.");
}

TEST(NameCollection, TheShippedCollectionFillsEveryPlaceWithItsOwnName) {
    FakeDialogs d;
    NameCollection names;
    names.Load(std::string(ZEL_DATA_DIR) + "/zel.nam", d);
    ASSERT_TRUE(names.Available()) << d.LastText();
    std::set<std::string> seen;
    for (int place = 1; place <= NameCollection::kPlaces; ++place) {
        EXPECT_NE(names.At(place), "Вемба" + std::to_string(place)) << place;  // no filler
        seen.insert(names.At(place));
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(NameCollection::kPlaces));
}

}  // namespace
}  // namespace zel::screens
