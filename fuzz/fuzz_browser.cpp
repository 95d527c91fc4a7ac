// The saved-games browser on a file it lists: "Инфо", then the loader of
// each mode (a replay started, a saved game continued), as a person would
// pick a damaged file.
#include "FuzzSupport.h"
#include "screens/LoadGameModel.h"
#include "screens/SettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string bytes(zel::fuzz::Bytes(data, size));
    const std::string saved = zel::fuzz::WriteInput(bytes, "browse/game.zel");
    const std::string replay = zel::fuzz::WriteInput(bytes, "browse/game.sav");
    const std::string folder = zel::fuzz::ScratchFolder().string() + "/browse/";

    zel::fuzz::SilentDialogs d;
    zel::MatchState s;
    zel::ResetMatchDefaults(s);
    zel::SettingsStore store;
    for (std::int16_t mode = 0; mode < 2; ++mode) {
        zel::screens::LoadGameModel browser({}, folder, folder);
        browser.SetLoadMode(mode);
        browser.UpdateInfo(s);
        browser.SelectFile(0);
        browser.Info(d);
    }
    const zel::screens::LoadTarget target{s, store, d, [](bool) {}};
    zel::screens::StartReplay(replay, target);
    zel::ResetMatchDefaults(s);
    zel::screens::ContinueSavedGame(saved, target);
    return 0;
}
