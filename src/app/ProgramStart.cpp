#include "app/ProgramStart.h"

#include <cmath>

#include "frontend/FrontendTexts.h"
#include "physics/Shapes.h"
#include "screens/SettingsControls.h"

namespace zel {

void RunFirstStage(MatchState& s, StartupHost& host) {
    host.SetApplicationTitle(ApplicationTitle());
    host.SetPlaying();
    s.AppPath = host.ResolveAppPath();
    host.ShowSplash();
    s.Sound = kTrue;

    host.SetSplashCaption(texts::kLoadingSound);
    host.ProcessEvents();
    host.InitSound();

    host.SetSplashCaption(texts::kWelcomeShow);
    host.ProcessEvents();
    host.StartMedia();
}

void RunSecondStage(MatchState& s, SettingsStore& store, const std::string& settingsFile,
                    Dialogs& dialogs, StartupHost& host, const std::string& settingsSource) {
    host.SetMenuCaption(ApplicationTitle());
    s.Pi = 4 * std::atan(1.0);
    s.MaxX = kStartTableX;
    s.MaxY = kStartTableY;

    host.SetSplashCaption(texts::kLoadingConfig);
    ResetMatchDefaults(s);
    if (settingsSource.empty() || settingsSource == settingsFile)
        LoadSettings(settingsFile, settingsFile, store, s, dialogs);
    else
        LoadSettingsFile(settingsSource, true, false, store, s, dialogs);
    host.LoadOptionsScreen();

    host.SetSplashCaption(texts::kLoadingGameParams);
    store.Options.FormLoad(s, store.Display, host.DisplayDrivers());

    host.SetSplashCaption(texts::kWelcomeMenu);
    s.Shapes = InitShapes(s.VembaRadius, s.BodyRadius, s.PipaRadius);
}

}  // namespace zel
