#include "util/FaultPoint.h"

#ifdef SCOREX_FAULT_POINTS

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace orvane::util {

void faultPoint() {
  static const long target = [] {
    const char* v = std::getenv("SCOREX_FAULT_AT");
    return v == nullptr ? 0L : std::strtol(v, nullptr, 10);
  }();
  static long count = 0;
  if (target <= 0) return;
  if (++count == target) ::_exit(97);  // no clean-up, no flush: as if killed
}

}  // namespace orvane::util

#endif
