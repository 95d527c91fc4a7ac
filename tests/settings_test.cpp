#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/CheckBox.h"
#include "screens/SettingsControls.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::FakeDialogs;
using test::TempDir;

const std::string kLoadFailedStart =
    "Ошибка при загрузке параметров.\r\n\r\nОписание ошибки: ";
const std::string kLoadFailedEnd = "\r\n\r\nПараметры будут установлены по умолчанию.";

// The program as start-up leaves it just before the settings are read: the
// new-match defaults and the 630 by 500 table.
struct Program {
    TempDir dir;
    FakeDialogs d;
    SettingsStore store;
    MatchState s;
    std::string ini = dir.File("zel.ini");

    Program() {
        ResetMatchDefaults(s);
        s.MaxX = 630;
        s.MaxY = 500;
    }

    void Load(const std::string& text) {
        dir.Write("zel.ini", text);
        LoadSettings(ini, ini, store, s, d);
    }
    // Start-up: read the settings, then the options screen shows them.
    void Start() {
        LoadSettings(ini, ini, store, s, d);
        store.Options.FormLoad(s, store.Display, {});
    }
};

void ExpectDefaults(const Program& p) {
    EXPECT_EQ(p.store.Display.ScreenW, 640);
    EXPECT_EQ(p.store.Display.ScreenH, 480);
    EXPECT_EQ(p.store.Display.Colors, 8);
    EXPECT_EQ(p.store.Display.UseTex, kFalse);
    EXPECT_EQ(p.store.Display.UseRoom, kFalse);
    EXPECT_EQ(p.store.Display.DeviceNum, 0);
    EXPECT_EQ(p.store.Display.RenderNum, 0);
    EXPECT_EQ(p.s.MaxX, 600);
    EXPECT_EQ(p.s.MaxY, 400);
    EXPECT_EQ(p.s.Ftr, 0.02);
    EXPECT_EQ(p.s.Num, 2);
    EXPECT_EQ(p.s.CurG, 1);
    EXPECT_EQ(p.s.Sound, kTrue);
    EXPECT_EQ(p.s.Border, kTrue);
    EXPECT_EQ(p.s.BordMode, 1);
    EXPECT_EQ(p.s.BordSimm, kTrue);
    EXPECT_EQ(p.s.Pipa, kTrue);
    EXPECT_EQ(p.s.ShowSgin, kTrue);
    EXPECT_EQ(p.store.Options.MaxSizeBox(), kBoxClear);
    EXPECT_EQ(p.store.Options.SoundBox(), kBoxChecked);
    EXPECT_EQ(p.store.Options.PipaBox(), kBoxChecked);
    EXPECT_EQ(p.store.Options.ShowSginBox(), kBoxChecked);
    EXPECT_EQ(p.store.Start.Mark(0), kBoxChecked);
    EXPECT_EQ(p.store.Start.Mark(1), kBoxChecked);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(p.store.Start.Name(i), std::to_string(i + 1));
        EXPECT_EQ(p.store.Start.Model(i), 0);
        EXPECT_EQ(p.s.Vembas[i + 1].RMod, 0);
    }
}

TEST(Settings, MissingFileGivesTheDefaultsSilently) {
    Program p;
    p.store.Start.SetMark(6, kBoxChecked);
    p.s.Vembas[3].RMod = 2;
    LoadSettings(p.ini, p.ini, p.store, p.s, p.d);
    ExpectDefaults(p);
    EXPECT_TRUE(p.d.Messages.empty());
    EXPECT_EQ(p.store.Start.Mark(6), kBoxChecked);  // marks beyond the first two stay
    EXPECT_EQ(p.store.Start.GamersKolvo(), 3);
    EXPECT_EQ(p.s.ScreenH, 480);
}

