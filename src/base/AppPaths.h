#pragma once
#include <functional>
#include <optional>
#include <string>

namespace zel {

// Where the program's files are. The program folder AppPath holds the game
// data (gamedata/); the files the program writes (zel.ini, zel.cmd, zel.sav,
// zelerror.log) sit beside it when that folder is writable, as in a copy
// unpacked or built in the user's own folders. An installed copy's folder
// is not writable; its writable files go to the user's data folder instead:
// $XDG_DATA_HOME/korvalo2/ when XDG_DATA_HOME is an absolute path, else
// ~/.local/share/korvalo2/. The choice is made the same way at every start,
// so a file written in one run is found in the next.
struct AppPaths {
    std::string AppPath;   // program folder, ending in "/"
    std::string DataPath;  // folder of the files the program writes, ending in "/"

    std::string GameData() const { return AppPath + "gamedata/"; }
    std::string SettingsFile() const { return DataPath + "zel.ini"; }
    std::string TeamFile() const { return DataPath + "zel.cmd"; }
    std::string ReplayFile() const { return DataPath + "zel.sav"; }
    std::string ErrorLogFile() const { return DataPath + "zelerror.log"; }
    // Saved games (F5 in a match) go into a folder of their own beside them.
    std::string SavesFolder() const { return DataPath + "saves/"; }
};

// The folder name under the user's data folder.
inline constexpr const char* kUserDataFolderName = "korvalo2";

// What the path rules ask of the system, replaceable in tests.
struct PathEnvironment {
    // The value of an environment variable, nothing when it is not set.
    std::function<std::optional<std::string>(const std::string& name)> GetEnv;
    // Whether the program may create and replace files in a folder.
    std::function<bool(const std::string& folder)> IsWritable;

    // The running process's environment and file permissions.
    static PathEnvironment System();
};

// `folder` with "/" appended unless it already ends in one ("" stays "").
std::string WithSeparator(std::string folder);

// The program folder for the executable at `exePath`: the executable's own
// folder when it holds gamedata/ (a built or unpacked copy), else
// <prefix>/share/korvalo2/ when the executable sits in <prefix>/bin and that
// folder holds gamedata/ (an installed copy), else the executable's folder.
// Ends in "/".
std::string ProgramFolderFor(const std::string& exePath);

// The path of the running executable ("" when the system does not say).
std::string ExecutablePath();

// The user's data folder for this game by the XDG rule, ending in "/";
// "" when neither XDG_DATA_HOME nor HOME gives an absolute path.
std::string UserDataFolder(const PathEnvironment& env);

// Decides both folders for the program folder `programFolder`. The data
// folder is the program folder when that is writable, else the user's data
// folder, created when missing (if it cannot be made, later writes report
// it); with no user data folder at all it stays the program folder.
AppPaths ResolveAppPaths(const std::string& programFolder, const PathEnvironment& env);

// The settings file to read at start-up: the one in the writable folder when
// it exists; else, when that folder is not the program folder, the program
// folder's own zel.ini if it has one (a copy unpacked with its settings into
// a folder that later became read-only); else the writable folder's path.
std::string SettingsFileToRead(const AppPaths& paths);

}  // namespace zel
