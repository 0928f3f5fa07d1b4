#pragma once

#include "programs/Scorex/output/TotalsHtmlCore.h"
#include "programs/ScorexZLN/Totals.h"
#include "programs/ScorexZLN/output/PlayerHtml.h"
#include "programs/ScorexZLN/output/TotalsTables.h"

namespace orvane::programs::ScorexZLN::output {

// Writes the all-time part of Zolnar's site: the main page, the recent matches, the records,
// the rankings, the player list and the career pages of the summary players and of every player
// of this run. Made for one call of writeTotals.
using TotalsHtml = Scorex::output::TotalsHtmlCore<Totals, TotalsTables, PlayerHtml>;

}  // namespace orvane::programs::ScorexZLN::output

extern template class orvane::programs::Scorex::output::TotalsHtmlCore<
    orvane::programs::ScorexZLN::Totals, orvane::programs::ScorexZLN::output::TotalsTables,
    orvane::programs::ScorexZLN::output::PlayerHtml>;
