#pragma once
#include <string>

#include "base/Dialogs.h"

namespace zel {

// Message boxes and the busy pointer on the screen: every question of the
// game is a modal QMessageBox over the active window, with the icon and
// buttons the caller asks for and the application title when the caller
// gives none. Line breaks of the texts (CR LF) show as line breaks. The busy
// pointer is Qt's override cursor; each Busy(true) is undone by one
// Busy(false), and a surplus Busy(false) changes nothing.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(std::string defaultTitle);
    ~QtDialogs() override;

    MsgAnswer Ask(const Message& m) override;
    void Busy(bool on) override;

    void SetDefaultTitle(std::string title) { defaultTitle_ = std::move(title); }
    const std::string& DefaultTitle() const { return defaultTitle_; }

private:
    std::string defaultTitle_;  // the title of boxes that bring none
    int busyDepth_ = 0;         // override cursors this object has pushed
};

}  // namespace zel
