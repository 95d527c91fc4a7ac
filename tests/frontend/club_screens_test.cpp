// The chronicle, the coat of arms and the problem report as real windows,
// opened from the main menu of a running program.
#include <filesystem>
#include <string>
#include <vector>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "app/ClubScreensWiring.h"
#include "base/TextFile.h"
#include "frontend/ChronicleInfoWindow.h"
#include "frontend/ChronicleWindow.h"
#include "frontend/ClickLabel.h"
#include "frontend/FrontendTexts.h"
#include "frontend/ProblemReportWindow.h"
#include "screens/ChronicleTexts.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

// The program started up to its menu with the club's screens connected, on
// a program folder that holds the game's own chronicle data.
struct Club {
    explicit Club(ClubScreensOptions options = {}) {
        fs::create_directories(h.dir.Path() / "gamedata/xron");
        fs::create_directories(h.dir.Path() / "gamedata/help");
        for (const char* name : {"xron/xron.dat", "xron/xron0.gif", "xron/xron1.gif", "xron/xron2.gif",
                                 "xron/xron3.gif", "help/links.htm", "help/voc.htm", "help/index.html"})
            Copy(std::string("gamedata/") + name);
        app = &h.Started();
        if (!options.CurrentFolder) options.CurrentFolder = [this] { return h.Folder(); };
        club = ConnectClubScreens(*app, std::move(options));
    }
    void Copy(const std::string& name) const {
        fs::copy_file(std::string(ZEL_GAMEDATA_ROOT) + name, h.dir.File(name),
                      fs::copy_options::overwrite_existing);
    }
    void Remove(const std::string& name) const { fs::remove(h.dir.File(name)); }

    ChronicleWindow* OpenChronicle() {
        QTest::mouseClick(app->Menu()->findChild<QPushButton*>("cmdHronika"), Qt::LeftButton);
        return dynamic_cast<ChronicleWindow*>(app->Screens().Existing(kChronicleScreen));
    }
    template <class T>
    static T* Control(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    test::AppHarness h;
    Application* app = nullptr;
    std::unique_ptr<ClubScreens> club;
};

QString Q(const char* text) { return QString::fromUtf8(text).replace("\r\n", "\n"); }

// --- the chronicle -------------------------------------------------------------------

TEST(Chronicle, OpensFromTheMenuAndGoesBackToIt) {
    Club c;
    ChronicleWindow* chronicle = c.OpenChronicle();
    ASSERT_NE(chronicle, nullptr);
    EXPECT_TRUE(chronicle->isVisible());
    EXPECT_FALSE(c.app->Menu()->isVisible());
    EXPECT_EQ(chronicle->windowTitle().toStdString(), ApplicationTitle() + ": Хроника Вембы");
    EXPECT_TRUE(c.h.dialogs.BusyBalanced());
    QTest::mouseClick(Club::Control<QPushButton>(chronicle, "cmdBack"), Qt::LeftButton);
    EXPECT_FALSE(chronicle->isVisible());
    EXPECT_TRUE(c.app->Menu()->isVisible());
}

TEST(Chronicle, TheScrollBarReachesTheStripsEndAndBringsEveryControlBack) {
    Club c;
    ChronicleWindow* chronicle = c.OpenChronicle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chronicle));
    const std::vector<QWidget*> strip = chronicle->StripControls();
    ASSERT_GE(strip.size(), 13u);  // four rectangles, five labels, four variant names
    std::vector<QPoint> start;
    int right = 0;
    int left = 1 << 20;
    for (QWidget* w : strip) {
        start.push_back(w->pos());
        right = std::max(right, w->geometry().right());
        left = std::min(left, w->x());
    }
    QWidget* view = strip.front()->parentWidget();
    QScrollBar* bar = chronicle->ScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the strip is wider than its window";
    EXPECT_GT(right, view->width());

    bar->setValue(bar->maximum());
    const int shift = bar->maximum() * chronicle->StripStep();
    int rightNow = 0;
    for (std::size_t i = 0; i < strip.size(); ++i) {
        EXPECT_EQ(strip[i]->pos(), start[i] - QPoint(shift, 0)) << strip[i]->objectName().toStdString();
        rightNow = std::max(rightNow, strip[i]->geometry().right());
    }
    // The strip's end is in view with the margin it has on the left, and
    // not more than a step further.
    EXPECT_LT(rightNow + left, view->width() + chronicle->StripStep());
    EXPECT_GE(rightNow + left + chronicle->StripStep(), view->width());

    for (int v = bar->maximum(); v >= 0; v -= 7) bar->setValue(v);
    bar->setValue(0);
    for (std::size_t i = 0; i < strip.size(); ++i) EXPECT_EQ(strip[i]->pos(), start[i]);
}

