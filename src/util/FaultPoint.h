#pragma once

namespace orvane::util {

// A place where the program changes the file system. Test builds can end the process at the
// k-th such place of a run (environment variable SCOREX_FAULT_AT=k), as a crash or a power cut
// would, to prove that no moment of a run can lose or double-count a match; in other builds it
// does nothing.
#ifdef SCOREX_FAULT_POINTS
void faultPoint();
#else
inline void faultPoint() {}
#endif

}  // namespace orvane::util
