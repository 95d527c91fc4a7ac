#include "screens/CoatOfArmsModel.h"

#include "base/BusyPointer.h"
#include "core/SharedTexts.h"

namespace zel::screens {

namespace {
using Kind = CoatOfArmsMenuItem::Kind;
}  // namespace

// The club's pages are placeholders until the club has its own addresses;
// the site itself is the one the main menu's club label opens.
const std::array<CoatOfArmsMenuItem, 8> kCoatOfArmsMenu{{
    {Kind::Web, "mnuItemGoRK", "Сайт Вембного Клуба", "https://vembklub.example/"},
    {Kind::Web, "mnuItemGoXron", "Хроника Вембы на сайте Вембного Клуба",
     "https://vembklub.example/xronika/"},
    {Kind::Web, "mnuItemColl", "Коллекция на сайте Вембного Клуба",
     "https://vembklub.example/kollekciya/"},
    {Kind::Web, "mnuItemVoc", "Словарь на сайте Вембного Клуба", "https://vembklub.example/slovar/"},
    {Kind::Separator, "", "", ""},
    {Kind::Print, "mnuItemPrint", "Напечатать", ""},
    {Kind::Separator, "", "", ""},
    {Kind::Close, "mnuitemClose", "Закрыть", ""},
}};

PrintOutcome PrintCoatOfArms(const std::string& picture, Dialogs& d, PicturePrinter& printer) {
    if (Tell(d, kPrintQuestion, MsgIcon::Information, MsgButtons::YesNo) != MsgAnswer::Yes)
        return PrintOutcome::Declined;
    if (!printer.Choose()) return PrintOutcome::Cancelled;
    std::string error;
    bool printed = false;
    {
        BusyPointer busy(d);
        printed = printer.Print(picture, error);
    }
    if (printed) return PrintOutcome::Printed;
    Tell(d, std::string(kPrintError) + zel::texts::kBlankLine + error, MsgIcon::Critical);
    return PrintOutcome::Failed;
}

}  // namespace zel::screens
