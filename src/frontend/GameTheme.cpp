#include "frontend/GameTheme.h"

#include <array>
#include <cstddef>

#include <QApplication>
#include <QStyle>

#include "frontend/GameStyle.h"

namespace zel::theme {
namespace {

// One colour of the look, as the style sheet names it.
struct ColourEntry {
    Colour colour;     // which one
    const char* name;  // its placeholder in the style sheet text, @name@
    QRgb value;        // its value
};

// The colours of the look. The baize, the gold and the buttons are the main
// menu's; the hover face is a shade darker than the menu first had, so the
// caption keeps a contrast of 4.5 to 1 on it. Every text colour keeps at
// least that much against the ground it is drawn on.
constexpr std::array<ColourEntry, 22> kColours{{
    {Colour::BaizeLight, "baizeLight", 0x2c5c38},
    {Colour::BaizeEdge, "baizeEdge", 0x0a2214},
    {Colour::Frame, "frame", 0xc9a44a},
    {Colour::Focus, "focus", 0xfff0a0},
    {Colour::Text, "text", 0xf3e9c8},
    {Colour::Heading, "heading", 0xffe08a},
    {Colour::Note, "note", 0xe6ddc0},
    {Colour::Link, "link", 0xffd970},
    {Colour::Warning, "warning", 0xffb49c},
    {Colour::ButtonText, "buttonText", 0xfbe7a1},
    {Colour::ButtonTop, "buttonTop", 0x3d6b45},
    {Colour::ButtonBottom, "buttonBottom", 0x1d3a24},
    {Colour::ButtonHoverTop, "buttonHoverTop", 0x457349},
    {Colour::ButtonHoverBottom, "buttonHoverBottom", 0x27502f},
    {Colour::ButtonPressed, "buttonPressed", 0x1a3320},
    {Colour::Field, "field", 0x0e2a19},
    {Colour::Pane, "pane", 0x163e26},
    {Colour::Selection, "selection", 0xe0bc5c},
    {Colour::SelectionText, "selectionText", 0x14231a},
    {Colour::DisabledText, "disabledText", 0xaab8a2},
    {Colour::DisabledButton, "disabledButton", 0x2a3b2e},
    {Colour::DisabledBorder, "disabledBorder", 0x6b7762},
}};

// The style sheet, with @name@ for the colours of the table. Lengths are in
// em (the font's size) or pt, never in pixels, so that controls grow with
// their text. Borders keep one width whatever the state, so that nothing
// moves when the focus or the mouse arrives; the focus changes the colour to
// the bright one and, for buttons, the face too.
constexpr const char* kSheet = R"(
/* The windows: baize lit from above, in a gold frame. The screens are
   named by their form names; message boxes and the game's dialogs too. */
#frmMainMenu, #frmStart, #frmOptions, #frmEditVemba, #frmResult, #frmAbout,
#frmCom, #frmNewCom, #frmLoadGame, #frmReport, #frmXronika, #frmXronikaInfo, #frmGerb,
QMessageBox {
    background: qradialgradient(cx: 0.45, cy: 0.35, radius: 0.8, fx: 0.45, fy: 0.35,
                                stop: 0 @baizeLight@, stop: 1 @baizeEdge@);
    border: 0.2em solid @frame@;
    border-radius: 0.9em;
}

QLabel { color: @text@; background: transparent; }
QLabel:disabled { color: @disabledText@; }
/* A label that takes the focus (the editor's mode label) shows it framed. */
QLabel:focus { border: 0.12em solid @focus@; border-radius: 0.3em; }

QToolTip {
    color: @text@; background: @field@; border: 0.1em solid @frame@; padding: 0.2em 0.4em;
}

QPushButton {
    color: @buttonText@;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                stop: 0 @buttonTop@, stop: 1 @buttonBottom@);
    border: 0.15em solid @frame@;
    border-radius: 0.6em;
    padding: 0.3em 1em;
    min-height: 1.2em;
}
QPushButton:hover {
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                stop: 0 @buttonHoverTop@, stop: 1 @buttonHoverBottom@);
}
QPushButton:focus { border-color: @focus@; color: @focus@; }
QPushButton:pressed { background: @buttonPressed@; }
QPushButton:disabled {
    color: @disabledText@; background: @disabledButton@; border-color: @disabledBorder@;
}

