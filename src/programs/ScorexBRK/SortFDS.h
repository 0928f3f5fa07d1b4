#pragma once

#include "programs/Scorex/career/SortFDS.h"
#include "programs/ScorexBRK/HashEntry.h"

namespace orvane::programs::ScorexBRK {

// Career players by frags, deaths and suicides over all game types (SortFDS) and in RegularDM
// matches (SortFDSb).
using SortFDS = Scorex::career::SortFDS<HashEntry>;
using SortFDSb = Scorex::career::SortFDSb<HashEntry>;

}  // namespace orvane::programs::ScorexBRK