TEST(Settings, OnlyTheSectionClearsTheFourBoxesAndKeepsTheMarks) {
    Program p;
    p.store.Start.SetMark(0, kBoxChecked);
    p.store.Start.SetMark(4, kBoxChecked);
    p.Load("[zelset]\r\n");
    EXPECT_TRUE(p.d.Messages.empty());
    EXPECT_EQ(p.store.Display.ScreenW, 640);
    EXPECT_EQ(p.store.Display.ScreenH, 480);
    EXPECT_EQ(p.store.Display.Colors, 8);
    EXPECT_EQ(p.store.Display.DeviceNum, 0);
    EXPECT_EQ(p.s.MaxX, 600);
    EXPECT_EQ(p.s.MaxY, 400);
    EXPECT_EQ(p.s.Ftr, 0.02);
    EXPECT_EQ(p.s.Sound, kFalse);
    EXPECT_EQ(p.s.Border, kFalse);
    EXPECT_EQ(p.s.ShowSgin, kFalse);
    EXPECT_EQ(p.s.Pipa, kFalse);
    EXPECT_EQ(p.store.Options.SoundBox(), kBoxClear);
    EXPECT_EQ(p.store.Options.PipaBox(), kBoxClear);
    EXPECT_EQ(p.store.Start.Mark(0), kBoxChecked);
    EXPECT_EQ(p.store.Start.Mark(1), kBoxClear);
    EXPECT_EQ(p.store.Start.Mark(4), kBoxChecked);
    EXPECT_EQ(p.store.Start.Name(7), "8");
    EXPECT_EQ(p.s.Num, 2);
    EXPECT_EQ(p.s.CurG, 1);
    EXPECT_EQ(p.s.KtoHodit[1], 0);
    EXPECT_EQ(p.s.CurNG, 0);
}

TEST(Settings, FrictionKeepsOnlyTheThreeSettings) {
    const std::pair<const char*, double> cases[] = {
        {"0.025", 0.02}, {"abc", 0.02}, {"", 0.02}, {"0.030", 0.03}, {"0.01", 0.01}, {"2", 0.02}};
    for (const auto& [text, want] : cases) {
        Program p;
        p.Load(std::string("[zelset]\r\nFtr=") + text + "\r\n");
        EXPECT_EQ(p.s.Ftr, want) << text;
    }
}

TEST(Settings, DeviceIndexOutside0To99GivesZeroAndNonNumberKeepsIt) {
    const std::pair<const char*, int> cases[] = {
        {"100", 0}, {"-1", 0}, {"99", 99}, {"7", 7}, {"x", 5}, {"", 5}, {"3abc", 5}};
    for (const auto& [text, want] : cases) {
        Program p;
        p.store.Display.DeviceNum = 5;
        p.store.Display.RenderNum = 1;
        p.Load(std::string("[zelset]\r\nDeviceNum=") + text + "\r\nRenderNum=" + text + "\r\n");
        EXPECT_EQ(p.store.Display.DeviceNum, want) << text;
        EXPECT_EQ(p.store.Display.RenderNum, want == 5 ? 1 : want) << text;
    }
}

TEST(Settings, DisplayKeysAreStrictAndZeroGivesTheDefault) {
    Program p;
    p.store.Display.ScreenW = 1024;
    p.store.Display.UseTex = kTrue;
    p.Load("[zelset]\r\nScreenW=800px\r\nScreenH=0\r\nColors=16\r\nUseTex=abc\r\nUseRoom=5\r\n");
    EXPECT_EQ(p.store.Display.ScreenW, 1024);
    EXPECT_EQ(p.store.Display.ScreenH, 480);
    EXPECT_EQ(p.store.Display.Colors, 16);
    EXPECT_EQ(p.store.Display.UseTex, kTrue);
    EXPECT_EQ(p.store.Display.UseRoom, kTrue);
    EXPECT_EQ(p.s.UseRoom, kTrue);  // the match core's copy follows
    EXPECT_EQ(p.s.ScreenH, 480);
}

TEST(Settings, LargestTableBoxOverridesTheStoredSize) {
    Program p;
    p.Load("[zelset]\r\nMaxX=300\r\nMaxY=250\r\nMaxScr=1\r\n");
    EXPECT_EQ(p.s.MaxX, 1000);
    EXPECT_EQ(p.s.MaxY, 1000);
    EXPECT_EQ(p.store.Options.MaxSizeBox(), kBoxChecked);
    EXPECT_FALSE(p.store.Options.SizeGroupEnabled());
    EXPECT_EQ(p.store.Options.SizeGText(), "300");  // the boxes show what the file said

    Program q;
    q.Load("[zelset]\r\nMaxX=300\r\nMaxY=0\r\nMaxScr=2\r\n");  // greyed is not checked
    EXPECT_EQ(q.s.MaxX, 300);
    EXPECT_EQ(q.s.MaxY, 400);
    EXPECT_TRUE(q.store.Options.SizeGroupEnabled());
}

