#include "screens/LoadGameModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/IniLookup.h"
#include "base/NumberParse.h"
#include "base/TextEncoding.h"
#include "base/TextFile.h"
#include "core/ProgramVersion.h"
#include "core/ReplayFile.h"
#include "core/SavedGame.h"
#include "screens/LoadGameTexts.h"

namespace zel::screens {

namespace fs = std::filesystem;

namespace {

constexpr LoadModeRow kReplayRow{texts::kReplayPattern, texts::kReplayTitle, texts::kReplayInfoHeading};
constexpr LoadModeRow kSavedRow{texts::kSavedPattern, texts::kSavedTitle, texts::kSavedInfoHeading};

// The fixed start of a saved game's first line, in characters.
constexpr std::size_t kSavedHeaderChars = 26;
// The "Ver=" before the build number.
constexpr std::size_t kVerKeyChars = 4;
// No folder of ours holds more; a bigger one is listed this far.
constexpr std::size_t kMaxListed = 10000;

std::string WithSlash(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

bool Hidden(const std::string& name) { return !name.empty() && name[0] == '.'; }

// UTF-8 text without its first `n` characters (not bytes).
std::string DropChars(const std::string& text, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t chars = 0; i < text.size() && chars < n; ++chars) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    }
    return text.substr(i);
}

std::size_t CharCount(const std::string& text) {
    std::size_t n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

std::string Trim(const std::string& text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t a = 0, b = text.size();
    while (a < b && blank(text[a])) ++a;
    while (b > a && blank(text[b - 1])) --b;
    return text.substr(a, b - a);
}

// The existence test of "Загрузить...". With nothing selected the path is
// the folder itself followed by "/": as on the system the game comes from,
// that passes when the folder holds a file, so the person is told to select
// one; in an empty folder it fails.
bool PathTestPasses(const std::string& path) {
    if (!path.empty() && path.back() == '/') {
        std::error_code ec;
        for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            std::error_code fileEc;
            if (!Hidden(name) && it->is_regular_file(fileEc)) return true;
        }
        return false;
    }
    return FileExists(path);
}

// Whether the file's "Ver" is this build: anything that is not exactly a
// number is another build, and asks.
bool SameBuild(const std::string& path) {
    const std::optional<double> ver = ParseNumberStrict(GetIniValueFromFile(path, "", "Ver"));
    return ver && *ver == static_cast<double>(kBuildNumber);
}

// Disables the browser and shows the busy pointer for as long as it lives.
class LoadingGuard {
public:
    explicit LoadingGuard(const LoadTarget& t) : t_(t) {
        if (t_.SetEnabled) t_.SetEnabled(false);
        t_.Messages.Busy(true);
    }
    ~LoadingGuard() {
        t_.Messages.Busy(false);
        if (t_.SetEnabled) t_.SetEnabled(true);
    }
    LoadingGuard(const LoadingGuard&) = delete;
    LoadingGuard& operator=(const LoadingGuard&) = delete;

private:
    const LoadTarget& t_;
};

// The participants' names: each slot's name box trimmed; an empty one
// becomes the participant's number, written back into the box.
void TakeNames(const LoadTarget& t, const SlotSetups& slots) {
    MatchState& s = t.State;
    for (int p = 1; p <= s.Num && p <= kMaxParticipants; ++p) {
        std::string name = Trim(slots[static_cast<std::size_t>(p - 1)].Name);
        if (name.empty()) name = std::to_string(p);
        t.Store.Start.SetName(p - 1, name);
        s.Vembas[p].R = name;
    }
}

bool CheckTable(const LoadTarget& t) {
    if (TableFitsScreen(t.State, t.Store.Display)) return true;
    Tell(t.Messages, texts::kBadTable, MsgIcon::Information);
    return false;
}

}  // namespace

const LoadModeRow& RowForUpdate(std::int16_t mode) { return mode == kLoadReplays ? kReplayRow : kSavedRow; }
const LoadModeRow& RowForLoad(std::int16_t mode) { return mode == kLoadSavedGames ? kSavedRow : kReplayRow; }

std::vector<Place> MakePlaces(const std::string& gameFolder, const std::string& homeFolder,
                              const std::vector<Place>& volumes) {
    std::vector<Place> out;
    auto add = [&out](const std::string& name, const std::string& path) {
        if (path.empty()) return;
        const std::string folder = WithSlash(path);
        for (const Place& p : out)
            if (p.Path == folder) return;
        out.push_back(Place{name.empty() ? folder : name, folder});
    };
    add(texts::kPlaceGameFolder, gameFolder);
    add(texts::kPlaceHome, homeFolder);
    for (const Place& v : volumes) add(v.Name, v.Path);
    return out;
}

