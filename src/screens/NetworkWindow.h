#pragma once
#include <string>
#include <vector>

#include <QWidget>

#include "screens/NetworkScreenModel.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zel::screens {

class GameScreens;

// The network screen frmNet, "Сетевая игра": "Создать игру" with its port
// box (this computer hosts: it shows its addresses and port and waits),
// "Подключиться" with the address and port boxes (this computer joins), the
// status line, "< Назад" (also Esc: back to the main menu, closing what is
// open) and "Выход". The controls display a NetworkScreenModel; what the
// other computer answers arrives through GuestArrived, Connected and
// Failed. Closing the window ends the program.
class NetworkWindow : public QWidget {
public:
    NetworkWindow(GameScreens& screens, NetConnector& net);

    // The screen is shown from the main menu: nothing open, the boxes as
    // zel.ini remembers them.
    void Open();
    // The controls from the model.
    void Refresh();

    // The buttons, as a click runs them.
    void Host();
    void Join();
    void Back();
    void ExitGame();

    // What the other computer answered (see NetworkScreenModel). A guest
    // that arrived takes the host to the match setup screen.
    void GuestArrived(const std::vector<std::string>& names);
    void Connected();
    void Failed(const std::string& message);

    NetworkScreenModel& Model() { return model_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    GameScreens& screens_;       // navigation, settings, message boxes
    NetworkScreenModel model_;   // the controls' values
    QLineEdit* hostPort_ = nullptr;  // txtHostPort
    QLineEdit* address_ = nullptr;   // txtAddress
    QLineEdit* port_ = nullptr;      // txtPort
    QPushButton* host_ = nullptr;    // cmdHost
    QPushButton* join_ = nullptr;    // cmdJoin
    QLabel* addresses_ = nullptr;    // lblAddresses
    QLabel* status_ = nullptr;       // lblStatus
};

}  // namespace zel::screens
