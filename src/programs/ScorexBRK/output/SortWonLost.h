#pragma once

#include "programs/Scorex/SortWonLost.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::SortWonLost;

}  // namespace orvane::programs::ScorexBRK::output
