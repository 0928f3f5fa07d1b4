#pragma once

#include <string_view>
#include <vector>

#include "games/brk/PStats.h"
#include "games/brk/Specs.h"
#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/output/TableEntry.h"

// The table builders' pieces (shared with the other game) and Brakk's own: damage headings and
// ratios, and the names of its weapons and causes.
namespace orvane::programs::ScorexBRK::output::cells {

using namespace Scorex::output::cells;

// Two heading rows: the names span both rows, then "Damage" over "Given", "Rec." and "G/R".
inline void damageHeadings(Scorex::output::Table& t, const std::vector<const char*>& names) {
  Scorex::output::Row r;
  for (const char* n : names) r.push_back(span(n, Scorex::output::kHeading, 2, 1));
  r.push_back(span("Damage", Scorex::output::kHeading, 1, 3));
  t.push_back(std::move(r));
  t.push_back(headings({"Given", "Rec.", "G/R"}));
}
inline double damageRatio(int32_t given, int32_t received) {
  return received == 0 ? given : static_cast<double>(given) / received;
}

inline std::string_view weaponName(size_t w) { return games::brk::Specs::weapons.at(w); }
inline std::string_view suicideName(size_t k) { return suicideNameOf<games::brk::Specs>(k); }

}  // namespace orvane::programs::ScorexBRK::output::cells
