#pragma once

#include "programs/Scorex/career/PlayerIndex.h"
#include "programs/ScorexBRK/HashEntry.h"

namespace orvane::programs::ScorexBRK {

using PlayerIndex = Scorex::career::PlayerIndex<HashEntry>;

}  // namespace orvane::programs::ScorexBRK
