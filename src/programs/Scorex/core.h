#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvane::programs::Scorex {

// The run driver: one whole run of the program, from reading the configuration to the last
// page. Generic; everything game-specific is reached through the module chosen by the program
// name. It has no fields: all state of a run lives in go.
class core {
 public:
  // The whole run. Every failure inside is caught and reported.
  void go(const std::optional<std::string>& configFile, const std::vector<std::string>& logfiles,
          const std::string& prog);

  // Sets the home directory and operating-system name in the configuration; writes nothing.
  void printProps();
};

}  // namespace orvane::programs::Scorex
