#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "frontend/FrontendTexts.h"
#include "frontend/SlideShowPlayer.h"
#include "base/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

// The splash window without a window: every call recorded as a short text.
// A picture shows when its file exists.
class RecordingSlideView : public SlideShowView {
public:
    std::vector<std::string> Calls;
    std::function<void()> OnProcessEvents;  // runs inside ProcessEvents (a key pressed meanwhile)
    std::function<void()> OnMenu;           // runs inside HandOverToMenu
    int Armed = 0;                          // the slide timer's interval, 0 when off

    bool ShowSlidePicture(const std::string& path, std::string& error) override {
        Calls.push_back("picture " + path);
        if (FileExists(path)) return true;
        error = "нет файла " + path;
        return false;
    }
    void ProcessEvents() override {
        Calls.push_back("events");
        if (auto f = std::exchange(OnProcessEvents, nullptr)) f();
    }
    void ArmSlideTimer(int ms) override {
        Calls.push_back("arm " + std::to_string(ms));
        Armed = ms;
    }
    void DisarmSlideTimer() override { Armed = 0; }
    void HideSlideBox() override { Calls.push_back("hide"); }
    void StopSound(int slot) override { Calls.push_back("stop " + std::to_string(slot)); }
    void ShowWaitingScreen(const std::string& picture) override { Calls.push_back("waiting " + picture); }
    void HandOverToMenu() override {
        Calls.push_back("menu");
        if (auto f = std::exchange(OnMenu, nullptr)) f();
    }

    int Count(const std::string& prefix) const {
        int n = 0;
        for (const std::string& c : Calls) n += c.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }
    std::vector<std::string> Pictures() const {
        std::vector<std::string> out;
        for (const std::string& c : Calls)
            if (c.rfind("picture ", 0) == 0) out.push_back(c.substr(8));
        return out;
    }
};

class SlideShow : public testing::Test {
protected:
    SlideShow() : log(dir.Path().string()), player(view, dialogs, log) {
        log.SetClock([] { return std::string("05.12.2026 10:20:11"); });
        app = dir.Path().string() + "/";
        std::filesystem::create_directories(dir.Path() / "gamedata/splash");
    }

    void Script(const std::string& text) { dir.Write("gamedata/splash/splash.qorbex", text); }
    void Picture(const std::string& name) { dir.Write("gamedata/splash/" + name, "picture"); }
    std::string Slide(const std::string& name) const { return app + "gamedata/splash/" + name; }
    std::string LogText() const { return test::TempDir::Read(log.Path()); }
    void Start() { player.StartMedia(app); }

    test::TempDir dir;
    std::string app;  // the program folder, ending in "/"
    RecordingSlideView view;
    test::FakeDialogs dialogs;
    ErrorLog log;
    SlideShowPlayer player;
};

TEST_F(SlideShow, HeaderOnlyScriptEndsTheShowAtOnce) {
    Script("[MerovaneVistrel]\r\n");
    Start();
    const std::vector<std::string> expected = {"hide", "stop 0", "waiting " + app + "gamedata/zel2.gif",
                                               "events", "menu"};
    EXPECT_EQ(view.Calls, expected);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_FALSE(player.ScriptOpen());
}

