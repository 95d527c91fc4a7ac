// The game's look on every screen: each window opened as the player sees it,
// its pixels read back, and a screenshot of it saved. The same cases run at
// 100 %, at a scale factor of 2 and with fonts at twice the resolution
// (ctest runs this file three times).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "ScreensHarness.h"
#include "frontend/AboutWindow.h"
#include "frontend/ChronicleInfoWindow.h"
#include "frontend/ChronicleWindow.h"
#include "frontend/CoatOfArmsWindow.h"
#include "frontend/ProblemReportWindow.h"
#include "frontend/DesktopLauncher.h"
#include "frontend/GameTheme.h"
#include "frontend/MainMenuWindow.h"
#include "frontend/QtDialogs.h"
#include "screens/LoadGameModel.h"
#include "screens/LoadGameWindow.h"
#include "screens/NetworkWindow.h"
#include "screens/PieceEditorWindow.h"

namespace zel::test {
namespace {

using screens::OptionsWindow;
using screens::ResultsWindow;
using screens::StartWindow;
using theme::Colour;
using theme::ColourOf;

// --- reading pixels -----------------------------------------------------------

double Channel(int v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(QRgb c) {
    return 0.2126 * Channel(qRed(c)) + 0.7152 * Channel(qGreen(c)) + 0.0722 * Channel(qBlue(c));
}

// The WCAG contrast ratio: 1 for none, 21 for black on white.
double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The largest difference of one channel.
int Distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QRgb Mix(QColor a, QColor b, double t) {
    return qRgb(static_cast<int>(std::lround(a.red() + (b.red() - a.red()) * t)),
                static_cast<int>(std::lround(a.green() + (b.green() - a.green()) * t)),
                static_cast<int>(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
}

// The ground and the ink of a text: the ground is the pixel of median
// brightness of the whole control (letters are a minority of its pixels,
// and the middle of a gradient stands for all of it), the ink the pixel of
// the text's area that stands out from it the most.
struct Ink {
    QRgb ground = 0;      // the colour behind the text
    QRgb ink = 0;         // the text's own colour, where a stroke is solid
    double contrast = 1;  // of the two
};

QRgb MedianBrightness(const QImage& part) {
    std::vector<std::pair<double, QRgb>> pixels;
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x) {
            const QRgb c = part.pixel(x, y) | 0xff000000u;
            pixels.emplace_back(Luminance(c), c);
        }
    if (pixels.empty()) return 0;
    std::nth_element(pixels.begin(), pixels.begin() + pixels.size() / 2, pixels.end());
    return pixels[pixels.size() / 2].second;
}

Ink InkOf(const QImage& whole, const QImage& text) {
    Ink out;
    out.ground = MedianBrightness(whole);
    for (int y = 0; y < text.height(); ++y)
        for (int x = 0; x < text.width(); ++x) {
            const QRgb colour = text.pixel(x, y) | 0xff000000u;
            const double c = Contrast(colour, out.ground);
            if (c > out.contrast) {
                out.contrast = c;
                out.ink = colour;
            }
        }
    return out;
}

// Pixels of `part` within `tolerance` of `colour`.
int CountNear(const QImage& part, QColor colour, int tolerance) {
    int n = 0;
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x) n += Distance(part.pixel(x, y), colour.rgb()) <= tolerance;
    return n;
}

// --- the screens ------------------------------------------------------------------

// Where the screenshots go: ZEL_TEST_OUTPUT_DIR, else the build folder's
// test-output/screens.
std::filesystem::path OutputFolder() {
    const char* chosen = std::getenv("ZEL_TEST_OUTPUT_DIR");
    std::filesystem::path folder = chosen && *chosen ? std::filesystem::path(chosen)
                                                     : std::filesystem::path(ZEL_TEST_OUTPUT_DEFAULT);
    std::filesystem::create_directories(folder);
    return folder;
}

// The run's scale in the file names: "100", "200" (scale factor 2) or
// "fonts200" (fonts at twice the resolution, pixels left alone).
std::string RunTag(const QWidget* w) {
    const double fonts = w->logicalDpiY() / 96.0;
    const int percent = static_cast<int>(std::lround(w->devicePixelRatioF() * 100));
    if (fonts > 1.5 && percent == 100) return "fonts" + std::to_string(static_cast<int>(std::lround(fonts * 100)));
    return std::to_string(percent);
}

// A window as it is on the screen: its picture in device pixels.
struct Shot {
    QWidget* window = nullptr;  // the window shot
    QImage image;               // all of it, device pixels
    double ratio = 1;           // device pixels per window pixel

    // The part of the picture under `r`, a rectangle of widget `w`.
    QImage Part(const QWidget* w, QRect r) const {
        r.moveTopLeft(w->mapTo(window, r.topLeft()));
        const QRect device(static_cast<int>(std::lround(r.x() * ratio)), static_cast<int>(std::lround(r.y() * ratio)),
                           static_cast<int>(std::lround(r.width() * ratio)),
                           static_cast<int>(std::lround(r.height() * ratio)));
        return image.copy(device.intersected(image.rect()));
    }
    QImage Part(const QWidget* w) const { return Part(w, w->rect()); }
    // The text in `area` of `w` against the ground of `ground`, by default
    // of all of `w`.
    Ink InkIn(const QWidget* w, const QRect& area, QRect ground = {}) const {
        return InkOf(Part(w, ground.isEmpty() ? w->rect() : ground), Part(w, area));
    }
};

// Shows `window`, lets it paint, and takes its picture; saved as
// <name>-<run tag>.png unless `name` is empty.
Shot Take(QWidget* window, const std::string& name) {
    if (!window->isVisible()) window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window)) << name;
    QCoreApplication::processEvents();
    Shot shot;
    shot.window = window;
    shot.ratio = window->devicePixelRatioF();
    shot.image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (!name.empty()) {
        const std::filesystem::path file = OutputFolder() / (name + "-" + RunTag(window) + ".png");
        EXPECT_TRUE(shot.image.save(QString::fromStdString(file.string()), "PNG")) << file;
    }
    return shot;
}

// The widgets of `window` that the player sees, of type T.
template <class T>
std::vector<T*> Seen(QWidget* window) {
    std::vector<T*> out;
    for (T* w : window->findChildren<T*>())
        if (w->isVisibleTo(window) && w->window() == window) out.push_back(w);
    return out;
}

// The band through the middle of a line of text, `left` to `right` pixels
// in from the widget's sides: where the strokes of the letters are and no
// border or indicator is.
QRect TextBand(const QWidget* w, int left, int right) {
    const int line = w->fontMetrics().height();
    const int band = std::max(2, line * 6 / 10);
    return QRect(left, (w->height() - band) / 2, std::max(1, w->width() - left - right), band);
}

// Where the text of a control is drawn, or an empty rectangle for a
// control without text.
QRect TextArea(const QWidget* w) {
    const int em = w->fontMetrics().height();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty()) return {};
        return label->contentsRect();
    }
    if (auto* button = qobject_cast<const QPushButton*>(w)) {
        if (button->text().isEmpty()) return {};
        return TextBand(w, em * 3 / 4, em * 3 / 4);
    }
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
        if (static_cast<const QAbstractButton*>(w)->text().isEmpty()) return {};
        return TextBand(w, em * 3 / 2, em / 4);
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        if (edit->text().isEmpty()) return {};
        return TextBand(w, em / 2, em / 2);
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        if (combo->currentText().isEmpty()) return {};
        return TextBand(w, em / 2, em * 2);
    }
    return {};
}

