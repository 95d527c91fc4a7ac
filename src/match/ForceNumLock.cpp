#include "match/ForceNumLock.h"

namespace zel::match {

bool ForceNumLock() { return false; }

}  // namespace zel::match
