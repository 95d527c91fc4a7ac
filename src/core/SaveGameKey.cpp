// F5 in the match window: the match as a saved game.
#include "base/ErrorLog.h"
#include "core/MatchKernel.h"
#include "core/MatchTexts.h"
#include "core/SavedGameWriter.h"

namespace zel {

void MatchKernel::SaveGame() {
    const MatchWindowFields& w = s_.Win;
    if (IsSet(w.ReplayMode)) {
        s_.StatusText = texts::kSaveInReplay;
        return;
    }
    if (IsSet(w.GameOver) || !IsSet(s_.GameRunning)) {
        s_.StatusText = texts::kSaveAfterEnd;
        return;
    }
    // A saved game has no place for the teams and their sides.
    if (IsSet(s_.TeamGame)) {
        s_.StatusText = texts::kSaveTeamGame;
        return;
    }
    // Only between strikes is the table at rest and the turn settled, so the
    // saved position is one the match can go on from.
    if (w.CtrlState != kCtrlAiming || IsSet(w.PauseOn)) {
        s_.StatusText = texts::kSaveNotNow;
        return;
    }
    if (saveFolder_.empty()) {
        s_.StatusText = texts::kSaveNoFolder;
        return;
    }
    const SavedGameWrite result =
        WriteSavedGame(saveFolder_, s_, saveStamp_ ? saveStamp_() : NowFileStamp(),
                       saveDateTime_ ? saveDateTime_() : NowDateTimeText());
    if (result.Ok) {
        s_.StatusText = texts::kSavedTo + result.Path;
    } else {
        s_.StatusText = texts::kSaveGameFailed + result.Error;
        log_.LogError(s_.StatusText);
    }
}

}  // namespace zel
