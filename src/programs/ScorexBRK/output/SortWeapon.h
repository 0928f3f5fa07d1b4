#pragma once

#include "games/brk/PStats.h"
#include "programs/Scorex/output/SortWeapon.h"

namespace orvane::programs::ScorexBRK::output {

// The shared key, over Brakk's statistics blocks.
using Scorex::output::SortWeapon;

}  // namespace orvane::programs::ScorexBRK::output
