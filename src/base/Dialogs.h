#pragma once
#include <string>

namespace zel {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// A modal message box or question as the program words it. The title is empty
// when the box carries the application title.
struct Message {
    std::string Text;
    std::string Title;
    MsgIcon Icon = MsgIcon::None;
    MsgButtons Buttons = MsgButtons::Ok;
};

// Everything the logic asks of a person and of the pointer. The game shows
// real message boxes; tests answer the questions and read the exact texts.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer Ask(const Message& m) = 0;
    // The hourglass pointer of long operations; every Busy(true) is paired
    // with a Busy(false) on every exit path.
    virtual void Busy(bool on) { (void)on; }
};

// Shows one message box: the common case of Ask, with the answer.
inline MsgAnswer Tell(Dialogs& d, std::string text, MsgIcon icon,
                      MsgButtons buttons = MsgButtons::Ok, std::string title = "") {
    Message m;
    m.Text = std::move(text);
    m.Title = std::move(title);
    m.Icon = icon;
    m.Buttons = buttons;
    return d.Ask(m);
}

}  // namespace zel