TEST(Settings, EmptyNameGivesTheSlotNumber) {
    Program p;
    p.Load("[zelset]\r\nR0=Вася\r\nR3=\r\n");
    EXPECT_EQ(p.store.Start.Name(0), "Вася");
    EXPECT_EQ(p.store.Start.Name(3), "4");
}

TEST(Settings, TeamMatchLeavesNamesModelsAndMassesButFillsEmptyNames) {
    Program p;
    p.s.TeamGame = kTrue;
    p.store.Start.SetName(0, "Аня");
    p.store.Start.SetName(2, "");
    p.store.Start.SelectModel(1, 3, p.s, p.d);
    p.s.Vembas[1].RM = 70;
    p.Load("[zelset]\r\nR0=Вася\r\nR2=Петя\r\nRModel1=2\r\nRM0=5\r\nKtoHodit1=2\r\n");
    EXPECT_TRUE(p.d.Messages.empty());
    EXPECT_EQ(p.store.Start.Name(0), "Аня");
    EXPECT_EQ(p.store.Start.Name(2), "3");
    EXPECT_EQ(p.store.Start.Model(1), 3);
    EXPECT_EQ(p.s.Vembas[2].RMod, 3);
    EXPECT_EQ(p.s.Vembas[1].RM, 70);
    EXPECT_EQ(p.s.KtoHodit[1], 2);  // the order tables are read all the same
}

TEST(Settings, ModelsAndMassesFollowTheFile) {
    Program p;
    p.Load("[zelset]\r\nRModel0=3\r\nRModel1=-1\r\nRModel2=1.5\r\nRM0=250\r\nRM1=0\r\nRM2=1001\r\n");
    ASSERT_TRUE(p.d.Messages.empty());
    EXPECT_EQ(p.store.Start.Model(0), 3);
    EXPECT_EQ(p.s.Vembas[1].RMod, 3);
    EXPECT_EQ(p.store.Start.Model(1), -1);  // nothing selected
    EXPECT_EQ(p.store.Start.Model(2), 2);   // rounded half to even
    EXPECT_EQ(p.s.Vembas[1].RM, 250);
    // Masses the piece editor would refuse, a missing one included, read as 1.
    EXPECT_EQ(p.s.Vembas[2].RM, 1);
    EXPECT_EQ(p.s.Vembas[3].RM, 1);
    EXPECT_EQ(p.s.Vembas[4].RM, 1);
}

TEST(Settings, OvalModelInTheFileWarnsAndLoadsAsTheFirstEntry) {
    Program p;
    p.Load("[zelset]\r\nRModel2=4\r\nSound=1\r\n");
    ASSERT_EQ(p.d.Messages.size(), 1u);
    EXPECT_EQ(p.d.Messages[0].Title, "Предупреждение");
    EXPECT_EQ(p.store.Start.Model(2), 0);
    EXPECT_EQ(p.s.Vembas[3].RMod, 0);
    EXPECT_EQ(p.s.Sound, kTrue);  // the load went on
}

TEST(Settings, WallOffLeavesPositionAndSymmetryUnread) {
    Program p;
    p.s.BordMode = 0;
    p.s.BordSimm = kFalse;
    p.Load("[zelset]\r\nBorder=0\r\nBordMode=1\r\nBordSimm=1\r\n");
    EXPECT_EQ(p.s.Border, kFalse);
    EXPECT_EQ(p.s.BordMode, 0);
    EXPECT_EQ(p.s.BordSimm, kFalse);
    EXPECT_FALSE(p.store.Options.BorderControlsEnabled());

    Program q;
    q.Load("[zelset]\r\nBorder=1\r\nBordMode=1\r\nBordSimm=7\r\n");
    EXPECT_EQ(q.s.Border, kTrue);
    EXPECT_EQ(q.s.BordMode, 1);
    EXPECT_EQ(q.s.BordSimm, kTrue);
    EXPECT_TRUE(q.store.Options.BorderControlsEnabled());
}

TEST(Settings, GreyedBoxesSwitchTheFlagOnButSaveAsClear) {
    Program p;
    p.Load("[zelset]\r\nSound=2\r\nPipa=2\r\nShowSgin=2\r\nBorder=2\r\nchk3=2\r\n");
    EXPECT_EQ(p.s.Sound, kTrue);
    EXPECT_EQ(p.s.Pipa, kTrue);
    EXPECT_EQ(p.store.Start.Mark(3), kBoxGreyed);
    const std::string text = BuildSettingsText(CollectSettings(p.store, p.s));
    EXPECT_NE(text.find("\r\nSound=0\r\nBorder=0\r\nShowSgin=0\r\nPipa=0\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\nchk3=2\r\n"), std::string::npos);
}

