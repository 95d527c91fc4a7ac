// The coat-of-arms window and its printing through Qt's print system, the
// printed page read back from the PDF file as pixels.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "app/ClubScreensWiring.h"
#include "base/TextFile.h"
#include "frontend/CoatOfArmsWindow.h"
#include "frontend/FrontendTexts.h"
#include "frontend/QtPicturePrinter.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

std::string GameData() { return ZEL_GAMEDATA_ROOT; }
std::string BigCoatOfArms() { return GameData() + "gamedata/pic/biggerb.gif"; }

struct Gerb {
    Gerb() : window(GameData(), dialogs, launcher) {}
    test::FakeDialogs dialogs;
    std::vector<QUrl> opened;
    DesktopLauncher launcher{[this](const QUrl& url) {
        opened.push_back(url);
        return true;
    }};
    CoatOfArmsWindow window;
};

TEST(CoatOfArmsWindow, ARightClickOpensTheMenuAndNeverClosesALeftClickCloses) {
    Gerb g;
    g.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.window));
    EXPECT_EQ(g.window.windowTitle(), QString::fromUtf8("Герб Вембного Клуба"));
    QLabel* picture = g.window.Picture();
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_EQ(picture->toolTip(), QString::fromUtf8("Кликните, чтобы вернуться в главный экран"));

    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(picture, b);
        EXPECT_TRUE(g.window.isVisible());
        EXPECT_TRUE(g.window.PopUpMenu()->isVisible());
        g.window.PopUpMenu()->hide();
    }
    // The menu's items in their order, separators as "-".
    std::vector<std::string> items;
    for (QAction* a : g.window.PopUpMenu()->actions())
        items.push_back(a->isSeparator() ? "-" : a->objectName().toStdString() + " " + a->text().toStdString());
    EXPECT_EQ(items, (std::vector<std::string>{
                         "mnuItemGoRK Сайт Вембного Клуба",
                         "mnuItemGoXron Хроника Вембы на сайте Вембного Клуба",
                         "mnuItemColl Коллекция на сайте Вембного Клуба",
                         "mnuItemVoc Словарь на сайте Вембного Клуба", "-", "mnuItemPrint Напечатать", "-",
                         "mnuitemClose Закрыть"}));
    g.window.PopUpMenu()->findChild<QAction*>("mnuItemGoRK")->trigger();
    ASSERT_EQ(g.opened.size(), 1u);
    EXPECT_EQ(g.opened[0].toString().toStdString(), texts::kClubSite);

    QTest::mouseClick(picture, Qt::LeftButton);
    EXPECT_FALSE(g.window.isVisible());
    EXPECT_TRUE(g.dialogs.Messages.empty());
}

TEST(CoatOfArmsWindow, TheMenuShowsItModallyOverTheMainMenu) {
    test::AppHarness h;
    fs::create_directories(h.dir.Path() / "gamedata/pic");
    fs::copy_file(BigCoatOfArms(), h.dir.File("gamedata/pic/biggerb.gif"));
    Application& app = h.Started();
    const auto club = ConnectClubScreens(app);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* gerb = dynamic_cast<CoatOfArmsWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(gerb, nullptr);
        seen = true;
        EXPECT_TRUE(app.Menu()->isVisible());
        gerb->PopUpMenu()->findChild<QAction*>("mnuitemClose")->trigger();
    });
    QTest::mouseClick(app.Menu()->findChild<QLabel*>("Image1"), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// The page of a one-page PDF file as a picture, through poppler's pdftoppm.
QImage RenderedPage(const std::string& pdf, const std::string& folder, int& pages) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
    EXPECT_TRUE(info.waitForFinished(20000)) << "pdfinfo (poppler-utils, scripts/deps.sh)";
    pages = 0;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QStringLiteral("Pages:"))) pages = line.mid(6).trimmed().toInt();
    const std::string stem = folder + "/page";
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), QString::fromStdString(pdf),
                                              QString::fromStdString(stem)});
    EXPECT_TRUE(render.waitForFinished(20000)) << "pdftoppm (poppler-utils, scripts/deps.sh)";
    return QImage(QString::fromStdString(stem + ".png")).convertToFormat(QImage::Format_RGB32);
}

// The average colour of a part of a picture.
QColor Average(const QImage& image, const QRect& r) {
    double red = 0, green = 0, blue = 0;
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            red += qRed(c);
            green += qGreen(c);
            blue += qBlue(c);
            ++n;
        }
    if (n == 0) return {};
    return QColor(static_cast<int>(red / n), static_cast<int>(green / n), static_cast<int>(blue / n));
}