QCheckBox, QRadioButton {
    color: @text@;
    spacing: 0.4em;
    padding: 0.1em 0.3em;
    border: 0.12em solid transparent;
    border-radius: 0.3em;
}
QCheckBox:focus, QRadioButton:focus { border-color: @focus@; }
QCheckBox:disabled, QRadioButton:disabled { color: @disabledText@; }

QLineEdit, QComboBox {
    color: @text@;
    background: @field@;
    border: 0.12em solid @frame@;
    border-radius: 0.3em;
    padding: 0.15em 0.3em;
    selection-color: @selectionText@;
    selection-background-color: @selection@;
}
QLineEdit:focus, QComboBox:focus { border-color: @focus@; }
QLineEdit:disabled, QComboBox:disabled { color: @disabledText@; border-color: @disabledBorder@; }
/* The edit line of an editable combo box is the combo box's own inside. */
QComboBox QLineEdit { border: none; padding: 0; background: transparent; }
QComboBox QAbstractItemView {
    color: @text@;
    background: @field@;
    border: 0.1em solid @frame@;
    selection-color: @selectionText@;
    selection-background-color: @selection@;
}

QListView, QListWidget {
    color: @text@;
    background: @field@;
    border: 0.12em solid @frame@;
    border-radius: 0.3em;
    selection-color: @selectionText@;
    selection-background-color: @selection@;
}
QListView:focus, QListWidget:focus { border-color: @focus@; }
QListView:disabled, QListWidget:disabled { color: @disabledText@; border-color: @disabledBorder@; }

QScrollBar:vertical { background: @field@; width: 0.9em; margin: 0; }
QScrollBar:horizontal { background: @field@; height: 0.9em; margin: 0; }
QScrollBar::handle { background: @frame@; border-radius: 0.3em; margin: 0.15em; }
QScrollBar::handle:vertical { min-height: 1.5em; }
QScrollBar::handle:horizontal { min-width: 1.5em; }
QScrollBar::handle:disabled { background: @disabledBorder@; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }

QGroupBox {
    color: @heading@;
    border: 0.1em solid @frame@;
    border-radius: 0.5em;
    margin-top: 0.8em;
    padding: 0.6em 0.3em 0.3em 0.3em;
}
QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 0.8em;
    padding: 0 0.3em;
    color: @heading@;
}
QGroupBox:disabled, QGroupBox::title:disabled { color: @disabledText@; }

QTabWidget::pane {
    background: @pane@;
    border: 0.1em solid @frame@;
    border-radius: 0.4em;
    top: -0.1em;
}
QTabBar::tab {
    color: @buttonText@;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                stop: 0 @buttonTop@, stop: 1 @buttonBottom@);
    border: 0.1em solid @frame@;
    border-top-left-radius: 0.5em;
    border-top-right-radius: 0.5em;
    padding: 0.3em 0.9em;
    margin-right: 0.15em;
}
QTabBar::tab:selected { color: @heading@; background: @pane@; border-bottom-color: @pane@; }
QTabBar::tab:!selected { margin-top: 0.25em; }
QTabBar::tab:hover { background: @buttonHoverTop@; }
QTabBar::tab:focus { color: @focus@; border-color: @focus@; }

QMenu { color: @text@; background: @field@; border: 0.1em solid @frame@; padding: 0.2em; }
QMenu::item { padding: 0.3em 1.5em 0.3em 1em; }
QMenu::item:selected { color: @selectionText@; background: @selection@; }
QMenu::item:disabled { color: @disabledText@; }
QMenu::separator { height: 0.1em; background: @frame@; margin: 0.3em 0.5em; }

/* The main menu: larger buttons, its heading, its web labels and notice.
   Only its own children: the about window and the message boxes that it
   is the parent of keep the common look. */
#frmMainMenu > QPushButton { font-size: 12pt; font-weight: bold; padding: 0.35em 1.1em; }
#frmMainMenu > #Label1 { color: @heading@; font-size: 22pt; font-weight: bold; }
#frmMainMenu > #Label2 { color: @note@; font-size: 9pt; }
#lblMerovane, #lblVembKlub { font-size: 10.5pt; }
#lblMerovane, #lblVembKlub, #lblLinkZEL { color: @link@; text-decoration: underline; }

