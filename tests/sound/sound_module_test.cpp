#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "SoundTestSupport.h"
#include "core/MatchState.h"
#include "core/Rules.h"
#include "sound/DirectSoundModule.h"
#include "sound/SoundError.h"
#include "sound/SoundVolume.h"
#include "support/FakeDialogs.h"

namespace zel::sound {
namespace {

using test::FakeDialogs;
using test::Loopback;
using test::Rms;
using test::SoundTempDir;
using test::WriteTone;

constexpr int kRate = 22050;

// A module listening through a loopback output, with a few tones on disk.
struct Listening {
    SoundTempDir Dir;
    MatchState S;
    FakeDialogs Dialogs;
    DirectSoundModule Sound;

    Listening() {
        WriteTone(Dir.File("long.wav"), kRate * 2, 0.5, 441);   // two seconds
        WriteTone(Dir.File("other.wav"), kRate, 0.25, 882);     // one second
        WriteTone(Dir.File("short.wav"), 1000, 0.5, 441);       // 1000 frames
        EXPECT_TRUE(Sound.InitSound(S, Dialogs, Loopback(kRate)));
    }
    std::vector<float> Listen(int frames) { return Sound.Device()->RenderFrames(frames); }
    // Loudness of `frames` frames from now, skipping the first `settle` so
    // the mixer's gain ramps have settled.
    double Loudness(int frames, int settle = 1024) {
        const std::vector<float> out = Listen(settle + frames);
        return Rms(out, static_cast<std::size_t>(settle), static_cast<std::size_t>(settle + frames));
    }
};

TEST(DirectSound, WithoutAnOutputTheMessageShowsSoundGoesOffAndTheGameGoesOn) {
    SoundTempDir dir;
    WriteTone(dir.File("tone.wav"), 500, 0.5, 441);
    MatchState s;
    s.Sound = kTrue;
    FakeDialogs dialogs;
    DirectSoundModule sound;
    EXPECT_FALSE(sound.InitSound(s, dialogs, [] { return std::unique_ptr<SoundDevice>(); }));
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "Ошибка при инициализации DirectSound. Убедитесь, что ваша звуковая карта правильно установлена.");
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.Messages[0].Buttons, MsgButtons::Ok);
    EXPECT_EQ(s.Sound, kFalse);
    EXPECT_FALSE(sound.HasDevice());

    // Loads still check their files, and nothing plays.
    sound.LoadSound(dir.File("tone.wav"), 0);
    EXPECT_EQ(sound.SlotFile(0), dir.File("tone.wav"));
    EXPECT_THROW(sound.LoadSound(dir.File("missing.wav"), 1), SoundError);
    sound.PlaySound(0, 0);
    sound.StopSound(0, true);
    EXPECT_FALSE(sound.IsPlaying(0));
}

TEST(DirectSound, AnOutputOpensSilentlyAndTheDefaultOneOpensWithoutACard) {
    Listening l;
    EXPECT_TRUE(l.Dialogs.Messages.empty());
    EXPECT_EQ(l.S.Sound, kTrue);
    EXPECT_TRUE(l.Sound.Device()->IsLoopback());

    // The tests run on the null driver: the default output exists but
    // reaches no sound card.
    MatchState s;
    FakeDialogs dialogs;
    DirectSoundModule plain;
    EXPECT_TRUE(plain.InitSound(s, dialogs));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(s.Sound, kTrue);
}

