#pragma once
#include <QColor>
#include <QPalette>
#include <QString>

class QApplication;

namespace zel::theme {

// The game's look: green baize lit from above, framed in gold, with
// cream-and-gold lettering. Every window of the front end and every screen
// takes it from here, through one application-wide style sheet over the
// game's own style (GameStyle), applied once at start-up by ApplyGameTheme.
// Windows carry no colours of their own; a window that needs a look of its
// own is given an object name and a rule in the style sheet.

// The colours of the look; the table in GameTheme.cpp gives each its value.
enum class Colour {
    BaizeLight,         // the middle of a window's baize, where the light falls
    BaizeEdge,          // the baize at the window's edges
    Frame,              // gold: window frames and the borders of controls
    Focus,              // pale bright gold: the keyboard focus, wherever it is
    Text,               // cream: labels, check box and radio captions, fields
    Heading,            // gold: headings, group-box titles, the current tab
    Note,               // muted cream: small print such as the beta notice
    Link,               // the web labels
    Warning,            // the about window's beta mark
    ButtonText,         // the caption of a button
    ButtonTop,          // a button's face, top of its gradient
    ButtonBottom,       // a button's face, bottom of its gradient
    ButtonHoverTop,     // a button under the mouse, top
    ButtonHoverBottom,  // a button under the mouse, bottom
    ButtonPressed,      // a button held down
    Field,              // the inside of line edits, lists and combo boxes
    Pane,               // the page of a tab widget, a shade under the baize
    Selection,          // a selected item or selected text
    SelectionText,      // the text on a selection
    DisabledText,       // captions and texts of disabled controls
    DisabledButton,     // the face of a disabled button
    DisabledBorder,     // the border of a disabled control
};

// The colour of `c` in the table.
QColor ColourOf(Colour c);

// The palette of the look, for the parts that the style sheet leaves to the
// style (message box icons, the indicators of check and radio buttons,
// windows that no rule names).
QPalette Palette();

// The style sheet of the look, with every colour taken from the table.
// Sizes are in points or relative to the font, so the look holds at any
// scale factor and font resolution.
QString StyleSheet();

// Puts the look on the whole application: the game's style, the palette
// and the style sheet. Called once, before the first window is made;
// calling it again changes nothing.
void ApplyGameTheme(QApplication& app);

}  // namespace zel::theme
