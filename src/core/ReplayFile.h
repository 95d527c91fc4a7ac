#pragma once
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

#include "base/Dialogs.h"
#include "core/MatchState.h"

namespace zel {

class ErrorLog;

// One strike as the replay file stores it: the strike's direction vector and
// touch point exactly as StrikeVemba leaves the segment, and the pot power.
struct ReplayStepRecord {
    double Xvec = 0;
    double Yvec = 0;
    double X = 0;
    double Y = 0;
    std::int32_t G = 0;
};

// The first line of a replay file up to the date and time that follow it.
inline constexpr const char* kReplayHeaderLine = ";Сохраненный повтор Korvalo 2. Начало записи:";

// The header of a replay file, every line ended by CR LF: the comment line
// with the recording's start `dateTime` ("dd.MM.yyyy HH:mm:ss"), "Ver=1200",
// "[general]" with the match set-up (participant keys counted from 0, the
// turn and elimination order from 1, walls, obstacles, sound) and "[game]".
// Line breaks inside names are written as blanks so no name can add a line.
std::string FormatReplayHeader(const MatchState& s, const std::string& dateTime);

// One step record: "Xvec=", "Yvec=", "X=", "Y=" (shortest fixed-notation
// decimals) and "G=" (an integer), each line ended by CR LF.
std::string FormatReplayStep(const ReplayStepRecord& r);

// The replay file a live individual match writes ("zel.sav"): header at the
// start, one step record per strike (flushed at once), closing line at the end.
class ReplayWriter {
public:
    // Writes every header line up to "[game]". On failure logs and asks
    // "Ошибка при записи игры!..." (Yes/No, title "Запись игры"); returns
    // false only when the answer is No (the match must not start).
    bool WriteReplayHeader(const std::string& path, const MatchState& s, Dialogs& d,
                           const ErrorLog& log);
    // Appends one step record and flushes it. A failure reports
    // "Ошибка при записи хода игрока в файл повтора!" once and stops recording.
    void AppendStep(const ReplayStepRecord& r, Dialogs& d, const ErrorLog& log);
    // Appends ";Конец записи: " and the time and closes; failures are reported.
    void CloseReplay(Dialogs& d);
    // Closes without writing anything more, ignoring errors.
    void CloseQuietly();
    bool IsOpen() const;
    // Tests replace the clock ("dd.MM.yyyy HH:mm:ss").
    void SetClock(std::function<std::string()> now) { now_ = std::move(now); }

private:
    std::ofstream out_;
    std::string path_;
    bool failed_ = false;
    std::function<std::string()> now_;
};

// Reads a replay file back step by step.
class ReplayReader {
public:
    // Positions the reader after the "[game]" line; without one shows
    // "Ошибка при чтении файла повтора! ..." and returns false.
    bool OpenReplay(const std::string& path, Dialogs& d);
    // Reads the next five-line step record. Returns false at the end of the
    // file; a damaged record is logged and reported, and also gives false.
    bool ReadStep(ReplayStepRecord& out, Dialogs& d, const ErrorLog& log);
    void Close();
    bool IsOpen() const;

private:
    std::ifstream in_;
    long line_ = 0;  // lines read so far, to say where a damaged record is
};

}  // namespace zel
