// Saving a match with F5 and going on from the saved game.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "base/IniLookup.h"
#include "core/KeyCodes.h"
#include "core/AimGeometry.h"
#include "core/MatchTexts.h"
#include "core/SavedGame.h"
#include "core/SavedGameWriter.h"
#include "support/KernelHarness.h"

namespace zel::test {
namespace {

namespace fs = std::filesystem;

// Strike number k of a scripted match: the camera behind the striker, the
// aim at the nearest other piece and turned by k-dependent arrow presses,
// a k-dependent power.
void PlayStrike(KernelHarness& h, int k) {
    MatchState& s = h.S;
    const VembaRecord& me = s.Vembas[s.CurG];
    int target = 0;
    double best = 1e300;
    for (int i = 1; i <= s.Num; ++i) {
        if (i == s.CurG || !IsSet(s.Vembas[i].Life)) continue;
        const double d = Hypot(s.Vembas[i].Xpos - me.Xpos, s.Vembas[i].Ypos - me.Ypos);
        if (d < best) {
            best = d;
            target = i;
        }
    }
    const double dx = target ? (s.Vembas[target].Xpos - me.Xpos) / best : 1;
    const double dy = target ? (s.Vembas[target].Ypos - me.Ypos) / best : 0;
    s.CamX = me.Xpos / 10 - dx * 6;
    s.CamZ = -me.Ypos / 10 + dy * 6;
    s.Win.AimAngle = std::atan2(dx, -dy);
    h.Press(vk::kLeft, k % 2);
    h.Strike(30 + 14 * (k % 5));
}

// Runs the timers until the next strike is awaited or the match is over.
void Settle(KernelHarness& h) {
    MatchState& s = h.S;
    for (int guard = 0; guard < 200000 && IsSet(s.GameRunning); ++guard) {
        if (IsSet(s.Win.PauseOn)) {
            h.Kernel.PauseTick();
        } else if (IsSet(s.Win.RunTimerOn) && !IsSet(s.Win.Busy)) {
            h.Kernel.RunTimerTick();
        } else {
            return;
        }
    }
}

// Plays strikes first..last-1, stopping early when the match ends.
int PlayStrikes(KernelHarness& h, int first, int last) {
    int k = first;
    for (; k < last && IsSet(h.S.GameRunning); ++k) {
        PlayStrike(h, k);
        Settle(h);
    }
    return k;
}

std::string SavesFolder(const KernelHarness& h) { return h.Dir.File("saves"); }

// The one saved game in the folder ("" when not exactly one).
std::string OnlySave(const std::string& folder) {
    std::string found;
    int n = 0;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        found = e.path().string();
        ++n;
    }
    return n == 1 ? found : "";
}

// Three participants on a small table, so that pieces fall within a few strikes.
KernelHarness& Small(KernelHarness& h) {
    MatchSetup setup;
    setup.MaxX = 500;
    setup.MaxY = 350;
    for (int i = 0; i < 3; ++i) setup.Participants.push_back(ParticipantSetup{std::string(1, char('A' + i)), 3, 1});
    h.Setup(setup);
    h.Kernel.SetSaveFolder(SavesFolder(h));
    h.Kernel.SetSaveClock([] { return std::string("2026-12-07_10-00-00"); },
                          [] { return std::string("07.12.2026 10:00:00"); });
    return h;
}

void ExpectSameBits(double a, double b, const char* what, int i) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a), std::bit_cast<std::uint64_t>(b)) << what << " of piece " << i;
}

