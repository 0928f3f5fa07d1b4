#pragma once

#include "programs/Scorex/output/TableHtml.h"
#include "programs/ScorexBRK/output/TableEntry.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::output::TableHtml;

}  // namespace orvane::programs::ScorexBRK::output