TEST(Settings, SectionAndKeysIgnoreLetterCaseButNotBlanks) {
    Program p;
    p.Load("[ZELSET]\r\nscreenw=800\r\nScreenH = 600\r\n COLORS=16\r\n");
    EXPECT_EQ(p.store.Display.ScreenW, 800);
    EXPECT_EQ(p.store.Display.ScreenH, 480);
    EXPECT_EQ(p.store.Display.Colors, 8);
}

TEST(Settings, KeyMissingFromItsSectionIsFoundInALaterOne) {
    Program p;
    p.Load("[zelset]\r\nScreenH=600\r\n[other]\r\nScreenW=1024\r\n");
    EXPECT_EQ(p.store.Display.ScreenW, 1024);
    EXPECT_EQ(p.store.Display.ScreenH, 600);
}

TEST(Settings, OneBadValueCostsOnlyItsKeyAndTheMessageNamesItAndTheCopy) {
    struct Case {
        const char* Line;
        const char* Description;
        void (*Check)(const Program&);
    };
    const Case cases[] = {
        {"RModel0=7", "Недопустимое значение ключа RModel0 «7»: в списке моделей нет элемента 7",
         [](const Program& p) { EXPECT_EQ(p.store.Start.Model(0), 0); }},
        {"Pipa=3", "Недопустимое значение ключа Pipa «3»: ожидается 0, 1 или 2",
         [](const Program& p) { EXPECT_EQ(p.store.Options.PipaBox(), kBoxChecked); }},
        {"Sound=5", "Недопустимое значение ключа Sound «5»: ожидается 0, 1 или 2",
         [](const Program& p) { EXPECT_EQ(p.s.Sound, kTrue); }},
        {"MaxScr=-1", "Недопустимое значение ключа MaxScr «-1»: ожидается 0, 1 или 2",
         [](const Program& p) { EXPECT_EQ(p.store.Options.MaxSizeBox(), kBoxClear); }},
        {"RM3=40000", "Переполнение: значение ключа RM3 «40000» не помещается в 16 бит",
         [](const Program& p) { EXPECT_EQ(p.s.Vembas[4].RM, 1); }},
        {"MaxY=99999", "Переполнение: значение ключа MaxY «99999» не помещается в 16 бит",
         [](const Program& p) { EXPECT_EQ(p.s.MaxY, 400); }},
    };
    for (const Case& c : cases) {
        Program p;
        const std::string text = std::string("[zelset]\r\nScreenW=800\r\nR0=Вася\r\nRM0=300\r\n"
                                             "MaxX=700\r\nFtr=0.03\r\n") + c.Line + "\r\n";
        p.Load(text);
        ASSERT_EQ(p.d.Messages.size(), 1u) << c.Line;
        const Message& m = p.d.Messages[0];
        EXPECT_EQ(m.Text, kLoadFailedStart + c.Description +
                              "\r\n\r\nДля этих параметров будут установлены значения по "
                              "умолчанию, остальные загружены из файла.\r\n\r\nКопия файла "
                              "сохранена: " + p.ini + ".bad") << c.Line;
        EXPECT_EQ(m.Icon, MsgIcon::Critical);
        EXPECT_EQ(p.store.Display.ScreenW, 800) << c.Line;
        EXPECT_EQ(p.store.Start.Name(0), "Вася") << c.Line;
        EXPECT_EQ(p.s.Vembas[1].RM, 300) << c.Line;
        EXPECT_EQ(p.s.MaxX, 700) << c.Line;
        EXPECT_EQ(p.s.Ftr, 0.03) << c.Line;
        c.Check(p);
        EXPECT_EQ(TempDir::Read(p.ini + ".bad"), text) << c.Line;
        EXPECT_TRUE(p.d.BusyBalanced()) << c.Line;
    }
}

TEST(Settings, SeveralBadValuesAreListedOneALine) {
    Program p;
    p.Load("[zelset]\r\nMaxX=70000\r\nSound=5\r\n");
    ASSERT_EQ(p.d.Messages.size(), 1u);
    EXPECT_NE(p.d.Messages[0].Text.find("«70000» не помещается в 16 бит\r\nНедопустимое значение "
                                        "ключа Sound"),
              std::string::npos);
}

