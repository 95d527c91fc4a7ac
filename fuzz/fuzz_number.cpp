// The number reader of every file, and the writer whose numbers it reads.
#include <cmath>
#include <cstdlib>

#include "FuzzSupport.h"
#include "base/NumberFormat.h"
#include "base/NumberParse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string_view text = zel::fuzz::Bytes(data, size);
    const double prefix = zel::ParseNumberPrefix(text);
    (void)zel::ParseNumberStrict(text);
    (void)zel::ParsePrefixInt16(text);
    // Whatever was read, written and read again is the same number.
    if (std::isfinite(prefix) && zel::ParseNumberPrefix(zel::FormatDouble(prefix)) != prefix) std::abort();
    return 0;
}
