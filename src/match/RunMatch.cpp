#include "match/RunMatch.h"

#include <QGuiApplication>

#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "render/RenderError.h"
#include "render/SceneMessages.h"
#include "screens/SettingsStore.h"

namespace zel::match {

render::RenderSettings RenderSettingsFrom(const SettingsStore& store, const std::string& appTitle) {
    render::RenderSettings r;
    r.ScreenW = store.Display.ScreenW;
    r.ScreenH = store.Display.ScreenH;
    r.Colors = store.Display.Colors;
    r.UseTex = IsSet(store.Display.UseTex);
    // Before the options screen has chosen a device, the default stays.
    if (!store.Options.DeviceGuid().empty()) r.DeviceGuid = store.Options.DeviceGuid();
    r.DriverGuid = store.Options.DriverGuid();
    r.AppTitle = appTitle;
    return r;
}

bool RunMatch(const MatchServices& services, MatchWindowOptions options) {
    MatchState& s = services.State;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        // No window can be made at all: the start-up fails as a device would.
        const render::RenderError e(render::RenderErrorCode::NoApplication, "нет графического приложения");
        const std::string text = render::DeviceFailureMessage(e);
        services.Log.LogError(text);
        Message m;
        m.Text = text;
        m.Icon = MsgIcon::Exclamation;
        services.Messages.Ask(m);
        s.Win.InitFailed = kTrue;
        s.Win.GameOver = kFalse;
        if (options.Ended) options.Ended(NextScreen::MainMenu, false, false);
        return false;
    }
    MatchWindow window(s, services.Messages, services.Log, services.Sound, std::move(options));
    return window.Run();
}

}  // namespace zel::match
