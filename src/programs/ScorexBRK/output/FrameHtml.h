#pragma once

#include "programs/Scorex/output/FrameHtml.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::output::FrameHtml;

}  // namespace orvane::programs::ScorexBRK::output
