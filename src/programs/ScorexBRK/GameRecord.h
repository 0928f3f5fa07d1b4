#pragma once

#include "programs/Scorex/GameRecord.h"

namespace orvane::programs::ScorexBRK {

using Scorex::GameRecord;

}  // namespace orvane::programs::ScorexBRK
