#include "sim/HeadlessPort.h"

#include "core/MatchSetup.h"

namespace zel {

MsgAnswer HeadlessPort::Ask(const Message& m) {
    if (m.Icon == MsgIcon::Critical) failures_.push_back(m.Text);
    switch (m.Buttons) {
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel:
            return MsgAnswer::Yes;
        default:
            return MsgAnswer::Ok;
    }
}

bool HeadlessPort::BuildScene() {
    PrepareSceneState(s_);
    return true;
}

}  // namespace zel