TEST(ContinueGame, AContinuedMatchPlaysOnBitForBitAsTheUninterruptedOne) {
    constexpr int kStrikes = 30;
    KernelHarness straight(3);
    Small(straight);
    ASSERT_TRUE(straight.Init());
    const int played = PlayStrikes(straight, 0, kStrikes);

    KernelHarness first(3);
    Small(first);
    ASSERT_TRUE(first.Init());
    ASSERT_EQ(PlayStrikes(first, 0, 3), 3);
    ASSERT_TRUE(IsSet(first.S.GameRunning)) << "the match must outlast the save";
    first.Press(vk::kF5);
    const std::string saved = OnlySave(SavesFolder(first));
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(first.S.StatusText, std::string(texts::kSavedTo) + saved);
    first.Press(vk::kEscape);
    first.Press(vk::kY);
    first.Kernel.Close();

    KernelHarness later(3);
    ResetMatchDefaults(later.S);
    IniFile f;
    std::string error;
    ASSERT_TRUE(f.Open(saved, error)) << error;
    SlotSetups slots;
    ASSERT_EQ(ReadContinuedGame(f, later.S, slots), "");
    later.S.Win.ContinueGame = kTrue;
    ASSERT_TRUE(later.Init());
    EXPECT_EQ(PlayStrikes(later, 3, kStrikes), played);
    EXPECT_GT(played, 3);
    EXPECT_TRUE(IsSet(straight.S.Win.GameOver)) << "the scripted match ends by the rules";

    const MatchState& a = straight.S;
    const MatchState& b = later.S;
    EXPECT_EQ(a.Win.GameOver, b.Win.GameOver);
    EXPECT_EQ(a.Winner, b.Winner);
    EXPECT_EQ(a.CurG, b.CurG);
    EXPECT_EQ(a.WhoSgin, b.WhoSgin);
    for (int i = 1; i <= a.Num; ++i) {
        const VembaRecord& x = a.Vembas[i];
        const VembaRecord& y = b.Vembas[i];
        ExpectSameBits(x.Xpos, y.Xpos, "Xpos", i);
        ExpectSameBits(x.Ypos, y.Ypos, "Ypos", i);
        ExpectSameBits(x.Phi, y.Phi, "Phi", i);
        EXPECT_EQ(x.Life, y.Life) << i;
        EXPECT_EQ(x.SginCount, y.SginCount) << i;
    }
}

TEST(ContinueGame, AContinuedMatchStartsWithTheCameraAndAimItWasSavedWith) {
    KernelHarness h(2);
    Small(h);
    ASSERT_TRUE(h.Init());
    h.Press(vk::kPad4, 5);
    h.Press(vk::kPad8, 3);
    h.Press(vk::kRight, 2);
    const MatchState before = h.S;
    h.Press(vk::kF5);
    const std::string saved = OnlySave(SavesFolder(h));

    KernelHarness later(2);
    ResetMatchDefaults(later.S);
    IniFile f;
    std::string error;
    ASSERT_TRUE(f.Open(saved, error));
    SlotSetups slots;
    ASSERT_EQ(ReadContinuedGame(f, later.S, slots), "");
    later.S.Win.ContinueGame = kTrue;
    ASSERT_TRUE(later.Init());  // the scene puts the camera at its start first
    EXPECT_EQ(later.S.CamX, before.CamX);
    EXPECT_EQ(later.S.CamY, before.CamY);
    EXPECT_EQ(later.S.CamZ, before.CamZ);
    EXPECT_EQ(later.S.TargX, before.TargX);
    EXPECT_EQ(later.S.Win.AimAngle, before.Win.AimAngle);
    EXPECT_NE(later.S.Win.AimAngle, AimAngleFromCamera(later.S, 0));
}

TEST(ContinueGame, ACameraNoMatchCouldHaveLeavesTheStartCamera) {
    KernelHarness h(2);
    Small(h);
    ASSERT_TRUE(h.Init());
    h.Press(vk::kF5);
    std::string text = TempDir::Read(OnlySave(SavesFolder(h)));
    const auto swap = [&](const std::string& key, const std::string& value) {
        const auto at = text.find("\n" + key + "=");
        ASSERT_NE(at, std::string::npos) << key;
        const auto end = text.find('\r', at + 1);
        text.replace(at + 1, end - at - 1, key + "=" + value);
    };
    swap("CamX", "999999999999");
    swap("CamZ", "nan");
    swap("AimAngle", "-99999999999");
    const std::string damaged = h.Dir.Write("damaged.zel", text);

    MatchState fresh;
    ResetMatchDefaults(fresh);
    MatchState later = fresh;
    IniFile f;
    std::string error;
    ASSERT_TRUE(f.Open(damaged, error));
    SlotSetups slots;
    ASSERT_EQ(ReadContinuedGame(f, later, slots), "");
    SetCameraStart(fresh);
    EXPECT_EQ(later.CamX, fresh.CamX);
    EXPECT_EQ(later.CamZ, fresh.CamZ);
    EXPECT_TRUE(std::isfinite(later.Win.AimAngle));
    EXPECT_LT(std::fabs(later.Win.AimAngle), 100.0);
}

