#pragma once
#include <vector>

#include "screens/OptionsScreenModel.h"

namespace zel::screens {

// The options screen's display driver list on this platform:
// "Видеокарта по умолчанию" (the default, identifier "") first, then every
// screen Qt reports, described by its name (with maker and model when the
// system knows them) and identified by its name. Needs a Qt GUI application.
std::vector<DisplayDriver> DisplayDriverList();

}  // namespace zel::screens
