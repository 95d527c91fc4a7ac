#include <gtest/gtest.h>

#include <regex>

#include "frontend/ErrorLog.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::TempDir;

ErrorLog FixedClockLog(const std::string& folder) {
    ErrorLog log(folder);
    log.SetClock([] { return std::string("05.12.2026 10:20:11"); });
    return log;
}

TEST(ErrorLog, PathAddsOneSeparatorWhenMissing) {
    EXPECT_EQ(ErrorLog("/opt/zel").Path(), "/opt/zel/zelerror.log");
    EXPECT_EQ(ErrorLog("/opt/zel/").Path(), "/opt/zel/zelerror.log");
    EXPECT_EQ(ErrorLog("C:\\zel\\").Path(), "C:\\zel\\zelerror.log");
    // No folder means the current directory, never the root.
    EXPECT_EQ(ErrorLog("").Path(), "zelerror.log");
}

TEST(ErrorLog, LinesAreStampedAndAppendedInCallOrder) {
    TempDir dir;
    dir.Write("zelerror.log", "(01.01.2026 00:00:00): earlier\r\n");
    const ErrorLog log = FixedClockLog(dir.Path().string());
    log.LogError("ReviewReadStep > Ошибка при чтении файла. first");
    log.LogError("second");
    EXPECT_EQ(TempDir::Read(dir.File("zelerror.log")),
              "(01.01.2026 00:00:00): earlier\r\n"
              "(05.12.2026 10:20:11): ReviewReadStep > Ошибка при чтении файла. first\r\n"
              "(05.12.2026 10:20:11): second\r\n");
}

TEST(ErrorLog, EmptyMessageStillWritesTheStamp) {
    TempDir dir;
    const ErrorLog log = FixedClockLog(dir.Path().string());
    log.LogError("");
    EXPECT_EQ(TempDir::Read(log.Path()), "(05.12.2026 10:20:11): \r\n");
}

TEST(ErrorLog, UnwritableLogIsIgnoredSilently) {
    TempDir dir;
    const ErrorLog missingFolder = FixedClockLog(dir.File("no/such/folder"));
    EXPECT_NO_THROW(missingFolder.LogError("lost"));
    std::filesystem::create_directory(dir.File("zelerror.log"));  // a folder in the way
    const ErrorLog blocked = FixedClockLog(dir.Path().string());
    EXPECT_NO_THROW(blocked.LogError("lost"));
    const ErrorLog throwingClock = [&] {
        ErrorLog l(dir.File("sub"));
        l.SetClock([]() -> std::string { throw std::runtime_error("clock"); });
        return l;
    }();
    EXPECT_NO_THROW(throwingClock.LogError("lost"));
}

TEST(ErrorLog, RealClockUsesDayMonthYearAndTwentyFourHours) {
    EXPECT_TRUE(std::regex_match(NowDateTimeText(),
                                 std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)")))
        << NowDateTimeText();
    EXPECT_TRUE(std::regex_match(NowTimeText(), std::regex(R"(\d\d:\d\d:\d\d)")));
    TempDir dir;
    ErrorLog log(dir.Path().string());
    log.LogError("real");
    EXPECT_TRUE(std::regex_match(TempDir::Read(log.Path()),
                                 std::regex(R"(\(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d\): real\r\n)")));
}

}  // namespace
}  // namespace zel
