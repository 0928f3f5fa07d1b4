#pragma once

#include "programs/ScorexBRK/HashEntry.h"
#include "util/Comp.h"

namespace orvane::programs::ScorexBRK {

// Career players by name, ascending in character-code order (letter case matters).
class SortName final : public util::Comp<const HashEntry*> {
 public:
  int32_t compare(const HashEntry* const& a, const HashEntry* const& b) const override {
    const int c = a->name.compare(b->name);
    return c < 0 ? 1 : (c > 0 ? -1 : 0);
  }
};

}  // namespace orvane::programs::ScorexBRK
