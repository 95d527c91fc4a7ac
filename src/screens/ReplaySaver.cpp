#include "screens/ReplaySaver.h"

#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/TextFile.h"
#include "screens/ScreenTexts.h"
#include "settings/SettingsTexts.h"

namespace zel::screens {
namespace {

namespace fs = std::filesystem;

bool EndsWithReplayExtension(const std::string& name) {
    const std::string ext = texts::kReplayExtension;
    if (name.size() < ext.size()) return false;
    for (std::size_t k = 0; k < ext.size(); ++k) {
        char c = name[name.size() - ext.size() + k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != ext[k]) return false;
    }
    return true;
}

void Show(Dialogs& d, std::string text, MsgIcon icon) {
    Message m;
    m.Text = std::move(text);
    m.Icon = icon;
    d.Ask(m);
}

// Copies `from` over `to` with the one whole-file writer, so a failed copy
// leaves whatever `to` held. "" on success, else the system's description.
std::string CopyReplacing(const std::string& from, const std::string& to) {
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(from, bytes, error)) return error;
    int err = 0;
    return ReplaceFileAtomically(to, bytes, err) ? "" : SystemErrorText(err);
}

}  // namespace

std::string WithReplayExtension(const std::string& name) {
    return EndsWithReplayExtension(name) ? name : name + texts::kReplayExtension;
}

SaveReplayOutcome SaveReplayAs(SaveFileChooser& chooser, Dialogs& d, const std::string& replayFile) {
    SaveFileRequest request;
    request.Title = texts::kSaveDialogTitle;
    request.FilterName = texts::kSaveFilterName;
    request.FilterPattern = texts::kSaveFilterPattern;
    request.DefaultExtension = texts::kSaveDefaultExtension;
    const std::string chosen = chooser.ChooseSaveFile(request);
    if (chosen.empty()) return SaveReplayOutcome::Cancelled;
    const std::string name = WithReplayExtension(chosen);
    const std::string blank = zel::texts::kBlankLine;

    // Anything already under that name is asked about, hidden files too.
    std::error_code ec;
    if (fs::exists(fs::path(name), ec)) {
        Message ask;
        ask.Title = texts::kOverwriteTitle;
        ask.Text = std::string(texts::kOverwriteStart) + blank + name + blank + texts::kOverwriteEnd;
        ask.Icon = MsgIcon::Information;
        ask.Buttons = MsgButtons::OkCancel;
        if (d.Ask(ask) != MsgAnswer::Ok) return SaveReplayOutcome::Declined;
    }
    const std::string error = CopyReplacing(replayFile, name);
    if (!error.empty()) {
        Show(d, std::string(texts::kSaveFailed) + blank + error, MsgIcon::Critical);
        return SaveReplayOutcome::Failed;
    }
    Show(d, std::string(texts::kSavedStart) + name + texts::kSavedEnd, MsgIcon::Information);
    return SaveReplayOutcome::Saved;
}

}  // namespace zel::screens
