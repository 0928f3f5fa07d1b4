#include "util/Memory.h"

#include <malloc.h>

namespace orvane::util {

void reuseFreedMemory() {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
}

}  // namespace orvane::util
