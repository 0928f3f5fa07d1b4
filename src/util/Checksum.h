#pragma once

#include <cstdint>
#include <string_view>

namespace orvane::util {

// The 64-bit FNV-1a hash of the bytes: the check sum of the journal and of the match archive's
// records (it finds torn or changed bytes, not deliberate forgeries).
inline uint64_t fnv1a64(std::string_view bytes) {
  uint64_t h = 14695981039346656037ULL;
  for (const char c : bytes) {
    h ^= static_cast<uint8_t>(c);
    h *= 1099511628211ULL;
  }
  return h;
}

}  // namespace orvane::util
