#pragma once
#include <chrono>
#include <cmath>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QKeyEvent>

#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "match/RunMatch.h"
#include "physics/Shapes.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel::test {

// What the match window handed over when it closed.
struct HandOver {
    NextScreen Next = NextScreen::None;  // the screen that follows
    bool GameOver = false;               // the match's GameOver
    bool SaveReplay = false;             // the results screen offers to save the replay
};

// One match in a real match window (a 640 x 480 window on the test display,
// not full screen), driven by a script: each step runs after a pass of the
// display loop and says whether it is done; the next step waits for the
// next pass. A match that outlives its time limit is ended and reported.
class MatchHarness {
public:
    using Step = std::function<bool(match::MatchWindow&)>;

    explicit MatchHarness(std::vector<std::string> names = {"Анна", "Борис"}) : log(tmp.Path().string()) {
        s.Pi = 4 * std::atan(1.0);
        s.Shapes = InitShapes(s.VembaRadius, s.BodyRadius, s.PipaRadius);
        s.AppPath = ZEL_TEST_APP_PATH;
        MatchSetup setup;
        for (const std::string& n : names) setup.Participants.push_back({n, 1, 1, kFalse, 0});
        setup.Sound = kFalse;
        StartMatchState(s, setup);
        options.Render.ScreenW = 640;
        options.Render.ScreenH = 480;
        options.Render.Colors = 32;
        options.Render.AppTitle = "Korvalo II";
        options.FullScreen = false;
        options.FrameIntervalMs = 0;
        options.ReplayPath = (tmp.Path() / "zel.sav").string();
    }

    // Runs the match to its end. Returns whether the display loop ran.
    bool Run() {
        options.Ended = [this](NextScreen next, bool over, bool save) { ended.push_back({next, over, save}); };
        const auto deadline = std::chrono::steady_clock::now() + timeLimit;
        options.AfterFrame = [this, deadline](match::MatchWindow& w) {
            ++frames;
            if (std::chrono::steady_clock::now() > deadline) {
                timedOut = true;
                s.GameRunning = kFalse;
                return;
            }
            if (!steps.empty() && steps.front()(w)) steps.pop_front();
        };
        return match::RunMatch({s, dialogs, log, sound}, options);
    }

    // Queues a step; its result says whether it is done.
    void Then(Step step) { steps.push_back(std::move(step)); }
    // Queues a step that runs once.
    void Do(std::function<void(match::MatchWindow&)> action) {
        Then([action = std::move(action)](match::MatchWindow& w) {
            action(w);
            return true;
        });
    }
    // Queues a wait until `ready` holds.
    void WaitFor(std::function<bool()> ready) {
        Then([ready = std::move(ready)](match::MatchWindow&) { return ready(); });
    }
    // Queues key events as a keyboard sends them: they reach the window at
    // the start of the next pass.
    void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, bool autoRepeat = false) {
        Do([=](match::MatchWindow& w) { Post(w, QEvent::KeyPress, key, mods, autoRepeat); });
    }
    void Release(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, bool autoRepeat = false) {
        Do([=](match::MatchWindow& w) { Post(w, QEvent::KeyRelease, key, mods, autoRepeat); });
    }
    void Tap(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Do([=](match::MatchWindow& w) {
            Post(w, QEvent::KeyPress, key, mods, false);
            Post(w, QEvent::KeyRelease, key, mods, false);
        });
    }
    // Esc, then Y: the match is left.
    void Quit() {
        Tap(Qt::Key_Escape);
        Tap(Qt::Key_Y);
    }

    static void Post(match::MatchWindow& w, QEvent::Type type, int key, Qt::KeyboardModifiers mods, bool autoRepeat) {
        QCoreApplication::postEvent(&w.View(), new QKeyEvent(type, key, mods, QString(), autoRepeat));
    }

    TempDir tmp;                            // the error log and the replay file
    MatchState s;                           // the match
    FakeDialogs dialogs;                    // records boxes, answers Yes/OK
    ErrorLog log;                           // zelerror.log in tmp
    sound::DirectSoundModule* sound = nullptr;  // silent unless a test gives one
    match::MatchWindowOptions options;      // a window on the desktop, no pacing
    std::deque<Step> steps;                 // the script, front first
    std::vector<HandOver> ended;            // every hand-over
    long long frames = 0;                   // passes seen
    std::chrono::seconds timeLimit{120};    // a match still running then is ended
    bool timedOut = false;                  // the match had to be ended
};

}  // namespace zel::test
