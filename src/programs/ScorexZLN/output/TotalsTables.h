#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/zln/Specs.h"
#include "programs/Scorex/output/TableEntry.h"
#include "programs/Scorex/output/TotalsTablesCore.h"
#include "programs/ScorexZLN/Totals.h"

namespace orvane::programs::ScorexZLN::output {

using Scorex::output::Table;

// Every table of Zolnar's all-time pages, built at once from the career totals, the records and
// the player store (which must be open): the shared ones, with the most wins and the flag,
// control-point and special-event records among the highs, and the rankings of Tournament
// DeathMatch, Tournament Team Game, Assault, Capture the Flag and Domination and by frags per
// hour. Made once per run by the all-time page writer.
class TotalsTables final : public Scorex::output::TotalsTablesCore<TotalsTables, Totals> {
 public:
  explicit TotalsTables(const Totals& theTotals);

  std::optional<Table> fphRanking;  // frags per hour over all game types

  // The label of weapon k, or of cause k - (number of weapons); a nameless one is "Unknown".
  static std::string_view suicideName(size_t k);

 private:
  friend TotalsTablesCore;

  static const std::vector<Ranking>& rankings();
  void moreCareerHighs(Table& table) const;
  void moreMatchHighs(Table& table) const;
};

}  // namespace orvane::programs::ScorexZLN::output
