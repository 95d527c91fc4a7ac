// The chronicle's event file xron.dat, read through the INI lookup.
#include <cstdlib>

#include "FuzzSupport.h"
#include "base/IniLookup.h"
#include "screens/ChronicleEvents.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string path = zel::fuzz::WriteInput(zel::fuzz::Bytes(data, size), "xron.dat");
    zel::IniFile f;
    std::string error;
    if (!f.Open(path, error)) return 0;
    const auto events = zel::screens::ReadChronicleEvents(f);
    if (events.size() > static_cast<std::size_t>(zel::screens::kMaxChronicleEvents)) std::abort();
    return 0;
}