TEST_F(SlideShow, SlidesAdvanceOnTheirTimerInScriptOrder) {
    Picture("a.png");
    Picture("b.png");
    Script("[MerovaneVistrel]\r\na.png\r\n1500\r\nb.png\r\n  2000 \r\n");
    Start();
    EXPECT_EQ(view.Pictures(), std::vector<std::string>{Slide("a.png")});
    EXPECT_EQ(view.Armed, 1500);
    EXPECT_EQ(view.Count("menu"), 0);

    player.SlideTimerTick();
    EXPECT_EQ(view.Pictures(), (std::vector<std::string>{Slide("a.png"), Slide("b.png")}));
    EXPECT_EQ(view.Armed, 2000);

    player.SlideTimerTick();
    EXPECT_EQ(view.Armed, 0);
    EXPECT_EQ(view.Count("menu"), 1);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(SlideShow, WindowsSeparatorsInPictureNamesAreRead) {
    std::filesystem::create_directories(dir.Path() / "gamedata/splash/pics");
    Picture("pics/a.png");
    Script("[MerovaneVistrel]\r\npics\\a.png\r\n100\r\n");
    Start();
    EXPECT_EQ(view.Pictures(), std::vector<std::string>{Slide("pics/a.png")});
    EXPECT_EQ(view.Armed, 100);
}

TEST_F(SlideShow, PictureWithoutTimeIsShownAndEndsTheShow) {
    Picture("a.png");
    Script("[MerovaneVistrel]\r\na.png\r\n");
    Start();
    EXPECT_EQ(view.Pictures(), std::vector<std::string>{Slide("a.png")});
    EXPECT_EQ(view.Count("arm"), 0);
    EXPECT_EQ(view.Count("menu"), 1);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(SlideShow, BadSlideTimeEndsTheShowThroughTheErrorPath) {
    Picture("a.png");
    for (const std::string time : {"40000", "0", "-5", "abc", ""}) {
        SCOPED_TRACE(time);
        view.Calls.clear();
        dialogs.Messages.clear();
        Script("[MerovaneVistrel]\r\na.png\r\n" + time + "\r\nb.png\r\n100\r\n");
        Start();
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        const Message& m = dialogs.Messages[0];
        EXPECT_EQ(m.Icon, MsgIcon::Information);
        ASSERT_EQ(m.Text.rfind(texts::kSlideError, 0), 0u);
        const std::string description = m.Text.substr(std::string(texts::kSlideError).size());
        EXPECT_NE(description.find("\"" + time + "\""), std::string::npos);
        EXPECT_EQ(view.Armed, 0);
        EXPECT_EQ(view.Count("menu"), 1);
        EXPECT_EQ(view.Pictures().size(), 1u);
    }
    // One log line per failure, the description straight after the sentence.
    const std::string line = "(05.12.2026 10:20:11): Vistrel Player > Ошибка в файле Vistrel. "
                             "Продолжение невозможно.время показа слайда должно быть от 1 до "
                             "32767 мс: \"40000\"\r\n";
    EXPECT_EQ(LogText().substr(0, line.size()), line);
}

TEST_F(SlideShow, MissingPictureEndsTheShowThroughTheErrorPath) {
    Script("[MerovaneVistrel]\r\nnot-there.png\r\n100\r\n");
    Start();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              std::string(texts::kSlideError) + "нет файла " + Slide("not-there.png"));
    EXPECT_EQ(view.Count("arm"), 0);
    EXPECT_EQ(view.Count("menu"), 1);
}

TEST_F(SlideShow, MissingScriptOrWrongCaseHeaderSkipsTheShowSilently) {
    Start();  // no script at all
    EXPECT_EQ(view.Count("menu"), 1);

    Picture("a.png");
    Script("[merovanevistrel]\r\na.png\r\n100\r\n");
    Start();
    EXPECT_EQ(view.Count("menu"), 2);
    EXPECT_TRUE(view.Pictures().empty());
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(LogText(), "");
}

TEST_F(SlideShow, UnreadableScriptIsReportedAndWaitsForAKey) {
    Script("");
    Start();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, std::string(texts::kScriptOpenMessage) + "файл пуст");
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Critical);
    EXPECT_EQ(LogText(), "(05.12.2026 10:20:11): Vistrel Player > Ошибка при открытии файла " + app +
                             "gamedata/splash/splash.qorbex. файл пуст\r\n");
    EXPECT_EQ(view.Count("menu"), 0);

    player.KeyPress();
    EXPECT_EQ(view.Count("menu"), 1);
}

TEST_F(SlideShow, KeyDuringASlideGoesToTheMenuWithoutWaiting) {
    Picture("a.png");
    Picture("b.png");
    Script("[MerovaneVistrel]\r\na.png\r\n30000\r\nb.png\r\n100\r\n");
    Start();
    ASSERT_EQ(view.Armed, 30000);

    player.KeyPress();
    EXPECT_EQ(view.Armed, 0);
    EXPECT_EQ(view.Count("menu"), 1);
    EXPECT_FALSE(player.Playing());
    // A tick that was already on its way shows nothing more.
    player.SlideTimerTick();
    EXPECT_EQ(view.Pictures().size(), 1u);
    EXPECT_EQ(view.Count("menu"), 1);
}

TEST_F(SlideShow, KeyWhileAPictureLoadsKeepsTheTimerOff) {
    Picture("a.png");
    Script("[MerovaneVistrel]\r\na.png\r\n500\r\n");
    view.OnProcessEvents = [this] { player.KeyPress(); };
    Start();
    EXPECT_EQ(view.Count("arm"), 0);
    EXPECT_EQ(view.Count("menu"), 1);
}

TEST_F(SlideShow, KeysWhileTheShowEndsDoNotLoadTheMenuTwice) {
    Script("[MerovaneVistrel]\r\n");
    view.OnProcessEvents = [this] { player.KeyPress(); };  // on the waiting screen
    view.OnMenu = [this] { player.KeyPress(); };           // while the menu loads
    Start();
    EXPECT_EQ(view.Count("menu"), 1);
    EXPECT_EQ(view.Count("waiting"), 1);
}

TEST_F(SlideShow, ReplayAfterASkippedShowStartsFromTheFirstSlide) {
    Picture("a.png");
    Picture("b.png");
    Script("[MerovaneVistrel]\r\na.png\r\n100\r\nb.png\r\n100\r\n");
    Start();
    player.SlideTimerTick();
    player.KeyPress();
    ASSERT_EQ(view.Count("menu"), 1);

    view.Calls.clear();
    Start();
    EXPECT_TRUE(player.Playing());
    EXPECT_EQ(view.Pictures(), std::vector<std::string>{Slide("a.png")});
    EXPECT_EQ(view.Armed, 100);
}

}  // namespace
}  // namespace zel
