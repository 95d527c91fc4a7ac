#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "base/AtomicFile.h"
#include "base/TextEncoding.h"
#include "base/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

namespace fs = std::filesystem;
using test::FakeDialogs;
using test::TempDir;

// "Привет, Ёж" in Windows-1251, as the Windows edition stored it.
const std::string kCp1251Hello = "\xCF\xF0\xE8\xE2\xE5\xF2, \xA8\xE6";
const std::string kUtf8Hello = "Привет, Ёж";

const char* const kWriteFailTail = ". Возможно, имя неверное или текст слишком большой.\r\n\r\n";

// Files in `dir` other than `keep`: leftovers of a failed write.
int CountOtherFiles(const fs::path& dir, const std::string& keep) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().filename() != keep) ++n;
    return n;
}

// Permission checks do not apply to root. Under root (containers, CI) the
// checks that need them run with the effective user switched to "nobody" for
// the scope of this object; otherwise nothing changes.
class WithoutRootRights {
public:
    WithoutRootRights() : wasRoot_(::geteuid() == 0) {
        if (wasRoot_) switched_ = ::seteuid(65534) == 0;
    }
    ~WithoutRootRights() {
        if (switched_) (void)::seteuid(0);
    }
    WithoutRootRights(const WithoutRootRights&) = delete;
    WithoutRootRights& operator=(const WithoutRootRights&) = delete;
    // False when permissions would still be ignored.
    bool Effective() const { return !wasRoot_ || switched_; }

private:
    bool wasRoot_;
    bool switched_ = false;
};

// Lets another user into the test folder (read and search only).
void OpenForOthers(const fs::path& dir) {
    fs::permissions(dir, fs::perms::others_read | fs::perms::others_exec |
                             fs::perms::group_read | fs::perms::group_exec,
                    fs::perm_options::add);
}

TEST(TextEncoding, ValidUtf8IsKeptAndWindows1251IsConverted) {
    EXPECT_EQ(DecodeFileText(kUtf8Hello), kUtf8Hello);
    EXPECT_EQ(DecodeFileText(kCp1251Hello), kUtf8Hello);
    EXPECT_EQ(DecodeFileText("plain ascii\r\n"), "plain ascii\r\n");
    // A byte-order mark at the start would hide the first line's key.
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF[zelset]"), "[zelset]");
    // Typographic punctuation of the code page.
    EXPECT_EQ(Cp1251ToUtf8("\x84\x93\x94\x96\x97\xB9"), "„“”–—№");
}

TEST(TextEncoding, MalformedUtf8FallsBackToWindows1251) {
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("ok\xD0"));            // cut off at the end
    EXPECT_FALSE(IsValidUtf8("\x80"));              // stray continuation
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));   // four-byte form
    // One Cyrillic Windows-1251 letter makes the whole file Windows-1251.
    EXPECT_EQ(DecodeFileText("R0=\xC2\xE0\xF1\xFF"), "R0=Вася");
    // The one unassigned byte still decodes to something.
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
}

TEST(TextEncoding, CaseFoldingCoversCyrillicAndKeepsLength) {
    EXPECT_EQ(FoldCase("ПРИВЕТ, Ёж! ЯЩИК Ђ"), "привет, ёж! ящик ђ");
    EXPECT_EQ(FoldCase("[ZelSet] ScreenW=800"), "[zelset] screenw=800");
    const std::string mixed = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
    EXPECT_EQ(FoldCase(mixed), "абвгдежзийклмнопрстуфхцчшщъыьэюя");
    EXPECT_EQ(FoldCase(mixed).size(), mixed.size());
    // Other letters and bytes pass through untouched.
    EXPECT_EQ(FoldCase("ÄÖ ß ä"), "ÄÖ ß ä");
}

