// The team file zel.cmd as the teams screen loads it.
#include "FuzzSupport.h"
#include "screens/TeamList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string path = zel::fuzz::WriteInput(zel::fuzz::Bytes(data, size), "zel.cmd");
    zel::fuzz::SilentDialogs d;
    zel::screens::TeamList teams;
    (void)teams.Load(path, d);
    for (int n = 1; n <= teams.Count(); ++n) (void)teams.At(n);
    return 0;
}
