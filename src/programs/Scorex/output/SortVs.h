#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace orvane::programs::Scorex::output {

// One opponent of one player: kills of him (more first), then deaths by him (fewer first).
// Stats is either game's statistics block, with its per-opponent lists.
struct SortVs {
  template <class Stats>
  SortVs(const Stats& p, int32_t s) : num(s) {
    auto at = [s](const std::optional<std::vector<int32_t>>& list) {
      return list && s >= 0 && list->size() > static_cast<size_t>(s)
                 ? (*list)[static_cast<size_t>(s)]
                 : 0;
    };
    kills = at(p.playerKills);
    deaths = at(p.playerDeaths);
    eff = kills > 0 ? kills * 100.0 / (static_cast<double>(kills) + deaths) : 0.0;
  }
  static int32_t compare(const SortVs& a, const SortVs& b) {
    if (a.kills != b.kills) return a.kills > b.kills ? 1 : -1;
    if (a.deaths != b.deaths) return a.deaths < b.deaths ? 1 : -1;
    return 0;
  }
  int32_t num;
  int32_t kills = 0;
  int32_t deaths = 0;
  double eff = 0.0;
};

}  // namespace orvane::programs::Scorex::output
