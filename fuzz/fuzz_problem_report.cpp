// The problem report tyreport.rpt loaded into its window and saved again:
// an unchanged text must give back the very same file.
#include <cstdlib>

#include "FuzzSupport.h"
#include "screens/ProblemReportModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string path = zel::fuzz::WriteInput(zel::fuzz::Bytes(data, size), "tyreport.rpt");
    zel::fuzz::SilentDialogs d;
    zel::screens::ProblemReportModel report(path, d);
    const std::string text = report.Load();
    // A byte-order mark is no text: a text that still begins with one (the
    // file had two) keeps it on disk and loses it when read again.
    if (text.starts_with("\xEF\xBB\xBF")) return 0;
    if (!report.Save(text)) return 0;
    zel::screens::ProblemReportModel again(path, d);
    if (again.Load() != text) std::abort();  // what was saved loads back as it was
    return 0;
}