TEST(Settings, FileThatIsNoSettingsFileGivesDefaultsAndKeepsNothingOfIt) {
    Program p;
    p.s.KtoHodit[1] = 1;
    p.s.KtoHodit[2] = 2;
    p.s.CurSgin = 1;
    p.s.Vembas[1].RM = 40;
    p.store.Start.SetMark(5, kBoxChecked);
    const std::string garbage = std::string("\x01\x7f\xff\xfe binary\0junk\r\nR0=Вася\r\nRM0=300\r\n"
                                            "KtoHodit1=9\r\nCurSgin=5\r\nchk5=0\r\n", 60);
    p.Load(garbage);
    ASSERT_EQ(p.d.Messages.size(), 1u);
    EXPECT_EQ(p.d.Messages[0].Text, kLoadFailedStart + "в файле нет раздела [zelset]" +
                                        kLoadFailedEnd + "\r\n\r\nКопия файла сохранена: " +
                                        p.ini + ".bad");
    EXPECT_EQ(p.s.KtoHodit[1], 1);
    EXPECT_EQ(p.s.KtoHodit[2], 2);
    EXPECT_EQ(p.s.CurSgin, 1);
    EXPECT_EQ(p.s.Vembas[1].RM, 40);
    EXPECT_EQ(p.store.Start.Name(0), "1");
    EXPECT_EQ(p.store.Start.Mark(5), kBoxChecked);
    EXPECT_EQ(TempDir::Read(p.ini + ".bad"), garbage);
}

TEST(Settings, EmptyFileIsNoFileAndAsksNothing) {
    Program p;
    p.Load(" \r\n\r\n");
    EXPECT_TRUE(p.d.Messages.empty());
    ExpectDefaults(p);
    EXPECT_FALSE(std::filesystem::exists(p.ini + ".bad"));
}

TEST(Settings, FailedFileSurvivesTheSaveThatFollowsAndEachFailureKeepsItsOwnCopy) {
    Program p;
    p.Load("[zelset]\r\nR0=Вася\r\nMaxX=70000\r\n");
    ASSERT_TRUE(SaveSettings(p.ini, p.store, p.s, p.d));
    EXPECT_EQ(TempDir::Read(p.ini).find("MaxX=70000"), std::string::npos);
    EXPECT_NE(TempDir::Read(p.ini).find("R0=Вася"), std::string::npos);
    EXPECT_EQ(TempDir::Read(p.ini + ".bad"), "[zelset]\r\nR0=Вася\r\nMaxX=70000\r\n");

    Program q;
    q.dir.Write("zel.ini.bad", "older");
    q.Load("[zelset]\r\nSound=9\r\n");
    EXPECT_EQ(TempDir::Read(q.ini + ".bad"), "older");
    EXPECT_EQ(TempDir::Read(q.ini + ".bad2"), "[zelset]\r\nSound=9\r\n");
}

TEST(Settings, WithoutACopyTheFailedFileIsNeverWrittenOver) {
    Program p;
    // Every name a copy could take is a folder, so no copy can be written.
    std::filesystem::create_directory(p.ini + ".bad");
    for (int n = 2; n <= 9; ++n) std::filesystem::create_directory(p.ini + ".bad" + std::to_string(n));
    const std::string text = "[zelset]\r\nR0=Вася\r\nRM0=300\r\nMaxX=70000\r\n";
    p.Load(text);
    ASSERT_EQ(p.d.Messages.size(), 1u);
    const std::string& m = p.d.Messages[0].Text;
    EXPECT_TRUE(m.ends_with("Копию файла сохранить не удалось, поэтому он не будет перезаписан."))
        << m;
    EXPECT_FALSE(SaveSettings(p.ini, p.store, p.s, p.d));
    EXPECT_EQ(TempDir::Read(p.ini), text);
    EXPECT_EQ(p.d.Messages.size(), 1u);
}

TEST(Settings, MarkThatIsNoBoxStateLeavesTheMark) {
    const std::pair<const char*, int> cases[] = {
        {"x", 1}, {"", 1}, {"3", 1}, {"1abc", 1}, {"0", 0}, {"2", 2}, {" 0 ", 0}};
    for (const auto& [text, want] : cases) {
        Program p;
        p.store.Start.SetMark(2, kBoxChecked);
        p.Load(std::string("[zelset]\r\nchk2=") + text + "\r\n");
        EXPECT_EQ(p.store.Start.Mark(2), want) << text;
        EXPECT_TRUE(p.d.Messages.empty());
    }
}

