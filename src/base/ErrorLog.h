#pragma once
#include <functional>
#include <string>

namespace zel {

// The append-only error log zelerror.log in the program folder. Each failure
// handler writes one line here and then shows its own message. Writing never
// fails towards the caller.
class ErrorLog {
public:
    // `folder` is the program folder (AppPath); a separator is added when missing.
    explicit ErrorLog(std::string folder);
    // Appends "(<date> <time>): <message>" with CR LF.
    void LogError(const std::string& message) const;
    const std::string& Path() const { return path_; }
    // Tests replace the clock; it returns "05.12.2026 10:20:11".
    void SetClock(std::function<std::string()> now) { now_ = std::move(now); }

private:
    std::string path_;
    std::function<std::string()> now_;
};

// The local date and time as "dd.MM.yyyy HH:mm:ss".
std::string NowDateTimeText();
// The local time alone, "HH:mm:ss".
std::string NowTimeText();

}  // namespace zel
