#include "base/IniLookup.h"

#include <cerrno>
#include <system_error>

#include "base/SystemErrorText.h"
#include "base/TextEncoding.h"
#include "base/TextFile.h"

namespace zel {
namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// The line index of the section's header (the first line that begins with
// it, letter case ignored), or -1.
long FindSectionLine(const std::vector<std::string>& folded, std::string_view section) {
    const std::string header = "[" + FoldCase(section) + "]";
    const long n = static_cast<long>(folded.size());
    for (long i = 0; i < n; ++i)
        if (StartsWith(folded[static_cast<std::size_t>(i)], header)) return i;
    return -1;
}

// The lookup over lines already folded; returns the index of the matching
// line or -1. Folding keeps byte lengths, so the value's offset in the
// original line is the key's length plus one.
long FindKeyLine(const std::vector<std::string>& folded, std::string_view section,
                 std::string_view key) {
    const long n = static_cast<long>(folded.size());
    long i = 0;
    if (!section.empty()) {
        i = FindSectionLine(folded, section);
        if (i < 0) return -1;
        ++i;
    }
    const std::string wanted = FoldCase(key) + "=";
    for (; i < n; ++i)
        if (StartsWith(folded[i], wanted)) return i;
    return -1;
}

std::vector<std::string> FoldAll(const std::vector<std::string>& lines) {
    std::vector<std::string> folded;
    folded.reserve(lines.size());
    for (const std::string& l : lines) folded.push_back(FoldCase(l));
    return folded;
}

}  // namespace

std::string LookupIniValue(const std::vector<std::string>& lines, std::string_view section,
                           std::string_view key) {
    const std::vector<std::string> folded = FoldAll(lines);
    const long at = FindKeyLine(folded, section, key);
    if (at < 0) return "";
    return lines[static_cast<std::size_t>(at)].substr(key.size() + 1);
}

std::string GetIniValueFromFile(const std::string& path, std::string_view section,
                                std::string_view key) {
    if (path.empty()) return "";
    IniFile f;
    std::string error;
    if (!f.Open(path, error)) return "";
    return f.GetIniValue(section, key);
}

bool IniFile::Open(const std::string& path, std::string& error) {
    Close();
    std::string bytes;
    if (path.empty()) {
        error = SystemErrorText(ENOENT);
        return false;
    }
    if (!ReadFileBytes(path, bytes, error)) return false;
    OpenText(DecodeFileText(bytes));
    return true;
}

void IniFile::OpenText(std::string_view text) {
    lines_ = SplitLines(text);
    folded_ = FoldAll(lines_);
    open_ = true;
}

void IniFile::Close() {
    lines_.clear();
    folded_.clear();
    open_ = false;
}

std::string IniFile::GetIniValue(std::string_view section, std::string_view key) const {
    if (!open_) return "";
    const long at = FindKeyLine(folded_, section, key);
    if (at < 0) return "";
    return lines_[static_cast<std::size_t>(at)].substr(key.size() + 1);
}

bool IniFile::HasSection(std::string_view section) const {
    return open_ && FindSectionLine(folded_, section) >= 0;
}

}  // namespace zel
