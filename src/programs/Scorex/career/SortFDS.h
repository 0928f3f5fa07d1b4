#pragma once

#include <cstdint>

#include "util/Comp.h"

namespace orvane::programs::Scorex::career {

// Ranks frags first (more is better), then deaths and suicides (fewer is better).
inline int32_t compareFragsDeathsSuicides(int32_t af, int32_t ad, int32_t as, int32_t bf,
                                          int32_t bd, int32_t bs) {
  if (af != bf) return af > bf ? 1 : -1;
  if (ad != bd) return ad < bd ? 1 : -1;
  if (as != bs) return as < bs ? 1 : -1;
  return 0;
}

// Career players by their frags, deaths and suicides over all game types. Entry is the
// module's HashEntry.
template <class Entry>
class SortFDS final : public util::Comp<const Entry*> {
 public:
  int32_t compare(const Entry* const& a, const Entry* const& b) const override {
    return compareFragsDeathsSuicides(a->a_frags, a->a_deaths, a->a_suicides, b->a_frags,
                                      b->a_deaths, b->a_suicides);
  }
};

// Career players by their frags, deaths and suicides in the module's deathmatch type (the
// dm_ counters of its HashEntry).
template <class Entry>
class SortFDSb final : public util::Comp<const Entry*> {
 public:
  int32_t compare(const Entry* const& a, const Entry* const& b) const override {
    return compareFragsDeathsSuicides(a->dm_frags, a->dm_deaths, a->dm_suicides, b->dm_frags,
                                      b->dm_deaths, b->dm_suicides);
  }
};

}  // namespace orvane::programs::Scorex::career
