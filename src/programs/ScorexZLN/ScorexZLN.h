#pragma once

#include <string>
#include <vector>

namespace orvane::programs::ScorexZLN {

// Entry point of the zln game module: reads the command line and runs the driver with the
// program name "ScorexZLN", which selects this module everywhere.
class ScorexZLN final {
 public:
  // Returns the process's exit status.
  static int main(const std::vector<std::string>& args);
};

}  // namespace orvane::programs::ScorexZLN
