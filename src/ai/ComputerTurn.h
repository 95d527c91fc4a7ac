#pragma once
#include <atomic>
#include <cstdint>
#include <thread>

#include "ai/ComputerPlayer.h"
#include "ai/WorkerPool.h"
#include "core/MatchKernel.h"
#include "core/MatchState.h"

namespace zel::ai {

// The computer's turn as the match window shows it: it thinks (the search
// runs on its own thread over a copy of the match, so the window keeps
// drawing and taking keys), turns the camera and the aim to its strike, lets
// the power rise on the status line press by press, and releases. Each step
// goes through the kernel's computer hands, so the strike takes the one
// strike path and the replay records it like a person's. The whole turn
// lasts 1 to 3 seconds when the search takes no longer than about a second
// and a half.
//
// The window calls Tick on every pass of its display loop with a steady
// clock in milliseconds. While the quit question is up the turn waits; when
// the turn is no longer the computer's (the match was left, a replay runs)
// the turn is dropped. Stop (and the destructor) end a running search and
// wait for its thread.
class ComputerTurn {
public:
    // `seed` seeds every decision of the match (TurnSeed with the number of
    // strikes it has made so far).
    ComputerTurn(MatchState& s, MatchKernel& k, WorkerPool& pool, std::uint64_t seed);
    ~ComputerTurn();
    ComputerTurn(const ComputerTurn&) = delete;
    ComputerTurn& operator=(const ComputerTurn&) = delete;

    void Tick(double nowMs);
    void Stop();

    // What the turn is doing now.
    enum class Phase { Waiting, Thinking, Turning, Charging };
    Phase Now() const { return phase_; }
    // Strikes the computer has released in this match.
    int Strikes() const { return strikes_; }
    // The last decision taken (for the tests).
    const Decision& LastDecision() const { return decision_; }

    // The pace of a turn, milliseconds.
    static constexpr double kLeastThinkMs = 400;   // thinking shows at least this long
    static constexpr double kLeastTurnMs = 1100;   // a whole turn lasts at least this long
    static constexpr double kShortestCameraMs = 300;
    static constexpr double kLongestCameraMs = 600;
    static constexpr double kPressMs = 14;         // one key repeat of the space bar

private:
    void Begin(double nowMs);
    void Join();
    void StartTurning(double nowMs);
    void Turn(double nowMs);
    void Charge(double nowMs);
    // The turn is no longer the computer's: the search ends, nothing is struck.
    void Drop();

    MatchState& s_;
    MatchKernel& k_;
    WorkerPool& pool_;
    std::uint64_t seed_;
    Phase phase_ = Phase::Waiting;
    std::thread search_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> ready_{false};
    MatchState snapshot_;              // the match as the turn began; the search reads only this
    Decision decision_;
    int strikes_ = 0;
    double phaseStart_ = 0;            // when the current phase began
    double turnStart_ = 0;             // when the turn began
    double cameraMs_ = 0;              // how long the camera turns
    double fromX_ = 0, fromZ_ = 0, fromAim_ = 0;  // camera and aim as the turning began
    int presses_ = 0;                  // space presses made
};

}  // namespace zel::ai
