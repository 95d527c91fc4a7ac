#pragma once
#include <string>
#include <string_view>

#include "base/SystemErrorText.h"

namespace zel {

// The one way the game and its tools replace a whole file: the bytes go to a
// hidden temporary file with a name of its own beside the target (created
// exclusively, so two writers never share one), are flushed to disk, and the
// temporary file is renamed over the target; the folder is flushed after.
// A reader therefore sees the old file or the new one, never a part, and a
// crash or a full disk at any moment leaves the old file as it was.
//  - A symbolic link is followed: the file it points to is replaced.
//  - The new file keeps the permissions of the file it replaces.
//  - A target that is a folder, or a name that is no file name, is refused.
// On failure the temporary file is removed, the target is untouched, `err`
// holds the system's error number and the result is false.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, int& err);

}  // namespace zel
