#pragma once
#include <functional>
#include <string>

namespace zel {
class Dialogs;
class ErrorLog;
}  // namespace zel

namespace zel::render {

// Runs scene construction statement by statement with its error rule: a
// statement that fails is written to the error log and the user is asked
// whether to go on; Yes goes on with the next statement (each failure asks
// again), No stops construction and no further statement runs.
class SceneScript {
public:
    SceneScript(Dialogs& dialogs, const ErrorLog& log) : dialogs_(dialogs), log_(log) {}

    // Runs one statement unless construction was stopped. Returns false once
    // it is stopped.
    bool Run(const std::function<void()>& statement);
    bool Stopped() const { return stopped_; }
    int Failures() const { return failures_; }

private:
    void Fail(int number, const std::string& description);

    Dialogs& dialogs_;     // asks the question
    const ErrorLog& log_;  // records each failure
    bool stopped_ = false; // the user answered No
    int failures_ = 0;     // statements that failed so far
};

}  // namespace zel::render
