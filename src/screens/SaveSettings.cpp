#include <exception>
#include <string>

#include "base/BusyPointer.h"
#include "base/TextFile.h"
#include "screens/SettingsControls.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTexts.h"

namespace zel {

SettingsValues CollectSettings(const SettingsStore& store, const MatchState& s) {
    SettingsValues v;
    v.Display = store.Display;
    for (int i = 0; i < StartScreenModel::kSlots; ++i) {
        SettingsSlotValues& slot = v.Slots[i];
        // A slot the other computer's player holds keeps its own values here.
        slot.Name = store.Start.OwnName(i);
        slot.Model = store.Start.Model(i);
        slot.Mass = s.Vembas[i + 1].RM;
        slot.Mark = store.Start.OwnMark(i);
        slot.Player = store.Start.OwnPlayer(i);
    }
    const OptionsScreenModel& options = store.Options;
    v.MaxXText = options.SizeGText();
    v.MaxYText = options.SizeVText();
    v.Ftr = s.Ftr;
    v.MaxScrBox = options.MaxSizeBox();
    v.SoundBox = options.SoundBox();
    v.BorderBox = options.BorderBox();
    v.ShowSginBox = options.ShowSginBox();
    v.PipaBox = options.PipaBox();
    v.BordMode = s.BordMode;
    v.BordSimm = s.BordSimm;
    v.Net = store.Net;
    return v;
}

bool SaveSettings(const std::string& settingsFile, const SettingsStore& store, const MatchState& s,
                  Dialogs& d) {
    if (store.LeaveFileAlone) return false;
    BusyPointer busy(d);
    std::string text;
    try {
        text = BuildSettingsText(CollectSettings(store, s));
    } catch (const std::exception& e) {
        busy.Release();
        Message m;
        m.Text = std::string(texts::kSaveFailed) + texts::kBlankLine + texts::kErrorDescription +
                 e.what();
        m.Icon = MsgIcon::Critical;
        d.Ask(m);
        return false;
    }
    return WriteTextFile(settingsFile, text, d);
}

}  // namespace zel
