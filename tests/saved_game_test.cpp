#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/ReachableRanges.h"
#include "core/ReplayFile.h"
#include "core/SavedGame.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::FakeDialogs;
using test::TempDir;

// A freshly reset match, the set-up slots and the file's text.
struct Loaded {
    MatchState s;
    SlotSetups slots{};
    std::string error;
};

Loaded Header(const std::string& general) {
    Loaded l;
    ResetMatchDefaults(l.s);
    IniFile f;
    f.OpenText(";Сохраненная игра 05.12.2026 10:20:11\r\nVer=1200\r\n[general]\r\n" + general);
    l.error = ReadGameHeader(f, l.s, l.slots);
    return l;
}

TEST(SavedGame, ParticipantCountAndTurnAreClamped) {
    Loaded l = Header("Num=9\r\nCurG=0\r\n");
    EXPECT_EQ(l.error, "");
    EXPECT_EQ(l.s.Num, 8);
    EXPECT_EQ(l.s.CurG, 1);
    l = Header("Num=1\r\nCurG=5\r\n");
    EXPECT_EQ(l.s.Num, 2);
    EXPECT_EQ(l.s.CurG, 2);
    l = Header("Num=4\r\nCurG=-3\r\n");
    EXPECT_EQ(l.s.CurG, 1);
}

TEST(SavedGame, FrictionKeepsCurrentScaleAndMapsTheOldOne) {
    const std::pair<const char*, double> cases[] = {
        {"0.01", 0.01}, {"0.02", 0.02}, {"0.030", 0.03}, {"30", 0.01}, {"50", 0.02},
        {"80", 0.03},   {"0.025", 0.02}, {"abc", 0.02}, {"", 0.02},  {"31", 0.02}};
    for (const auto& [text, want] : cases)
        EXPECT_EQ(Header(std::string("Ftr=") + text + "\r\n").s.Ftr, want) << text;
}

TEST(SavedGame, ModelsMassesGreyAndNamesGoToPiecesAndSlots) {
    const Loaded l = Header(
        "Num=3\r\nR0=Вася\r\nRModel0=4\r\nRM0=0\r\nRGray0=True\r\n"
        "R1=Петя\r\nRModel1=6\r\nRM1=250\r\nRGray1=-1\r\n"
        "R2=\r\nRModel2=2.5\r\nRM2=5000\r\nRGray2=0\r\n");
    ASSERT_EQ(l.error, "");
    EXPECT_EQ(l.s.Vembas[1].RMod, 4);
    EXPECT_EQ(l.s.Vembas[2].RMod, 6);
    EXPECT_EQ(l.s.Vembas[3].RMod, 2);  // rounded half to even
    EXPECT_EQ(l.s.Vembas[1].RM, 1);    // 0 would divide by zero
    EXPECT_EQ(l.s.Vembas[2].RM, 250);
    EXPECT_EQ(l.s.Vembas[3].RM, 1);    // beyond what the editor allows
    EXPECT_EQ(l.s.Vembas[4].RM, 1);    // missing
    EXPECT_EQ(l.slots[1].Mass, 250);
    EXPECT_EQ(l.s.Vembas[1].RGray, kTrue);
    EXPECT_EQ(l.s.Vembas[2].RGray, kTrue);
    EXPECT_EQ(l.s.Vembas[3].RGray, kFalse);
    EXPECT_EQ(l.slots[0].Gray, kTrue);
    EXPECT_EQ(l.slots[0].Name, "Вася");
    EXPECT_EQ(l.slots[2].Name, "3");
    EXPECT_EQ(l.slots[7].Name, "8");
}

TEST(SavedGame, GreyFlagWithoutBooleanTextStaysAsItWas) {
    Loaded l;
    ResetMatchDefaults(l.s);
    l.s.Vembas[1].RGray = kTrue;
    l.s.Vembas[2].RGray = kTrue;
    IniFile f;
    f.OpenText("[general]\r\nRGray0=maybe\r\n");
    EXPECT_EQ(ReadGameHeader(f, l.s, l.slots), "");
    EXPECT_EQ(l.s.Vembas[1].RGray, kTrue);
    EXPECT_EQ(l.s.Vembas[2].RGray, kTrue);
}

