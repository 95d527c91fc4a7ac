#pragma once
#include <deque>
#include <string>
#include <vector>

#include "base/Dialogs.h"

namespace zel::test {

// Adds recording message boxes and a recording busy pointer to any Dialogs
// interface: every box is kept with its exact text, title, icon and buttons,
// and questions are answered from a queue. A fake screen port gets the same
// behaviour by deriving from RecordingDialogs<MatchPort>.
template <class Base>
class RecordingDialogs : public Base {
public:
    // Every box shown, in order.
    std::vector<Message> Messages;
    // Answers handed out front first. When it runs dry a box gets its first
    // button (Ok, or Yes for the Yes/No kinds), as pressing Enter would.
    std::deque<MsgAnswer> Answers;
    // Every Busy call, in order (true = hourglass on).
    std::vector<bool> BusyCalls;
    // Busy(true) calls not yet matched by Busy(false); 0 when balanced.
    int BusyDepth = 0;
    // Busy(false) calls that had no Busy(true) before them.
    int BusyUnderflows = 0;

    MsgAnswer Ask(const Message& m) override {
        Messages.push_back(m);
        if (!Answers.empty()) {
            const MsgAnswer a = Answers.front();
            Answers.pop_front();
            return a;
        }
        switch (m.Buttons) {
            case MsgButtons::YesNo:
            case MsgButtons::YesNoCancel:
                return MsgAnswer::Yes;
            default:
                return MsgAnswer::Ok;
        }
    }

    void Busy(bool on) override {
        BusyCalls.push_back(on);
        if (on) {
            ++BusyDepth;
        } else if (BusyDepth > 0) {
            --BusyDepth;
        } else {
            ++BusyUnderflows;
        }
    }

    // The text of the last box, "" when none was shown.
    std::string LastText() const { return Messages.empty() ? "" : Messages.back().Text; }
    // Busy pointer shown at least once and every showing undone.
    bool BusyBalanced() const { return BusyDepth == 0 && BusyUnderflows == 0; }
};

using FakeDialogs = RecordingDialogs<Dialogs>;

}  // namespace zel::test
