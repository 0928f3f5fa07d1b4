#pragma once

namespace orvane::util {

// Tunes the allocator for the run's pattern: every match allocates and frees a few large
// blocks (its lines and events). Kept in the heap for reuse instead of being mapped fresh from
// the kernel and handed back each time, they cost no page faults: reading a log gets several
// times faster. Call once at start-up.
void reuseFreedMemory();

}  // namespace orvane::util
