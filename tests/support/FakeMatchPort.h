#pragma once
#include <deque>
#include <string>
#include <vector>

#include "core/MatchPort.h"
#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "support/FakeDialogs.h"

namespace zel::test {

// A sound as the kernel asked for it.
struct PlayedSound {
    int Slot = 0;    // sound slot 0..9
    int Volume = 0;  // hundredths of a decibel
    friend bool operator==(const PlayedSound&, const PlayedSound&) = default;
};

// Where the aim marker was put, in scene units.
struct AimPlacement {
    double X = 0;  // scene x
    double Z = 0;  // scene z
};

// The window opened after a match.
struct NextWindow {
    NextScreen Screen = NextScreen::None;  // which window
    bool GameOver = false;                 // the GameOver value handed over
    bool SaveReplay = false;               // "save replay" offered on the results window
};

// The screen of a match without a screen: records every call the kernel
// makes, answers questions from a queue (RecordingDialogs), and does what
// scene construction does to the match state when it is given one.
class FakeMatchPort : public RecordingDialogs<MatchPort> {
public:
    explicit FakeMatchPort(MatchState* state = nullptr) : state_(state) {}

    // --- how the fake screen behaves ---------------------------------------
    bool DeviceStarts = true;           // StartDevice succeeds
    bool SceneBuilds = true;            // BuildScene succeeds
    std::deque<double> RandomNumbers;   // Random01 answers, front first; 0 when empty

    // --- what the kernel did, in order ---------------------------------------
    std::vector<std::string> Log;       // one line per call that matters for ordering
    std::vector<std::string> Captions;  // window captions, oldest first
    std::vector<PlayedSound> Sounds;    // every sound asked for, with its volume
    std::vector<int> FramesUpdated;     // participant numbers per UpdateVembaFrame
    std::vector<bool> AimVisibility;    // SetAimVisible arguments
    std::vector<double> ArrowAngles;    // OrientArrow arguments
    std::vector<AimPlacement> AimPlacements;  // PlaceAim arguments
    std::vector<NextWindow> NextWindows;      // OpenNext calls
    std::vector<std::string> StatusAtEventPump;  // StatusText whenever events were let through
    int LabelShows = 0;       // ShowNameLabels calls
    int LabelHides = 0;       // HideNameLabels calls
    // The labels are in the scene: the build puts them there, the last show
    // or hide decides since.
    bool LabelsInScene = false;
    int CameraRefreshes = 0;  // RefreshCamera calls
    int EventPumps = 0;       // ProcessEvents calls
    int WindowCloses = 0;     // CloseWindow calls
    int SceneShutdowns = 0;   // ShutdownScene calls

    void SetCaption(const std::string& text) override { Captions.push_back(text); }
    bool StartDevice() override {
        Log.push_back("start device");
        return DeviceStarts;
    }
    bool BuildScene() override {
        Log.push_back("build scene");
        if (SceneBuilds && state_ != nullptr) PrepareSceneState(*state_);
        LabelsInScene = SceneBuilds;
        return SceneBuilds;
    }
    void ShutdownScene() override {
        Log.push_back("shutdown scene");
        ++SceneShutdowns;
    }
    void UpdateVembaFrame(int i) override { FramesUpdated.push_back(i); }
    void ShowNameLabels() override {
        Log.push_back("show labels");
        ++LabelShows;
        LabelsInScene = true;
    }
    void HideNameLabels() override {
        Log.push_back("hide labels");
        ++LabelHides;
        LabelsInScene = false;
    }
    void PlaySound(int slot, int volume) override {
        Log.push_back("sound " + std::to_string(slot));
        Sounds.push_back(PlayedSound{slot, volume});
    }
    void SetAimVisible(bool visible) override { AimVisibility.push_back(visible); }
    void OrientArrow(double aimAngle) override { ArrowAngles.push_back(aimAngle); }
    void PlaceAim(double x, double z) override { AimPlacements.push_back(AimPlacement{x, z}); }
    void RefreshCamera() override { ++CameraRefreshes; }
    void ProcessEvents() override {
        Log.push_back("process events");
        ++EventPumps;
        if (state_ != nullptr) StatusAtEventPump.push_back(state_->StatusText);
    }
    double Random01() override {
        if (RandomNumbers.empty()) return 0.0;
        const double r = RandomNumbers.front();
        RandomNumbers.pop_front();
        return r;
    }
    void CloseWindow() override {
        Log.push_back("close window");
        ++WindowCloses;
    }
    void OpenNext(NextScreen next, bool gameOver, bool enableSaveReplay) override {
        Log.push_back("open next");
        NextWindows.push_back(NextWindow{next, gameOver, enableSaveReplay});
    }

private:
    MatchState* state_;  // the match whose scene BuildScene prepares; may be null
};

}  // namespace zel::test