TEST(Chronicle, TheMouseOverAYearLightsItsRectangle) {
    Club c;
    ChronicleWindow* chronicle = c.OpenChronicle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chronicle));
    auto* label = Club::Control<QLabel>(chronicle, "lbl1");
    auto* box = Club::Control<QWidget>(chronicle, "shp1");
    QTest::mouseMove(label, label->rect().center());
    QCoreApplication::processEvents();
    const QImage lit = box->grab().toImage();
    const QColor pale(255, 255, 192);  // 0xC0FFFF as blue, green, red
    // Beside the year's picture, halfway down.
    const QColor ground = lit.pixelColor(lit.width() / 10, lit.height() / 2);
    EXPECT_EQ(ground.rgb(), pale.rgb());
    const QImage other = Club::Control<QWidget>(chronicle, "shp2")->grab().toImage();
    EXPECT_EQ(other.pixelColor(other.width() / 10, other.height() / 2).rgb(), QColor(224, 224, 224).rgb());
}

TEST(Chronicle, AYearShowsItsStoryAndPictureAndAMissingPictureKeepsTheStory) {
    Club c;
    ChronicleWindow* chronicle = c.OpenChronicle();
    QTest::mouseClick(Club::Control<QLabel>(chronicle, "lbl1"), Qt::LeftButton);
    ChronicleInfoWindow* detail = chronicle->ExistingDetail();
    ASSERT_NE(detail, nullptr);
    EXPECT_TRUE(detail->isVisible());
    EXPECT_FALSE(chronicle->isVisible());
    EXPECT_EQ(Club::Control<QLabel>(detail, "lblDate")->text(), Q("Осень 1998 - весна 1999"));
    EXPECT_EQ(Club::Control<QPlainTextEdit>(detail, "Text1")->toPlainText(), Q(screens::texts::kPeriodText1));
    auto* picture = Club::Control<QLabel>(detail, "pic");
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_FALSE(Club::Control<QListWidget>(detail, "List")->isVisibleTo(detail));

    QTest::mouseClick(Club::Control<QPushButton>(detail, "cmdBack"), Qt::LeftButton);
    EXPECT_TRUE(chronicle->isVisible());
    EXPECT_FALSE(detail->isVisible());

    c.Remove("gamedata/xron/xron2.gif");
    QTest::mouseClick(Club::Control<QLabel>(chronicle, "lbl2"), Qt::LeftButton);
    EXPECT_TRUE(detail->isVisible());
    EXPECT_TRUE(picture->pixmap().isNull());
    EXPECT_EQ(Club::Control<QPlainTextEdit>(detail, "Text1")->toPlainText(), Q(screens::texts::kPeriodText2));
    EXPECT_TRUE(c.h.dialogs.Messages.empty());
}

