#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace zel {
namespace {

namespace fs = std::filesystem;

// Closes the descriptor when it goes out of scope unless closed first.
class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() {
        if (fd_ >= 0) ::close(fd_);
    }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;
    // Closes now and reports the close's own error (0 when it went well):
    // some file systems report a failed write only here.
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

}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, int& err) {
    if (path.empty()) {
        err = ENOENT;
        return false;
    }
    const fs::path target = WriteTarget(path);
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

}  // namespace zel
