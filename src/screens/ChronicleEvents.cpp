#include "screens/ChronicleEvents.h"

#include "base/IniLookup.h"

namespace zel::screens {

std::vector<ChronicleEvent> ReadChronicleEvents(const IniFile& file) {
    std::vector<ChronicleEvent> events;
    for (int n = 0; n < kMaxChronicleEvents; ++n) {
        const std::string number = std::to_string(n);
        std::string title = file.GetIniValue("general", "EvTitle" + number);
        if (title.empty()) continue;
        events.push_back({std::move(title), file.GetIniValue("general", "EvDescr" + number)});
    }
    return events;
}

}  // namespace zel::screens