TEST(Chronicle, TheEventsListTheirTitlesAndShowTheChosenOne) {
    Club c;
    ChronicleWindow* chronicle = c.OpenChronicle();
    QTest::mouseClick(Club::Control<QLabel>(chronicle, "lbl4"), Qt::LeftButton);
    ChronicleInfoWindow* detail = chronicle->ExistingDetail();
    ASSERT_NE(detail, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(detail));
    auto* list = Club::Control<QListWidget>(detail, "List");
    EXPECT_TRUE(list->isVisible());
    EXPECT_FALSE(Club::Control<QLabel>(detail, "pic")->isVisible());
    ASSERT_EQ(list->count(), 51);
    EXPECT_EQ(Club::Control<QPlainTextEdit>(detail, "Text1")->toPlainText(), Q("Кликните на событии в левой части окна."));
    EXPECT_EQ(Club::Control<QLabel>(detail, "lblDate")->text(), Q("Осень 2000 - весна 2001: Подробности"));

    list->scrollToItem(list->item(25));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(25)).center());
    const screens::ChronicleEvent& chosen = detail->Model().Detail().Events[25];
    EXPECT_EQ(Club::Control<QLabel>(detail, "lblDate")->text().toStdString(), chosen.Title);
    EXPECT_EQ(Club::Control<QPlainTextEdit>(detail, "Text1")->toPlainText().toStdString(), chosen.Description);
    QTest::mouseMove(list->viewport(), list->visualItemRect(list->item(25)).center() + QPoint(0, 1));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), list->viewport()->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &move);
    EXPECT_EQ(list->toolTip().toStdString(), "Выделено: " + chosen.Title);
}

TEST(Chronicle, AMissingEventFileGivesItsMessageAndTheChronicleStays) {
    Club c;
    c.Remove("gamedata/xron/xron.dat");
    ChronicleWindow* chronicle = c.OpenChronicle();
    QTest::mouseClick(Club::Control<QLabel>(chronicle, "lbl4"), Qt::LeftButton);
    ASSERT_EQ(c.h.dialogs.Messages.size(), 1u);
    EXPECT_EQ(c.h.dialogs.LastText(), "Не найден файл xron.dat. Переустановите Korvalo.");
    EXPECT_TRUE(chronicle->isVisible());
    ASSERT_NE(chronicle->ExistingDetail(), nullptr);
    EXPECT_FALSE(chronicle->ExistingDetail()->isVisible());
}

TEST(Chronicle, ClosingTheDetailWindowByItsFrameEndsTheProgramWithoutAQuestion) {
    Club c;
    ChronicleWindow* chronicle = c.OpenChronicle();
    QTest::mouseClick(Club::Control<QLabel>(chronicle, "lbl0"), Qt::LeftButton);
    chronicle->ExistingDetail()->close();
    EXPECT_EQ(c.h.Quits, 1);
    EXPECT_TRUE(c.h.dialogs.Messages.empty());
    EXPECT_TRUE(FileExists(c.h.dir.File("zel.ini")));
}

TEST(Chronicle, ClosingTheChronicleByItsFrameEndsTheProgramOnce) {
    Club c;
    ChronicleWindow* chronicle = c.OpenChronicle();
    chronicle->close();
    chronicle->close();
    EXPECT_EQ(c.h.Quits, 1);
    EXPECT_TRUE(c.h.dialogs.Messages.empty());
}

TEST(Chronicle, LeavingTheGameFromTheDetailAsksAndTheChroniclesExitDoesNot) {
    Club c;
    ChronicleWindow* chronicle = c.OpenChronicle();
    QTest::mouseClick(Club::Control<QLabel>(chronicle, "lbl3"), Qt::LeftButton);
    ChronicleInfoWindow* detail = chronicle->ExistingDetail();
    c.h.dialogs.Answers = {MsgAnswer::No};
    QTest::mouseClick(Club::Control<QPushButton>(detail, "cmdExit"), Qt::LeftButton);
    ASSERT_EQ(c.h.dialogs.Messages.size(), 1u);
    EXPECT_EQ(c.h.dialogs.LastText(), "Вы уверены, что хотите выйти из игры?");
    EXPECT_EQ(c.h.Quits, 0);
    EXPECT_TRUE(detail->isVisible());

    QTest::mouseClick(Club::Control<QPushButton>(detail, "cmdBack"), Qt::LeftButton);
    QTest::mouseClick(Club::Control<QPushButton>(chronicle, "cmdExit"), Qt::LeftButton);
    EXPECT_EQ(c.h.Quits, 1);
    EXPECT_EQ(c.h.dialogs.Messages.size(), 1u);
}

