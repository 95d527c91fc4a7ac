#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "base/AppPaths.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

// An environment made up by the test: its variables, and whether the
// program folder may be written.
PathEnvironment FakeEnv(std::map<std::string, std::string> vars, bool programWritable) {
    PathEnvironment env;
    env.GetEnv = [vars](const std::string& name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    };
    env.IsWritable = [programWritable](const std::string&) { return programWritable; };
    return env;
}

TEST(AppPaths, WritableProgramFolderKeepsTheWrittenFiles) {
    TempDir dir;
    const AppPaths p =
        ResolveAppPaths(dir.Path().string(), FakeEnv({{"HOME", dir.File("home")}}, true));
    const std::string app = dir.Path().string() + "/";
    EXPECT_EQ(p.AppPath, app);
    EXPECT_EQ(p.DataPath, app);
    EXPECT_EQ(p.SettingsFile(), app + "zel.ini");
    EXPECT_EQ(p.TeamFile(), app + "zel.cmd");
    EXPECT_EQ(p.ReplayFile(), app + "zel.sav");
    EXPECT_EQ(p.ErrorLogFile(), app + "zelerror.log");
    EXPECT_EQ(p.GameData(), app + "gamedata/");
    EXPECT_FALSE(fs::exists(dir.File("home")));
}

TEST(AppPaths, ReadOnlyProgramFolderWritesToXdgDataHome) {
    TempDir dir;
    const std::string xdg = dir.File("xdg");
    const PathEnvironment env = FakeEnv({{"XDG_DATA_HOME", xdg}, {"HOME", dir.File("home")}}, false);
    const AppPaths p = ResolveAppPaths("/usr/share/korvalo2/", env);
    EXPECT_EQ(p.AppPath, "/usr/share/korvalo2/");
    EXPECT_EQ(p.DataPath, xdg + "/korvalo2/");
    EXPECT_TRUE(fs::is_directory(xdg + "/korvalo2"));
    EXPECT_EQ(p.SettingsFile(), xdg + "/korvalo2/zel.ini");
    // Found the same way the next time.
    EXPECT_EQ(ResolveAppPaths("/usr/share/korvalo2", env).DataPath, p.DataPath);
}

TEST(AppPaths, UnsetEmptyOrRelativeXdgDataHomeFallsBackToHome) {
    TempDir dir;
    const std::string home = dir.File("home");
    for (const auto& vars : {std::map<std::string, std::string>{{"HOME", home}},
                             {{"HOME", home}, {"XDG_DATA_HOME", ""}},
                             {{"HOME", home}, {"XDG_DATA_HOME", "rel/data"}}}) {
        const AppPaths p = ResolveAppPaths("/opt/zel", FakeEnv(vars, false));
        EXPECT_EQ(p.DataPath, home + "/.local/share/korvalo2/");
        EXPECT_TRUE(fs::is_directory(p.DataPath));
    }
}

TEST(AppPaths, NoUserFolderAtAllKeepsTheProgramFolder) {
    const AppPaths p = ResolveAppPaths("/opt/zel", FakeEnv({{"HOME", "relative"}}, false));
    EXPECT_EQ(p.AppPath, "/opt/zel/");
    EXPECT_EQ(p.DataPath, "/opt/zel/");
}

TEST(AppPaths, ProgramFolderIsWhereTheGameDataIs) {
    TempDir dir;
    const fs::path root = dir.Path();
    // A built copy: gamedata beside the program.
    fs::create_directories(root / "build" / "gamedata");
    EXPECT_EQ(ProgramFolderFor((root / "build" / "zel").string()), (root / "build").string() + "/");
    // An installed copy: <prefix>/bin/zel with <prefix>/share/korvalo2/gamedata.
    fs::create_directories(root / "usr" / "bin");
    fs::create_directories(root / "usr" / "share" / "korvalo2" / "gamedata");
    EXPECT_EQ(ProgramFolderFor((root / "usr" / "bin" / "zel").string()),
              (root / "usr" / "share" / "korvalo2").string() + "/");
    // No game data anywhere: the program's own folder.
    fs::create_directories(root / "bare");
    EXPECT_EQ(ProgramFolderFor((root / "bare" / "zel").string()), (root / "bare").string() + "/");
}

TEST(AppPaths, SettingsAreReadFromTheProgramFolderUntilTheWritableFolderHasItsOwn) {
    TempDir dir;
    AppPaths p;
    p.AppPath = dir.File("program") + "/";
    p.DataPath = dir.File("data") + "/";
    fs::create_directories(p.AppPath);
    fs::create_directories(p.DataPath);
    EXPECT_EQ(SettingsFileToRead(p), p.DataPath + "zel.ini");  // neither has one
    dir.Write("program/zel.ini", "[zelset]\r\n");
    EXPECT_EQ(SettingsFileToRead(p), p.AppPath + "zel.ini");
    dir.Write("data/zel.ini", "[zelset]\r\n");
    EXPECT_EQ(SettingsFileToRead(p), p.DataPath + "zel.ini");

    p.DataPath = p.AppPath;  // a writable copy reads and writes its own file
    EXPECT_EQ(SettingsFileToRead(p), p.AppPath + "zel.ini");
}

TEST(AppPaths, SystemEnvironmentSeesAWritableFolder) {
    TempDir dir;
    const PathEnvironment env = PathEnvironment::System();
    EXPECT_TRUE(env.IsWritable(dir.Path().string()));
    EXPECT_FALSE(env.IsWritable(dir.File("missing")));
    EXPECT_FALSE(ExecutablePath().empty());
}

}  // namespace
}  // namespace zel
