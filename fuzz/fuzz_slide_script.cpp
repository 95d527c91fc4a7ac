// The splash slide-show script, played through to its end.
#include "FuzzSupport.h"
#include "base/ErrorLog.h"
#include "frontend/SlideShowPlayer.h"

namespace {

// A splash window that shows every picture and never waits.
class FakeView : public zel::SlideShowView {
public:
    bool ShowSlidePicture(const std::string&, std::string&) override { return true; }
    void ProcessEvents() override {}
    void ArmSlideTimer(int) override { armed = true; }
    void DisarmSlideTimer() override { armed = false; }
    void HideSlideBox() override {}
    void StopSound(int) override {}
    void ShowWaitingScreen(const std::string&) override {}
    void HandOverToMenu() override { ended = true; }
    bool armed = false;
    bool ended = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    zel::fuzz::WriteInput(zel::fuzz::Bytes(data, size), "gamedata/splash/splash.qorbex");
    const std::string app = zel::fuzz::ScratchFolder().string() + "/";
    FakeView view;
    zel::fuzz::SilentDialogs d;
    const zel::ErrorLog log(app + "log/");  // a folder that does not exist: nothing is written
    zel::SlideShowPlayer player(view, d, log);
    player.SetPlaying();
    player.StartMedia(app);
    // A script has at most one slide per two lines; far more ticks are a hang.
    for (std::size_t tick = 0; view.armed && !view.ended && tick <= size + 2; ++tick) {
        view.armed = false;
        player.SlideTimerTick();
    }
    return 0;
}
