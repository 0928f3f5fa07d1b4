#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "games/Game.h"
#include "programs/Scorex/RunLock.h"
#include "programs/Scorex/Totals.h"

namespace orvane::programs::Scorex {

class Frame1;

// The run driver: one whole run of the program, from reading the configuration to the last
// page. Generic; everything game-specific comes from the module registered under the program
// name. One driver serves one run; it keeps only the run lock between its operations.
class core {
 public:
  // The current time in milliseconds since 1970; tests pass their own.
  using Clock = std::function<int64_t()>;

  core();
  explicit core(Clock now);
  core(const core&) = delete;
  core& operator=(const core&) = delete;
  ~core();

  // The whole run. Every failure inside is caught and reported; false when the run failed.
  // A second start while a run is active ends the process (ProcessExit) after handing over
  // its logs.
  bool go(const std::optional<std::string>& configFile, const std::vector<std::string>& logfiles,
          const std::string& prog);

  // Sets the home directory and operating-system name in the configuration; writes nothing.
  void printProps();

  std::unique_ptr<Totals> getTotalsFromDB();
  bool putTotalsIntoDB(Totals& t);
  void createGameHtml(const games::Game& g, bool recent, bool high, bool normal);
  void createTotalsHtml(Totals& t);

  // Takes the command-line logs into the database directory, then checks that no other run
  // is active; ends the process when one is.
  void moveLogFiles(const std::vector<std::string>& files);
  void deleteOldLogfiles();
  void deleteOldHtml(const Totals& t);
  void deleteGameHtml(const std::string& game);

  // The text of a log waiting in the database directory (decoded for the module), or none
  // when it cannot be read.
  std::optional<std::string> getLogfileData(const std::string& log);
  // The valid matches of a log text, in log order; a match that fails to build is reported
  // and skipped, and the log's later matches are still built.
  std::vector<std::unique_ptr<games::Game>> getGameStats(const std::optional<std::string>& log);

 private:
  void processLogs(Totals* totals, Frame1& frame);
  void renewLock();

  Clock now;
  std::unique_ptr<RunLock> lock;
  int64_t lastRenewal = 0;
};

}  // namespace orvane::programs::Scorex
