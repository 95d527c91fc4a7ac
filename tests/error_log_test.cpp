#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "base/ErrorLog.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::TempDir;

// True when `text` has the shape of `pattern`, where '9' stands for any digit
// and every other character for itself.
bool HasShape(const std::string& text, const std::string& pattern) {
    if (text.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (pattern[i] == '9' ? (text[i] < '0' || text[i] > '9') : text[i] != pattern[i])
            return false;
    }
    return true;
}

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

TEST(ErrorLog, LineThatCannotBeWrittenIsLostAndChangesNothing) {
    TempDir dir;
    // The log makes no folders on its way.
    FixedClockLog(dir.File("no/such/folder")).LogError("lost");
    EXPECT_FALSE(std::filesystem::exists(dir.File("no")));

    // A folder standing where the log belongs is left alone, and empty.
    std::filesystem::create_directory(dir.File("zelerror.log"));
    FixedClockLog(dir.Path().string()).LogError("lost");
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("zelerror.log")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("zelerror.log")));
}

TEST(ErrorLog, FailingClockLeavesNoPartLineBeforeTheNextOne) {
    TempDir dir;
    dir.Write("zelerror.log", "(01.01.2026 00:00:00): earlier\r\n");
    ErrorLog log(dir.Path().string());
    log.SetClock([]() -> std::string { throw std::runtime_error("clock"); });
    log.LogError("lost");
    EXPECT_EQ(TempDir::Read(log.Path()), "(01.01.2026 00:00:00): earlier\r\n");
    log.SetClock([] { return std::string("05.12.2026 10:20:11"); });
    log.LogError("next");
    EXPECT_EQ(TempDir::Read(log.Path()),
              "(01.01.2026 00:00:00): earlier\r\n"
              "(05.12.2026 10:20:11): next\r\n");
}

TEST(ErrorLog, RealClockUsesDayMonthYearAndTwentyFourHours) {
    EXPECT_TRUE(HasShape(NowDateTimeText(), "99.99.9999 99:99:99")) << NowDateTimeText();
    EXPECT_TRUE(HasShape(NowTimeText(), "99:99:99")) << NowTimeText();
    TempDir dir;
    ErrorLog log(dir.Path().string());
    log.LogError("real");
    EXPECT_TRUE(HasShape(TempDir::Read(log.Path()), "(99.99.9999 99:99:99): real\r\n"))
        << TempDir::Read(log.Path());
}

}  // namespace
}  // namespace zel
