#include "base/DamagedCopy.h"

#include "base/AtomicFile.h"
#include "base/TextFile.h"

namespace zel {
namespace {

constexpr int kCopies = 9;  // how many damaged copies of one file are kept at most

std::string CopyName(const std::string& path, int n) {
    return path + ".bad" + (n == 1 ? std::string() : std::to_string(n));
}

}  // namespace

std::string KeepDamagedCopy(const std::string& path) {
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error)) return "";
    std::string target = CopyName(path, kCopies);
    for (int n = 1; n < kCopies; ++n) {
        if (!FileExists(CopyName(path, n))) {
            target = CopyName(path, n);
            break;
        }
    }
    int err = 0;
    return ReplaceFileAtomically(target, bytes, err) ? target : std::string();
}

}  // namespace zel
