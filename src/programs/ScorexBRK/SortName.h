#pragma once

#include "programs/Scorex/career/SortName.h"
#include "programs/ScorexBRK/HashEntry.h"

namespace orvane::programs::ScorexBRK {

using SortName = Scorex::career::SortName<HashEntry>;

}  // namespace orvane::programs::ScorexBRK