TEST(SavedGame, BadModelOverflowOrBoxStateStopsTheReading) {
    for (const char* general : {"RModel3=7\r\n", "RModel0=-1\r\n", "RM2=99999\r\n",
                                "MaxX=40000\r\n", "Sound=5\r\n", "Pipa=3\r\n", "MaxScr=-1\r\n"}) {
        const Loaded l = Header(general);
        EXPECT_NE(l.error, "") << general;
    }
    // A header that stops the reading changes nothing: the browser does not
    // continue such a game, and half a header would be no game at all.
    const Loaded l = Header("R0=Вася\r\nRModel0=1\r\nRModel1=9\r\n");
    EXPECT_EQ(l.slots[0].Name, "");
    EXPECT_EQ(l.s.Vembas[1].RMod, MatchState{}.Vembas[1].RMod);
}

TEST(SavedGame, LoadErrorsAreShownWithTheirDescription) {
    TempDir dir;
    FakeDialogs d;
    MatchState s;
    SlotSetups slots{};
    EXPECT_FALSE(LoadGameHeader(dir.Write("bad.zel", "[general]\r\nSound=5\r\n"), s, slots, d));
    ASSERT_EQ(d.Messages.size(), 1u);
    EXPECT_NE(d.Messages[0].Text.find("Sound"), std::string::npos);
    EXPECT_EQ(d.Messages[0].Icon, MsgIcon::Critical);
    EXPECT_FALSE(LoadGameHeader(dir.File("missing.zel"), s, slots, d));
    EXPECT_FALSE(LoadGamePieces(dir.File("missing.zel"), s, d));
    EXPECT_EQ(d.Messages.size(), 3u);
    EXPECT_FALSE(d.Messages[2].Text.empty());
}

TEST(SavedGame, TableSizeSwitchesAndMarks) {
    Loaded l = Header(
        "MaxX=300\r\nMaxY=0\r\nBorder=1\r\nBordMode=1\r\nBordSimm=1\r\nSound=0\r\n"
        "Pipa=2\r\nPipaMode=3\r\nPipaSimm=0\r\nShowSgin=1\r\nchk0=1\r\nchk1=x\r\nchk2=2\r\n");
    ASSERT_EQ(l.error, "");
    EXPECT_EQ(l.s.MaxX, 300);
    EXPECT_EQ(l.s.MaxY, 400);
    EXPECT_EQ(l.s.Border, kTrue);
    EXPECT_EQ(l.s.BordMode, 1);
    EXPECT_EQ(l.s.BordSimm, kTrue);
    EXPECT_EQ(l.s.Sound, kFalse);
    EXPECT_EQ(l.s.Pipa, kTrue);  // a greyed box is on
    EXPECT_EQ(l.s.PipaMode, 3);
    EXPECT_EQ(l.s.ShowSgin, kTrue);
    EXPECT_EQ(l.slots[0].Mark, 1);
    EXPECT_EQ(l.slots[1].Mark, 0);  // "x" leaves the mark as it was
    EXPECT_EQ(l.slots[2].Mark, 2);

    l = Header("MaxScr=1\r\nMaxX=300\r\nMaxY=200\r\n");
    EXPECT_EQ(l.s.MaxX, 1000);
    EXPECT_EQ(l.s.MaxY, 1000);

    // Mode and symmetry are read only with their switch on.
    Loaded off;
    ResetMatchDefaults(off.s);
    off.s.BordMode = 7;
    off.s.PipaMode = 7;
    IniFile f;
    f.OpenText("[general]\r\nBorder=0\r\nBordMode=1\r\nPipa=0\r\nPipaMode=1\r\n");
    EXPECT_EQ(ReadGameHeader(f, off.s, off.slots), "");
    EXPECT_EQ(off.s.BordMode, 7);
    EXPECT_EQ(off.s.PipaMode, 7);
}

