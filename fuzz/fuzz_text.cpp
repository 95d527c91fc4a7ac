// Text decoding (UTF-8 or Windows-1251), letter-case folding and line
// splitting, which every text file of the game goes through.
#include <cstdlib>

#include "FuzzSupport.h"
#include "base/TextEncoding.h"
#include "base/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string text = zel::DecodeFileText(zel::fuzz::Bytes(data, size));
    // Decoded text is UTF-8, so decoding it again must change nothing (but
    // for a second byte-order mark, which the first decoding left as text).
    if (!text.starts_with("\xEF\xBB\xBF") && zel::DecodeFileText(text) != text) std::abort();
    const std::string folded = zel::FoldCase(text);
    if (zel::FoldCase(folded) != folded) std::abort();
    (void)zel::SplitLines(text);
    return 0;
}
