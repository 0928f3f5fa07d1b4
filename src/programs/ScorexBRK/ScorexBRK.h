#pragma once

#include <string>
#include <vector>

namespace orvane::programs::ScorexBRK {

// Entry point of the brk game module: reads the command line and runs the driver with the
// program name "ScorexBRK", which selects this module everywhere.
class ScorexBRK final {
 public:
  // Returns the process's exit status.
  static int main(const std::vector<std::string>& args);
};

}  // namespace orvane::programs::ScorexBRK
