#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "SoundTestSupport.h"
#include "core/MatchState.h"
#include "sound/DirectSoundModule.h"
#include "sound/SceneSounds.h"
#include "sound/SoundError.h"
#include "support/FakeDialogs.h"

namespace zel::sound {
namespace {

using test::FakeDialogs;
using test::Loopback;
using test::SoundTempDir;
using test::WriteTone;

// Scene construction's statement rule as far as the sounds see it: a
// failing statement is recorded and the next one runs.
struct StatementRecorder {
    std::vector<SoundError> Failures;
    SceneStatement Run() {
        return [this](const std::function<void()>& statement) {
            try {
                statement();
            } catch (const SoundError& e) {
                Failures.push_back(e);
            }
        };
    }
};

// The eleven files of a match, each a tone of its own length so the slots
// can be told apart.
void WriteMatchSounds(const SoundTempDir& dir) {
    std::filesystem::create_directories(dir.Root() + "gamedata/sound");
    long frames = 1000;
    for (const SoundLoad& load : SceneSoundLoads()) WriteTone(dir.Root() + load.File, frames += 100, 0.3, 441);
}

TEST(SceneSounds, LoadOrderLeavesVembaThreeInSlotThree) {
    const std::vector<SoundLoad> loads = SceneSoundLoads();
    const std::vector<std::pair<std::string, int>> expected = {
        {"Vemba0.wav", 0}, {"Poswinu0.wav", 3}, {"Vemba1.wav", 1}, {"Poswinu1.wav", 4},
        {"Vemba2.wav", 2}, {"Poswinu2.wav", 5}, {"Vemba3.wav", 3}, {"Poswinu3.wav", 6},
        {"xruk.wav", 7},   {"2vemby.wav", 8},   {"stenka.wav", 9}};
    ASSERT_EQ(loads.size(), expected.size());
    for (std::size_t k = 0; k < loads.size(); ++k) {
        EXPECT_EQ(loads[k].File, "gamedata/sound/" + expected[k].first);
        EXPECT_EQ(loads[k].Slot, expected[k].second);
    }

    SoundTempDir dir;
    WriteMatchSounds(dir);
    MatchState s;
    FakeDialogs dialogs;
    DirectSoundModule sound;
    ASSERT_TRUE(sound.InitSound(s, dialogs, Loopback()));
    StatementRecorder rec;
    LoadSceneSounds(sound, dir.Root(), rec.Run());
    EXPECT_TRUE(rec.Failures.empty());
    EXPECT_EQ(sound.SlotFile(3), dir.Root() + "gamedata/sound/Vemba3.wav");
    EXPECT_EQ(sound.SlotFile(4), dir.Root() + "gamedata/sound/Poswinu1.wav");
    EXPECT_EQ(sound.SlotFile(7), dir.Root() + "gamedata/sound/xruk.wav");
    EXPECT_EQ(sound.SlotFile(9), dir.Root() + "gamedata/sound/stenka.wav");
    for (int slot = 0; slot < DirectSoundModule::kSlots; ++slot) EXPECT_GT(sound.SlotFrames(slot), 0) << slot;
}

TEST(SceneSounds, AMissingFileIsReportedAndTheOtherLoadsStillRun) {
    SoundTempDir dir;
    WriteMatchSounds(dir);
    // Never heard, but still loaded: it must be there.
    std::filesystem::remove(dir.Root() + "gamedata/sound/Poswinu0.wav");
    std::filesystem::remove(dir.Root() + "gamedata/sound/2vemby.wav");
    MatchState s;
    FakeDialogs dialogs;
    DirectSoundModule sound;
    ASSERT_TRUE(sound.InitSound(s, dialogs, Loopback()));
    StatementRecorder rec;
    LoadSceneSounds(sound, dir.Root(), rec.Run());
    ASSERT_EQ(rec.Failures.size(), 2u);
    EXPECT_EQ(rec.Failures[0].Code, SoundErrorCode::FileNotFound);
    EXPECT_NE(rec.Failures[0].Description.find("Poswinu0.wav"), std::string::npos);
    EXPECT_NE(rec.Failures[1].Description.find("2vemby.wav"), std::string::npos);
    EXPECT_EQ(sound.SlotFile(3), dir.Root() + "gamedata/sound/Vemba3.wav");
    EXPECT_EQ(sound.SlotFile(8), "");
    EXPECT_EQ(sound.SlotFile(9), dir.Root() + "gamedata/sound/stenka.wav");

    // Without a statement runner the first failure stops the loads.
    DirectSoundModule bare;
    ASSERT_TRUE(bare.InitSound(s, dialogs, Loopback()));
    EXPECT_THROW(LoadSceneSounds(bare, dir.Root(), nullptr), SoundError);
    EXPECT_EQ(bare.SlotFile(4), "");
}

TEST(SceneSounds, TheSynthesisedGameDataLoadsIntoEverySlot) {
    MatchState s;
    FakeDialogs dialogs;
    DirectSoundModule sound;
    ASSERT_TRUE(sound.InitSound(s, dialogs, Loopback()));
    StatementRecorder rec;
    LoadSceneSounds(sound, ZEL_GAMEDATA_ROOT, rec.Run());
    for (const SoundError& e : rec.Failures) ADD_FAILURE() << e.Description;
    for (int slot = 0; slot < DirectSoundModule::kSlots; ++slot) {
        EXPECT_GT(sound.SlotFrames(slot), 0) << slot;
        sound.PlaySound(slot, 0);
        EXPECT_GT(test::Peak(sound.Device()->RenderFrames(44100)), 0.05) << slot;
    }
}

}  // namespace
}  // namespace zel::sound