// What a text control says, for the messages.
std::string Describe(const QWidget* w) {
    QString text;
    if (auto* l = qobject_cast<const QLabel*>(w)) text = l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) text = b->text();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) text = e->text();
    if (auto* c = qobject_cast<const QComboBox*>(w)) text = c->currentText();
    return (w->window()->objectName() + "/" + w->objectName() + " \"" + text.left(30) + "\"").toStdString();
}

// Every text of the window against its ground: 4.5 to 1 at least, and 3 to
// 1 for disabled controls, which are dimmed on purpose but still read.
void ExpectReadable(const Shot& shot) {
    int checked = 0;
    for (QWidget* w : Seen<QWidget>(shot.window)) {
        if (w->hasFocus()) continue;  // the focus colour would stand in for the text's
        const QRect area = TextArea(w);
        if (area.isEmpty()) continue;
        const Ink ink = shot.InkIn(w, area);
        const double least = w->isEnabled() ? 4.5 : 3.0;
        EXPECT_GE(ink.contrast, least) << Describe(w) << ": ink " << std::hex << ink.ink << " on " << ink.ground;
        ++checked;
    }
    EXPECT_GT(checked, 0) << shot.window->objectName().toStdString();
    // Group-box titles and tabs are drawn by their parents.
    for (QGroupBox* box : Seen<QGroupBox>(shot.window)) {
        const int em = box->fontMetrics().height();
        const QRect title(em / 2, 0, box->fontMetrics().horizontalAdvance(box->title()) + em, em);
        const Ink ink = shot.InkIn(box, title, title);
        EXPECT_GE(ink.contrast, 4.5) << Describe(box) << " " << box->title().toStdString();
    }
    for (QTabBar* bar : Seen<QTabBar>(shot.window))
        for (int i = 0; i < bar->count(); ++i) {
            const QRect tab = bar->tabRect(i);
            const int em = bar->fontMetrics().height();
            const QRect band(tab.x() + em / 2, tab.center().y() - em / 4, tab.width() - em, em / 2);
            EXPECT_GE(shot.InkIn(bar, band, tab).contrast, 4.5) << bar->tabText(i).toStdString();
        }
}

