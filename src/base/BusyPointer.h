#pragma once
#include "base/Dialogs.h"

namespace zel {

// Shows the busy pointer for as long as it lives, and puts the normal
// pointer back on every way out: at Release() or at the end of its scope,
// whichever comes first, exactly once.
class BusyPointer {
public:
    explicit BusyPointer(Dialogs& d) : d_(d) { d_.Busy(true); }
    ~BusyPointer() { Release(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    // The normal pointer again, before the scope ends.
    void Release() {
        if (!on_) return;
        on_ = false;
        d_.Busy(false);
    }

private:
    Dialogs& d_;      // whoever shows the pointer
    bool on_ = true;  // the busy pointer is still shown
};

}  // namespace zel