/* The screens' headings and the winner in gold. */
#frmStart > #Label3, #frmEditVemba > #Label1, #frmResult > #Label1, #frmResult > #lblWiner {
    color: @heading@;
}

/* The chronicle: its heading, the school years' cards (dark letters on
   their pale grey or yellow), the variant names and the club's link. */
#frmXronika > #lblHeading, #frmXronikaInfo > #lblDate {
    color: @heading@; font-size: 14pt; font-weight: bold;
}
#frmXronika QLabel[card="true"] { color: @selectionText@; font-weight: bold; }
#frmXronika #Label3, #frmXronika #Label4, #frmXronika #Label6, #frmXronika #Label7,
#frmXronika #lblRK {
    color: @link@; text-decoration: underline;
}
QPlainTextEdit {
    color: @text@; background: @field@; border: 0.12em solid @frame@; border-radius: 0.3em;
    selection-color: @selectionText@; selection-background-color: @selection@;
}
QPlainTextEdit:focus { border-color: @focus@; }

/* The about window's beta mark. */
#frmAbout #lblBeta { color: @warning@; font-weight: bold; }

/* The splash window's waiting caption, over the slide. */
#lblWait {
    color: @text@; background: rgba(0, 0, 0, 120); border-radius: 0.4em;
    font-size: 16pt; font-weight: bold; padding: 0.3em 0.9em;
}
)";

QString HexOf(QRgb value) { return QColor(value).name(QColor::HexRgb); }

}  // namespace

QColor ColourOf(Colour c) {
    for (const ColourEntry& e : kColours)
        if (e.colour == c) return QColor(e.value);
    return {};
}

QPalette Palette() {
    const auto c = [](Colour colour) { return ColourOf(colour); };
    QPalette p;
    p.setColor(QPalette::Window, c(Colour::BaizeLight));
    p.setColor(QPalette::WindowText, c(Colour::Text));
    p.setColor(QPalette::Base, c(Colour::Field));
    p.setColor(QPalette::AlternateBase, c(Colour::Pane));
    p.setColor(QPalette::Text, c(Colour::Text));
    p.setColor(QPalette::PlaceholderText, c(Colour::DisabledText));
    p.setColor(QPalette::Button, c(Colour::ButtonTop));
    p.setColor(QPalette::ButtonText, c(Colour::ButtonText));
    p.setColor(QPalette::BrightText, c(Colour::Focus));
    p.setColor(QPalette::Highlight, c(Colour::Selection));
    p.setColor(QPalette::HighlightedText, c(Colour::SelectionText));
    p.setColor(QPalette::ToolTipBase, c(Colour::Field));
    p.setColor(QPalette::ToolTipText, c(Colour::Text));
    p.setColor(QPalette::Link, c(Colour::Link));
    p.setColor(QPalette::LinkVisited, c(Colour::Link));
    // The bevels of the style's own drawing, from the baize.
    p.setColor(QPalette::Light, c(Colour::ButtonHoverTop));
    p.setColor(QPalette::Midlight, c(Colour::ButtonTop));
    p.setColor(QPalette::Mid, c(Colour::ButtonBottom));
    p.setColor(QPalette::Dark, c(Colour::BaizeEdge));
    p.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, c(Colour::DisabledText));
    p.setColor(QPalette::Disabled, QPalette::Button, c(Colour::DisabledButton));
    return p;
}

QString StyleSheet() {
    QString sheet = QString::fromLatin1(kSheet);
    for (const ColourEntry& e : kColours)
        sheet.replace(QLatin1Char('@') + QLatin1String(e.name) + QLatin1Char('@'), HexOf(e.value));
    return sheet;
}

void ApplyGameTheme(QApplication& app) {
    // Once a style sheet is set, the application's style wraps the game's.
    QStyle* current = QApplication::style();
    const QString name = QString::fromLatin1(GameStyle::kName);
    if (current->objectName() != name && !current->findChild<QStyle*>(name))
        QApplication::setStyle(new GameStyle);
    QApplication::setPalette(Palette());
    const QString sheet = StyleSheet();
    if (app.styleSheet() != sheet) app.setStyleSheet(sheet);
}

}  // namespace zel::theme
