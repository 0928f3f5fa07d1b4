#pragma once

#include "programs/Scorex/output/TableEntry.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::output::Cell;
using Scorex::output::Row;
using Scorex::output::Table;
using Scorex::output::TableEntry;

}  // namespace orvane::programs::ScorexBRK::output