TEST(DirectSound, SlotsOutsideZeroToNineRefuseLoadsAndIgnorePlayAndStop) {
    Listening l;
    for (int slot : {-1, 10, 12, INT_MIN, INT_MAX}) {
        try {
            l.Sound.LoadSound(l.Dir.File("long.wav"), slot);
            ADD_FAILURE() << slot;
        } catch (const SoundError& e) {
            EXPECT_EQ(e.Code, SoundErrorCode::BadSlot);
        }
        l.Sound.PlaySound(slot, -10);
        l.Sound.StopSound(slot, true);
        EXPECT_EQ(l.Sound.SlotFile(slot), "");
        EXPECT_EQ(l.Sound.PlayPosition(slot), -1);
    }
    EXPECT_EQ(test::Peak(l.Listen(4096)), 0.0);
    // An empty slot inside the range plays nothing either.
    l.Sound.PlaySound(5, 0);
    EXPECT_FALSE(l.Sound.IsPlaying(5));
    EXPECT_EQ(test::Peak(l.Listen(4096)), 0.0);
}

TEST(DirectSound, LoadingReplacesTheSlotAndSilencesWhatItHeld) {
    Listening l;
    l.Sound.LoadSound(l.Dir.File("long.wav"), 3);
    l.Sound.PlaySound(3, 0);
    EXPECT_GT(l.Loudness(2048), 0.1);
    l.Sound.LoadSound(l.Dir.File("other.wav"), 3);
    EXPECT_EQ(l.Sound.SlotFile(3), l.Dir.File("other.wav"));
    EXPECT_EQ(l.Sound.SlotFrames(3), kRate);
    EXPECT_FALSE(l.Sound.IsPlaying(3));
    EXPECT_EQ(test::Peak(l.Listen(2048)), 0.0);
    l.Sound.PlaySound(3, 0);
    EXPECT_NEAR(l.Loudness(2048) / 0.25, 1.0 / std::sqrt(2.0), 0.05);  // the quieter tone now
}

TEST(DirectSound, AFailedLoadKeepsWhatTheSlotHeld) {
    Listening l;
    l.Sound.LoadSound(l.Dir.File("long.wav"), 2);
    test::WriteBytes(l.Dir.File("junk.wav"), "RIFF....WAVEnot a sound at all");
    for (const char* bad : {"missing.wav", "junk.wav"}) {
        EXPECT_THROW(l.Sound.LoadSound(l.Dir.File(bad), 2), SoundError) << bad;
        EXPECT_EQ(l.Sound.SlotFile(2), l.Dir.File("long.wav"));
    }
    l.Sound.PlaySound(2, 0);
    EXPECT_GT(l.Loudness(2048), 0.1);
}

TEST(DirectSound, PlayingASoundingSlotGoesOnAtTheNewVolumeWithoutASecondVoice) {
    Listening l;
    l.Sound.LoadSound(l.Dir.File("long.wav"), 0);
    l.Sound.PlaySound(0, 0);
    const double full = l.Loudness(4096);
    const long long before = l.Sound.PlayPosition(0);
    EXPECT_GE(before, 4096);
    l.Sound.PlaySound(0, -2000);  // a tenth of the amplitude
    EXPECT_GE(l.Sound.PlayPosition(0), before);  // not started again
    const double quiet = l.Loudness(4096);
    EXPECT_NEAR(quiet / full, 0.1, 0.005);  // one voice, not two summed
    EXPECT_EQ(l.Sound.SlotVolume(0), -2000);
}

TEST(DirectSound, StopKeepsThePlaceAndRewindGoesBackToTheStart) {
    Listening l;
    l.Sound.LoadSound(l.Dir.File("long.wav"), 6);
    l.Sound.PlaySound(6, 0);
    l.Listen(5000);
    l.Sound.StopSound(6, false);
    const long long stoppedAt = l.Sound.PlayPosition(6);
    EXPECT_NEAR(static_cast<double>(stoppedAt), 5000, 64);
    EXPECT_FALSE(l.Sound.IsPlaying(6));
    EXPECT_EQ(test::Peak(l.Listen(2048)), 0.0);
    EXPECT_EQ(l.Sound.PlayPosition(6), stoppedAt);

    l.Sound.PlaySound(6, 0);  // goes on from where it stopped
    l.Listen(1000);
    EXPECT_NEAR(static_cast<double>(l.Sound.PlayPosition(6)), static_cast<double>(stoppedAt + 1000), 64);

    l.Sound.StopSound(6, true);
    EXPECT_EQ(l.Sound.PlayPosition(6), 0);
    EXPECT_FALSE(l.Sound.IsPlaying(6));
    l.Sound.PlaySound(6, 0);
    l.Listen(1000);
    EXPECT_NEAR(static_cast<double>(l.Sound.PlayPosition(6)), 1000, 64);

    // Rewinding a slot that is not playing only moves its start back.
    l.Sound.StopSound(6, false);
    l.Sound.StopSound(6, true);
    EXPECT_EQ(l.Sound.PlayPosition(6), 0);
    EXPECT_EQ(test::Peak(l.Listen(1024)), 0.0);
}