TEST(ContinueGame, TheSavedGameHasEveryKeyTheBrowserAndTheInformationBoxRead) {
    KernelHarness h(3);
    Small(h);
    h.S.Vembas[2].R = "Боря";
    ASSERT_TRUE(h.Init());
    h.Press(vk::kF5);
    const std::string path = OnlySave(SavesFolder(h));
    ASSERT_EQ(fs::path(path).filename().string(), "2026-12-07_10-00-00.zel");
    const std::string text = TempDir::Read(path);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), std::string(kSavedGameHeader) + "07.12.2026 10:00:00");
    EXPECT_EQ(GetIniValueFromFile(path, "", "Ver"), "1200");
    EXPECT_EQ(GetIniValueFromFile(path, "general", "CurG"), "1");
    EXPECT_EQ(GetIniValueFromFile(path, "general", "R1"), "Боря");
    EXPECT_EQ(GetIniValueFromFile(path, "R3", "Life"), "-1");
    EXPECT_EQ(GetIniValueFromFile(path, "R3", "Xpos"), "30");
    EXPECT_TRUE(GetIniValueFromFile(path, "R4", "Xpos").empty());

    // The same second again: a second file, the first one kept.
    h.Press(vk::kF5);
    EXPECT_TRUE(fs::exists(h.Dir.File("saves/2026-12-07_10-00-00-2.zel")));
    EXPECT_EQ(TempDir::Read(path), text);
    // Nothing is left behind but the two saves.
    int files = 0;
    for (const auto& e : fs::directory_iterator(SavesFolder(h))) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 2);
}

TEST(ContinueGame, F5OutsideAimingSaysWhyNothingWasSaved) {
    KernelHarness h(2);
    Small(h);
    ASSERT_TRUE(h.Init());
    h.Press(vk::kSpace, 3);  // charging
    h.Press(vk::kF5);
    EXPECT_EQ(h.S.StatusText, texts::kSaveNotNow);
    h.Kernel.KeyUp(vk::kSpace);  // the strike runs
    h.Press(vk::kF5);
    EXPECT_EQ(h.S.StatusText, texts::kSaveNotNow);
    EXPECT_FALSE(fs::exists(SavesFolder(h)));

    h.S.Win.ReplayMode = kTrue;
    h.Press(vk::kF5);
    EXPECT_EQ(h.S.StatusText, texts::kSaveInReplay);
    h.S.Win.ReplayMode = kFalse;
    h.S.Win.GameOver = kTrue;
    h.Press(vk::kF5);
    EXPECT_EQ(h.S.StatusText, texts::kSaveAfterEnd);
    h.S.Win.GameOver = kFalse;
    h.S.TeamGame = kTrue;
    h.S.Win.CtrlState = kCtrlAiming;
    h.Press(vk::kF5);
    EXPECT_EQ(h.S.StatusText, texts::kSaveTeamGame);
    EXPECT_FALSE(fs::exists(SavesFolder(h)));
}

TEST(ContinueGame, AFolderThatCannotBeMadeIsReportedInTheStatusLine) {
    KernelHarness h(2);
    Small(h);
    h.Dir.Write("blocker", "a file where the folder should be");
    h.Kernel.SetSaveFolder(h.Dir.File("blocker/saves"));
    ASSERT_TRUE(h.Init());
    h.Press(vk::kF5);
    EXPECT_EQ(h.S.StatusText.rfind(texts::kSaveGameFailed, 0), 0u) << h.S.StatusText;
    EXPECT_TRUE(IsSet(h.S.GameRunning));
}

TEST(ContinueGame, ASavedGameCutShortOrWithoutHeaderIsRefused) {
    KernelHarness h(2);
    Small(h);
    ASSERT_TRUE(h.Init());
    h.Press(vk::kF5);
    const std::string whole = TempDir::Read(OnlySave(SavesFolder(h)));

    auto read = [](const std::string& text) {
        IniFile f;
        f.OpenText(text);
        MatchState s;
        ResetMatchDefaults(s);
        SlotSetups slots;
        return ReadContinuedGame(f, s, slots);
    };
    EXPECT_EQ(read(whole), "");
    // Cut inside the second participant's section: its Life line is gone.
    const std::string cut = whole.substr(0, whole.find("Life=", whole.find("[R2]")));
    EXPECT_EQ(read(cut), "в разделе [R2] нет ключа Life");
    // Cut inside the header.
    EXPECT_EQ(read(whole.substr(0, 40)), "нет раздела [general] с ключом Num");
    EXPECT_EQ(read(std::string("\x01\x02\xff\xfe\x00garbage", 12)), "нет раздела [general] с ключом Num");
}

}  // namespace
}  // namespace zel::test
