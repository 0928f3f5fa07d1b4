#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "games/Game.h"

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

  // The text of a log waiting in the database directory (decoded for the module), or none
  // when it cannot be read.
  std::optional<std::string> getLogfileData(const std::string& log);
  // The valid matches of a log text, in log order; a match that fails to build is reported
  // and skipped, and the log's later matches are still built.
  std::vector<std::unique_ptr<games::Game>> getGameStats(const std::optional<std::string>& log);
};

}  // namespace orvane::programs::Scorex
