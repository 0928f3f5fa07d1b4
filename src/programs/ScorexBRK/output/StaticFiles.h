#pragma once

#include "programs/Scorex/output/StaticFiles.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::output::StaticFiles;

}  // namespace orvane::programs::ScorexBRK::output
