#include <gtest/gtest.h>

#include <string>

#include "base/CheckBox.h"
#include "screens/OptionsScreenModel.h"
#include "screens/StartScreenModel.h"
#include "support/FakeDialogs.h"

namespace zel {
namespace {

using test::FakeDialogs;

// --- the match setup screen --------------------------------------------------

TEST(StartScreenModel, MarksCountOnlyCheckedSlots) {
    StartScreenModel m;
    m.SetMark(0, kBoxChecked);
    m.SetMark(2, kBoxChecked);
    m.SetMark(5, kBoxChecked);
    m.SetMark(6, kBoxGreyed);
    EXPECT_EQ(m.GamersKolvoText(), "Играет игроков: 3");
    EXPECT_EQ(m.GamersKolvo(), 3);
    EXPECT_TRUE(m.GoEnabled());
}

TEST(StartScreenModel, FewerThanTwoMarksDisableStartAndKeepTheCount) {
    StartScreenModel m;
    for (int i = 0; i < 5; ++i) m.SetMark(i, kBoxChecked);
    EXPECT_EQ(m.GamersKolvo(), 5);
    for (int i = 1; i < 5; ++i) m.SetMark(i, kBoxClear);
    EXPECT_EQ(m.GamersKolvoText(), "Играет игроков: 1");
    EXPECT_FALSE(m.GoEnabled());
    EXPECT_EQ(m.GamersKolvo(), 2);  // the last count of two or more
    m.SetMark(0, kBoxClear);
    EXPECT_EQ(m.GamersKolvoText(), "Играет игроков: 0");
    EXPECT_EQ(m.GamersKolvo(), 2);
}

TEST(StartScreenModel, MarkOutsideTheThreeStatesOrSlotsChangesNothing) {
    StartScreenModel m;
    m.SetMark(1, kBoxChecked);
    EXPECT_FALSE(m.SetMark(1, 3));
    EXPECT_FALSE(m.SetMark(1, -1));
    EXPECT_FALSE(m.SetMark(8, kBoxChecked));
    EXPECT_FALSE(m.SetMark(-1, kBoxChecked));
    EXPECT_EQ(m.Mark(1), kBoxChecked);
    EXPECT_EQ(m.Mark(8), kBoxClear);
    EXPECT_EQ(m.Name(9), "");
}

TEST(StartScreenModel, ChosenModelBecomesThePiecesModelAtOnce) {
    StartScreenModel m;
    MatchState s;
    FakeDialogs d;
    EXPECT_TRUE(m.SelectModel(3, 2, s, d));
    EXPECT_EQ(m.Model(3), 2);
    EXPECT_EQ(s.Vembas[4].RMod, 2);
    EXPECT_TRUE(m.SelectModel(3, -1, s, d));  // no selection leaves the piece's model
    EXPECT_EQ(m.Model(3), -1);
    EXPECT_EQ(s.Vembas[4].RMod, 2);
    EXPECT_TRUE(d.Messages.empty());
}

TEST(StartScreenModel, OvalModelWarnsAndFallsBackToTheFirstEntry) {
    StartScreenModel m;
    MatchState s;
    FakeDialogs d;
    m.SelectModel(1, 3, s, d);
    EXPECT_TRUE(m.SelectModel(1, 4, s, d));
    ASSERT_EQ(d.Messages.size(), 1u);
    EXPECT_EQ(d.Messages[0].Title, "Предупреждение");
    EXPECT_EQ(d.Messages[0].Text, "В этой версии Korvalo  Овальная Вемба недоступна.");
    EXPECT_EQ(m.Model(1), 0);
    EXPECT_EQ(s.Vembas[2].RMod, 0);
}

TEST(StartScreenModel, ModelTheListDoesNotHaveChangesNothing) {
    StartScreenModel m;
    MatchState s;
    FakeDialogs d;
    m.SelectModel(0, 1, s, d);
    EXPECT_FALSE(m.SelectModel(0, 5, s, d));
    EXPECT_FALSE(m.SelectModel(0, -2, s, d));
    EXPECT_FALSE(m.SelectModel(8, 1, s, d));
    EXPECT_EQ(m.Model(0), 1);
    EXPECT_EQ(s.Vembas[1].RMod, 1);
    EXPECT_EQ(s.Vembas[9].RMod, 0);
}

// --- the options screen ----------------------------------------------------

TEST(OptionsScreenModel, LargestTableBoxDisablesSizesAndPendsTheLargestTable) {
    OptionsScreenModel m;
    EXPECT_TRUE(m.SetMaxSizeBox(kBoxChecked));
    EXPECT_FALSE(m.SizeGroupEnabled());
    EXPECT_EQ(m.PendingX(), 1000);
    EXPECT_EQ(m.PendingY(), 1000);
    m.SetMaxSizeBox(kBoxClear);
    EXPECT_TRUE(m.SizeGroupEnabled());
    EXPECT_FALSE(m.SetMaxSizeBox(3));
    EXPECT_EQ(m.MaxSizeBox(), kBoxClear);
}

TEST(OptionsScreenModel, WallBoxEnablesItsPositionAndSymmetryControls) {
    OptionsScreenModel m;
    EXPECT_FALSE(m.BorderControlsEnabled());
    m.SetBorderBox(kBoxChecked);
    EXPECT_TRUE(m.BorderControlsEnabled());
    m.SetBorderBox(kBoxClear);
    EXPECT_FALSE(m.BorderControlsEnabled());
}

TEST(OptionsScreenModel, PositionsAndSymmetryTakeEffectWithoutConfirming) {
    OptionsScreenModel m;
    MatchState s;
    s.BordMode = 0;
    EXPECT_TRUE(m.SelectBorderPosition(1, s));
    EXPECT_EQ(s.BordMode, 1);
    m.SetSimmBox(kBoxChecked, s);
    EXPECT_EQ(s.BordSimm, kTrue);
    m.SetSimmBox(kBoxGreyed, s);
    EXPECT_EQ(s.BordSimm, kFalse);
    m.SelectPipaPosition(1, s);
    EXPECT_EQ(s.PipaMode, 1);
    m.SetPipaSimmBox(kBoxChecked, s);
    EXPECT_EQ(s.PipaSimm, kTrue);
    EXPECT_FALSE(m.SelectBorderPosition(2, s));
    EXPECT_EQ(s.BordMode, 1);
}

// The options screen as start-up leaves it after the settings were read.
struct Options {
    OptionsScreenModel m;
    MatchState s;
    DisplaySettings display;
    FakeDialogs d;
    Options() {
        s.MaxX = 600;
        s.MaxY = 400;
        s.Ftr = 0.02;
        s.Border = kTrue;
        s.BordMode = 1;
        s.BordSimm = kTrue;
        s.Sound = kTrue;
        s.Pipa = kFalse;
        s.ShowSgin = kTrue;
        m.FormLoad(s, display, {});
    }
};

TEST(OptionsScreenModel, FormLoadShowsTheSettings) {
    Options o;
    EXPECT_EQ(o.m.SizeGText(), "600");
    EXPECT_EQ(o.m.SizeVText(), "400");
    EXPECT_EQ(o.m.BorderBox(), kBoxChecked);
    EXPECT_TRUE(o.m.BorderControlsEnabled());
    EXPECT_EQ(o.m.BorderPosition(), 1);
    EXPECT_EQ(o.m.SimmBox(), kBoxChecked);
    EXPECT_EQ(o.m.SoundBox(), kBoxChecked);
    EXPECT_EQ(o.m.PipaBox(), kBoxClear);
    EXPECT_EQ(o.m.ShowSginBox(), kBoxChecked);
    EXPECT_EQ(o.m.FrictionChoice(), 1);
    EXPECT_EQ(o.m.ModeText(), "640x480x8");
    EXPECT_EQ(o.m.DeviceIndex(), 0);
    EXPECT_EQ(o.m.DeviceGuid(), "IID_IDirect3DRGBDevice");

    o.s.Ftr = 0.025;
    o.m.FormLoad(o.s, o.display, {});
    EXPECT_EQ(o.m.FrictionChoice(), -1);
}

TEST(OptionsScreenModel, FormLoadSelectsStoredDevicesAndSkipsMissingEntries) {
    Options o;
    const std::vector<DisplayDriver> drivers = {{"Первая", "drv-a"}, {"Вторая", "drv-b"}};
    o.display.DeviceNum = 1;
    o.display.RenderNum = 1;
    o.m.FormLoad(o.s, o.display, drivers);
    EXPECT_EQ(o.m.DriverIndex(), 1);
    EXPECT_EQ(o.m.DeviceIndex(), 1);
    EXPECT_EQ(o.m.DeviceGuid(), "IID_IDirect3DHALDevice");
    EXPECT_EQ(o.m.DriverGuid(), "drv-b");

    o.display.DeviceNum = 7;
    o.display.RenderNum = 5;
    o.m.FormLoad(o.s, o.display, drivers);
    EXPECT_EQ(o.m.DriverIndex(), 0);  // refilled list, first entry
    EXPECT_EQ(o.m.DeviceIndex(), 1);
}

// The display the list shows is the one the match gets: choosing the 3D
// device does not take it back, "Готово" keeps it, and the next opening
// (and the settings file) select it again.
TEST(OptionsScreenModel, ChosenDisplayOutlastsTheDeviceListAndIsKeptByDone) {
    Options o;
    const std::vector<DisplayDriver> drivers = {{"Видеокарта по умолчанию", ""}, {"DP-1", "DP-1"}, {"HDMI-1", "HDMI-1"}};
    o.m.FormLoad(o.s, o.display, drivers);
    ASSERT_TRUE(o.m.SelectDriver(2));
    o.m.SelectDevice(0);
    EXPECT_EQ(o.m.DriverGuid(), "HDMI-1");
    ASSERT_TRUE(o.m.Apply(o.s, o.display, o.d));
    EXPECT_EQ(o.m.DriverGuid(), "HDMI-1");
    EXPECT_EQ(o.display.DeviceNum, 2);
    o.m.SelectDriver(0);
    o.m.FormLoad(o.s, o.display, drivers);
    EXPECT_EQ(o.m.DriverIndex(), 2);
    EXPECT_EQ(o.m.DriverGuid(), "HDMI-1");
}

TEST(OptionsScreenModel, NoEnumeratedDriverKeepsTheDefaultEntry) {
    OptionsScreenModel m;
    m.FillDisplayDriverList({});
    ASSERT_EQ(m.Drivers().size(), 1u);
    EXPECT_EQ(m.Drivers()[0].Description, "Видеокарта по умолчанию");
    EXPECT_EQ(m.DriverIndex(), 0);
    EXPECT_EQ(m.DriverGuid(), "");
}

TEST(OptionsScreenModel, ApplyAcceptsSizesFrom201To1000) {
    Options o;
    o.m.SetSizeGText("1000");
    o.m.SetSizeVText("201");
    EXPECT_TRUE(o.m.Apply(o.s, o.display, o.d));
    EXPECT_TRUE(o.d.Messages.empty());
    EXPECT_EQ(o.s.MaxX, 1000);
    EXPECT_EQ(o.s.MaxY, 201);
    EXPECT_EQ(o.m.Title(), "Korvalo II: Параметры");
}

TEST(OptionsScreenModel, ApplyRefusesOtherSizesButKeepsTheRestTaken) {
    for (const auto& [g, v] : {std::pair{"1001", "400"}, {"600", "200"}, {"abc", "400"},
                               {"", "400"}}) {
        Options o;
        o.m.SetSizeGText(g);
        o.m.SetSizeVText(v);
        o.m.SetModeText("800x600x16");
        o.m.SelectFriction(2);
        o.m.SetUseRoomBox(kBoxChecked);
        o.m.SetSoundBox(kBoxClear);
        EXPECT_FALSE(o.m.Apply(o.s, o.display, o.d));
        ASSERT_EQ(o.d.Messages.size(), 1u);
        EXPECT_EQ(o.d.Messages[0].Text, "Введенные значения некорректны. Повторите ввод.");
        EXPECT_EQ(o.m.Title(), "Korvalo II: Параметры");
        EXPECT_EQ(o.s.MaxX, 600);
        EXPECT_EQ(o.s.MaxY, 400);
        EXPECT_EQ(o.s.Sound, kTrue);     // not reached
        EXPECT_EQ(o.s.Ftr, 0.03);        // taken before the check
        EXPECT_EQ(o.display.ScreenW, 800);
        EXPECT_EQ(o.s.UseRoom, kTrue);   // the match core's copy follows
    }
}

TEST(OptionsScreenModel, LargestTableWinsWhateverTheBoxesHold) {
    Options o;
    o.m.SetSizeGText("abc");
    o.m.SetSizeVText("5");
    o.m.SetMaxSizeBox(kBoxChecked);
    EXPECT_TRUE(o.m.Apply(o.s, o.display, o.d));
    EXPECT_EQ(o.s.MaxX, 1000);
    EXPECT_EQ(o.s.MaxY, 1000);
}

TEST(OptionsScreenModel, ApplyTakesModeDeviceAndSwitches) {
    Options o;
    o.m.SetModeText("800x600x16");
    o.m.SelectDevice(1);
    o.m.SetBorderBox(kBoxChecked);
    o.m.SelectBorderPosition(0, o.s);
    o.m.SetPipaBox(kBoxChecked);
    o.m.SelectPipaPosition(1, o.s);
    o.m.SetShowSginBox(kBoxClear);
    ASSERT_TRUE(o.m.Apply(o.s, o.display, o.d));
    EXPECT_EQ(o.display.ScreenW, 800);
    EXPECT_EQ(o.display.ScreenH, 600);
    EXPECT_EQ(o.display.Colors, 16);
    EXPECT_EQ(o.s.ScreenH, 600);
    EXPECT_EQ(o.display.RenderNum, 1);
    EXPECT_EQ(o.m.DeviceGuid(), "IID_IDirect3DHALDevice");
    EXPECT_EQ(o.s.Border, kTrue);
    EXPECT_EQ(o.s.BordMode, 0);
    EXPECT_EQ(o.s.Pipa, kTrue);
    EXPECT_EQ(o.s.PipaMode, 1);
    EXPECT_EQ(o.s.ShowSgin, kFalse);

    o.m.SetBorderBox(kBoxClear);
    o.m.SetPipaBox(kBoxGreyed);
    ASSERT_TRUE(o.m.Apply(o.s, o.display, o.d));
    EXPECT_EQ(o.s.Border, kFalse);
    EXPECT_EQ(o.s.Pipa, kFalse);
}

TEST(OptionsScreenModel, ModeTextThatIsNotThreeNumbersKeepsTheDisplay) {
    for (const char* text : {"800x600", "800 на 600", "x600x16", "800x600x16x", "", "800x600x99999"}) {
        Options o;
        o.display.ScreenW = 1024;
        o.display.ScreenH = 768;
        o.display.Colors = 32;
        o.m.SetModeText(text);
        o.m.SetSizeGText("600");
        o.m.SetSizeVText("400");
        EXPECT_TRUE(o.m.Apply(o.s, o.display, o.d)) << text;
        EXPECT_EQ(o.display.ScreenW, 1024) << text;
        EXPECT_EQ(o.display.ScreenH, 768) << text;
        EXPECT_EQ(o.display.Colors, 32) << text;
    }
}

}  // namespace
}  // namespace zel
