#pragma once

#include <cmath>
#include <cstdint>

namespace orvane::programs::Scorex::career {

// A row number ranked by a floating-point value, greatest first. A value that is not a
// number ranks level with everything.
struct SortDouble {
  SortDouble(double val, int32_t num) : num(num), val(val) {}
  static int32_t compare(const SortDouble& a, const SortDouble& b) {
    if (std::isnan(a.val) || std::isnan(b.val)) return 0;
    return a.val > b.val ? 1 : (a.val < b.val ? -1 : 0);
  }
  int32_t num;
  double val;
};

}  // namespace orvane::programs::Scorex::career
