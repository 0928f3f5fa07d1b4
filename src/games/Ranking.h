#pragma once

#include <cstddef>
#include <cstdint>

#include "util/Comp.h"

namespace orvane::games {

// Compares two statistics blocks for a ranking: more frags first, then fewer deaths, then fewer
// suicides; 1 when a ranks before b.
template <class Stats>
int32_t compareFDS(const Stats& a, const Stats& b) {
  if (a.frags > b.frags) return 1;
  if (a.frags < b.frags) return -1;
  if (a.deaths < b.deaths) return 1;
  if (a.deaths > b.deaths) return -1;
  if (a.suicides < b.suicides) return 1;
  if (a.suicides > b.suicides) return -1;
  return 0;
}

// Ranks players by their whole-match statistics.
template <class Player>
class SortFDSOf final : public util::Comp<const Player*> {
 public:
  int32_t compare(const Player* const& a, const Player* const& b) const override {
    return compareFDS(a->all, b->all);
  }
};

// The same ranking on one game type's statistics.
template <class Player>
class SortFDSbOf final : public util::Comp<const Player*> {
 public:
  explicit SortFDSbOf(int32_t gameType) : gameType(gameType) {}
  int32_t compare(const Player* const& a, const Player* const& b) const override {
    const size_t t = static_cast<size_t>(gameType);
    return compareFDS(a->games.at(t), b->games.at(t));
  }

 private:
  int32_t gameType;
};

}  // namespace orvane::games
