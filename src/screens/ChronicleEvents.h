#pragma once
#include <string>
#include <vector>

namespace zel {
class IniFile;
}

namespace zel::screens {

// One dated event of the club's last season, as the detail window lists it.
struct ChronicleEvent {
    std::string Title;        // the list entry: a date and a short phrase
    std::string Description;  // shown when the entry is clicked
};

// The event file gamedata/xron/xron.dat holds at most this many events,
// numbered 0 to 50; keys with higher numbers are not read.
inline constexpr int kMaxChronicleEvents = 51;

// The one reader of the event file: in section [general], for n = 0 to 50,
// "EvTitle<n>" is an event's title and "EvDescr<n>" its description, both
// through the game's INI lookup. Only numbers with a title make an event,
// in number order. A description belongs to the title of the same number:
// one without a title is not shown, and a title without a description gets
// an empty one (never the description of some other event).
std::vector<ChronicleEvent> ReadChronicleEvents(const IniFile& file);

}  // namespace zel::screens
