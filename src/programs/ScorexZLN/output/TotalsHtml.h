#pragma once

#include "programs/Scorex/TotalsHtml.h"
#include "programs/ScorexZLN/Totals.h"

namespace orvane::programs::ScorexZLN::output {

// Writes the all-time part of Zolnar's site: the main page, the recent matches, the records,
// the rankings, the player list and the career pages. Made for one call of writeTotals.
class TotalsHtml final : public Scorex::TotalsHtml {
 public:
  void writeTotals(Scorex::Totals& totals) override;
};

}  // namespace orvane::programs::ScorexZLN::output
