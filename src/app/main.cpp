#include <QApplication>

#include "app/Application.h"

// zel: the game. The splash window's slide show comes first, then the main
// menu; the program ends through the menu's exit question.
int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvalo2"));
    QApplication::setDesktopFileName(QStringLiteral("korvalo2"));

    zel::Application app;
    app.Run();
    if (app.ExitRequested()) return 0;
    return QApplication::exec();
}
