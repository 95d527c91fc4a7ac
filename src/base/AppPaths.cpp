#include "base/AppPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/TextFile.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

bool HasGameData(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder / "gamedata", ec);
}

// An environment value usable as the root of a folder: set, not empty and
// absolute (the XDG rule ignores relative paths).
std::optional<std::string> AbsoluteEnv(const PathEnvironment& env, const char* name) {
    if (!env.GetEnv) return std::nullopt;
    const std::optional<std::string> v = env.GetEnv(name);
    if (!v || v->empty() || v->front() != '/') return std::nullopt;
    return v;
}

}  // namespace

PathEnvironment PathEnvironment::System() {
    PathEnvironment env;
    env.GetEnv = [](const std::string& name) -> std::optional<std::string> {
        const char* v = std::getenv(name.c_str());
        if (v == nullptr) return std::nullopt;
        return std::string(v);
    };
    env.IsWritable = [](const std::string& folder) {
        std::error_code ec;
        return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
    };
    return env;
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string ProgramFolderFor(const std::string& exePath) {
    const fs::path exeFolder = fs::path(exePath).parent_path();
    if (HasGameData(exeFolder)) return WithSeparator(exeFolder.string());
    if (exeFolder.filename() == "bin") {
        const fs::path shared = exeFolder.parent_path() / "share" / kUserDataFolderName;
        if (HasGameData(shared)) return WithSeparator(shared.string());
    }
    return WithSeparator(exeFolder.string());
}

std::string ExecutablePath() {
    std::error_code ec;
    const fs::path p = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

std::string UserDataFolder(const PathEnvironment& env) {
    if (const std::optional<std::string> xdg = AbsoluteEnv(env, "XDG_DATA_HOME"))
        return WithSeparator(WithSeparator(*xdg) + kUserDataFolderName);
    if (const std::optional<std::string> home = AbsoluteEnv(env, "HOME"))
        return WithSeparator(WithSeparator(*home) + ".local/share/" + kUserDataFolderName);
    return "";
}

AppPaths ResolveAppPaths(const std::string& programFolder, const PathEnvironment& env) {
    AppPaths paths;
    paths.AppPath = WithSeparator(programFolder);
    paths.DataPath = paths.AppPath;
    if (env.IsWritable && env.IsWritable(paths.AppPath)) return paths;

    const std::string user = UserDataFolder(env);
    if (user.empty()) return paths;
    std::error_code ec;
    fs::create_directories(user, ec);
    paths.DataPath = user;
    return paths;
}

std::string SettingsFileToRead(const AppPaths& paths) {
    const std::string own = paths.SettingsFile();
    if (paths.DataPath == paths.AppPath || FileExists(own)) return own;
    const std::string program = paths.AppPath + "zel.ini";
    return FileExists(program) ? program : own;
}

}  // namespace zel