// Every control at least as large as its contents ask: a control squeezed
// below its minimum cuts its text off. Lengths in em round to whole pixels
// one way in a control's own size and another in its frame's, which can
// take a pixel or two of padding, never a letter: kSlack allows for it.
constexpr int kSlack = 2;

void ExpectNothingClipped(QWidget* window) {
    for (QWidget* w : Seen<QWidget>(window)) {
        const bool text = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                          qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                          qobject_cast<QGroupBox*>(w) || qobject_cast<QTabBar*>(w);
        // The edit line of a combo box is the combo box's inside.
        if (!text || qobject_cast<QComboBox*>(w->parentWidget())) continue;
        const QSize least = w->minimumSizeHint();
        auto* label = qobject_cast<QLabel*>(w);
        if (label && label->wordWrap()) {
            EXPECT_GE(w->height() + kSlack, label->heightForWidth(w->width())) << Describe(w);
            continue;
        }
        if (least.isValid()) {
            EXPECT_GE(w->width() + kSlack, least.width()) << Describe(w);
            EXPECT_GE(w->height() + kSlack, least.height()) << Describe(w);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_GE(w->width() + kSlack, button->sizeHint().width()) << Describe(w);
        }
    }
    for (QListWidget* list : Seen<QListWidget>(window)) {
        int rows = 0;
        for (int i = 0; i < list->count(); ++i) rows += list->sizeHintForRow(i);
        EXPECT_GE(list->viewport()->height(), rows) << Describe(list) << ": its items need a scroll bar";
    }
}