TEST(SavedGame, TableIndexesStayInRange) {
    const Loaded l = Header(
        "Num=3\r\nKtoHodit1=2\r\nKtoHodit2=9\r\nKtoHodit3=1\r\nKtoHodit5=300\r\n"
        "WhoSgin1=-4\r\nWhoSgin2=3\r\nCurNG=7\r\nCurSgin=12\r\n");
    ASSERT_EQ(l.error, "");
    EXPECT_EQ(l.s.KtoHodit[1], 1);  // an unusable order becomes 1..Num
    EXPECT_EQ(l.s.KtoHodit[2], 2);
    EXPECT_EQ(l.s.KtoHodit[3], 3);
    EXPECT_EQ(l.s.KtoHodit[5], 0);
    EXPECT_EQ(l.s.WhoSgin[1], 0);
    EXPECT_EQ(l.s.WhoSgin[2], 3);
    EXPECT_EQ(l.s.CurNG, 1);
    EXPECT_EQ(l.s.CurSgin, 0);

    const Loaded ok = Header("Num=3\r\nKtoHodit1=3\r\nKtoHodit2=1\r\nKtoHodit3=2\r\nCurNG=3\r\n");
    EXPECT_EQ(ok.s.KtoHodit[1], 3);
    EXPECT_EQ(ok.s.KtoHodit[3], 2);
    EXPECT_EQ(ok.s.CurNG, 3);
}

TEST(SavedGame, PieceSectionsFillPositionsAndParkTheFallen) {
    MatchState s;
    ResetMatchDefaults(s);
    s.Num = 3;
    IniFile f;
    f.OpenText(
        "[general]\r\nCurG=3\r\n"
        "[R1]\r\nXpos=100.5\r\nYpos=200\r\nXvec=1.25\r\nYvec=-2\r\nu=0.01\r\nPhi=3.5\r\n"
        "Life=5\r\nSginCount=2\r\n"
        "[R2]\r\nXpos=50\r\nYpos=60\r\nXvec=3\r\nYvec=4\r\nu=1\r\nPhi=1\r\nLife=0\r\n"
        "SginCount=x\r\n"
        "[R3]\r\nXpos=10\r\nYpos=20\r\nLife=-1\r\n");
    ReadGamePieces(f, s);
    EXPECT_EQ(s.CurG, 3);
    const VembaRecord& a = s.Vembas[1];
    EXPECT_EQ(a.Xpos, 100.5);
    EXPECT_EQ(a.Ypos, 200);
    EXPECT_EQ(a.Xvec, 1.25);
    EXPECT_EQ(a.Yvec, -2);
    EXPECT_EQ(a.u, 0.01);
    EXPECT_EQ(a.Phi, 3.5);
    EXPECT_EQ(a.Life, kTrue);
    EXPECT_EQ(a.SginCount, 2);
    const VembaRecord& b = s.Vembas[2];
    EXPECT_EQ(b.Life, kFalse);
    EXPECT_EQ(b.Xpos, -100);
    EXPECT_EQ(b.Ypos, -100);
    EXPECT_EQ(b.Xvec, 0);
    EXPECT_EQ(b.Yvec, 0);
    EXPECT_EQ(b.u, 0);
    EXPECT_EQ(b.SginCount, 0);
    EXPECT_EQ(s.Vembas[3].Life, kTrue);
    EXPECT_EQ(s.Vembas[3].Xpos, 10);
}

