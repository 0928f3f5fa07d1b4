#pragma once

#include <cstdint>

namespace orvane::tools {

// splitmix64: the same sequence for a seed on every machine and library, unlike the standard
// distributions. Shared by the log generators.
class SplitMix64 {
 public:
  explicit SplitMix64(uint64_t seed) : state(seed) {}
  uint64_t next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // 0 .. n-1; 0 for an empty range.
  int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n)); }

 private:
  uint64_t state;
};

}  // namespace orvane::tools
