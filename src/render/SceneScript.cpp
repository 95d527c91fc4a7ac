#include "render/SceneScript.h"

#include <exception>
#include <string>

#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "render/RenderError.h"
#include "render/SceneMessages.h"
#include "sound/SoundError.h"

namespace zel::render {

bool SceneScript::Run(const std::function<void()>& statement) {
    if (stopped_) return false;
    try {
        statement();
    } catch (const RenderError& e) {
        Fail(e.Number, e.Description);
    } catch (const sound::SoundError& e) {
        // A sound file that will not load is reported like a missing mesh.
        Fail(e.Number, e.Description);
    } catch (const std::exception& e) {
        Fail(static_cast<int>(RenderErrorCode::Internal), e.what());
    }
    return !stopped_;
}

void SceneScript::Fail(int number, const std::string& description) {
    ++failures_;
    const std::string text = SceneFailureMessage(RenderError(static_cast<RenderErrorCode>(number), description));
    log_.LogError(text);
    Message m;
    m.Text = text;
    m.Icon = MsgIcon::Information;
    m.Buttons = MsgButtons::YesNo;
    if (dialogs_.Ask(m) != MsgAnswer::Yes) stopped_ = true;
}

}  // namespace zel::render
