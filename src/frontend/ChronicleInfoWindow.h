#pragma once
#include <functional>
#include <string>

#include <QWidget>

#include "base/Dialogs.h"
#include "screens/ChronicleModel.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace zel {

// frmXronikaInfo, the chronicle's detail window: a school year's story
// (Text1) with its picture (pic), or the events of the last year in a list
// (List) whose entries show their descriptions; lblDate names what is
// shown. "< Назад" goes back to the chronicle, "Выход из игры" asks before
// the program ends, and closing the window by its frame ends the program
// at once.
class ChronicleInfoWindow : public QWidget {
public:
    ChronicleInfoWindow(const std::string& appPath, Dialogs& dialogs);

    // Sdvig's part in this window: fills it for entry `index` of the strip
    // (0 to 3 a school year, 4 the events). False when there is nothing to
    // show (the event file is missing: its message was shown).
    bool Open(int index);
    // LoadPic: clears the picture box and loads period `index`'s picture;
    // a picture that is not there leaves the box empty.
    void LoadPic(int index);

    // "< Назад": back to the chronicle (given the window's state).
    std::function<void(QWidget* from)> OnBack;
    // ExitProgram.
    std::function<void()> OnExitProgram;

    // The program is ending: closing the window no longer ends it again.
    void SetExiting() { exiting_ = true; }

    const screens::ChronicleDetailModel& Model() const { return model_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ShowDetail();
    // The selected entry of the list, -1 for none.
    int SelectedRow() const;
    void LeaveGame();

    std::string appPath_;                 // the program folder
    Dialogs& dialogs_;                    // the messages and the question
    screens::ChronicleDetailModel model_; // what the window shows
    QLabel* date_ = nullptr;              // lblDate
    QPlainTextEdit* text_ = nullptr;      // Text1
    QLabel* picture_ = nullptr;           // pic
    QListWidget* list_ = nullptr;         // List
    bool exiting_ = false;                // the program is ending
};

}  // namespace zel
