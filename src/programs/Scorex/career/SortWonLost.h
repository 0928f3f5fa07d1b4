#pragma once

#include <cstdint>

namespace orvane::programs::Scorex::career {

// A row number ranked by matches won (more first), then lost (fewer first).
struct SortWonLost {
  SortWonLost(int32_t won, int32_t lost, int32_t num) : num(num), won(won), lost(lost) {}
  static int32_t compare(const SortWonLost& a, const SortWonLost& b) {
    if (a.won != b.won) return a.won > b.won ? 1 : -1;
    if (a.lost != b.lost) return a.lost < b.lost ? 1 : -1;
    return 0;
  }
  int32_t num;
  int32_t won;
  int32_t lost;
};

}  // namespace orvane::programs::Scorex::career
