#pragma once
#include <QWidget>

#include "screens/ResultsScreenModel.h"

class QLabel;
class QPushButton;

namespace zel::screens {

class GameScreens;

// The results screen frmResult: the winner, "Вемба матча" and its count,
// the teams and their running score after a team match, and the buttons
// "НАЧАТЬ ВЕМБУ ОПЯТЬ!", "Сохранить повтор как...", "Загрузить повтор...",
// "Параметры >>", "< Назад" and "Выход". Esc is "< Назад"; closing the
// window ends the program.
class ResultsWindow : public QWidget {
public:
    explicit ResultsWindow(GameScreens& screens);

    // What the match window does after showing the screen: GameOver, one
    // Update, and whether the replay may be saved.
    void ShowMatchEnd(bool gameOver, bool enableSaveReplay);

    // The buttons, as a click runs them.
    // In a network match the button asks the other computer instead; the
    // match starts when both agree (PlayAgainNow on the host, the host's
    // set-up on the guest).
    void PlayAgain();
    // Both computers agreed: the host starts the match again.
    void PlayAgainNow();
    // The other computer said no, or is gone: the button can be used again.
    void RestartRefused();
    // The guest agreed: the host's set-up will start the match.
    void WaitForHost();
    bool WaitingForPeer() const { return model_.WaitingForPeer(); }
    void SaveReplay();
    void LoadReplay();
    void Options();
    void Back();
    void ExitGame();

    const ResultsScreenModel& Model() const { return model_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Refresh();

    GameScreens& screens_;           // navigation, StartGame, settings
    ResultsScreenModel model_;       // what the controls show
    QLabel* status_ = nullptr;       // lblStatus
    QLabel* winner_ = nullptr;       // lblWiner
    QLabel* matchPiece_ = nullptr;   // lblVembaMatcha
    QLabel* knocked_ = nullptr;      // lblUron
    QWidget* teamGroup_ = nullptr;   // lblCom1/2, lblScore1/2, lblScore
    QLabel* team1_ = nullptr;        // lblCom1
    QLabel* team2_ = nullptr;        // lblCom2
    QLabel* score1_ = nullptr;       // lblScore1
    QLabel* score2_ = nullptr;       // lblScore2
    QLabel* waiting_ = nullptr;      // lblWaiting
    QPushButton* go_ = nullptr;      // cmdGo
    QPushButton* save_ = nullptr;    // cmdSavePovt
    QPushButton* load_ = nullptr;    // cmdLoadGame
};

}  // namespace zel::screens
