#pragma once

#include "programs/Scorex/SortName.h"
#include "programs/ScorexBRK/HashEntry.h"

namespace orvane::programs::ScorexBRK {

using SortName = Scorex::SortName<HashEntry>;

}  // namespace orvane::programs::ScorexBRK