// Who plays a slot lives in zel.ini's Player keys; files written before
// the computer player have none and play every slot as people.
TEST(Settings, SlotPlayersRoundTripAndOlderFilesPlayAllPeople) {
    Program p;
    p.store.Start.SetPlayer(0, PlayerKind::Master);
    p.store.Start.SetPlayer(3, PlayerKind::Novice);
    ASSERT_TRUE(SaveSettings(p.ini, p.store, p.s, p.d));

    Program back;
    back.store.Start.SetPlayer(5, PlayerKind::Amateur);  // not in the file: becomes a person
    back.dir.Write("zel.ini", TempDir::Read(p.ini));
    back.Start();
    EXPECT_EQ(back.store.Start.Player(0), PlayerKind::Master);
    EXPECT_EQ(back.store.Start.Player(3), PlayerKind::Novice);
    EXPECT_EQ(back.store.Start.Player(1), PlayerKind::Human);

    Program older;
    for (int i = 0; i < 8; ++i) older.store.Start.SetPlayer(i, PlayerKind::Master);
    older.Load("[zelset]\r\nR0=Аня\r\nchk0=1\r\nchk1=1\r\n");
    for (int i = 0; i < 8; ++i) EXPECT_EQ(older.store.Start.Player(i), PlayerKind::Human) << i;
    EXPECT_TRUE(older.d.Messages.empty());

    // A value no level has is a person, and it stops nothing else.
    Program odd;
    odd.Load("[zelset]\r\nPlayer0=7\r\nPlayer1=x\r\nPlayer2=-1\r\nPlayer3=2\r\nR3=Боря\r\n");
    EXPECT_EQ(odd.store.Start.Player(0), PlayerKind::Human);
    EXPECT_EQ(odd.store.Start.Player(1), PlayerKind::Human);
    EXPECT_EQ(odd.store.Start.Player(2), PlayerKind::Human);
    EXPECT_EQ(odd.store.Start.Player(3), PlayerKind::Amateur);
    EXPECT_EQ(odd.store.Start.Name(3), "Боря");
    EXPECT_TRUE(odd.d.Messages.empty());
}

TEST(Settings, NetworkBoxesRoundTripAndOlderFilesGiveThisComputer) {
    Program p;
    p.Start();
    p.store.Net.Address = "hub.example.org";
    p.store.Net.Port = "30001";
    p.store.Net.HostPort = "40002";
    ASSERT_TRUE(SaveSettings(p.ini, p.store, p.s, p.d));

    Program back;
    back.dir.Write("zel.ini", TempDir::Read(p.ini));
    back.Start();
    EXPECT_EQ(back.store.Net.Address, "hub.example.org");
    EXPECT_EQ(back.store.Net.Port, "30001");
    EXPECT_EQ(back.store.Net.HostPort, "40002");

    Program older;
    older.store.Net.Address = "left.over";
    older.Load("[zelset]\r\nR0=Аня\r\n");
    EXPECT_EQ(older.store.Net.Address, "127.0.0.1");
    EXPECT_EQ(older.store.Net.Port, "24610");
    EXPECT_EQ(older.store.Net.HostPort, "24610");
    EXPECT_TRUE(older.d.Messages.empty());
}

TEST(Settings, UnusableNetworkValuesGiveTheBuiltInOnesAndStopNothing) {
    Program p;
    p.Load("[zelset]\r\nNetAddress=a b\r\nNetPort=70000\r\nNetHostPort=0\r\nR0=Боря\r\n");
    EXPECT_EQ(p.store.Net.Address, "127.0.0.1");
    EXPECT_EQ(p.store.Net.Port, "24610");
    EXPECT_EQ(p.store.Net.HostPort, "24610");
    EXPECT_EQ(p.store.Start.Name(0), "Боря");
    Program q;
    q.Load("[zelset]\r\nNetPort=+80\r\nNetHostPort=65535\r\n");
    EXPECT_EQ(q.store.Net.Port, "24610");
    EXPECT_EQ(q.store.Net.HostPort, "65535");
}

// A replay's set-up is read with the same loader; it says nothing about who
// plays, so the setup screen keeps its players.
TEST(Settings, ReplaySetupLeavesTheSlotPlayers) {
    Program p;
    p.store.Start.SetPlayer(1, PlayerKind::Amateur);
    p.dir.Write("match.sav", "[general]\r\nNum=2\r\nPlayer1=0\r\n");
    LoadSettings(p.dir.File("match.sav"), p.ini, p.store, p.s, p.d);
    EXPECT_EQ(p.store.Start.Player(1), PlayerKind::Amateur);
}

