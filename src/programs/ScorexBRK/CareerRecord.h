#pragma once

#include "programs/Scorex/CareerRecord.h"

namespace orvane::programs::ScorexBRK {

using Scorex::CareerRecord;

}  // namespace orvane::programs::ScorexBRK
