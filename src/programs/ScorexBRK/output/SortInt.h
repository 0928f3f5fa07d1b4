#pragma once

#include "programs/Scorex/SortInt.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::SortInt;

}  // namespace orvane::programs::ScorexBRK::output