TEST(Chronicle, TheVariantNamesShowTheirRules) {
    Club c;
    ChronicleWindow* chronicle = c.OpenChronicle();
    struct Case {
        const char* label;
        const char* rulesStart;
    };
    for (const Case& k : {Case{"Label3", "ПРИСТЕНОЧНАЯ ВЕМБА"}, Case{"Label6", "ПРИСТЕНОЧНАЯ ВЕМБА"},
                          Case{"Label4", "МНОГОУРОВНЕВАЯ ВЕМБА"}, Case{"Label7", "ПРОФЕССИОНАЛЬНАЯ ВЕМБА"}}) {
        QTest::mouseClick(Club::Control<QLabel>(chronicle, k.label), Qt::LeftButton);
        ASSERT_FALSE(c.h.dialogs.Messages.empty());
        EXPECT_EQ(c.h.dialogs.LastText().rfind(k.rulesStart, 0), 0u) << k.label;
        EXPECT_EQ(c.h.dialogs.Messages.back().Icon, MsgIcon::Information);
    }
    EXPECT_EQ(c.h.dialogs.Messages.size(), 4u);
}

TEST(Chronicle, HelpLinksDictionaryAndTheClubOpenTheirPagesOrSayWhatIsMissing) {
    Club c;
    ChronicleWindow* chronicle = c.OpenChronicle();
    for (const char* button : {"cmdHelp", "cmdLinks", "Command3"})
        QTest::mouseClick(Club::Control<QPushButton>(chronicle, button), Qt::LeftButton);
    QTest::mouseClick(Club::Control<QLabel>(chronicle, "lblRK"), Qt::LeftButton);
    ASSERT_EQ(c.h.Opened.size(), 4u);
    EXPECT_EQ(c.h.Opened[0].toLocalFile().toStdString(), c.h.Folder() + "gamedata/help/index.html");
    EXPECT_EQ(c.h.Opened[1].toLocalFile().toStdString(), c.h.Folder() + "gamedata/help/links.htm");
    EXPECT_EQ(c.h.Opened[2].toLocalFile().toStdString(), c.h.Folder() + "gamedata/help/voc.htm");
    EXPECT_EQ(c.h.Opened[3].toString().toStdString(), texts::kClubSite);
    EXPECT_TRUE(c.h.dialogs.Messages.empty());
    EXPECT_TRUE(c.h.dialogs.BusyBalanced());

    c.Remove("gamedata/help/links.htm");
    c.Remove("gamedata/help/voc.htm");
    QTest::mouseClick(Club::Control<QPushButton>(chronicle, "cmdLinks"), Qt::LeftButton);
    QTest::mouseClick(Club::Control<QPushButton>(chronicle, "Command3"), Qt::LeftButton);
    ASSERT_EQ(c.h.dialogs.Messages.size(), 2u);
    EXPECT_EQ(c.h.dialogs.Messages[0].Text, "Не найден файл links.htm. Открытие страницы ссылок невозможно.");
    EXPECT_EQ(c.h.dialogs.Messages[1].Text, "Не найден файл voc.htm. Открытие словаря невозможно.");
    EXPECT_EQ(c.h.Opened.size(), 4u);
}

// --- the problem report ------------------------------------------------------------------

void TriggerReport(Club& c) {
    QAction* item = c.app->Menu()->SupportMenu()->findChild<QAction*>("mnuItemReport");
    ASSERT_NE(item, nullptr);
    item->trigger();
}

