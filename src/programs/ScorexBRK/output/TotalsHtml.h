#pragma once

#include "programs/Scorex/output/TotalsHtmlCore.h"
#include "programs/ScorexBRK/Totals.h"
#include "programs/ScorexBRK/output/PlayerHtml.h"
#include "programs/ScorexBRK/output/TotalsTables.h"

namespace orvane::programs::ScorexBRK::output {

// Writes the all-time part of Brakk's site: the main page, the recent matches, the records,
// the rankings, the player list and the career pages of the summary players and of every player
// of this run. Made for one call of writeTotals.
using TotalsHtml = Scorex::output::TotalsHtmlCore<Totals, TotalsTables, PlayerHtml>;

}  // namespace orvane::programs::ScorexBRK::output

extern template class orvane::programs::Scorex::output::TotalsHtmlCore<
    orvane::programs::ScorexBRK::Totals, orvane::programs::ScorexBRK::output::TotalsTables,
    orvane::programs::ScorexBRK::output::PlayerHtml>;
