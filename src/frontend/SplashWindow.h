#pragma once
#include <functional>
#include <string>

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include "frontend/SlideShowPlayer.h"

class QLabel;

namespace zel {

// frmSplash: the program's first window. It plays the slide show (the
// player decides what comes when; this window shows the pictures and owns
// the one-shot SlideTimer), turns into the waiting screen with "Подождите..."
// while the main menu loads, carries the start-up captions and hides when
// the menu is shown. It lives for the whole run and plays the show again
// for the menu's "Заставка".
//
// Any key skips the show; mouse presses do nothing. Closing the window
// while the show plays skips it too, so the menu (which asks before the
// program ends) always follows: the settings are not read yet at that
// point, and ending the program there would write the built-in defaults
// over them.
class SplashWindow : public QWidget, private SlideShowView {
public:
    SplashWindow(Dialogs& dialogs, const ErrorLog& log);
    ~SplashWindow() override;

    SlideShowPlayer& Player() { return player_; }

    // Stops `slot` without rewinding it (the sound module's StopSound).
    std::function<void(int slot)> OnStopSound;
    // Works out the program folder again, loads the main menu, hides this
    // window and shows the menu.
    std::function<void()> OnHandOverToMenu;

    // Before the show is played again: no background picture, no waiting label.
    void PrepareReplay();
    // Makes the slide box visible again.
    void ShowSlideBox();

    // What the window shows now, for the tests.
    bool SlideBoxVisible() const { return slideBoxVisible_; }
    bool WaitingLabelVisible() const;
    bool HasBackground() const { return !background_.isNull(); }
    const QPixmap& Slide() const { return slide_; }
    bool SlideTimerActive() const { return slideTimer_.isActive(); }
    int SlideTimerInterval() const { return slideTimer_.interval(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // SlideShowView
    bool ShowSlidePicture(const std::string& path, std::string& error) override;
    void ProcessEvents() override;
    void ArmSlideTimer(int ms) override;
    void DisarmSlideTimer() override;
    void HideSlideBox() override;
    void StopSound(int slot) override;
    void ShowWaitingScreen(const std::string& waitingPicture) override;
    void HandOverToMenu() override;

    SlideShowPlayer player_;        // what the show does next
    QTimer slideTimer_;             // SlideTimer: fires once per slide
    QPixmap slide_;                 // the picture of the slide box Img
    bool slideBoxVisible_ = true;   // Img is shown
    QPixmap background_;            // the window's background (the waiting picture)
    QLabel* waitLabel_ = nullptr;   // lbl: "Подождите..."
};

}  // namespace zel
