#pragma once

#include "programs/Scorex/career/SortDouble.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::career::SortDouble;

}  // namespace orvane::programs::ScorexBRK::output
