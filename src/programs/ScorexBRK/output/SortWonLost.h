#pragma once

#include "programs/Scorex/career/SortWonLost.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::career::SortWonLost;

}  // namespace orvane::programs::ScorexBRK::output
