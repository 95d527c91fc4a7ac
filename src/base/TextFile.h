#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/Dialogs.h"

namespace zel {

// Whole-file text helpers shared by the settings, team, report and saved-game
// code. Files are read as UTF-8 or Windows-1251 (see TextEncoding.h) and
// always written as UTF-8 with CR LF line ends.

// The largest file the helpers read. Our files are a few kilobytes; anything
// beyond this is not one of them and is refused rather than loaded.
inline constexpr std::size_t kMaxTextFileBytes = 64u * 1024u * 1024u;

// True when `path` names an existing regular file (symbolic links followed)
// that is not hidden. On Linux a name starting with "." is the hidden file:
// the saved-game lists do not show such files and our own temporary files
// use such names, so they never pass for a real settings or saved-game file.
bool FileExists(const std::string& path);

// Splits text into lines at LF; one CR at the end of a line belongs to the
// line end (CR LF, or a last line cut off after its CR) and is dropped. Text
// after the last LF is one more line; a text ending in LF has no empty last
// line; "" gives no lines.
std::vector<std::string> SplitLines(std::string_view text);

// Reads a file's bytes, at most kMaxTextFileBytes. Returns false with an
// error description (the system's wording) when it cannot.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);

// The whole file as text, each line followed by CR LF. An empty path or a
// file that is not there (FileExists false) gives "" without a message. A
// file that exists but cannot be read gives "" after the warning "Чтение
// файла". The busy pointer is shown while the file is read.
std::string ReadTextFile(const std::string& path, Dialogs& d);

// Replaces the file's content with `text` followed by one line break, lone
// LFs written as CR LF. The text goes to a hidden temporary file in the same
// folder, is flushed to disk and then renamed over the target, so a failure
// never leaves a truncated file: the old content stays as it was. On failure
// the warning "Ошибка при записи файла:..." is shown, the temporary file is
// removed and the result is false; callers go on either way. The busy pointer
// is shown while the file is written.
bool WriteTextFile(const std::string& path, const std::string& text, Dialogs& d);

// `text` with every line break turned into CR LF (lone LF gains its CR; CR LF
// stays as it is; a lone CR is left alone).
std::string ToCrLf(std::string_view text);

}  // namespace zel