// A button's face at half its height, on the side of its caption: the middle
// of the theme's gradient, or the disabled face.
void ExpectThemeButton(const Shot& shot, QPushButton* button) {
    const int em = button->fontMetrics().height();
    const QImage face = shot.Part(button, QRect(em / 2, button->height() / 2, 1, 1));
    ASSERT_FALSE(face.isNull()) << Describe(button);
    const QRgb expected = button->isEnabled()
                              ? Mix(ColourOf(Colour::ButtonTop), ColourOf(Colour::ButtonBottom), 0.5)
                              : ColourOf(Colour::DisabledButton).rgb();
    EXPECT_LE(Distance(face.pixel(0, 0), expected), 14)
        << Describe(button) << ": face " << std::hex << face.pixel(0, 0) << " for " << expected;
    const Ink ink = shot.InkIn(button, TextArea(button));
    const QColor caption = ColourOf(button->isEnabled() ? Colour::ButtonText : Colour::DisabledText);
    EXPECT_LE(Distance(ink.ink, caption.rgb()), 40)
        << Describe(button) << ": caption " << std::hex << ink.ink << " for " << caption.rgb();
}

void ExpectThemeButtons(const Shot& shot) {
    const std::vector<QPushButton*> buttons = Seen<QPushButton>(shot.window);
    EXPECT_FALSE(buttons.empty()) << shot.window->objectName().toStdString();
    for (QPushButton* b : buttons)
        if (!b->hasFocus() && !b->underMouse() && !b->isDown()) ExpectThemeButton(shot, b);
}

// All that every screen owes the player, and its screenshot.
void ExpectThemed(QWidget* window, const std::string& name) {
    // No control under the mouse, so none is lit by it.
    QCursor::setPos(window->screen()->geometry().bottomRight());
    const Shot shot = Take(window, name);
    SCOPED_TRACE(name);
    ExpectThemeButtons(shot);
    ExpectReadable(shot);
    ExpectNothingClipped(window);
}

struct Screens : ScreensHarness {
    Screens() {
        const char* names[] = {"Вера", "Корней", "Аристарх Пантелеймонович", "Дина"};
        for (int i = 0; i < 4; ++i) store.Start.SetName(i, names[i]);
        MarkOnly({0, 1, 2});
    }
    DesktopLauncher launcher{[](const QUrl&) { return true; }};  // opens nothing
};

// --- the cases -------------------------------------------------------------------

TEST(GameTheme, MainMenuAndAboutWindowShowTheTheme) {
    Screens h;
    MainMenuWindow menu(h.s, h.dialogs, h.launcher);
    ExpectThemed(&menu, "main-menu");

    AboutWindow about(h.s.AppPath, h.dialogs, h.launcher, &menu);
    ExpectThemed(&about, "about");
}

// The chronicle's strip: the cards of the school years in their own pale
// colours with dark letters, the lit one in pale yellow, and the strip
// moved to its end still reading; then the detail window with a year and
// with the events.
TEST(GameTheme, ChronicleAndItsDetailWindowShowTheTheme) {
    Screens h;
    ChronicleWindow chronicle(h.s.AppPath, h.dialogs, h.launcher, "Korvalo II: Vantorix");
    chronicle.Highlight(1);
    ExpectThemed(&chronicle, "chronicle");
    chronicle.ScrollBar()->setValue(chronicle.ScrollBar()->maximum());
    const Shot end = Take(&chronicle, "chronicle-end");
    ExpectReadable(end);
    // The events' card, at the strip's end, wholly in view.
    auto* card = chronicle.findChild<QLabel*>("lbl4");
    ASSERT_NE(card, nullptr);
    EXPECT_LE(card->geometry().right(), card->parentWidget()->width());
    EXPECT_GE(card->x(), 0);

    chronicle.Sdvig(2);
    ChronicleInfoWindow* detail = chronicle.ExistingDetail();
    ASSERT_NE(detail, nullptr);
    ExpectThemed(detail, "chronicle-year");
    // The season's fifty-one events scroll in their list, on purpose: all
    // the rest must fit as everywhere.
    chronicle.Sdvig(4);
    QCursor::setPos(detail->screen()->geometry().bottomRight());
    const Shot events = Take(detail, "chronicle-events");
    ExpectThemeButtons(events);
    ExpectReadable(events);
}

