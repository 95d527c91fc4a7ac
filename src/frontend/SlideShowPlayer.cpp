#include "frontend/SlideShowPlayer.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "frontend/FrontendTexts.h"
#include "base/NumberParse.h"
#include "base/TextEncoding.h"
#include "base/TextFile.h"

namespace zel {
namespace {

// The sound slot the show may have started; the end of the show stops it.
constexpr int kShowSoundSlot = 0;
constexpr std::int16_t kShortestSlide = 1;

// A picture name from a script written with Windows separators.
std::string SlidePicturePath(const std::string& appPath, std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return appPath + texts::kSlideFolder + name;
}

}  // namespace

bool ParseSlideTime(const std::string& line, std::int16_t& ms, std::string& error) {
    const std::optional<double> number = ParseNumberStrict(line);
    if (!number) {
        error = "время показа слайда не является числом: \"" + line + "\"";
        return false;
    }
    const std::optional<std::int16_t> value = ToInt16(*number);
    if (!value || *value < kShortestSlide) {
        error = "время показа слайда должно быть от 1 до 32767 мс: \"" + line + "\"";
        return false;
    }
    ms = *value;
    return true;
}

SlideShowPlayer::SlideShowPlayer(SlideShowView& view, Dialogs& dialogs, const ErrorLog& log)
    : view_(view), dialogs_(dialogs), log_(log) {}

void SlideShowPlayer::StartMedia(const std::string& appPath) {
    playing_ = true;
    ending_ = false;
    CloseScript();
    appPath_ = appPath;
    scriptPath_ = appPath + texts::kSlideScript;
    if (!FileExists(scriptPath_)) {
        Start();
        return;
    }

    std::string bytes;
    std::string error;
    if (!ReadFileBytes(scriptPath_, bytes, error)) {
        log_.LogError(texts::kScriptOpenLog + scriptPath_ + ". " + error);
        dialogs_.Ask({texts::kScriptOpenMessage + error, "", MsgIcon::Critical, MsgButtons::Ok});
        return;
    }
    lines_ = SplitLines(DecodeFileText(bytes));
    next_ = 0;
    scriptOpen_ = true;

    std::string header;
    if (!ReadLine(header)) {
        // Not even the header line is there: the script cannot be read.
        CloseScript();
        error = "файл пуст";
        log_.LogError(texts::kScriptOpenLog + scriptPath_ + ". " + error);
        dialogs_.Ask({texts::kScriptOpenMessage + error, "", MsgIcon::Critical, MsgButtons::Ok});
        return;
    }
    if (header != texts::kScriptHeader) {
        Start();
        return;
    }
    ShowSlide();
}

void SlideShowPlayer::ShowSlide() {
    if (!playing_ || !scriptOpen_) return;
    if (AtEnd()) {
        Start();
        return;
    }
    std::string picture;
    ReadLine(picture);
    std::string error;
    if (!view_.ShowSlidePicture(SlidePicturePath(appPath_, picture), error)) {
        SlideFailed(error);
        return;
    }
    view_.ProcessEvents();

    // A key pressed while the picture was shown has ended the show already.
    if (!playing_ || !scriptOpen_) return;
    if (AtEnd()) {
        Start();
        return;
    }
    std::string timeLine;
    ReadLine(timeLine);
    std::int16_t ms = 0;
    if (!ParseSlideTime(timeLine, ms, error)) {
        SlideFailed(error);
        return;
    }
    slideTime_ = ms;
    view_.ArmSlideTimer(slideTime_);
}

void SlideShowPlayer::SlideTimerTick() {
    view_.DisarmSlideTimer();
    ShowSlide();
}

void SlideShowPlayer::KeyPress() {
    if (ending_) return;
    playing_ = false;
    view_.DisarmSlideTimer();
    Start();
}

void SlideShowPlayer::Start() {
    if (ending_) return;
    ending_ = true;
    // Nothing that fails while the show ends may keep the menu away.
    try {
        view_.HideSlideBox();
    } catch (const std::exception&) {
    }
    try {
        view_.StopSound(kShowSoundSlot);
    } catch (const std::exception&) {
    }
    try {
        view_.ShowWaitingScreen(appPath_ + texts::kWaitingPicture);
        view_.ProcessEvents();
    } catch (const std::exception&) {
    }
    CloseScript();
    try {
        view_.HandOverToMenu();
    } catch (const std::exception&) {
    }
}

bool SlideShowPlayer::ReadLine(std::string& line) {
    if (!scriptOpen_ || AtEnd()) return false;
    line = lines_[next_++];
    return true;
}

void SlideShowPlayer::CloseScript() {
    scriptOpen_ = false;
    lines_.clear();
    next_ = 0;
}

void SlideShowPlayer::SlideFailed(const std::string& description) {
    log_.LogError(texts::kSlideErrorLog + description);
    view_.DisarmSlideTimer();
    dialogs_.Ask({texts::kSlideError + description, "", MsgIcon::Information, MsgButtons::Ok});
    Start();
}

}  // namespace zel