TEST(Settings, BusyPointerIsBalancedOnEveryPath) {
    Program ok;
    ok.Load("[zelset]\r\nchk0=1\r\n");
    EXPECT_FALSE(ok.d.BusyCalls.empty());
    EXPECT_TRUE(ok.d.BusyBalanced());

    Program bad;
    bad.Load("[zelset]\r\nSound=9\r\n");
    EXPECT_TRUE(bad.d.BusyBalanced());

    Program save;
    EXPECT_FALSE(SaveSettings(save.dir.File("missing/zel.ini"), save.store, save.s, save.d));
    EXPECT_TRUE(save.d.BusyBalanced());
}

TEST(Settings, ReplayFileIsReadFromItsGeneralSectionWithTheMatchKeys) {
    Program p;
    p.store.Display.ScreenW = 800;  // a replay carries no display keys
    p.store.Display.ScreenH = 600;
    const std::string replay = p.dir.Write(
        "zel.sav",
        ";Сохраненный повтор Korvalo 2. Начало записи:05.12.2026 10:20:11\r\nVer=1200\r\n"
        "[general]\r\nNum=9\r\nMaxX=700\r\nMaxY=450\r\nCurG=0\r\nCurNG=2\r\nCurSgin=1\r\n"
        "Ftr=0.01\r\nR0=Вася\r\nRModel0=1\r\nRM0=3\r\nRGray0=-1\r\nR1=Петя\r\nRModel1=2\r\n"
        "RM1=1\r\nRGray1=0\r\nKtoHodit1=2\r\nWhoSgin1=0\r\nKtoHodit2=1\r\nWhoSgin2=0\r\n"
        "Border=1\r\nBordMode=0\r\nBordSimm=0\r\nPipa=0\r\nSound=1\r\n[game]\r\n");
    LoadSettings(replay, p.ini, p.store, p.s, p.d);
    ASSERT_TRUE(p.d.Messages.empty());
    EXPECT_EQ(p.s.Num, 8);
    EXPECT_EQ(p.s.CurG, 1);
    EXPECT_EQ(p.s.CurNG, 2);
    EXPECT_EQ(p.s.MaxX, 700);
    EXPECT_EQ(p.s.Ftr, 0.01);
    EXPECT_EQ(p.s.KtoHodit[1], 2);
    EXPECT_EQ(p.s.KtoHodit[2], 1);
    EXPECT_EQ(p.s.Vembas[1].RMod, 1);
    EXPECT_EQ(p.s.Vembas[1].RM, 3);
    EXPECT_EQ(p.s.Border, kTrue);
    EXPECT_EQ(p.s.BordMode, 0);
    EXPECT_EQ(p.store.Start.Name(1), "Петя");
    EXPECT_EQ(p.store.Display.ScreenW, 800);
    EXPECT_EQ(p.store.Display.ScreenH, 600);

    // The same keys under [zelset] are not the settings file's when the path differs.
    Program q;
    const std::string other = q.dir.Write("other.ini", "[zelset]\r\nScreenW=1024\r\n");
    LoadSettings(other, q.ini, q.store, q.s, q.d);
    EXPECT_EQ(q.store.Display.ScreenW, 640);
}

TEST(Settings, DefaultStateSavesEveryKeyInOrder) {
    Program p;
    p.Start();
    ASSERT_TRUE(SaveSettings(p.ini, p.store, p.s, p.d));
    std::string want =
        "[zelset]\r\nScreenW=640\r\nScreenH=480\r\nColors=8\r\nUseTex=0\r\nUseRoom=0\r\n"
        "DeviceNum=0\r\nRenderNum=0\r\n";
    for (int i = 0; i < 8; ++i) {
        const std::string n = std::to_string(i);
        want += "R" + n + "=" + std::to_string(i + 1) + "\r\nRModel" + n + "=0\r\nRM" + n + "=1\r\n";
    }
    want +=
        "MaxX=600\r\nMaxY=400\r\nFtr=0.02\r\nMaxScr=0\r\nSound=1\r\nBorder=1\r\nBordMode=1\r\n"
        "BordSimm=1\r\nShowSgin=1\r\nPipa=1\r\n";
    for (int i = 0; i < 8; ++i)
        want += "chk" + std::to_string(i) + "=" + (i < 2 ? "1" : "0") + "\r\n";
    // Every slot is played by a person unless the setup screen says otherwise.
    for (int i = 0; i < 8; ++i) want += "Player" + std::to_string(i) + "=0\r\n";
    // The network screen offers this computer and the game's port.
    want += "NetAddress=127.0.0.1\r\nNetPort=24610\r\nNetHostPort=24610\r\n";
    want += "\r\n";  // the file ends with an empty line
    EXPECT_EQ(TempDir::Read(p.ini), want);
    EXPECT_TRUE(p.d.Messages.empty());
}

