#pragma once
#include <string>

namespace zel {

// The program's version comes from the build's project version (the
// top-level CMakeLists.txt), so the about window, the replay files and the
// problem report all say the same. The last part is the build number that
// every replay file records as "Ver=".
inline constexpr const char* kVersionText = ZEL_VERSION;  // "3.0.1200"
inline constexpr int kBuildNumber = ZEL_BUILD_NUMBER;      // 1200

}  // namespace zel
