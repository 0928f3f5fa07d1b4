#pragma once

#include <cstdint>

#include "util/Wrap.h"

namespace orvane::programs::Scorex::output {

// One weapon in one player's statistics: frags (more first), then deaths (fewer first). Stats
// is either game's statistics block.
struct SortWeapon {
  template <class Stats>
  SortWeapon(const Stats& s, int32_t w)
      : num(w),
        kills(s.myKills.at(static_cast<size_t>(w))),
        deaths(s.myDeaths.at(static_cast<size_t>(w))),
        suicides(s.myWSuicides.at(static_cast<size_t>(w))) {
    frags = util::sub32(kills, suicides);
    eff = kills > 0 ? kills * 100.0 / (static_cast<double>(kills) + deaths + suicides) : 0.0;
  }
  static int32_t compare(const SortWeapon& a, const SortWeapon& b) {
    if (a.frags != b.frags) return a.frags > b.frags ? 1 : -1;
    if (a.deaths != b.deaths) return a.deaths < b.deaths ? 1 : -1;
    return 0;
  }
  int32_t num;
  int32_t frags = 0;
  int32_t kills;
  int32_t deaths;
  int32_t suicides;
  double eff = 0.0;
};

}  // namespace orvane::programs::Scorex::output