TEST(Settings, SavedFileLoadsBackToTheSameSettings) {
    Program p;
    p.Start();
    DisplaySettings& display = p.store.Display;
    display.ScreenW = 800;
    display.ScreenH = 600;
    display.Colors = 16;
    display.UseTex = kTrue;
    display.UseRoom = kTrue;
    display.DeviceNum = 3;
    display.RenderNum = 1;
    StartScreenModel& start = p.store.Start;
    start.SetName(0, "Вася");
    start.SetName(5, "Петя Иванов");
    start.SelectModel(5, 2, p.s, p.d);
    start.SelectModel(6, -1, p.s, p.d);
    start.SetMark(1, kBoxClear);
    start.SetMark(5, kBoxChecked);
    start.SetMark(7, kBoxChecked);
    p.s.Vembas[6].RM = 250;
    OptionsScreenModel& options = p.store.Options;
    options.SetSizeGText("700");
    options.SetSizeVText("500");
    options.SetSoundBox(kBoxClear);
    options.SelectBorderPosition(0, p.s);
    options.SetSimmBox(kBoxClear, p.s);
    options.SetShowSginBox(kBoxClear);
    p.s.Ftr = 0.03;
    ASSERT_TRUE(SaveSettings(p.ini, p.store, p.s, p.d));
    const std::string text = TempDir::Read(p.ini);
    EXPECT_NE(text.find("\r\nUseTex=1\r\nUseRoom=1\r\n"), std::string::npos);

    Program q;
    q.Load(text);
    ASSERT_TRUE(q.d.Messages.empty());
    EXPECT_EQ(q.store.Display.ScreenW, 800);
    EXPECT_EQ(q.store.Display.ScreenH, 600);
    EXPECT_EQ(q.store.Display.Colors, 16);
    EXPECT_EQ(q.store.Display.UseTex, kTrue);
    EXPECT_EQ(q.store.Display.UseRoom, kTrue);
    EXPECT_EQ(q.store.Display.DeviceNum, 3);
    EXPECT_EQ(q.store.Display.RenderNum, 1);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(q.store.Start.Name(i), p.store.Start.Name(i)) << i;
        EXPECT_EQ(q.store.Start.Model(i), p.store.Start.Model(i)) << i;
        EXPECT_EQ(q.store.Start.Mark(i), p.store.Start.Mark(i)) << i;
        EXPECT_EQ(q.s.Vembas[i + 1].RM, p.s.Vembas[i + 1].RM) << i;
    }
    EXPECT_EQ(q.store.Start.GamersKolvo(), 3);
    EXPECT_EQ(q.s.MaxX, 700);
    EXPECT_EQ(q.s.MaxY, 500);
    EXPECT_EQ(q.s.Ftr, 0.03);
    EXPECT_EQ(q.s.Sound, kFalse);
    EXPECT_EQ(q.s.Border, kTrue);
    EXPECT_EQ(q.s.BordMode, 0);
    EXPECT_EQ(q.s.BordSimm, kFalse);
    EXPECT_EQ(q.s.ShowSgin, kFalse);
    EXPECT_EQ(q.s.Pipa, kTrue);
}

TEST(Settings, LineBreaksInABoxCannotAddKeys) {
    Program p;
    p.Start();
    p.store.Start.SetName(0, "Вася\r\nPipa=3");
    p.store.Options.SetSizeGText("700\nSound=5");
    ASSERT_TRUE(SaveSettings(p.ini, p.store, p.s, p.d));
    Program q;
    q.Load(TempDir::Read(p.ini));
    EXPECT_TRUE(q.d.Messages.empty());
    EXPECT_EQ(q.store.Start.Name(0), "Вася  Pipa=3");
    EXPECT_EQ(q.s.MaxX, 700);
    EXPECT_EQ(q.s.Pipa, kTrue);
}

}  // namespace
}  // namespace zel
