#pragma once

#include "programs/Scorex/PlayerIndex.h"
#include "programs/ScorexBRK/HashEntry.h"

namespace orvane::programs::ScorexBRK {

using PlayerIndex = Scorex::PlayerIndex<HashEntry>;

}  // namespace orvane::programs::ScorexBRK
