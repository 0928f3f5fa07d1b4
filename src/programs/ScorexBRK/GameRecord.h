#pragma once

#include "programs/Scorex/career/GameRecord.h"

namespace orvane::programs::ScorexBRK {

using Scorex::career::GameRecord;

}  // namespace orvane::programs::ScorexBRK
