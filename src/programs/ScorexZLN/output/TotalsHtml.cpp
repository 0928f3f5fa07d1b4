#include "programs/ScorexZLN/output/TotalsHtml.h"

namespace orvane::programs::ScorexZLN::output {

void TotalsHtml::writeTotals(Scorex::Totals&) {}

}  // namespace orvane::programs::ScorexZLN::output
