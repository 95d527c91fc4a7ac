#pragma once
#include <string>

namespace zel {

// Keeps a copy of a file the program could not use before anything writes
// over it, so a person can still take their data out of it by hand. The copy
// goes beside the file as "<name>.bad", or the first of "<name>.bad2" ..
// "<name>.bad9" that does not exist yet (the last one is replaced when all
// are taken), written whole through ReplaceFileAtomically. Returns the path
// of the copy, or "" when the file could not be read or the copy written.
std::string KeepDamagedCopy(const std::string& path);

}  // namespace zel
