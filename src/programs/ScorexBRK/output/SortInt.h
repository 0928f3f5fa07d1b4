#pragma once

#include "programs/Scorex/career/SortInt.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::career::SortInt;

}  // namespace orvane::programs::ScorexBRK::output
