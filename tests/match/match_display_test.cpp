#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "core/MatchState.h"
#include "match/DisplayScreen.h"
#include "match/RunMatch.h"
#include "screens/SettingsStore.h"

namespace zel::test {
namespace {

using match::ChosenScreenIndex;

// The options screen's display list as it would stand with two screens
// connected: the default entry, then each screen by its name.
const std::vector<DisplayDriver> kTwoScreens = {{"Видеокарта по умолчанию", ""}, {"DP-1", "DP-1"}, {"HDMI-1", "HDMI-1"}};

// Which screen the match covers for the display entry the settings hold.
int ScreenForStoredEntry(int deviceNum, const std::vector<std::string>& connected) {
    MatchState s;
    SettingsStore store;
    store.Display.DeviceNum = static_cast<std::int16_t>(deviceNum);
    store.Options.FormLoad(s, store.Display, kTwoScreens);
    return ChosenScreenIndex(match::RenderSettingsFrom(store, "Korvalo II").DriverGuid, connected);
}

TEST(MatchDisplay, ChosenListEntryPicksItsScreen) {
    EXPECT_EQ(ScreenForStoredEntry(1, {"DP-1", "HDMI-1"}), 0);
    EXPECT_EQ(ScreenForStoredEntry(2, {"DP-1", "HDMI-1"}), 1);
    // The system lists its screens in another order now: still the same screen.
    EXPECT_EQ(ScreenForStoredEntry(2, {"HDMI-1", "DP-1"}), 0);
}

TEST(MatchDisplay, DefaultEntryMissingEntryOrMissingScreenGiveThePrimary) {
    EXPECT_EQ(ScreenForStoredEntry(0, {"DP-1", "HDMI-1"}), -1);
    EXPECT_EQ(ScreenForStoredEntry(3, {"DP-1", "HDMI-1"}), -1);   // beyond the list
    EXPECT_EQ(ScreenForStoredEntry(99, {"DP-1", "HDMI-1"}), -1);
    EXPECT_EQ(ScreenForStoredEntry(2, {"DP-1"}), -1);             // unplugged since
    EXPECT_EQ(ScreenForStoredEntry(2, {}), -1);
}

TEST(MatchDisplay, ScreenIsLookedUpAmongTheConnectedOnes) {
    QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(match::ChosenScreen(primary->name().toStdString()), primary);
    EXPECT_EQ(match::ChosenScreen("no such screen"), primary);
    EXPECT_EQ(match::ChosenScreen(""), primary);
}

}  // namespace
}  // namespace zel::test
