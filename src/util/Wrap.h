#pragma once

#include <cstdint>

namespace orvane::util {

// Logged numbers are hostile: 32-bit counters wrap like two's complement instead of
// overflowing into undefined behaviour.
inline int32_t add32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t sub32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline void addTo(int32_t& x, int32_t y) { x = add32(x, y); }
inline void subFrom(int32_t& x, int32_t y) { x = sub32(x, y); }

}  // namespace orvane::util
