#pragma once

#include <string>
#include <vector>

#include "programs/Scorex/run/Modules.h"

namespace orvane::programs::ScorexBRK {

// Entry point of the brk game module: reads the command line and runs the driver with the
// program name "ScorexBRK", which selects this module everywhere.
class ScorexBRK final {
 public:
  // Returns the process's exit status.
  static int main(const std::vector<std::string>& args);
  // What the driver needs of this module.
  static Scorex::run::Module module();
};

}  // namespace orvane::programs::ScorexBRK
