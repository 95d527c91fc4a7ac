#include <gtest/gtest.h>

#include <cmath>

#include "core/MatchSetup.h"

namespace zel {
namespace {

MatchSetup Players(int n) {
    MatchSetup setup;
    for (int i = 0; i < n; ++i) setup.Participants.push_back(ParticipantSetup{});
    return setup;
}

TEST(MatchSetup, ParticipantsGetNamesModelsGreyAndMassesAfterTheLayout) {
    MatchSetup setup = Players(3);
    setup.Participants[0] = ParticipantSetup{"Вихрь", 2, 7, kTrue, 0};
    setup.Participants[2] = ParticipantSetup{"", 1, 1000, kFalse, 1};
    setup.Ftr = 0.03;
    MatchState s;
    ASSERT_EQ(StartMatchState(s, setup), SetupResult::Ok);
    EXPECT_EQ(s.Num, 3);
    EXPECT_EQ(s.Vembas[1].R, "Вихрь");
    EXPECT_EQ(s.Vembas[1].RMod, 2);
    EXPECT_EQ(s.Vembas[1].RM, 7);
    EXPECT_EQ(s.Vembas[1].RGray, kTrue);
    EXPECT_EQ(s.Vembas[3].R, "3");
    EXPECT_EQ(s.Vembas[3].RM, 1000);
    EXPECT_EQ(s.Vembas[3].TeamSide, 0);  // sides only count in a team match
    EXPECT_EQ(s.Vembas[1].Xpos, 30);     // the start layout stands
    EXPECT_EQ(s.Ftr, 0.03);
    EXPECT_EQ(s.KtoHodit[1], 1);
    EXPECT_EQ(s.KtoHodit[3], 3);
    EXPECT_EQ(s.CurSgin, 1);  // new-match defaults
}

TEST(MatchSetup, BadSetupsAreRefused) {
    auto result = [](auto change) {
        MatchSetup setup = Players(2);
        change(setup);
        MatchState s;
        return StartMatchState(s, setup);
    };
    EXPECT_EQ(result([](MatchSetup& m) { m.MaxX = 200; }), SetupResult::BadTableSize);
    EXPECT_EQ(result([](MatchSetup& m) { m.MaxY = 1001; }), SetupResult::BadTableSize);
    EXPECT_EQ(result([](MatchSetup& m) { m.MaxX = 1000, m.MaxY = 201; }), SetupResult::Ok);
    EXPECT_EQ(result([](MatchSetup& m) { m.Participants.resize(1); }),
              SetupResult::BadParticipantCount);
    EXPECT_EQ(result([](MatchSetup& m) { m.Participants.resize(9); }),
              SetupResult::BadParticipantCount);
    EXPECT_EQ(result([](MatchSetup& m) { m.Participants[1].Model = 4; }), SetupResult::BadModel);
    EXPECT_EQ(result([](MatchSetup& m) { m.Participants[0].Mass = 0; }), SetupResult::BadMass);
    EXPECT_EQ(result([](MatchSetup& m) { m.Participants[0].Mass = 1001; }), SetupResult::BadMass);
    EXPECT_EQ(result([](MatchSetup& m) { m.TurnOrder = {2, 2}; }), SetupResult::BadTurnOrder);
    EXPECT_EQ(result([](MatchSetup& m) { m.TurnOrder = {2, 3}; }), SetupResult::BadTurnOrder);
    EXPECT_EQ(result([](MatchSetup& m) { m.TurnOrder = {2, 1}; }), SetupResult::Ok);
    EXPECT_EQ(result([](MatchSetup& m) { m.Ftr = 0; }), SetupResult::BadFriction);
    EXPECT_EQ(result([](MatchSetup& m) { m.Ftr = std::nan(""); }), SetupResult::BadFriction);
}

TEST(MatchSetup, ObstaclesFollowTheParticipantsEightyUnitsInFromTheCorners) {
    MatchSetup setup = Players(3);
    setup.Pipa = kTrue;
    setup.MaxX = 500;
    setup.MaxY = 300;
    MatchState s;
    ASSERT_EQ(StartMatchState(s, setup), SetupResult::Ok);
    EXPECT_EQ(s.NumPipa, 4);
    const double want[5][2] = {{0, 0}, {80, 80}, {420, 80}, {80, 220}, {420, 220}};
    for (int k = 1; k <= 4; ++k) {
        const VembaRecord& v = s.Vembas[3 + k];
        EXPECT_EQ(v.RMod, 5);
        EXPECT_EQ(v.Life, kTrue);
        EXPECT_EQ(v.Xpos, want[k][0]);
        EXPECT_EQ(v.Ypos, want[k][1]);
        EXPECT_EQ(v.Phi, 0);  // record 5 had a participant's start heading
        EXPECT_EQ(v.Number, 3 + k);
    }
    setup.Pipa = kFalse;
    ASSERT_EQ(StartMatchState(s, setup), SetupResult::Ok);
    EXPECT_EQ(s.NumPipa, 0);
}

TEST(MatchSetup, WallsStandBeyondTheEdgesTheirModeCovers) {
    MatchState s;
    MatchSetup setup = Players(2);
    setup.Pipa = kTrue;
    setup.Border = kTrue;
    setup.BordSimm = kTrue;
    setup.BordMode = 1;
    ASSERT_EQ(StartMatchState(s, setup), SetupResult::Ok);
    PrepareSceneState(s);
    EXPECT_EQ(s.Vembas[7].R, "Stenka1");
    EXPECT_EQ(s.Vembas[7].RMod, 6);
    EXPECT_EQ(s.Vembas[7].Xpos, 300);
    EXPECT_EQ(s.Vembas[7].Ypos, -1000000);
    EXPECT_EQ(s.Vembas[8].R, "Stenka2");
    EXPECT_EQ(s.Vembas[8].Ypos, 400 + 1000000);
    EXPECT_EQ(s.Vembas[8].Xvec, 0);  // record 8 is a participant slot's start place

    setup.Pipa = kFalse;
    setup.BordMode = 0;
    setup.BordSimm = kFalse;
    ASSERT_EQ(StartMatchState(s, setup), SetupResult::Ok);
    s.Vembas[4].R = "";
    PrepareSceneState(s);
    EXPECT_EQ(s.Vembas[3].R, "Stenka1");
    EXPECT_EQ(s.Vembas[3].Xpos, -1000000);
    EXPECT_EQ(s.Vembas[3].Ypos, 200);
    EXPECT_EQ(s.Vembas[4].R, "");  // one wall only

    MatchState none;
    ASSERT_EQ(StartMatchState(none, Players(2)), SetupResult::Ok);
    PrepareSceneState(none);
    EXPECT_NE(none.Vembas[3].RMod, 6);
}

TEST(MatchSetup, CameraStartsLookingAtTheTableCentre) {
    MatchState s;
    s.MaxX = 1000;
    s.MaxY = 201;
    s.CamX = 5;
    SetCameraStart(s);
    EXPECT_EQ(s.CamX, -40);
    EXPECT_EQ(s.CamY, 20);
    EXPECT_EQ(s.CamZ, -10);
    EXPECT_EQ(s.TargX, 50);
    EXPECT_EQ(s.TargZ, -(201 / 500.0) * 25);
}

}  // namespace
}  // namespace zel