TEST(GameTheme, CoatOfArmsAndProblemReportShowTheTheme) {
    Screens h;
    CoatOfArmsWindow gerb(h.s.AppPath, h.dialogs, h.launcher);
    const Shot shot = Take(&gerb, "coat-of-arms");
    // The picture is there: its gold and green, not only the baize.
    const QImage picture = shot.Part(gerb.Picture());
    EXPECT_GT(CountNear(picture, QColor(0xd4, 0xaf, 0x37), 60), picture.width() * picture.height() / 50);

    screens::ReportLocation where;
    where.Folder = h.tmp.Path().string() + "/";
    where.CurrentFolder = true;
    ProblemReportWindow report(where, "Korvalo II: Vantorix Билд1200", h.dialogs);
    report.setAttribute(Qt::WA_DeleteOnClose, false);
    ExpectThemed(&report, "problem-report");
}

TEST(GameTheme, SetupScreenShowsTheThemeAndADisabledStartButtonReadsAsDisabled) {
    Screens h;
    h.screens->OpenStart(&h.menu);
    StartWindow* start = h.screens->Start();
    ExpectThemed(start, "setup");

    // One participant: "ВЕМБА!!!" is disabled, and looks it beside "< Назад".
    h.MarkOnly({0});
    start->Refresh();
    auto* go = ScreensHarness::Control<QPushButton>(start, "cmdGo");
    auto* back = ScreensHarness::Control<QPushButton>(start, "cmdBack");
    ASSERT_FALSE(go->isEnabled());
    const Shot shot = Take(start, "setup-one-player");
    ExpectThemeButton(shot, go);
    const Ink off = shot.InkIn(go, TextArea(go));
    const Ink on = shot.InkIn(back, TextArea(back));
    EXPECT_GE(Distance(off.ground, on.ground), 12);
    EXPECT_GE(Distance(off.ink, on.ink), 40);
}

TEST(GameTheme, EveryPageOfTheOptionsScreenShowsTheTheme) {
    Screens h;
    h.screens->OpenStart(&h.menu);
    h.screens->OpenOptions(h.screens->Start(), false);
    OptionsWindow* options = h.screens->Options();
    auto* tabs = ScreensHarness::Control<QTabWidget>(options, "SSTab1");
    const char* pages[] = {"options-graphics", "options-game", "options-table", "options-sound"};
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        ExpectThemed(options, pages[i]);
    }
}

TEST(GameTheme, PieceEditorShowsTheTheme) {
    Screens h;
    h.screens->OpenStart(&h.menu);
    screens::PieceEditorWindow editor(h.s, h.store.Display, h.dialogs, h.screens->Start());
    editor.Open(3, "Аристарх Пантелеймонович", "Вемба из Varnok");
    editor.show();
    ScreensHarness::Control<QPushButton>(&editor, "cmdDone")->setFocus();
    ExpectThemed(&editor, "piece-editor");
}

TEST(GameTheme, ResultsScreenShowsTheTheme) {
    Screens h;
    h.script.Play = [](MatchState& s) {
        for (int i = 1; i <= s.Num; ++i) s.Vembas[i].Life = i == 2 ? kTrue : kFalse;
    };
    h.screens->OpenStart(&h.menu);
    h.screens->Start()->Go();
    ResultsWindow* results = h.screens->Results();
    ASSERT_TRUE(results->isVisible());
    ExpectThemed(results, "results");
}

// A link that opens at once and reaches nobody.
class QuietConnector : public NetConnector {
public:
    std::string Listen(std::uint16_t) override { return ""; }
    std::vector<std::string> LocalAddresses() override { return {"127.0.0.15", "127.0.0.1"}; }
    void Connect(const std::string&, std::uint16_t, const std::vector<std::string>&) override {}
    void Close() override {}
};

TEST(GameTheme, NetworkScreenAndTheNetworkSetupShowTheTheme) {
    Screens h;
    h.screens->AdoptConnector(std::make_unique<QuietConnector>());
    h.screens->OpenNetwork(&h.menu);
    screens::NetworkWindow* net = h.screens->NetworkScreen();
    ASSERT_TRUE(net->isVisible());
    ExpectThemed(net, "network");
    net->Host();
    ExpectThemed(net, "network-waiting");
    net->GuestArrived({"Гость"});
    StartWindow* start = h.screens->Start();
    ASSERT_TRUE(start->isVisible());
    ExpectThemed(start, "setup-network");
}

