#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// The one key lookup every INI-style file of the game goes through (settings,
// teams, replays, saved games, chronicle):
//  1. With a section name, find the first line that begins with "[" + section
//     + "]" (letter case ignored, the rest of that line ignored); without the
//     header the result is "". With an empty section name start at line one.
//  2. From the line after the header, find the first line that begins with
//     key + "=" (letter case ignored). The search does not stop at the next
//     section header, so a key missing from its own section is found in a
//     later one. Blanks before the key or before "=" never match.
//  3. The value is the rest of that line, verbatim (no trimming); "" when no
//     line matched.
// Letter case is folded for ASCII and Cyrillic (see FoldCase).
std::string LookupIniValue(const std::vector<std::string>& lines, std::string_view section,
                           std::string_view key);

// The lookup on a file it reads and decodes itself (UTF-8 or Windows-1251).
// An empty path, a missing or unreadable file gives "".
std::string GetIniValueFromFile(const std::string& path, std::string_view section,
                                std::string_view key);

// A file opened once and looked up many times, as the settings loader and the
// replay and saved-game loaders hold their file open while they read it.
class IniFile {
public:
    IniFile() = default;
    // Reads and decodes the file. False (with a description of the failure
    // in `error`, the file left closed) when it cannot be read.
    bool Open(const std::string& path, std::string& error);
    // Takes already decoded text instead of a file.
    void OpenText(std::string_view text);
    void Close();
    bool IsOpen() const { return open_; }

    // The lookup above; "" while no file is open.
    std::string GetIniValue(std::string_view section, std::string_view key) const;

    // Whether the file has the section's header line, found as step 1 of
    // the lookup finds it; a file without it is not the kind of file asked for.
    bool HasSection(std::string_view section) const;

    // The decoded lines, line ends removed.
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;   // the file's lines as decoded text
    std::vector<std::string> folded_;  // the same lines case-folded, for matching
    bool open_ = false;                // a file was read and not closed since
};

}  // namespace zel
