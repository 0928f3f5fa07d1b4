#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orvane::programs::ScorexRatings {

// scorex-ratings HOME [--json]: prints the skill-rating leaderboards of the site home HOME
// (every module whose configuration lies there), as plain tables or as JSON. Reads the
// database as the last run committed it and changes nothing, so it can run beside a run.
// Returns the exit status: 0, 1 when nothing could be read, 2 for a bad command line.
int scorexRatings(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orvane::programs::ScorexRatings