TEST(TextFile, FileExistsOnlyForVisibleRegularFiles) {
    TempDir dir;
    const std::string f = dir.Write("zel.ini", "x");
    EXPECT_TRUE(FileExists(f));
    EXPECT_FALSE(FileExists(dir.Path().string()));
    EXPECT_FALSE(FileExists(dir.File("missing.ini")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(dir.Write(".hidden.zel", "x")));
    fs::create_symlink(f, dir.File("link.ini"));
    EXPECT_TRUE(FileExists(dir.File("link.ini")));
    fs::create_symlink(dir.File("gone"), dir.File("dangling.ini"));
    EXPECT_FALSE(FileExists(dir.File("dangling.ini")));
}

TEST(TextFile, ReadEndsEveryLineWithCrLf) {
    TempDir dir;
    FakeDialogs d;
    EXPECT_EQ(ReadTextFile(dir.Write("a.txt", "one\r\ntwo\nthree"), d), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(ReadTextFile(dir.Write("b.txt", "one\r\n\r\n"), d), "one\r\n\r\n");
    EXPECT_EQ(ReadTextFile(dir.Write("c.txt", ""), d), "");
    EXPECT_EQ(ReadTextFile(dir.Write("d.txt", kCp1251Hello + "\r\n"), d), kUtf8Hello + "\r\n");
    EXPECT_TRUE(d.Messages.empty());
    EXPECT_TRUE(d.BusyBalanced());
    EXPECT_FALSE(d.BusyCalls.empty());
}

TEST(TextFile, ReadOfNothingGivesEmptyTextWithoutMessage) {
    TempDir dir;
    FakeDialogs d;
    EXPECT_EQ(ReadTextFile("", d), "");
    EXPECT_EQ(ReadTextFile(dir.File("missing.rpt"), d), "");
    EXPECT_EQ(ReadTextFile(dir.Path().string(), d), "");
    EXPECT_TRUE(d.Messages.empty());
    EXPECT_TRUE(d.BusyCalls.empty());
}

TEST(TextFile, UnreadableFileWarnsAndGivesEmptyText) {
    TempDir dir;
    FakeDialogs d;
    OpenForOthers(dir.Path());
    const std::string f = dir.Write("locked.rpt", "secret\r\n");
    fs::permissions(f, fs::perms::none);
    {
        WithoutRootRights user;
        if (!user.Effective()) GTEST_SKIP() << "permissions cannot be enforced here";
        EXPECT_EQ(ReadTextFile(f, d), "");
    }
    ASSERT_EQ(d.Messages.size(), 1u);
    EXPECT_EQ(d.Messages[0].Text,
              "Ошибка при чтении файла. Возможно, он поврежден или слишком большой.");
    EXPECT_EQ(d.Messages[0].Title, "Чтение файла");
    EXPECT_EQ(d.Messages[0].Icon, MsgIcon::Exclamation);
    EXPECT_TRUE(d.BusyBalanced());
}

TEST(TextFile, WriteUsesCrLfAndAddsOneLineBreak) {
    TempDir dir;
    FakeDialogs d;
    const std::string f = dir.File("zel.ini");
    EXPECT_TRUE(WriteTextFile(f, "[zelset]\nScreenW=640\r\nR0=Вася", d));
    EXPECT_EQ(TempDir::Read(f), "[zelset]\r\nScreenW=640\r\nR0=Вася\r\n");
    EXPECT_TRUE(WriteTextFile(f, "", d));
    EXPECT_EQ(TempDir::Read(f), "\r\n");
    EXPECT_TRUE(d.Messages.empty());
    EXPECT_TRUE(d.BusyBalanced());
    EXPECT_EQ(CountOtherFiles(dir.Path(), "zel.ini"), 0);
}

TEST(TextFile, ReadWriteCycleGainsOneLineBreakEachTime) {
    TempDir dir;
    FakeDialogs d;
    const std::string f = dir.File("tyreport.rpt");
    ASSERT_TRUE(WriteTextFile(f, "text", d));
    ASSERT_TRUE(WriteTextFile(f, ReadTextFile(f, d), d));
    EXPECT_EQ(TempDir::Read(f), "text\r\n\r\n");
}

TEST(TextFile, WriteKeepsThePermissionsOfTheReplacedFile) {
    TempDir dir;
    FakeDialogs d;
    const std::string f = dir.Write("zel.cmd", "old");
    fs::permissions(f, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteTextFile(f, "new", d));
    EXPECT_EQ(fs::status(f).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(TextFile, WriteThroughSymlinkReplacesTheTargetNotTheLink) {
    TempDir dir;
    FakeDialogs d;
    const std::string real = dir.Write("real.ini", "old");
    fs::create_symlink(real, dir.File("zel.ini"));
    ASSERT_TRUE(WriteTextFile(dir.File("zel.ini"), "new", d));
    EXPECT_TRUE(fs::is_symlink(dir.File("zel.ini")));
    EXPECT_EQ(TempDir::Read(real), "new\r\n");
}

TEST(TextFile, FailedWriteOverDirectoryWarnsAndLeavesNoTrace) {
    TempDir dir;
    FakeDialogs d;
    const std::string target = dir.File("zel.sav");
    fs::create_directory(target);
    dir.Write("zel.sav/inside.txt", "keep");
    EXPECT_FALSE(WriteTextFile(target, "text", d));
    ASSERT_EQ(d.Messages.size(), 1u);
    EXPECT_EQ(d.Messages[0].Text.rfind("Ошибка при записи файла:" + target + kWriteFailTail, 0), 0u)
        << d.Messages[0].Text;
    // The system's reason is told in the player's language.
    EXPECT_EQ(d.Messages[0].Text, "Ошибка при записи файла:" + target + kWriteFailTail +
                                      "Это папка, а не файл");
    EXPECT_EQ(d.Messages[0].Icon, MsgIcon::Exclamation);
    EXPECT_TRUE(d.BusyBalanced());
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(TempDir::Read(dir.File("zel.sav/inside.txt")), "keep");
    EXPECT_EQ(CountOtherFiles(dir.Path(), "zel.sav"), 0);
}

TEST(TextFile, FailedWriteLeavesTheOldFileIntact) {
    TempDir dir;
    FakeDialogs d;
    // A folder that does not exist.
    EXPECT_FALSE(WriteTextFile(dir.File("nowhere/zel.ini"), "x", d));
    EXPECT_FALSE(WriteTextFile("", "x", d));
    EXPECT_EQ(d.Messages.size(), 2u);
    EXPECT_EQ(d.Messages[1].Text.rfind(std::string("Ошибка при записи файла:") + kWriteFailTail, 0),
              0u);

    // A folder the user may read but not write.
    const std::string f = dir.Write("zel.ini", "[zelset]\r\nScreenW=800\r\n");
    OpenForOthers(dir.Path());
    fs::permissions(f, fs::perms::all);
    fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::remove);
    {
        WithoutRootRights user;
        if (!user.Effective()) GTEST_SKIP() << "permissions cannot be enforced here";
        EXPECT_FALSE(WriteTextFile(f, "[zelset]\r\n", d));
    }
    fs::permissions(dir.Path(), fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(TempDir::Read(f), "[zelset]\r\nScreenW=800\r\n");
    EXPECT_EQ(CountOtherFiles(dir.Path(), "zel.ini"), 0);
    EXPECT_EQ(d.Messages.size(), 3u);
}

TEST(AtomicFile, ReplacesWithTheBytesExactlyAsGiven) {
    TempDir dir;
    const std::string f = dir.Write("gamedata.bin", "old content");
    const std::string bytes("a\nb\0c\r", 7);  // no line-end conversion, NUL kept
    int err = -1;
    ASSERT_TRUE(ReplaceFileAtomically(f, bytes, err));
    EXPECT_EQ(TempDir::Read(f), bytes);
    EXPECT_EQ(CountOtherFiles(dir.Path(), "gamedata.bin"), 0);
}

TEST(AtomicFile, NeverWritesIntoAnotherWritersTemporaryFile) {
    TempDir dir;
    const std::string f = dir.Write("zel.ini", "old");
    // Another writer of the same file is half way: its temporary files
    // stand where ours would go first.
    const std::string pid = std::to_string(::getpid());
    for (int k = 0; k < 3; ++k) dir.Write(".zel.ini.tmp" + pid + "_" + std::to_string(k), "theirs");
    int err = -1;
    ASSERT_TRUE(ReplaceFileAtomically(f, "ours", err));
    EXPECT_EQ(TempDir::Read(f), "ours");
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(TempDir::Read(dir.File(".zel.ini.tmp" + pid + "_" + std::to_string(k))), "theirs");
}

TEST(AtomicFile, FailureGivesTheSystemErrorAndKeepsTheOldFile) {
    TempDir dir;
    int err = 0;
    EXPECT_FALSE(ReplaceFileAtomically(dir.File("nowhere/zel.cmd"), "x", err));
    EXPECT_EQ(err, ENOENT);
    EXPECT_EQ(SystemErrorText(err), "Нет такого файла или папки");
    EXPECT_EQ(SystemErrorText(ENOSPC), "На диске не осталось места");
    // A rare error keeps the system's words and its number.
    EXPECT_EQ(SystemErrorText(EDOM).rfind("Системная ошибка " + std::to_string(EDOM) + " (", 0), 0u);
    fs::create_directory(dir.File("folder"));
    EXPECT_FALSE(ReplaceFileAtomically(dir.File("folder"), "x", err));
    EXPECT_TRUE(fs::is_directory(dir.File("folder")));
    EXPECT_EQ(CountOtherFiles(dir.Path(), "folder"), 0);
}

}  // namespace
}  // namespace zel