TEST(CoatOfArmsPrinting, PrintingToAPdfFileGivesOnePageWithTheCoatOfArmsFittedAndCentred) {
    test::TempDir out;
    const std::string pdf = out.File("gerb.pdf");
    Gerb g;
    g.window.SetPrinter(std::make_unique<QtPicturePrinter>(&g.window, [&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(pdf));
        p.setPageSize(QPageSize(QPageSize::A4));
        return true;
    }));
    g.dialogs.Answers = {MsgAnswer::Yes};
    g.window.PopUpMenu()->findChild<QAction*>("mnuItemPrint")->trigger();
    ASSERT_EQ(g.dialogs.Messages.size(), 1u) << g.dialogs.LastText();
    EXPECT_EQ(g.dialogs.Messages[0].Text, "Напечатать Герб Вембного Клуба?");
    EXPECT_TRUE(g.dialogs.BusyBalanced());
    EXPECT_FALSE(g.dialogs.BusyCalls.empty());
    ASSERT_TRUE(FileExists(pdf));

    int pages = 0;
    const QImage page = RenderedPage(pdf, out.Path().string(), pages);
    EXPECT_EQ(pages, 1);
    ASSERT_FALSE(page.isNull());
    // A4 at 40 dots per inch: about 331 x 468.
    EXPECT_NEAR(page.width(), 331, 3);
    EXPECT_NEAR(page.height(), 468, 3);

    // Where the page is not white paper.
    QRect inked;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb c = page.pixel(x, y);
            if (qRed(c) < 235 || qGreen(c) < 235 || qBlue(c) < 235) inked |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(inked.isEmpty());
    const QImage original = QImage(QString::fromStdString(BigCoatOfArms())).convertToFormat(QImage::Format_RGB32);
    // Proportions kept, as wide as the printable width, centred both ways.
    EXPECT_NEAR(double(inked.width()) / inked.height(), double(original.width()) / original.height(), 0.03);
    EXPECT_GT(inked.width(), page.width() * 0.8);
    EXPECT_NEAR(inked.left(), page.width() - 1 - inked.right(), 3);
    EXPECT_NEAR(inked.top(), page.height() - 1 - inked.bottom(), 3);

    // The picture itself: each quarter of the printed arms has the colours of
    // the same quarter of the picture.
    const QImage printed = page.copy(inked).scaled(original.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const int w = original.width() / 2;
    const int h = original.height() / 2;
    for (const QRect& quarter : {QRect(0, 0, w, h), QRect(w, 0, w, h), QRect(0, h, w, h), QRect(w, h, w, h)}) {
        const QColor a = Average(printed, quarter);
        const QColor b = Average(original, quarter);
        EXPECT_NEAR(a.red(), b.red(), 24) << quarter.x() << "," << quarter.y();
        EXPECT_NEAR(a.green(), b.green(), 24) << quarter.x() << "," << quarter.y();
        EXPECT_NEAR(a.blue(), b.blue(), 24) << quarter.x() << "," << quarter.y();
    }
}

TEST(CoatOfArmsPrinting, PrintingWithNoPrinterGivesThePrintError) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    Gerb g;
    // The system's default printer, as when the dialog is answered at once.
    g.window.SetPrinter(std::make_unique<QtPicturePrinter>(&g.window, [](QPrinter& p) {
        p.setOutputFormat(QPrinter::NativeFormat);
        return true;
    }));
    g.dialogs.Answers = {MsgAnswer::Yes};
    EXPECT_EQ(g.window.Print(), screens::PrintOutcome::Failed);
    ASSERT_EQ(g.dialogs.Messages.size(), 2u);
    EXPECT_EQ(g.dialogs.Messages[1].Text, "Ошибка печати:\r\n\r\nВ системе не установлен ни один принтер.");
    EXPECT_EQ(g.dialogs.Messages[1].Icon, MsgIcon::Critical);
    EXPECT_TRUE(g.dialogs.BusyBalanced());
}

TEST(CoatOfArmsPrinting, NoToTheQuestionOpensNoPrintDialogAndPrintsNothing) {
    test::TempDir out;
    const std::string pdf = out.File("gerb.pdf");
    int chosen = 0;
    Gerb g;
    g.window.SetPrinter(std::make_unique<QtPicturePrinter>(&g.window, [&](QPrinter& p) {
        ++chosen;
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(pdf));
        return true;
    }));
    g.dialogs.Answers = {MsgAnswer::No};
    EXPECT_EQ(g.window.Print(), screens::PrintOutcome::Declined);
    EXPECT_EQ(chosen, 0);
    EXPECT_FALSE(fs::exists(pdf));
}

}  // namespace
}  // namespace zel