TEST(SavedGame, PieceMotionIsHeldToWhatAMatchCanReach) {
    MatchState s;
    ResetMatchDefaults(s);
    s.Num = 3;
    IniFile f;
    f.OpenText(
        "[general]\r\nCurG=1\r\n"
        "[R1]\r\nXpos=999999999\r\nYpos=-999999999\r\nXvec=65535\r\nYvec=-1000000\r\n"
        "u=65535\r\nPhi=999999999999\r\nLife=-1\r\n"
        "[R2]\r\nXpos=nan\r\nYpos=inf\r\nXvec=-inf\r\nu=-1000000\r\nPhi=nan\r\nLife=-1\r\n"
        "[R3]\r\nXpos=123.456\r\nYpos=-7.5\r\nXvec=9.99\r\nYvec=-0.125\r\nu=0.75\r\n"
        "Phi=-12.5\r\nLife=-1\r\n");
    ReadGamePieces(f, s);
    const VembaRecord& a = s.Vembas[1];
    EXPECT_EQ(a.Xpos, kReachableRanges.MaxPosition);
    EXPECT_EQ(a.Ypos, -kReachableRanges.MaxPosition);
    EXPECT_EQ(a.Xvec, kReachableRanges.MaxSpeed);
    EXPECT_EQ(a.Yvec, -kReachableRanges.MaxSpeed);
    EXPECT_EQ(a.u, kReachableRanges.MaxSpin);
    EXPECT_TRUE(std::isfinite(a.Phi));
    EXPECT_LE(std::fabs(a.Phi), 7.0);
    const VembaRecord& b = s.Vembas[2];
    for (double v : {b.Xpos, b.Ypos, b.Xvec, b.Phi}) EXPECT_EQ(v, 0);
    EXPECT_EQ(b.u, -kReachableRanges.MaxSpin);
    // What a match can have is read exactly as written.
    const VembaRecord& c = s.Vembas[3];
    EXPECT_EQ(c.Xpos, 123.456);
    EXPECT_EQ(c.Ypos, -7.5);
    EXPECT_EQ(c.Xvec, 9.99);
    EXPECT_EQ(c.Yvec, -0.125);
    EXPECT_EQ(c.u, 0.75);
    EXPECT_EQ(c.Phi, -12.5);
}

TEST(SavedGame, PiecesOfTheObstacleOrWallModelNeverMove) {
    // The physics never moves or slows such a body, so a spin read for it
    // would keep the table from ever coming to rest.
    MatchState s;
    ResetMatchDefaults(s);
    s.Num = 3;
    s.Vembas[1].RMod = 5;
    s.Vembas[2].RMod = 6;
    s.Vembas[3].RMod = 4;
    IniFile f;
    std::string text = "[general]\r\nCurG=1\r\n";
    for (int p = 1; p <= 3; ++p)
        text += "[R" + std::to_string(p) + "]\r\nXpos=50\r\nYpos=60\r\nXvec=1.5\r\nYvec=-2\r\n"
                "u=0.5\r\nPhi=0.25\r\nLife=-1\r\n";
    f.OpenText(text);
    ReadGamePieces(f, s);
    for (int p = 1; p <= 2; ++p) {
        const VembaRecord& v = s.Vembas[p];
        EXPECT_EQ(v.Xvec, 0) << p;
        EXPECT_EQ(v.Yvec, 0) << p;
        EXPECT_EQ(v.u, 0) << p;
        EXPECT_EQ(v.Xpos, 50) << p;
        EXPECT_EQ(v.Phi, 0.25) << p;
    }
    // Every model a participant can choose keeps its motion.
    EXPECT_EQ(s.Vembas[3].Xvec, 1.5);
    EXPECT_EQ(s.Vembas[3].u, 0.5);
}

TEST(SavedGame, WindowsEditionFilesDecode) {
    TempDir dir;
    FakeDialogs d;
    MatchState s;
    ResetMatchDefaults(s);
    SlotSetups slots{};
    // "Вася" in Windows-1251.
    const std::string p = dir.Write("old.zel", "[general]\r\nNum=2\r\nR0=\xC2\xE0\xF1\xFF\r\n");
    ASSERT_TRUE(LoadGameHeader(p, s, slots, d));
    EXPECT_EQ(slots[0].Name, "Вася");
    EXPECT_TRUE(d.Messages.empty());
}

