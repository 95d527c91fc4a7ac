#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "screens/SettingsStore.h"

namespace zel::screens {

// The saved-games browser frmLoadGame without a window: the places and the
// folder it shows, the files of the mode's pattern in it, the selection, and
// what "Инфо", "Загрузить...", "Удалить" and "Обновить" do. The two loaders
// below turn a chosen file into the match state.

// LoadMode: 1 replays, 2 saved games; 0 before an opener set it.
inline constexpr std::int16_t kLoadReplays = 1;
inline constexpr std::int16_t kLoadSavedGames = 2;

// One row of the mode table.
struct LoadModeRow {
    const char* Pattern;      // the file list's pattern
    const char* Title;        // lbl
    const char* InfoHeading;  // first line of the information box
};
// UpdateInfo takes every mode but 1 for saved games; the loaders and the
// information box take every mode but 2 for replays.
const LoadModeRow& RowForUpdate(std::int16_t mode);
const LoadModeRow& RowForLoad(std::int16_t mode);

// A place the user recognises at the top of the folder tree.
struct Place {
    std::string Name;  // as the list shows it
    std::string Path;  // its folder, ending in "/"
};

// The places: the game's folder, the home folder, then the mounted volumes
// (name, root) the system reports, each folder once, in that order. A
// volume without a name shows its root.
std::vector<Place> MakePlaces(const std::string& gameFolder, const std::string& homeFolder,
                              const std::vector<Place>& volumes);

// dir and file joined with one "/" between them, unless dir already ends in one.
std::string GetPath(const std::string& dir, const std::string& file);

// The sub-folders of `dir` (names, sorted, hidden ones left out); a folder
// that cannot be read has none. Never throws.
std::vector<std::string> ListFolders(const std::string& dir);
// The regular files of `dir` whose names match `pattern` ("*.sav": the
// extension in any letter case), sorted, hidden ones left out; a folder that
// cannot be read has none. Never throws.
std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern);

// What "Загрузить..." asks the window to do.
enum class LoadAction { None, Start, LoadGame };
struct LoadRequest {
    LoadAction Action = LoadAction::None;
    std::string Path;
};

class LoadGameModel {
public:
    // `replayFolder` is where the match writes zel.sav, `savesFolder` where
    // F5 writes saved games: the folders each mode opens first.
    LoadGameModel(std::vector<Place> places, std::string replayFolder, std::string savesFolder);

    std::int16_t LoadMode() const { return loadMode_; }
    void SetLoadMode(std::int16_t mode) { loadMode_ = mode; }

    // Applies the mode (pattern, title), shows the folder (the mode's own
    // folder when the mode changed since the last UpdateInfo, else the one
    // shown), re-reads the lists, and clears RGray of records 1..8.
    void UpdateInfo(MatchState& s);

    const std::string& Pattern() const { return pattern_; }
    const std::string& Title() const { return title_; }
    const std::vector<Place>& Places() const { return places_; }
    // The place the folder lies in (-1: none of them).
    int CurrentPlace() const;
    // Another place: its folder is shown.
    void ChangePlace(int index);
    // Another folder (from the tree); lblDir and the files follow.
    void ChangeDir(const std::string& dir);
    // The folder shown (lblDir), ending in "/".
    const std::string& Dir() const { return dir_; }

    // "Обновить": the files again; a selected file that is gone is no longer selected.
    void Refresh();
    const std::vector<std::string>& Files() const { return files_; }
    // A click in the file list: -1 or an index outside the list selects none.
    void SelectFile(int index);
    int Selected() const { return selected_; }
    std::string SelectedName() const;
    // "Загрузить..." and "Удалить" are enabled while a file is selected.
    bool CanLoadOrDelete() const { return selected_ >= 0; }

    // "Инфо": the date and time and the build of the selected file.
    void Info(Dialogs& d) const;
    // "Загрузить...": the checks, then which loader to run on which file.
    LoadRequest Load(Dialogs& d);
    // "Удалить": asks, deletes (a failure is ignored) and refreshes.
    void Delete(Dialogs& d);

private:
    std::vector<Place> places_;
    std::string replayFolder_;
    std::string savesFolder_;
    std::int16_t loadMode_ = 0;
    std::int16_t shownMode_ = -1;  // the mode of the last UpdateInfo
    std::string pattern_;
    std::string title_;
    std::string dir_;
    std::vector<std::string> files_;
    int selected_ = -1;
};

// What the loaders fill and ask.
struct LoadTarget {
    MatchState& State;
    SettingsStore& Store;   // the setup screen's name boxes; the display mode
    Dialogs& Messages;
    // Disables (false) and re-enables (true) the browser around the load.
    std::function<void(bool enabled)> SetEnabled;
};

// The table fits the screen the match will use: MaxX at most ScreenW - 10,
// MaxY at most ScreenH - 100, both at least 101.
bool TableFitsScreen(const MatchState& s, const DisplaySettings& display);

// Start: the replay at `path` ready to be played in the match window
// (ReplayMode set). False, with everything said, when the person declined
// the older version or the file or its table cannot be used.
bool StartReplay(const std::string& path, const LoadTarget& t);
// LoadGame: the saved game at `path` ready to be continued (ContinueGame set).
bool ContinueSavedGame(const std::string& path, const LoadTarget& t);

}  // namespace zel::screens
