#pragma once

#include <cstdint>

namespace orvane::programs::Scorex::career {

// A row number ranked by a count, greatest first.
struct SortInt {
  SortInt(int32_t val, int32_t num) : num(num), val(val) {}
  static int32_t compare(const SortInt& a, const SortInt& b) {
    return a.val > b.val ? 1 : (a.val < b.val ? -1 : 0);
  }
  int32_t num;
  int32_t val;
};

}  // namespace orvane::programs::Scorex::career
