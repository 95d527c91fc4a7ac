#include "base/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/BusyPointer.h"
#include "base/TextEncoding.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCrLf = "\r\n";

std::string Describe(int err) { return SystemErrorText(err); }

// Closes the descriptor when it goes out of scope.
class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() { ::close(fd_); }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

private:
    int fd_;
};

}  // namespace

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    const fs::path p(path);
    const std::string name = p.filename().string();
    if (name.empty() || name[0] == '.') return false;
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = next;
    }
    return lines;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = Describe(errno);
        return false;
    }
    FdCloser closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = Describe(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        error = Describe(EISDIR);
        return false;
    }
    if (st.st_size > static_cast<off_t>(kMaxTextFileBytes)) {
        error = Describe(EFBIG);
        return false;
    }
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = Describe(errno);
            bytes.clear();
            return false;
        }
        if (n == 0) break;
        // A file that grows while we read (or a device) is cut off here.
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxTextFileBytes) {
            error = Describe(EFBIG);
            bytes.clear();
            return false;
        }
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    return true;
}

std::string ReadTextFile(const std::string& path, Dialogs& d) {
    if (path.empty() || !FileExists(path)) return "";
    std::string bytes;
    std::string error;
    bool ok = false;
    {
        BusyPointer busy(d);
        ok = ReadFileBytes(path, bytes, error);
    }
    if (!ok) {
        Message m;
        m.Text = "Ошибка при чтении файла. Возможно, он поврежден или слишком большой.";
        m.Title = "Чтение файла";
        m.Icon = MsgIcon::Exclamation;
        d.Ask(m);
        return "";
    }
    std::string text;
    for (const std::string& line : SplitLines(DecodeFileText(bytes))) {
        text += line;
        text += kCrLf;
    }
    return text;
}

std::string ToCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

bool WriteTextFile(const std::string& path, const std::string& text, Dialogs& d) {
    int err = 0;
    bool ok = false;
    {
        BusyPointer busy(d);
        if (path.empty()) {
            err = ENOENT;
        } else {
            ok = ReplaceFileAtomically(path, ToCrLf(text) + kCrLf, err);
        }
    }
    if (!ok) {
        Message m;
        m.Text = "Ошибка при записи файла:" + path +
                 ". Возможно, имя неверное или текст слишком большой.\r\n\r\n" + Describe(err);
        m.Icon = MsgIcon::Exclamation;
        d.Ask(m);
    }
    return ok;
}

}  // namespace zel
