#pragma once

#include <cstdint>

#include "util/Comp.h"

namespace orvane::programs::Scorex::career {

// Career players by name, ascending in character-code order (letter case matters). Entry is
// the module's HashEntry.
template <class Entry>
class SortName final : public util::Comp<const Entry*> {
 public:
  int32_t compare(const Entry* const& a, const Entry* const& b) const override {
    const int c = a->name.compare(b->name);
    return c < 0 ? 1 : (c > 0 ? -1 : 0);
  }
};

}  // namespace orvane::programs::Scorex::career