TEST(ProblemReportWindow, AReportIsWrittenSavedWithTheWindowMinimisedAndReadAfterARestart) {
    test::TempDir cwd;
    ClubScreensOptions options;
    options.CurrentFolder = [&] { return cwd.Path().string(); };
    options.IsWritable = [](const std::string&) { return true; };
    const std::string file = cwd.File("tyreport.rpt");
    {
        Club c(options);
        TriggerReport(c);
        ProblemReportWindow* report = c.club->Report();
        ASSERT_NE(report, nullptr);
        EXPECT_TRUE(report->isVisible());
        EXPECT_EQ(report->windowTitle(), Q("Отчет об ошибках программ Merovane(R)"));
        EXPECT_EQ(Club::Control<QLabel>(report, "lblTitle")->text().toStdString(), ApplicationTitle());
        EXPECT_EQ(Club::Control<QLabel>(report, "lblVersion")->text(), Q("3.0.1200 (Билд 1200)"));
        EXPECT_TRUE(Club::Control<QLabel>(report, "lblDate")->text().isEmpty());
        EXPECT_EQ(Club::Control<QLabel>(report, "Label6")->text(),
                  Q("После ввода текста нажмите кнопку \"Сохранить\". Данные будут сохранены в файл "
                    "TYREPORT.RPT в текущем каталоге."));
        auto* text = Club::Control<QPlainTextEdit>(report, "txt");
        EXPECT_EQ(text->toPlainText(), Q("Введите сюда подробное описание ошибки."));
        EXPECT_FALSE(report->Model().Dirty());

        text->selectAll();
        text->insertPlainText(QString::fromUtf8("Вемба прошла сквозь стену"));
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, QStringLiteral("400 x 300"));
        EXPECT_TRUE(report->Model().Dirty());
        QTest::mouseClick(Club::Control<QPushButton>(report, "cmdSave"), Qt::LeftButton);
        EXPECT_TRUE(report->isMinimized());
        EXPECT_EQ(test::TempDir::Read(file), "Вемба прошла сквозь стену\r\n400 x 300\r\n");

        QTest::mouseClick(Club::Control<QPushButton>(report, "cmdClose"), Qt::LeftButton);
        EXPECT_TRUE(c.h.dialogs.Messages.empty());
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(c.club->Report(), nullptr);
    }
    Club again(options);
    TriggerReport(again);
    ProblemReportWindow* report = again.club->Report();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(Club::Control<QPlainTextEdit>(report, "txt")->toPlainText(),
              Q("Вемба прошла сквозь стену\n400 x 300"));
    EXPECT_FALSE(report->Model().Dirty());
    report->close();
    EXPECT_TRUE(again.h.dialogs.Messages.empty());
    EXPECT_EQ(test::TempDir::Read(file), "Вемба прошла сквозь стену\r\n400 x 300\r\n");
}

TEST(ProblemReportWindow, AnUnsavedTextAsksOnClosingAndCancelKeepsTheWindow) {
    Club c;
    TriggerReport(c);
    ProblemReportWindow* report = c.club->Report();
    ASSERT_NE(report, nullptr);
    QTest::keyClicks(Club::Control<QPlainTextEdit>(report, "txt"), QStringLiteral("!"));
    c.h.dialogs.Answers = {MsgAnswer::Cancel};
    report->close();
    ASSERT_EQ(c.h.dialogs.Messages.size(), 1u);
    EXPECT_EQ(c.h.dialogs.LastText(), "Текст не сохранен. Сохранить его сейчас?");
    EXPECT_TRUE(report->isVisible());
    c.h.dialogs.Answers = {MsgAnswer::No};
    report->close();
    EXPECT_FALSE(FileExists(c.h.dir.File("tyreport.rpt")));
}

// A game started from the desktop's menu runs in "/": the report goes to
// the folder of the game's other files, and the window says which.
TEST(ProblemReportWindow, AReadOnlyCurrentFolderSendsTheReportToTheGamesFolder) {
    ClubScreensOptions options;
    options.CurrentFolder = [] { return std::string("/"); };
    options.IsWritable = [](const std::string& folder) { return folder != "/"; };
    Club c(options);
    TriggerReport(c);
    ProblemReportWindow* report = c.club->Report();
    ASSERT_NE(report, nullptr);
    std::string folder = c.app->Paths().DataPath;
    folder.pop_back();
    EXPECT_EQ(Club::Control<QLabel>(report, "Label6")->text().toStdString(),
              "После ввода текста нажмите кнопку \"Сохранить\". Данные будут сохранены в файл "
              "tyreport.rpt в каталоге " + folder + ".");
    QTest::keyClicks(Club::Control<QPlainTextEdit>(report, "txt"), QStringLiteral("!"));
    report->Save();
    EXPECT_TRUE(FileExists(c.app->Paths().DataPath + "tyreport.rpt"));
    EXPECT_TRUE(c.h.dialogs.Messages.empty()) << c.h.dialogs.LastText();
}

}  // namespace
}  // namespace zel
