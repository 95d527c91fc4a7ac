#pragma once
#include <string>
#include <vector>

#include "core/MatchPort.h"
#include "core/MatchState.h"

namespace zel {

// The screen as the simulator sees it: no pictures, no sound. Scene
// construction still writes what it writes into the match state (camera
// start, wall records), so a match plays the same with and without graphics.
// Questions are answered Yes/OK; every message is kept so the simulator can
// tell a damaged file from a finished one.
class HeadlessPort : public MatchPort {
public:
    explicit HeadlessPort(MatchState& s) : s_(s) {}

    MsgAnswer Ask(const Message& m) override;
    bool StartDevice() override { return true; }
    bool BuildScene() override;
    void ShutdownScene() override {}
    void UpdateVembaFrame(int) override {}
    void ShowNameLabels() override {}
    void HideNameLabels() override {}
    void PlaySound(int, int) override {}
    void SetAimVisible(bool) override {}
    void OrientArrow(double) override {}
    void PlaceAim(double, double) override {}
    void RefreshCamera() override {}

    // Messages shown with the critical icon: reading or writing failed.
    const std::vector<std::string>& Failures() const { return failures_; }

private:
    MatchState& s_;
    std::vector<std::string> failures_;
};

}  // namespace zel
