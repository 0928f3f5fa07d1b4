#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "games/Game.h"
#include "programs/Scorex/career/Totals.h"
#include "programs/Scorex/store/RunLock.h"

namespace orvane::programs::Scorex::run {

class Frame1;
struct Module;

// The run driver: one whole run of the program, from reading the configuration to the last
// page. Generic; everything game-specific comes from the module registered under the program
// name. One driver serves one run; it keeps only the run lock between its operations.
class core {
 public:
  // The current time in milliseconds since 1970; tests pass their own.
  using Clock = std::function<int64_t()>;

  core();
  explicit core(Clock now);
  // A driver of this module (kept alive by the caller) for its operations used without go.
  explicit core(
      const Module* module, Clock now = [] { return int64_t{0}; });
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

  std::unique_ptr<career::Totals> getTotalsFromDB();
  bool putTotalsIntoDB(career::Totals& t);
  // Each is false when pages could not be written into the page directory (it is full,
  // read-only or forbidden); other failures are reported and the run goes on.
  bool createGameHtml(const games::Game& g, bool recent, bool high, bool normal);
  bool createTotalsHtml(career::Totals& t);
  // The modern site (ModernSite), from the totals' match archive and ratings.
  bool createModernSite(const career::Totals& t);

  // Takes the command-line logs into the database directory, then checks that no other run
  // is active; ends the process when one is.
  void moveLogFiles(const std::vector<std::string>& files);
  void deleteOldLogfiles();
  void deleteOldHtml(const career::Totals& t);
  void deleteGameHtml(const std::string& game);

  // The text of a log waiting in the database directory (decoded for the module), or none
  // when it cannot be read.
  std::optional<std::string> getLogfileData(const std::string& log);
  // The valid matches of a log text, in log order; a match that fails to build is reported
  // and skipped, and the log's later matches are still built. A match without a time stamp
  // is reported with the log's name and its line, and skipped.
  std::vector<std::unique_ptr<games::Game>> getGameStats(const std::optional<std::string>& log,
                                                         const std::string& logName = "");
  // The same matches handed to take one by one, each as soon as it is built: a log of
  // thousands of matches never holds more than one at a time. A failure inside take is not
  // caught here.
  using TakeGame = std::function<void(std::unique_ptr<games::Game>)>;
  void forEachGame(const std::optional<std::string>& log, const std::string& logName,
                   const TakeGame& take);

 private:
  // One turn under the lock: loads the totals, processes the waiting logs, writes the pages,
  // saves, cleans up and gives the lock back. False when pages or the database could not be
  // written.
  bool work(Frame1& frame, std::set<std::string>& stuck);
  // Processes the waiting logs but those in stuck (and adds the logs that stay queued); false
  // when pages could not be written.
  bool processLogs(career::Totals* totals, Frame1& frame, std::set<std::string>& stuck);
  // True when a log waits that is not stuck.
  bool waitingBeyond(const std::set<std::string>& stuck) const;
  // Takes the run lock again after a turn; false when another run holds it.
  bool takeLockAgain();
  // Under the run lock: removes what dead writers left and prepares the staging directories.
  void clearLeftovers();
  void renewLock();

  Clock now;
  // The game module of the run: found by the program's name when go starts.
  const Module* module = nullptr;
  std::unique_ptr<store::RunLock> lock;
  int64_t lastRenewal = 0;
  // The time stamps of the matches this run merged: the modern site rewrites their pages.
  std::set<int64_t> merged;
};

}  // namespace orvane::programs::Scorex::run
