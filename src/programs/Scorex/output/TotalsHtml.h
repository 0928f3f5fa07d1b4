#pragma once

#include "programs/Scorex/career/Totals.h"

namespace orvane::programs::Scorex::output {

// Writes the all-time pages of the site from the career totals. Made for one call.
class TotalsHtml {
 public:
  TotalsHtml() = default;
  TotalsHtml(const TotalsHtml&) = delete;
  TotalsHtml& operator=(const TotalsHtml&) = delete;
  virtual ~TotalsHtml() = default;

  // True when every page was written (a failure is reported by the writer).
  virtual bool writeTotals(career::Totals& totals) = 0;
};

}  // namespace orvane::programs::Scorex::output