TEST(SavedGame, GarbageFilesNeverBreakTheState) {
    TempDir dir;
    std::mt19937 rng(42);
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const int n = static_cast<int>(rng() % 600);
        const std::string alphabet = "[]=\r\n-.0123456789 abcgeneralNumRModelRMCurGKtoHoditFtr";
        for (int i = 0; i < n; ++i)
            bytes += round % 2 ? static_cast<char>(rng() & 0xFF) : alphabet[rng() % alphabet.size()];
        // A new name each round: rewriting one file is slow on some file systems.
        const std::string p =
            dir.Write("g" + std::to_string(round) + ".zel", "[general]\r\n" + bytes);
        FakeDialogs d;
        MatchState s;
        ResetMatchDefaults(s);
        SlotSetups slots{};
        if (LoadGameHeader(p, s, slots, d)) LoadGamePieces(p, s, d);
        ASSERT_GE(s.Num, 2);
        ASSERT_LE(s.Num, 8);
        ASSERT_GE(s.CurG, 1);
        ASSERT_LE(s.CurG, s.Num);
        ASSERT_GE(s.CurNG, 1);
        for (int i = 1; i <= kMaxParticipants; ++i) {
            ASSERT_GE(s.Vembas[i].RMod, 0);
            ASSERT_LT(s.Vembas[i].RMod, kModelCount);
            ASSERT_GE(s.Vembas[i].RM, 1);
            ASSERT_GE(s.KtoHodit[i], 0);
            ASSERT_LE(s.KtoHodit[i], kMaxParticipants);
        }
        for (int k = 1; k <= s.Num; ++k) {
            ASSERT_GE(s.KtoHodit[k], 1);
            ASSERT_LE(s.KtoHodit[k], s.Num);
        }
        // Whatever replay loading says, it says it without throwing.
        SlotSetups rs{};
        MatchState r;
        (void)LoadReplaySetup(p, r, rs);
    }
}

// --- replay headers -----------------------------------------------------------

MatchState RecordedMatch() {
    MatchState s;
    MatchSetup setup;
    setup.MaxX = 700;
    setup.MaxY = 500;
    setup.Ftr = 0.03;
    setup.Border = kTrue;
    setup.BordMode = 1;
    setup.BordSimm = kTrue;
    setup.Pipa = kTrue;
    setup.PipaMode = 1;
    setup.PipaSimm = kTrue;
    setup.Sound = kFalse;
    setup.Participants = {{"Вася", 1, 7, kTrue, 0}, {"", 3, 1, kFalse, 0}, {"Оля", 0, 1000, kFalse, 0}};
    setup.TurnOrder = {3, 1, 2};
    EXPECT_EQ(StartMatchState(s, setup), SetupResult::Ok);
    return s;
}

TEST(SavedGame, ReplayHeaderRestoresTheRecordedSetUp) {
    TempDir dir;
    const MatchState live = RecordedMatch();
    const std::string p =
        dir.Write("zel.sav", FormatReplayHeader(live, "05.12.2026 10:20:11") +
                                 "Xvec=1\r\nYvec=2\r\nX=3\r\nY=4\r\nG=0\r\n;Конец записи: 10:21:00\r\n");
    MatchState s;
    SlotSetups slots{};
    ASSERT_EQ(LoadReplaySetup(p, s, slots), "");
    EXPECT_EQ(s.Num, 3);
    EXPECT_EQ(s.MaxX, 700);
    EXPECT_EQ(s.MaxY, 500);
    EXPECT_EQ(s.Ftr, 0.03);
    EXPECT_EQ(s.BordSimm, kTrue);
    EXPECT_EQ(s.PipaSimm, kTrue);
    EXPECT_EQ(s.Sound, kFalse);
    EXPECT_EQ(s.NumPipa, 4);
    for (int i = 1; i <= 16; ++i) {
        EXPECT_EQ(s.Vembas[i].R, live.Vembas[i].R) << i;
        EXPECT_EQ(s.Vembas[i].RMod, live.Vembas[i].RMod) << i;
        EXPECT_EQ(s.Vembas[i].RM, live.Vembas[i].RM) << i;
        EXPECT_EQ(s.Vembas[i].RGray, live.Vembas[i].RGray) << i;
        EXPECT_EQ(s.Vembas[i].Xpos, live.Vembas[i].Xpos) << i;
        EXPECT_EQ(s.Vembas[i].Ypos, live.Vembas[i].Ypos) << i;
    }
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(s.KtoHodit[k], live.KtoHodit[k]) << k;
    EXPECT_EQ(slots[0].Name, "Вася");
    EXPECT_EQ(slots[1].Name, "2");
    EXPECT_EQ(slots[0].Mass, 7);
    EXPECT_EQ(slots[2].Mass, 1000);
}

