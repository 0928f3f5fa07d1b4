#pragma once

#include "games/brk/PStats.h"
#include "programs/Scorex/output/SortVs.h"

namespace orvane::programs::ScorexBRK::output {

// The shared key, over Brakk's statistics blocks.
using Scorex::output::SortVs;

}  // namespace orvane::programs::ScorexBRK::output
