// The settings file zel.ini as the game loads it at start-up, then written
// back: whatever the file held, what is saved must load again silently.
#include <cstdlib>

#include "FuzzSupport.h"
#include "base/TextFile.h"
#include "screens/SettingsControls.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string path = zel::fuzz::WriteInput(zel::fuzz::Bytes(data, size), "zel.ini");
    zel::fuzz::SilentDialogs d;
    zel::SettingsStore store;
    zel::MatchState s;
    zel::ResetMatchDefaults(s);
    zel::LoadSettings(path, path, store, s, d);

    const std::string again = zel::fuzz::WriteInput(
        zel::BuildSettingsText(zel::CollectSettings(store, s)), "again/zel.ini");
    zel::fuzz::SilentDialogs d2;
    zel::SettingsStore store2;
    zel::MatchState s2;
    zel::ResetMatchDefaults(s2);
    zel::LoadSettings(again, again, store2, s2, d2);
    if (d2.asked != 0) std::abort();  // the game's own file must load without a word
    return 0;
}