TEST(SavedGame, ReplayHeaderValuesAreCheckedLikeALiveSetUp) {
    TempDir dir;
    MatchState live = RecordedMatch();
    live.Num = 9;  // written as is, read back as 8 participants
    for (int i = 4; i <= 9; ++i) live.Vembas[i].RMod = 1;  // no obstacle models among them
    live.Ftr = 0.025;
    std::string text = FormatReplayHeader(live, "x");
    const ReplaySetupRead read = ReadReplaySetup(dir.Write("a.sav", text));
    ASSERT_TRUE(read.Ok) << read.Error;
    EXPECT_EQ(read.Setup.Participants.size(), 8u);
    EXPECT_EQ(read.Setup.Ftr, 0.02);

    // A turn order that is no order cannot be played.
    MatchState s;
    SlotSetups slots{};
    const std::string bad = dir.Write(
        "b.sav", "[general]\r\nNum=2\r\nMaxX=600\r\nMaxY=400\r\nKtoHodit1=1\r\nKtoHodit2=1\r\n"
                 "[game]\r\n");
    EXPECT_NE(LoadReplaySetup(bad, s, slots), "");
    EXPECT_EQ(s.Num, 2);  // left with the new-match defaults
}

TEST(SavedGame, FilesThatAreNoReplayAreRefused) {
    TempDir dir;
    const std::string noGame = dir.Write("a.sav", "[general]\r\nNum=2\r\n");
    const std::string noGeneral = dir.Write("b.sav", "Num=2\r\n[game]\r\n");
    const std::string overflow =
        dir.Write("d.sav", "[general]\r\nNum=2\r\nMaxX=70000\r\n[game]\r\n");
    const std::string obstacleModel =
        dir.Write("e.sav", "[general]\r\nNum=2\r\nRModel1=5\r\n[game]\r\n");
    for (const std::string& p : {noGame, noGeneral, overflow, obstacleModel, dir.File("missing.sav"),
                                 dir.Path().string()}) {
        const ReplaySetupRead r = ReadReplaySetup(p);
        EXPECT_FALSE(r.Ok) << p;
        EXPECT_FALSE(r.Error.empty()) << p;
    }
}

TEST(SavedGame, ReplayCountReadsByItsNumericPrefixAsTheGameReadsIt) {
    TempDir dir;
    const ReplaySetupRead prefix =
        ReadReplaySetup(dir.Write("a.sav", "[general]\r\nNum=3abc\r\n[game]\r\n"));
    ASSERT_TRUE(prefix.Ok) << prefix.Error;
    EXPECT_EQ(prefix.Setup.Participants.size(), 3u);
    const ReplaySetupRead word =
        ReadReplaySetup(dir.Write("b.sav", "[general]\r\nNum=two\r\n[game]\r\n"));
    ASSERT_TRUE(word.Ok) << word.Error;
    EXPECT_EQ(word.Setup.Participants.size(), 2u);  // 0, held to the fewest participants
}

}  // namespace
}  // namespace zel
