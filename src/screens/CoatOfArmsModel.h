#pragma once
#include <array>
#include <string>

#include "base/Dialogs.h"

namespace zel::screens {

// The coat-of-arms window "Герб Вембного Клуба" (frmGerb) without its
// window: its pop-up menu and the printing of the picture.

inline constexpr const char* kCoatOfArmsCaption = "Герб Вембного Клуба";
inline constexpr const char* kCoatOfArmsTip = "Кликните, чтобы вернуться в главный экран";
inline constexpr const char* kCoatOfArmsPicture = "gamedata/pic/biggerb.gif";
inline constexpr const char* kPrintQuestion = "Напечатать Герб Вембного Клуба?";
inline constexpr const char* kPrintError = "Ошибка печати:";
// The print job's name in the printer's queue.
inline constexpr const char* kPrintJobName = "Герб Вембного Клуба";

// One entry of the pop-up menu mnu1, in the order it shows them.
struct CoatOfArmsMenuItem {
    enum class Kind { Web, Separator, Print, Close };
    Kind What;            // what choosing it does
    const char* Name;     // the item's name (empty for a separator)
    const char* Caption;  // its caption
    const char* Address;  // for a web item, the page it opens
};

extern const std::array<CoatOfArmsMenuItem, 8> kCoatOfArmsMenu;

// The printer as the print command sees it: the real one prints through the
// system's print service, tests record.
class PicturePrinter {
public:
    virtual ~PicturePrinter() = default;
    // Where to print: the system's print dialog (its printers and a PDF
    // file). False when the person cancels it: nothing is printed.
    virtual bool Choose() = 0;
    // Prints the picture at `path` as one page, scaled to fit the printable
    // area with its proportions kept, centred, and ends the job. False with
    // the system's description in `error` when there is no printer or the
    // job fails.
    virtual bool Print(const std::string& path, std::string& error) = 0;
};

// How a print command ended.
enum class PrintOutcome { Declined, Cancelled, Printed, Failed };

// "Напечатать": asks "Напечатать Герб Вембного Клуба?" (Yes and No,
// information icon); No prints nothing. Yes lets the printer be chosen,
// then prints under the busy pointer; a failure shows (critical icon)
// "Ошибка печати:", a blank line and the description, after the normal
// pointer is back.
PrintOutcome PrintCoatOfArms(const std::string& picture, Dialogs& d, PicturePrinter& printer);

}  // namespace zel::screens
