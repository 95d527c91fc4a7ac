#include "base/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "base/TextEncoding.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCrLf = "\r\n";

// Busy(true) now, Busy(false) on every way out of the scope.
class BusyPointer {
public:
    explicit BusyPointer(Dialogs& d) : d_(d) { d_.Busy(true); }
    ~BusyPointer() { d_.Busy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Dialogs& d_;
};

std::string Describe(int err) { return std::generic_category().message(err); }

// Closes the descriptor when it goes out of scope unless released first.
class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() {
        if (fd_ >= 0) ::close(fd_);
    }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;
    // Closes now and reports the close's own error (0 when it went well).
    int CloseNow() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view data, int& err) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file the write must end up in: a symbolic link is followed so that the
// rename replaces the file it points to, not the link.
fs::path WriteTarget(const std::string& path) {
    std::error_code ec;
    const fs::path p(path);
    if (fs::is_symlink(p, ec)) {
        fs::path real = fs::canonical(p, ec);
        if (!ec) return real;
    }
    return p;
}

// Writes `bytes` next to `target` under a hidden temporary name and renames it
// over the target. On failure nothing but the old target remains.
bool ReplaceFile(const fs::path& target, std::string_view bytes, int& err) {
    std::error_code ec;
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == ".." || fs::is_directory(target, ec)) {
        err = EISDIR;
        return false;
    }
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";

    fs::path tmp;
    int fd = -1;
    int openErr = 0;
    // A handful of names is plenty: a clash means another writer of the same
    // file is between its create and its rename right now.
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tmp = dir / ("." + name + ".tmp" + std::to_string(::getpid()) + "_" +
                     std::to_string(attempt));
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) openErr = errno;
        if (fd < 0 && openErr != EEXIST) break;
    }
    if (fd < 0) {
        err = openErr;
        return false;
    }
    FdCloser closer(fd);

    // The new file keeps the permissions of the one it replaces.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) (void)::fchmod(fd, st.st_mode & 07777);

    bool ok = WriteAll(fd, bytes, err);
    if (ok && ::fsync(fd) != 0) {
        err = errno;
        ok = false;
    }
    const int closeErr = closer.CloseNow();
    if (ok && closeErr != 0) {
        err = closeErr;
        ok = false;
    }
    if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) {
        err = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here loses nothing written.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

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
            ok = ReplaceFile(WriteTarget(path), ToCrLf(text) + kCrLf, err);
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
