#include "base/ErrorLog.h"

#include <ctime>
#include <fstream>

namespace zel {
namespace {

std::string FormatNow(const char* format) {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) return "";
    char buf[64];
    const std::size_t n = std::strftime(buf, sizeof buf, format, &local);
    return std::string(buf, n);
}

}  // namespace

ErrorLog::ErrorLog(std::string folder) {
    // The program folder normally ends in "/"; a folder from the Windows
    // edition's habits may end in "\". Without any folder the log goes to
    // the current directory rather than to the file system's root.
    path_ = std::move(folder);
    if (!path_.empty() && path_.back() != '/' && path_.back() != '\\') path_ += '/';
    path_ += "zelerror.log";
}

void ErrorLog::LogError(const std::string& message) const {
    try {
        const std::string stamp = now_ ? now_() : NowDateTimeText();
        std::ofstream out(path_, std::ios::binary | std::ios::app);
        if (!out) return;
        out << "(" << stamp << "): " << message << "\r\n";
    } catch (...) {
        // The log is the last resort of every failure handler: a line that
        // cannot be written is lost, the caller carries on.
    }
}

std::string NowDateTimeText() { return FormatNow("%d.%m.%Y %H:%M:%S"); }

std::string NowTimeText() { return FormatNow("%H:%M:%S"); }

}  // namespace zel
