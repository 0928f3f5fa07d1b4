#include "programs/ScorexBRK/output/TotalsHtml.h"

template class orvane::programs::Scorex::output::TotalsHtmlCore<
    orvane::programs::ScorexBRK::Totals, orvane::programs::ScorexBRK::output::TotalsTables,
    orvane::programs::ScorexBRK::output::PlayerHtml>;
