// The team editor's name collection zel.nam.
#include "FuzzSupport.h"
#include "screens/NameCollection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string path = zel::fuzz::WriteInput(zel::fuzz::Bytes(data, size), "zel.nam");
    zel::fuzz::SilentDialogs d;
    zel::screens::NameCollection names;
    names.Load(path, d);
    for (int place = 0; place <= 161; ++place) (void)names.At(place);
    (void)names.Pick([] { return 0.999; });
    return 0;
}
