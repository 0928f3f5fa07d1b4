#pragma once

#include <string_view>
#include <vector>

#include "games/brk/Specs.h"
#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/output/TableEntry.h"
#include "programs/Scorex/output/TotalsTablesCore.h"
#include "programs/ScorexBRK/Totals.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::output::Table;

// Every table of the all-time pages, built at once from the career totals, the records and
// the player store (which must be open): the shared ones, the most matches won and lost per
// game type, and the rankings of RegularDM, TeamPlay and 1-vs-1. Made once per run by the
// all-time page writer.
class TotalsTables final : public Scorex::output::TotalsTablesCore<TotalsTables, Totals> {
 public:
  explicit TotalsTables(const Totals& theTotals);

 private:
  friend TotalsTablesCore;

  static const std::vector<Ranking>& rankings();
  void moreCareerHighs(Table& table) const;
  void moreMatchHighs(Table&) const {}
  static std::string_view suicideName(size_t k) {
    return Scorex::output::cells::suicideNameOf<games::brk::Specs>(k);
  }
};

}  // namespace orvane::programs::ScorexBRK::output
