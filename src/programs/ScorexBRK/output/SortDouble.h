#pragma once

#include "programs/Scorex/SortDouble.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::SortDouble;

}  // namespace orvane::programs::ScorexBRK::output