TEST(GameTheme, SavedGamesBrowserShowsTheTheme) {
    Screens h;
    h.tmp.Write("zel.sav", "x");
    h.tmp.Write("финал.sav", "x");
    h.screens->OpenLoadGame(&h.menu, screens::kLoadReplays);
    screens::LoadGameWindow* browser = h.screens->LoadGameScreen();
    ASSERT_TRUE(browser->isVisible());
    ExpectThemed(browser, "load-game");
}

TEST(GameTheme, MessageBoxesShowTheTheme) {
    Screens h;
    MainMenuWindow menu(h.s, h.dialogs, h.launcher);
    Take(&menu, "");
    menu.activateWindow();
    QtDialogs boxes("Korvalo II: Vantorix");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        ExpectThemed(box, "message-box");
        seen = true;
        box->close();
    });
    boxes.Ask({"Выйти из игры в Windows?", "", MsgIcon::Information, MsgButtons::OkCancel});
    EXPECT_TRUE(seen);
}

// Each kind of control, focused from the keyboard, shows a frame in the
// focus colour that it does not show without the focus.
TEST(GameTheme, KeyboardFocusIsVisibleOnEveryKindOfControl) {
    Screens h;
    h.screens->OpenStart(&h.menu);
    StartWindow* start = h.screens->Start();
    h.screens->OpenOptions(start, false);
    OptionsWindow* options = h.screens->Options();
    auto* tabs = ScreensHarness::Control<QTabWidget>(options, "SSTab1");

    struct Case {
        const char* name;   // the control
        int page;           // the options page it is on, or -1 for the window itself
    };
    const Case cases[] = {
        {"cmdOK", 0}, {"cmbVideo", 0}, {"lstDevice", 0}, {"chkTex", 0},
        {"txtSizeG", 2}, {"opTr1", 2}, {"chkBorder", 2}, {"SSTab1", -1},
    };
    options->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(options));
    for (const Case& c : cases) {
        if (c.page >= 0) tabs->setCurrentIndex(c.page);
        QWidget* w = c.page >= 0 ? ScreensHarness::Control<QWidget>(options, c.name)
                                 : static_cast<QWidget*>(tabs->tabBar());
        // Of the tab bar, the current tab.
        const QRect area = c.page >= 0 ? w->rect() : tabs->tabBar()->tabRect(tabs->currentIndex());
        ScreensHarness::Control<QPushButton>(options, "cmdExit")->setFocus(Qt::TabFocusReason);
        const int before = CountNear(Take(options, "").Part(w, area), ColourOf(Colour::Focus), 16);
        w->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(w->hasFocus()) << c.name;
        const Shot shot = Take(options, "");
        const QImage focused = shot.Part(w, area);
        const int after = CountNear(focused, ColourOf(Colour::Focus), 16);
        // At least a line along the control's longer side.
        const int line = std::max(focused.width(), focused.height());
        EXPECT_GE(after - before, line) << c.name << ": " << before << " -> " << after;
    }
    Take(options, "options-focus");

    // The piece editor's mode label, a label that takes the focus.
    screens::PieceEditorWindow editor(h.s, h.store.Display, h.dialogs, start);
    editor.Open(1, "Вера", "Вемба из Varnok");
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    auto* mode = ScreensHarness::Control<QLabel>(&editor, "Label4");
    const int before = CountNear(Take(&editor, "").Part(mode), ColourOf(Colour::Focus), 16);
    mode->setFocus(Qt::TabFocusReason);
    const QImage focused = Take(&editor, "").Part(mode);
    EXPECT_GE(CountNear(focused, ColourOf(Colour::Focus), 16) - before, focused.width());
}

}  // namespace
}  // namespace zel::test
