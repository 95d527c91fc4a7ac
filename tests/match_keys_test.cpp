#include <gtest/gtest.h>

#include <string>

#include "core/SavedGame.h"
#include "screens/SettingsControls.h"
#include "sim/SimSetup.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

// The game reads a replay's header with the settings loader; zel-sim with
// its replay set-up. Both go through one reader of the match keys, so the
// same header, however odd, must give both the same match.

namespace zel {
namespace {

using test::FakeDialogs;
using test::TempDir;

// The match a header gives, in the terms both paths share.
struct MatchFromHeader {
    std::int16_t Num = 0, MaxX = 0, MaxY = 0, BordMode = 0, PipaMode = 0;
    double Ftr = 0;
    Flag Border = kFalse, BordSimm = kFalse, Pipa = kFalse, PipaSimm = kFalse, Sound = kFalse;
    std::string Names[kMaxParticipants];
    std::int16_t Models[kMaxParticipants]{}, Masses[kMaxParticipants]{};
    Flag Gray[kMaxParticipants]{};
    std::int16_t Order[kMaxParticipants + 1]{};

    bool operator==(const MatchFromHeader&) const = default;
};

MatchFromHeader Take(const MatchState& s, const std::string* names) {
    MatchFromHeader m;
    m.Num = s.Num;
    m.MaxX = s.MaxX;
    m.MaxY = s.MaxY;
    m.Ftr = s.Ftr;
    m.Border = s.Border;
    m.BordMode = s.BordMode;
    m.BordSimm = s.BordSimm;
    m.Pipa = s.Pipa;
    m.PipaMode = s.PipaMode;
    m.PipaSimm = s.PipaSimm;
    m.Sound = s.Sound;
    for (int i = 0; i < s.Num; ++i) {
        m.Names[i] = names[i];
        m.Models[i] = s.Vembas[i + 1].RMod;
        m.Masses[i] = s.Vembas[i + 1].RM;
        m.Gray[i] = s.Vembas[i + 1].RGray;
        m.Order[i + 1] = s.KtoHodit[i + 1];
    }
    return m;
}

std::ostream& operator<<(std::ostream& os, const MatchFromHeader& m) {
    os << "Num=" << m.Num << " MaxX=" << m.MaxX << " MaxY=" << m.MaxY << " Ftr=" << m.Ftr
       << " Border=" << m.Border << "/" << m.BordMode << "/" << m.BordSimm << " Pipa=" << m.Pipa
       << "/" << m.PipaMode << "/" << m.PipaSimm << " Sound=" << m.Sound;
    for (int i = 0; i < m.Num; ++i)
        os << " [" << m.Names[i] << " " << m.Models[i] << " " << m.Masses[i] << " " << m.Gray[i]
           << " order " << m.Order[i + 1] << "]";
    return os;
}

// The game: a fresh match state, then the settings loader on the replay.
MatchFromHeader GamePath(const std::string& replay, const std::string& ini, FakeDialogs& d) {
    SettingsStore store;
    MatchState s;
    ResetMatchDefaults(s);
    LoadSettings(replay, ini, store, s, d);
    std::string names[kMaxParticipants];
    for (int i = 0; i < kMaxParticipants; ++i) names[i] = store.Start.Name(i);
    return Take(s, names);
}

// zel-sim: its replay set-up on the same file.
MatchFromHeader SimPath(const std::string& replay, std::string& error) {
    MatchState s;
    if (!SetUpReplay(replay, s, error)) return {};
    std::string names[kMaxParticipants];
    for (int i = 0; i < s.Num; ++i) names[i] = s.Vembas[i + 1].R;
    return Take(s, names);
}

struct OddHeader {
    const char* what;
    const char* general;  // the lines between "[general]" and "[game]"
};

TEST(MatchKeys, GameAndSimulatorTakeTheSameMatchFromOddHeaders) {
    const OddHeader headers[] = {
        {"lower-case keys and section",
         "num=3\r\nmaxx=700\r\nmaxy=450\r\nftr=0.03\r\nr0=Вася\r\nrmodel0=2\r\nrm0=40\r\n"
         "r1=Оля\r\nrmodel1=3\r\nrm1=7\r\nrgray1=true\r\nr2=Петя\r\nrmodel2=1\r\nrm2=1\r\n"
         "ktohodit1=2\r\nktohodit2=3\r\nktohodit3=1\r\nborder=1\r\nbordmode=1\r\nbordsimm=0\r\n"
         "pipa=1\r\npipamode=1\r\npipasimm=1\r\nsound=1\r\n"},
        {"numeric prefixes",
         "Num=3abc\r\nMaxX=650.6\r\nMaxY=420 units\r\nFtr=0.010\r\nR0=А\r\nRModel0=1x\r\n"
         "RM0=12kg\r\nR1=Б\r\nRModel1=2.4\r\nRM1=2.5\r\nR2=В\r\nRModel2=0\r\nRM2=3.5\r\n"
         "KtoHodit1=3\r\nKtoHodit2=1\r\nKtoHodit3=2\r\nBorder=2\r\nBordMode=0\r\nBordSimm=1\r\n"
         "Pipa=0\r\nSound=0\r\n"},
        {"missing keys", "Num=2\r\nKtoHodit1=1\r\nKtoHodit2=2\r\n"},
        {"out-of-range values",
         "Num=12\r\nMaxX=0\r\nMaxY=0\r\nFtr=0.5\r\nCurG=40\r\nRM0=5000\r\nRM1=-3\r\n"
         "RModel3=4\r\nRGray2=yes\r\nKtoHodit1=1\r\nKtoHodit2=2\r\nKtoHodit3=3\r\nKtoHodit4=4\r\n"
         "KtoHodit5=5\r\nKtoHodit6=6\r\nKtoHodit7=7\r\nKtoHodit8=8\r\nBorder=1\r\nPipa=1\r\n"},
        {"the older friction scale",
         "Num=2\r\nFtr=80\r\nKtoHodit1=2\r\nKtoHodit2=1\r\nMaxScr=1\r\nMaxX=300\r\n"},
    };
    for (const OddHeader& h : headers) {
        TempDir dir;
        FakeDialogs d;
        const std::string replay =
            dir.Write("odd.sav", ";a comment\r\nVer=1200\r\n[GENERAL]\r\n" + std::string(h.general) +
                                     "[game]\r\n");
        std::string error;
        const MatchFromHeader sim = SimPath(replay, error);
        ASSERT_EQ(error, "") << h.what;
        const MatchFromHeader game = GamePath(replay, dir.File("zel.ini"), d);
        // The game may warn about the oval piece, never refuse the header.
        for (const Message& m : d.Messages) EXPECT_NE(m.Icon, MsgIcon::Critical) << h.what;
        EXPECT_EQ(game, sim) << h.what;
    }
}

TEST(MatchKeys, OddValuesReadAsTheDefaultsTableSays) {
    TempDir dir;
    std::string error;
    MatchState s;
    ASSERT_TRUE(SetUpReplay(
        dir.Write("a.sav", "[general]\r\nNum=12\r\nMaxX=0\r\nMaxY=0\r\nFtr=80\r\nRM0=5000\r\n"
                           "RModel1=4\r\nKtoHodit1=1\r\nKtoHodit2=2\r\nKtoHodit3=3\r\n"
                           "KtoHodit4=4\r\nKtoHodit5=5\r\nKtoHodit6=6\r\nKtoHodit7=7\r\n"
                           "KtoHodit8=8\r\nPipa=1\r\nPipaMode=1\r\n[game]\r\n"),
        s, error))
        << error;
    EXPECT_EQ(s.Num, 8);
    EXPECT_EQ(s.MaxX, 600);
    EXPECT_EQ(s.MaxY, 400);
    EXPECT_EQ(s.Ftr, 0.03);
    EXPECT_EQ(s.Vembas[1].RM, 1);    // beyond the heaviest mass
    EXPECT_EQ(s.Vembas[2].RMod, 0);  // the oval piece cannot be played
    EXPECT_EQ(s.Pipa, kTrue);
    EXPECT_EQ(s.PipaMode, 1);        // the posts stand where the match had them
}

TEST(MatchKeys, ABadValueStopsBothPathsAlike) {
    for (const char* general : {"Num=2\r\nRModel0=7\r\n", "Num=2\r\nSound=5\r\n",
                                "Num=2\r\nRM1=99999\r\n", "Num=2\r\nBorder=3\r\n"}) {
        TempDir dir;
        FakeDialogs d;
        const std::string replay =
            dir.Write("bad.sav", "[general]\r\n" + std::string(general) + "[game]\r\n");
        std::string error;
        MatchState s;
        EXPECT_FALSE(SetUpReplay(replay, s, error)) << general;
        GamePath(replay, dir.File("zel.ini"), d);
        ASSERT_EQ(d.Messages.size(), 1u) << general;
        // Both name the same key and value.
        const std::string shown = d.Messages[0].Text;
        const std::size_t key = error.find("ключа ");
        ASSERT_NE(key, std::string::npos) << error;
        EXPECT_NE(shown.find(error.substr(key)), std::string::npos) << shown << "\n" << error;
    }
}

}  // namespace
}  // namespace zel
