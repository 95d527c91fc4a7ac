#include <QApplication>

#include "app/Application.h"
#include "app/ClubScreensWiring.h"
#include "app/GameScreensWiring.h"

// zel: the game. The splash window's slide show comes first, then the main
// menu; the program ends through the menu's exit question. "Быстрая игра"
// leads to the match setup screen, whose start button runs the match; the
// chronicle, the coat of arms and the problem report open from the menu too.
int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvalo2"));
    QApplication::setDesktopFileName(QStringLiteral("korvalo2"));

    zel::Application app;
    const auto screens = zel::ConnectGameScreens(app);
    const auto club = zel::ConnectClubScreens(app);
    app.Run();
    if (app.ExitRequested()) return 0;
    return QApplication::exec();
}
