#include "programs/ScorexZLN/output/TotalsHtml.h"

template class orvane::programs::Scorex::output::TotalsHtmlCore<
    orvane::programs::ScorexZLN::Totals, orvane::programs::ScorexZLN::output::TotalsTables,
    orvane::programs::ScorexZLN::output::PlayerHtml>;
