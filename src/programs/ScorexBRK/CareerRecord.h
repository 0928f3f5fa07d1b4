#pragma once

#include "programs/Scorex/career/CareerRecord.h"

namespace orvane::programs::ScorexBRK {

using Scorex::career::CareerRecord;

}  // namespace orvane::programs::ScorexBRK
