#pragma once
#include <string>
#include <vector>

class QScreen;

namespace zel::match {

// Which screen a match covers. The options screen's display list names a
// screen by its name (its identifier, the DriverGuid a match is given);
// the default entry's identifier is empty.
//
// The position in `screenNames` (the screens in the system's order) of the
// screen named `driverGuid`; -1, meaning the primary screen, for the default
// entry and for a screen that is no longer connected.
int ChosenScreenIndex(const std::string& driverGuid, const std::vector<std::string>& screenNames);

// The connected screen named `driverGuid`, else the primary screen; null
// without a GUI application.
QScreen* ChosenScreen(const std::string& driverGuid);

}  // namespace zel::match
