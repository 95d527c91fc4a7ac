#pragma once
#include <string>

namespace zel {

// The description of a system error number as failure messages show it: in
// Russian for the errors files meet (no space, no access, read-only, a
// folder in the way, ...); a rare one in the system's words with its number.
std::string SystemErrorText(int err);

}  // namespace zel
