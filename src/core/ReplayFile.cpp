#include "core/ReplayFile.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/ErrorLog.h"
#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "core/ProgramVersion.h"
#include "core/ReachableRanges.h"
#include "core/ReplayHeader.h"
#include "core/SharedTexts.h"

namespace zel {
namespace {

constexpr const char* kCrLf = "\r\n";
using texts::kBlankLine;

// No line of a replay comes near this; a longer one is not a replay's.
constexpr std::size_t kMaxLineBytes = 1u << 20;

// The system's wording for the error that just happened, or for a general
// input/output error when the library left no error number behind.
std::string LastErrorText() {
    const int err = errno != 0 ? errno : EIO;
    return SystemErrorText(err);
}

void Line(std::string& out, const std::string& key, const std::string& value) {
    out += key;
    out += '=';
    out += value;
    out += kCrLf;
}

std::string Int(long v) { return std::to_string(v); }

// The time part of "dd.MM.yyyy HH:mm:ss".
std::string TimeOf(const std::string& dateTime) {
    const std::size_t blank = dateTime.find(' ');
    return blank == std::string::npos ? dateTime : dateTime.substr(blank + 1);
}

enum class LineRead { Ok, Unended, End, TooLong, Failed };

// Reads one line up to LF (CR at its end dropped). A line longer than
// kMaxLineBytes is consumed to its end and reported as TooLong. The last
// line of a file without its line end is Unended: the game ends every line
// it writes, so such a line was cut off while it was being written.
LineRead ReadLine(std::istream& in, std::string& line) {
    line.clear();
    bool any = false;
    bool tooLong = false;
    bool ended = false;
    char c = 0;
    while (in.get(c)) {
        any = true;
        if (c == '\n') {
            ended = true;
            break;
        }
        if (line.size() < kMaxLineBytes)
            line += c;
        else
            tooLong = true;
    }
    if (in.bad()) return LineRead::Failed;
    if (!any) return LineRead::End;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (tooLong) return LineRead::TooLong;
    return ended ? LineRead::Ok : LineRead::Unended;
}

bool AtEnd(std::istream& in) { return in.peek() == std::char_traits<char>::eof(); }

std::string AsciiLower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

std::string FormatReplayHeader(const MatchState& s, const std::string& dateTime) {
    std::string out = kReplayHeaderLine + dateTime + kCrLf;
    Line(out, "Ver", Int(kBuildNumber));
    out += FormatGeneralSection(s);
    out += "[game]";
    out += kCrLf;
    return out;
}

std::string FormatReplayStep(const ReplayStepRecord& r) {
    std::string out;
    Line(out, "Xvec", FormatDouble(r.Xvec));
    Line(out, "Yvec", FormatDouble(r.Yvec));
    Line(out, "X", FormatDouble(r.X));
    Line(out, "Y", FormatDouble(r.Y));
    Line(out, "G", Int(r.G));
    return out;
}

// --- writer -----------------------------------------------------------------

bool ReplayWriter::WriteReplayHeader(const std::string& path, const MatchState& s, Dialogs& d,
                                     const ErrorLog& log) {
    CloseQuietly();
    failed_ = false;
    path_ = path;
    const std::string header = FormatReplayHeader(s, now_ ? now_() : NowDateTimeText());

    errno = 0;
    out_.clear();
    out_.open(path, std::ios::binary | std::ios::trunc);
    if (out_.is_open()) {
        out_.write(header.data(), static_cast<std::streamsize>(header.size()));
        out_.flush();
    }
    if (out_.is_open() && out_.good()) return true;

    const std::string text = std::string("Ошибка при записи игры!") + kBlankLine +
                             "Описание ошибки: " + LastErrorText() + ". Продолжить?";
    log.LogError(text);
    CloseQuietly();
    failed_ = true;
    Message m;
    m.Text = text;
    m.Title = "Запись игры";
    m.Icon = MsgIcon::Information;
    m.Buttons = MsgButtons::YesNo;
    return d.Ask(m) != MsgAnswer::No;
}

void ReplayWriter::AppendStep(const ReplayStepRecord& r, Dialogs& d, const ErrorLog& log) {
    if (!out_.is_open() || failed_) return;
    const std::string record = FormatReplayStep(r);
    errno = 0;
    out_.write(record.data(), static_cast<std::streamsize>(record.size()));
    out_.flush();
    if (out_.good()) return;

    // Recording stops here; the match goes on without further records.
    const std::string description = LastErrorText();
    failed_ = true;
    CloseQuietly();
    const std::string text = "Ошибка при записи хода игрока в файл повтора!";
    log.LogError(text + " " + description);
    Message m;
    m.Text = text + kBlankLine + description;
    m.Icon = MsgIcon::Information;
    d.Ask(m);
}

void ReplayWriter::CloseReplay(Dialogs& d) {
    if (!out_.is_open()) return;
    const std::string closing = ";Конец записи: " + (now_ ? TimeOf(now_()) : NowTimeText()) + kCrLf;
    errno = 0;
    out_.write(closing.data(), static_cast<std::streamsize>(closing.size()));
    out_.flush();
    bool ok = out_.good();
    std::string description = ok ? "" : LastErrorText();
    out_.close();
    if (ok && out_.fail()) {
        ok = false;
        description = LastErrorText();
    }
    out_.clear();
    if (ok) return;
    Message m;
    m.Text = std::string("Ошибка при закрытии файла повтора! ") + kBlankLine + description;
    m.Icon = MsgIcon::Information;
    d.Ask(m);
}

void ReplayWriter::CloseQuietly() {
    if (out_.is_open()) out_.close();
    out_.clear();
}

bool ReplayWriter::IsOpen() const { return out_.is_open(); }

// --- reader -----------------------------------------------------------------

bool ReplayReader::OpenReplay(const std::string& path, Dialogs& d) {
    Close();
    in_.open(path, std::ios::binary);
    std::string line;
    if (in_.is_open()) {
        // The first line is read in any case; then up to "[game]" or the end.
        ReadLine(in_, line);
        ++line_;
        while (line != "[game]" && !AtEnd(in_)) {
            if (ReadLine(in_, line) == LineRead::Failed) break;
            ++line_;
        }
    }
    if (in_.is_open() && !in_.bad() && AsciiLower(line) == "[game]") return true;

    Close();
    Message m;
    m.Text = "Ошибка при чтении файла повтора! Возможно, он поврежден или не содержит "
             "сохраненную игру.";
    m.Icon = MsgIcon::Critical;
    d.Ask(m);
    return false;
}

bool ReplayReader::ReadStep(ReplayStepRecord& out, Dialogs& d, const ErrorLog& log) {
    if (!in_.is_open()) return false;

    // The reader does not check the keys: it drops their length and reads
    // the number that follows.
    struct Field {
        const char* Key;
        std::size_t Drop;
    };
    static constexpr Field kFields[5] = {
        {"Xvec=", 5}, {"Yvec=", 5}, {"X=", 2}, {"Y=", 2}, {"G=", 2}};

    double values[5] = {};
    std::string description;
    for (int f = 0; f < 5 && description.empty(); ++f) {
        std::string line;
        for (;;) {
            errno = 0;
            const LineRead r = ReadLine(in_, line);
            // A record cut off by a crash or a kill while the match was
            // written ends the replay where the last whole record ended.
            if (r == LineRead::End || r == LineRead::Unended) return false;
            ++line_;
            if (r == LineRead::Failed) {
                description = LastErrorText();
                break;
            }
            if (r == LineRead::TooLong) {
                description = "Строка " + Int(line_) + " слишком длинная";
                break;
            }
            if (!line.empty()) break;
        }
        if (!description.empty()) break;
        if (line.size() < kFields[f].Drop) {
            description = "Строка " + Int(line_) + " («" + line + "») короче ключа «" +
                          kFields[f].Key + "»";
            break;
        }
        values[f] = ParseNumberPrefix(std::string_view(line).substr(kFields[f].Drop));
    }

    std::optional<std::int16_t> g;
    if (description.empty()) {
        g = ToInt16(values[4]);
        if (!g) description = "Переполнение в строке " + Int(line_);
    }
    if (!description.empty()) {
        log.LogError("ReviewReadStep > Ошибка при чтении файла. " + description);
        Message m;
        m.Text = std::string("Ошибка при чтении файла.") + kBlankLine + description;
        m.Icon = MsgIcon::Critical;
        d.Ask(m);
        return false;
    }

    out.Xvec = values[0];
    out.Yvec = values[1];
    out.X = values[2];
    out.Y = values[3];
    // A power beyond what the keys give would be a strike no match had.
    out.G = ReachablePower(*g);
    return true;
}

void ReplayReader::Close() {
    if (in_.is_open()) in_.close();
    in_.clear();
    line_ = 0;
}

bool ReplayReader::IsOpen() const { return in_.is_open(); }

}  // namespace zel