std::string GetPath(const std::string& dir, const std::string& file) {
    if (!dir.empty() && dir.back() == '/') return dir + file;
    return dir + "/" + file;
}

std::vector<std::string> ListFolders(const std::string& dir) {
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end && out.size() < kMaxListed;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeEc;
        if (!Hidden(name) && it->is_directory(typeEc)) out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) {
    // "*.ext": the extension, compared without letter case.
    const std::string ext = FoldCase(pattern.size() > 1 && pattern[0] == '*' ? pattern.substr(1) : pattern);
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end && out.size() < kMaxListed;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeEc;
        if (Hidden(name) || !it->is_regular_file(typeEc)) continue;
        const std::string folded = FoldCase(name);
        if (folded.size() >= ext.size() && folded.compare(folded.size() - ext.size(), ext.size(), ext) == 0)
            out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool TableFitsScreen(const MatchState& s, const DisplaySettings& display) {
    return s.MaxX <= display.ScreenW - 10 && s.MaxY <= display.ScreenH - 100 && s.MaxX >= 101 &&
           s.MaxY >= 101;
}

// --- the browser ----------------------------------------------------------------

LoadGameModel::LoadGameModel(std::vector<Place> places, std::string replayFolder, std::string savesFolder)
    : places_(std::move(places)),
      replayFolder_(WithSlash(std::move(replayFolder))),
      savesFolder_(WithSlash(std::move(savesFolder))) {
    dir_ = replayFolder_;
}

void LoadGameModel::UpdateInfo(MatchState& s) {
    const LoadModeRow& row = RowForUpdate(loadMode_);
    pattern_ = row.Pattern;
    title_ = row.Title;
    const std::int16_t shown = loadMode_ == kLoadReplays ? kLoadReplays : kLoadSavedGames;
    if (shown != shownMode_) {
        if (shown == kLoadSavedGames) {
            // The folder F5 writes to, there before the first save is made.
            std::error_code ec;
            fs::create_directories(savesFolder_, ec);
            dir_ = fs::is_directory(savesFolder_, ec) ? savesFolder_ : replayFolder_;
        } else {
            dir_ = replayFolder_;
        }
        shownMode_ = shown;
    }
    Refresh();
    for (int i = 1; i <= kMaxParticipants; ++i) s.Vembas[i].RGray = kFalse;
}

int LoadGameModel::CurrentPlace() const {
    int best = -1;
    std::size_t bestLength = 0;
    for (std::size_t i = 0; i < places_.size(); ++i) {
        const std::string& p = places_[i].Path;
        if (dir_.compare(0, p.size(), p) == 0 && p.size() > bestLength) {
            best = static_cast<int>(i);
            bestLength = p.size();
        }
    }
    return best;
}

void LoadGameModel::ChangePlace(int index) {
    if (index < 0 || index >= static_cast<int>(places_.size())) return;
    ChangeDir(places_[static_cast<std::size_t>(index)].Path);
}

void LoadGameModel::ChangeDir(const std::string& dir) {
    if (dir.empty()) return;
    dir_ = WithSlash(dir);
    selected_ = -1;
    Refresh();
}

void LoadGameModel::Refresh() {
    const std::string name = SelectedName();
    files_ = ListFiles(dir_, pattern_.empty() ? RowForUpdate(loadMode_).Pattern : pattern_);
    selected_ = -1;
    if (name.empty()) return;
    const auto it = std::find(files_.begin(), files_.end(), name);
    if (it != files_.end()) selected_ = static_cast<int>(it - files_.begin());
}

void LoadGameModel::SelectFile(int index) {
    selected_ = index >= 0 && index < static_cast<int>(files_.size()) ? index : -1;
}

std::string LoadGameModel::SelectedName() const {
    return selected_ >= 0 && selected_ < static_cast<int>(files_.size())
               ? files_[static_cast<std::size_t>(selected_)]
               : std::string();
}

void LoadGameModel::Info(Dialogs& d) const {
    if (selected_ < 0) {
        Tell(d, texts::kInfoNoFile, MsgIcon::Information);
        return;
    }
    std::string bytes, error;
    if (!ReadFileBytes(GetPath(dir_, SelectedName()), bytes, error)) {
        // Gone since the list was read, or unreadable.
        Tell(d, texts::kFileMissing, MsgIcon::Critical);
        return;
    }
    const std::vector<std::string> lines = SplitLines(DecodeFileText(bytes));
    const std::string line1 = lines.size() > 0 ? lines[0] : "";
    const std::string line2 = lines.size() > 1 ? lines[1] : "";
    const bool saved = loadMode_ == kLoadSavedGames;
    const std::size_t header = saved ? kSavedHeaderChars : CharCount(kReplayHeaderLine);
    const std::string dateTime = DropChars(line1, header);
    const std::string version = DropChars(line2, kVerKeyChars);
    Tell(d,
         std::string(RowForLoad(loadMode_).InfoHeading) + zel::texts::kBlankLine + texts::kInfoVersion +
             version + zel::texts::kBlankLine + texts::kInfoDateTime + dateTime,
         MsgIcon::Information);
}

LoadRequest LoadGameModel::Load(Dialogs& d) {
    const std::string path = GetPath(dir_, SelectedName());
    if (!PathTestPasses(path)) {
        Tell(d, texts::kFileMissing, MsgIcon::Critical);
        Refresh();
        return {};
    }
    if (selected_ < 0) {
        Tell(d, texts::kNoFileSelected, MsgIcon::Information);
        return {};
    }
    return LoadRequest{loadMode_ == kLoadSavedGames ? LoadAction::LoadGame : LoadAction::Start, path};
}

void LoadGameModel::Delete(Dialogs& d) {
    if (selected_ < 0) {
        Tell(d, texts::kSelectFirst, MsgIcon::None);
        return;
    }
    const std::string name = SelectedName();
    const MsgAnswer a = Tell(d, std::string(texts::kDeleteQuestion) + zel::texts::kBlankLine + name + "?",
                             MsgIcon::Exclamation, MsgButtons::YesNo, texts::kDeleteTitle);
    if (a != MsgAnswer::Yes) return;
    std::error_code ec;
    fs::remove(GetPath(dir_, name), ec);
    Refresh();
}

// --- the loaders ----------------------------------------------------------------

bool StartReplay(const std::string& path, const LoadTarget& t) {
    if (!SameBuild(path) &&
        Tell(t.Messages, texts::kOlderReplay, MsgIcon::Exclamation, MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    LoadingGuard guard(t);
    MatchState& s = t.State;
    ResetMatchDefaults(s);
    // The reader says itself what is wrong with a file without step records.
    ReplayReader probe;
    if (!probe.OpenReplay(path, t.Messages)) return false;
    probe.Close();
    SlotSetups slots;
    const std::string error = PrepareReplayPlayback(path, s, slots);
    if (!error.empty()) {
        Tell(t.Messages, std::string(texts::kReplayUnusable) + zel::texts::kBlankLine + error, MsgIcon::Critical);
        return false;
    }
    if (!CheckTable(t)) return false;
    TakeNames(t, slots);
    for (int p = 1; p <= s.Num && p <= kMaxParticipants; ++p) s.Vembas[p].RGray = kFalse;
    s.TeamGame = kFalse;
    s.Win.ReplayMode = kTrue;
    s.Win.ContinueGame = kFalse;
    return true;
}

bool ContinueSavedGame(const std::string& path, const LoadTarget& t) {
    if (!SameBuild(path) &&
        Tell(t.Messages, texts::kOlderSavedGame, MsgIcon::Exclamation, MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    LoadingGuard guard(t);
    MatchState& s = t.State;
    ResetMatchDefaults(s);
    IniFile f;
    std::string error;
    if (f.Open(path, error)) {
        SlotSetups slots;
        for (int i = 0; i < kMaxParticipants; ++i) slots[static_cast<std::size_t>(i)].Name = t.Store.Start.Name(i);
        error = ReadContinuedGame(f, s, slots);
        if (error.empty()) {
            if (!CheckTable(t)) return false;
            TakeNames(t, slots);
            s.TeamGame = kFalse;
            s.Win.ReplayMode = kFalse;
            s.Win.ContinueGame = kTrue;
            return true;
        }
    }
    Tell(t.Messages, std::string(texts::kSavedGameUnusable) + zel::texts::kBlankLine + error, MsgIcon::Critical);
    return false;
}

}  // namespace zel::screens
