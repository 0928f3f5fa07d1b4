#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "programs/Scorex/run/Modules.h"

namespace orvane::bench {

// What the reading and replaying of logs costs alone: no merging, no pages, no database.
struct ReplayRate {
  uint64_t lines = 0;     // of the logs replayed
  int matches = 0;        // valid matches the replay made
  double cpuSeconds = 0;  // of this thread, from the logs' bytes in memory to the last match
  double linesPerSecond = 0;
};

// Reads every log into memory first, then times (on this thread's CPU clock, so one core's
// rate) what a run does with them before it merges: the bytes decoded, the text cut into
// matches and every match replayed by the module. The trace is off while it runs.
ReplayRate measureReplay(const programs::Scorex::run::Module& module,
                         const std::vector<std::filesystem::path>& logs);

}  // namespace orvane::bench
