#include <string>

#include <gtest/gtest.h>

#include "base/TextFile.h"
#include "screens/ProblemReportModel.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel::screens {
namespace {

struct ReportFolder {
    std::string File() const { return dir.File("tyreport.rpt"); }
    test::TempDir dir;
    test::FakeDialogs dialogs;
};

TEST(ProblemReport, WithoutAFileTheBoxHoldsTheInitialTextAndClosingAsksNothing) {
    ReportFolder f;
    ProblemReportModel report(f.File(), f.dialogs);
    EXPECT_EQ(report.Load(), "Введите сюда подробное описание ошибки.");
    EXPECT_FALSE(report.Dirty());
    EXPECT_TRUE(report.MayClose("Введите сюда подробное описание ошибки."));
    EXPECT_TRUE(f.dialogs.Messages.empty());
    EXPECT_FALSE(FileExists(f.File()));
}

TEST(ProblemReport, SavingWritesTheTextAndOneLineBreakAndCleansTheText) {
    ReportFolder f;
    ProblemReportModel report(f.File(), f.dialogs);
    report.Load();
    report.TextChanged();
    ASSERT_TRUE(report.Save("Вемба прошла сквозь Пипу.\nВторая строка"));
    EXPECT_FALSE(report.Dirty());
    EXPECT_EQ(test::TempDir::Read(f.File()), "Вемба прошла сквозь Пипу.\r\nВторая строка\r\n");
    EXPECT_FALSE(f.dialogs.BusyCalls.empty());
    EXPECT_TRUE(f.dialogs.BusyBalanced());
    // Closing after the save asks nothing.
    EXPECT_TRUE(report.MayClose("Вемба прошла сквозь Пипу.\nВторая строка"));
    EXPECT_TRUE(f.dialogs.Messages.empty());
}

// Loading and saving again without a change gives the same file, however
// often it is done, empty lines at the end included.
TEST(ProblemReport, LoadAndSaveCyclesKeepTheFileByteForByte) {
    for (const std::string saved : {"Одна строка\r\n", "Две\r\nстроки\r\n", "\r\n", "Пустая в конце\r\n\r\n"}) {
        SCOPED_TRACE(saved);
        ReportFolder f;
        f.dir.Write("tyreport.rpt", saved);
        for (int cycle = 0; cycle < 3; ++cycle) {
            ProblemReportModel report(f.File(), f.dialogs);
            const std::string text = report.Load();
            EXPECT_FALSE(report.Dirty());
            ASSERT_TRUE(report.Save(text));
            EXPECT_EQ(test::TempDir::Read(f.File()), saved) << "cycle " << cycle;
        }
    }
}

TEST(ProblemReport, AnUnsavedTextAsksYesSavesNoDiscardsCancelStays) {
    ReportFolder f;
    f.dir.Write("tyreport.rpt", "Старый текст\r\n");
    ProblemReportModel report(f.File(), f.dialogs);
    ASSERT_EQ(report.Load(), "Старый текст");
    report.TextChanged();

    f.dialogs.Answers = {MsgAnswer::Cancel, MsgAnswer::No};
    EXPECT_FALSE(report.MayClose("Новый текст"));
    ASSERT_EQ(f.dialogs.Messages.size(), 1u);
    EXPECT_EQ(f.dialogs.Messages[0].Text, "Текст не сохранен. Сохранить его сейчас?");
    EXPECT_EQ(f.dialogs.Messages[0].Buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(f.dialogs.Messages[0].Icon, MsgIcon::Information);
    EXPECT_TRUE(report.MayClose("Новый текст"));
    EXPECT_EQ(test::TempDir::Read(f.File()), "Старый текст\r\n");

    f.dialogs.Answers = {MsgAnswer::Yes};
    EXPECT_TRUE(report.MayClose("Новый текст"));
    EXPECT_EQ(test::TempDir::Read(f.File()), "Новый текст\r\n");
    EXPECT_FALSE(report.Dirty());
}

// A save that fails (its warning shown by the file helper) loses nothing:
// the text stays unsaved, and closing still asks.
TEST(ProblemReport, AFailedSaveKeepsTheTextUnsaved) {
    ReportFolder f;
    // A "folder" that is a file: no one can write under it, root neither.
    const std::string folder = f.dir.Write("not-a-folder", "");
    ProblemReportModel report(folder + "/tyreport.rpt", f.dialogs);
    report.Load();
    report.TextChanged();
    EXPECT_FALSE(report.Save("Текст"));
    EXPECT_TRUE(report.Dirty());
    ASSERT_EQ(f.dialogs.Messages.size(), 1u);  // the file helper's warning
    f.dialogs.Answers = {MsgAnswer::Yes};
    EXPECT_FALSE(report.MayClose("Текст"));  // Yes, the save failed again: the window stays
    EXPECT_TRUE(f.dialogs.BusyBalanced());
}

TEST(ProblemReport, AReadOnlyCurrentFolderSendsTheReportToTheDataFolderAndTheHintSaysSo) {
    const auto writable = [](const std::string& folder) { return folder == "/home/igrok/"; };
    const ReportLocation here = ChooseReportLocation("/home/igrok/", "/data/korvalo2/", writable);
    EXPECT_TRUE(here.CurrentFolder);
    EXPECT_EQ(here.File(), "/home/igrok/tyreport.rpt");
    EXPECT_EQ(ReportHint(here),
              "После ввода текста нажмите кнопку \"Сохранить\". Данные будут сохранены в файл "
              "TYREPORT.RPT в текущем каталоге.");

    const ReportLocation root = ChooseReportLocation("/", "/data/korvalo2/", writable);
    EXPECT_FALSE(root.CurrentFolder);
    EXPECT_EQ(root.File(), "/data/korvalo2/tyreport.rpt");
    EXPECT_EQ(ReportHint(root),
              "После ввода текста нажмите кнопку \"Сохранить\". Данные будут сохранены в файл "
              "tyreport.rpt в каталоге /data/korvalo2.");
    // No current folder at all (it was removed under the program).
    EXPECT_EQ(ChooseReportLocation("", "/data/korvalo2", writable).File(), "/data/korvalo2/tyreport.rpt");
}

}  // namespace
}  // namespace zel::screens
