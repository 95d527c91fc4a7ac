#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "MatchHarness.h"
#include "core/MatchTexts.h"
#include "sound/DirectSoundModule.h"
#include "sound/SoundDevice.h"

namespace zel::test {
namespace {

// Holds space until the power reads 100 (the first press and 49 repeats)
// and lets go.
void FullPowerStrike(MatchHarness& h) {
    h.Press(Qt::Key_Space);
    for (int i = 0; i < 49; ++i) {
        h.Release(Qt::Key_Space, Qt::NoModifier, true);
        h.Press(Qt::Key_Space, Qt::NoModifier, true);
    }
    h.WaitFor([&h] { return h.s.Win.Power == 100; });
    h.Release(Qt::Key_Space);
}

// A person at the keyboard plays a whole match: the first participant's
// piece stands near the right edge, the opening aim points off the table,
// and a full-power strike sends it over the edge. The survivor wins.
TEST(MatchPlay, TwoParticipantsPlayFromTheFirstStrikeToTheEnd) {
    MatchHarness h;
    h.s.Vembas[1].Xpos = 560;
    h.s.Vembas[1].Ypos = 60;
    std::set<std::string> statuses;
    h.Then([&](match::MatchWindow&) {
        statuses.insert(h.s.StatusText);
        return true;
    });
    FullPowerStrike(h);
    h.Then([&](match::MatchWindow&) {
        statuses.insert(h.s.StatusText);
        return false;  // watches every pass until the match ends
    });

    ASSERT_TRUE(h.Run());
    EXPECT_FALSE(h.timedOut);
    EXPECT_TRUE(statuses.count(texts::kAimHint));
    EXPECT_TRUE(statuses.count(texts::kTurnChange));
    EXPECT_EQ(h.s.StatusText, texts::kMatchOver);
    EXPECT_EQ(h.s.Vembas[1].Life, kFalse);
    EXPECT_EQ(h.s.Winner, 2);
    ASSERT_EQ(h.ended.size(), 1u);
    EXPECT_EQ(h.ended[0].Next, NextScreen::Results);
    EXPECT_TRUE(h.ended[0].GameOver);
    EXPECT_TRUE(h.ended[0].SaveReplay);
    EXPECT_TRUE(h.dialogs.Messages.empty());
}

// The sound module gets the match's eleven loads, "Vemba3.wav" ending in
// slot 3, and the match start plays one of slots 0..3. A sound file that
// is missing is reported like a missing mesh, and the match still starts.
TEST(MatchPlay, SoundsAreLoadedIntoTheirSlotsAndAMissingOneIsAsked) {
    // A program folder with every game file but the crowd's sound.
    MatchHarness h;
    namespace fs = std::filesystem;
    const fs::path data = fs::path(ZEL_TEST_APP_PATH) / "gamedata";
    const fs::path app = h.tmp.Path() / "app";
    fs::create_directories(app / "gamedata" / "sound");
    fs::create_directory_symlink(data / "mesh", app / "gamedata" / "mesh");
    fs::create_directory_symlink(data / "pic", app / "gamedata" / "pic");
    for (const auto& entry : fs::directory_iterator(data / "sound"))
        if (entry.path().filename() != "xruk.wav")
            fs::create_symlink(entry.path(), app / "gamedata" / "sound" / entry.path().filename());
    h.s.AppPath = app.string() + "/";
    h.s.Sound = kTrue;

    sound::DirectSoundModule module;
    module.InitSound(h.s, h.dialogs, [] { return sound::SoundDevice::OpenLoopback(22050); });
    ASSERT_TRUE(module.HasDevice());
    h.sound = &module;
    h.Do([&](match::MatchWindow&) {
        int started = 0;
        for (int slot = 0; slot <= 3; ++slot)
            if (module.SlotVolume(slot) == -10) ++started;
        EXPECT_EQ(started, 1);
    });
    h.Quit();
    ASSERT_TRUE(h.Run());

    EXPECT_TRUE(module.SlotFile(3).ends_with("gamedata/sound/Vemba3.wav"));
    EXPECT_TRUE(module.SlotFile(6).ends_with("gamedata/sound/Poswinu3.wav"));
    EXPECT_TRUE(module.SlotFile(9).ends_with("gamedata/sound/stenka.wav"));
    EXPECT_EQ(module.SlotFile(7), "");
    ASSERT_EQ(h.dialogs.Messages.size(), 1u);
    EXPECT_TRUE(h.dialogs.Messages[0].Text.starts_with("Ошибка при создании сцены: 2003 "));
    EXPECT_EQ(h.dialogs.Messages[0].Buttons, MsgButtons::YesNo);
    ASSERT_EQ(h.ended.size(), 1u);
    EXPECT_EQ(h.ended[0].Next, NextScreen::MainMenu);
}

}  // namespace
}  // namespace zel::test