TEST(DirectSound, AFinishedSoundPlaysAgainFromTheBeginning) {
    Listening l;
    l.Sound.LoadSound(l.Dir.File("short.wav"), 9);
    l.Sound.PlaySound(9, 0);
    l.Listen(3000);
    EXPECT_FALSE(l.Sound.IsPlaying(9));
    EXPECT_EQ(l.Sound.PlayPosition(9), 0);
    l.Sound.PlaySound(9, 0);
    EXPECT_TRUE(l.Sound.IsPlaying(9));
    EXPECT_GT(test::Peak(l.Listen(900)), 0.1);
}

TEST(DirectSound, GainOfAPlayedSlotIsItsVolumeInHundredthsOfADecibel) {
    const auto measure = [](int volume) {
        Listening l;
        l.Sound.LoadSound(l.Dir.File("long.wav"), 1);
        l.Sound.PlaySound(1, volume);
        return l.Loudness(8192);
    };
    const double reference = measure(0);
    ASSERT_GT(reference, 0.1);
    for (int volume : {-10, -300, -600, -2000, -4000, -6000}) {
        const double db = 20 * std::log10(measure(volume) / reference);
        EXPECT_NEAR(db, volume / 100.0, 0.05) << volume;
    }
    // Out of range: never louder than recorded, never quieter than -100 dB.
    EXPECT_NEAR(measure(500) / reference, 1.0, 1e-3);
    EXPECT_LE(measure(-20000) / reference, 1.1e-5);
    EXPECT_DOUBLE_EQ(GainFromVolume(-2000), 0.1);
    EXPECT_DOUBLE_EQ(GainFromVolume(0), 1.0);
    EXPECT_DOUBLE_EQ(GainFromVolume(INT_MIN), GainFromVolume(kQuietestVolume));
}

TEST(DirectSound, CrowdIsFullAtTheSwinObjectAndQuieterFartherAway) {
    MatchState s;
    s.MaxX = 600;
    s.CamX = s.MaxX / 10.0;
    s.CamZ = 150;
    const auto heard = [](int volume) {
        Listening l;
        l.Sound.LoadSound(l.Dir.File("long.wav"), 7);
        l.Sound.PlaySound(7, volume);
        return l.Loudness(4096);
    };
    const double atSwin = heard(CrowdVolume(s));
    EXPECT_EQ(CrowdVolume(s), 0);
    double last = atSwin;
    for (double away : {10.0, 30.0, 60.0, 100.0}) {
        s.CamX = s.MaxX / 10.0 - away;
        const double now = heard(CrowdVolume(s));
        EXPECT_LT(now, last) << away;
        last = now;
    }
    // From far outside the room the crowd is at the quietest, not at the
    // volume the slot played at before.
    Listening l;
    l.Sound.LoadSound(l.Dir.File("long.wav"), 7);
    l.Sound.PlaySound(7, 0);
    l.Listen(1024);
    l.Sound.StopSound(7, true);
    s.CamX = -1e9;
    l.Sound.PlaySound(7, CrowdVolume(s));
    EXPECT_LT(l.Loudness(4096) / atSwin, 1e-4);
}

}  // namespace
}  // namespace zel::sound
