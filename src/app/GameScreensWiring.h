#pragma once
#include <functional>
#include <memory>

#include "screens/GameScreens.h"

namespace zel {

class Application;
namespace match {
struct MatchWindowOptions;
}

// Connects the match setup, options and results screens and the match
// window to the application: the main menu's "Быстрая игра" opens the
// setup screen, StartGame runs the match in a match window drawn with the
// settings' display mode, and the match's end opens the results screen or
// the main menu. The options screen's display list, at start-up and at
// every opening, holds the connected screens. The screens use the
// application's match state, settings, message boxes, error log and
// navigator; the result must live as long as the application's windows
// are used. `adjust`, when given, may change each
// match window's options before it opens (tests drive the match from it).
std::unique_ptr<screens::GameScreens> ConnectGameScreens(
    Application& app, std::function<void(match::MatchWindowOptions&)> adjust = {});

}  // namespace zel
