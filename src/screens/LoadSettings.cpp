#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/DamagedCopy.h"

#include "base/CheckBox.h"
#include "screens/SettingsControls.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTexts.h"

namespace zel {
namespace {

// A failed load must leave no trace, so the loader works on copies of the
// state and the store and keeps them only when every read succeeded.
static_assert(std::is_copy_assignable_v<MatchState> && std::is_copy_assignable_v<SettingsStore>);

void ShowLoadFailure(Dialogs& d, const std::string& description, const char* follows,
                     const std::string& keptNote) {
    Message m;
    m.Text = std::string(texts::kLoadFailed) + texts::kBlankLine + texts::kErrorDescription +
             description + texts::kBlankLine + follows;
    if (!keptNote.empty()) m.Text += texts::kBlankLine + keptNote;
    m.Icon = MsgIcon::Critical;
    d.Ask(m);
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        if (!out.empty()) out += texts::kNewLine;
        out += line;
    }
    return out;
}

// The settings file that failed to load is about to be replaced by what the
// program holds now (at the latest when it ends). A copy beside it keeps the
// person's names and masses; without a copy the file must stay as it is.
// Returns the line the message adds.
std::string KeepFailedFile(const std::string& path, SettingsStore& store) {
    const std::string kept = KeepDamagedCopy(path);
    if (kept.empty()) {
        store.LeaveFileAlone = true;
        return texts::kDamagedFileLeft;
    }
    return texts::kDamagedFileKept + kept;
}

// The slots as the match setup screen holds them, for the shared rules to
// apply the file's keys to.
SlotSetups SlotsOf(const StartScreenModel& start, const MatchState& s) {
    SlotSetups slots;
    for (int i = 0; i < StartScreenModel::kSlots; ++i) {
        slots[i].Name = start.Name(i);
        slots[i].Model = start.Model(i);
        slots[i].Mass = s.Vembas[i + 1].RM;
        slots[i].Gray = s.Vembas[i + 1].RGray;
        slots[i].Mark = start.Mark(i);
    }
    return slots;
}

// The controls take the values through their setters, so each control's
// reaction runs as if the person had set it: the oval model warns, the
// marks recount the participants, the boxes enable their groups.
void SetControls(const MatchKeys& k, const SlotSetups& slots, SettingsStore& store, MatchState& s,
                 Dialogs& d) {
    StartScreenModel& start = store.Start;
    for (int i = 0; i < StartScreenModel::kSlots; ++i) {
        if (k.WithParticipants) start.SelectModel(i, k.Slots[i].Model, s, d);
        start.SetName(i, slots[i].Name);
    }
    OptionsScreenModel& options = store.Options;
    options.SetSizeGText(std::to_string(k.MaxX));
    options.SetSizeVText(std::to_string(k.MaxY));
    options.SetMaxSizeBox(k.MaxScr);
    options.SetShowSginBox(k.ShowSgin);
    options.SetBorderBox(k.Border);
    options.SetSoundBox(k.Sound);
    options.SetPipaBox(k.Pipa);
    for (int i = 0; i < StartScreenModel::kSlots; ++i)
        if (k.Slots[i].Mark) start.SetMark(i, *k.Slots[i].Mark);
}

}  // namespace

void LoadSettings(const std::string& path, const std::string& settingsFile, SettingsStore& store,
                  MatchState& s, Dialogs& d) {
    LoadSettingsFile(path, path == settingsFile, path == settingsFile, store, s, d);
}

void LoadSettingsFile(const std::string& path, bool asSettingsFile, bool willBeReplaced,
                      SettingsStore& store, MatchState& s, Dialogs& d) {
    const bool withParticipants = !IsSet(s.TeamGame);
    // The reader tells zel.ini from a replay by the path it is given.
    const std::string settingsFile = asSettingsFile ? path : std::string();
    SettingsFileRead read = ReadSettingsFile(path, settingsFile, store.Display, withParticipants, d);
    if (!read.Found) {
        ApplyDefaultSettings(store, s);
        return;
    }
    if (!read.Error.empty()) {
        const std::string kept = willBeReplaced ? KeepFailedFile(path, store) : std::string();
        ShowLoadFailure(d, read.Error, texts::kDefaultsFollow, kept);
        ApplyDefaultSettings(store, s);
        return;
    }
    if (!read.Skipped.empty()) {
        const std::string kept = willBeReplaced ? KeepFailedFile(path, store) : std::string();
        ShowLoadFailure(d, JoinLines(read.Skipped), texts::kSomeDefaultsFollow, kept);
    }

    SettingsStore work = store;
    MatchState next = s;
    work.Display = read.Display;
    SlotSetups slots = SlotsOf(work.Start, next);
    ApplyMatchKeys(read.Match, next, slots);
    SetControls(read.Match, slots, work, next, d);
    // Only zel.ini says who plays a slot; a replay's set-up leaves it.
    if (path == settingsFile) {
        for (int i = 0; i < StartScreenModel::kSlots; ++i)
            work.Start.SetPlayer(i, read.Players[static_cast<std::size_t>(i)]);
        work.Net = read.Net;
    }
    CopyDisplayToMatch(work.Display, next);
    store = std::move(work);
    s = std::move(next);
}

}  // namespace zel
