// Starts of the program that meet on one database: however they interleave, each exits 0
// and every log they bring is processed exactly once.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

#include "Home.h"

namespace orvane {
namespace {

TEST(Concurrency, SimultaneousStartsProcessEveryLogOnce) {
  const testing::Home home(SCOREX_BRK);
  std::map<std::string, int> processed;  // log name -> "Now Processing" lines seen
  for (int round = 0; round < 10; ++round) {
    std::vector<std::unique_ptr<testing::Background>> starts;
    for (int i = 0; i < 4; ++i) {
      const std::string log = std::to_string(round) + "-" + std::to_string(i) + ".log";
      home.write("in/" + log,
                 "0.0\tinfo\tLog_Standard\tqmLog\n0.0\tinfo\tAbsolute_Time\t"
                 "2024.03.01.20.00.00.000.+1\n10.0\tKill\t0\tRailgun\t\t50\t1\t\t\t60\n");
      processed[log] = 0;
      starts.push_back(
          std::make_unique<testing::Background>(SCOREX_BRK, home.options({"in/" + log})));
    }
    for (auto& start : starts) {
      const testing::RunResult r = start->wait(15000);
      EXPECT_EQ(r.status, 0) << r.out << r.err;
      std::istringstream lines(r.out);
      for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("Now Processing log ")) ++processed[line.substr(line.rfind(": ") + 2)];
      }
    }
    // Once every start has ended, nothing waits: a log handed over after the active run's
    // last look at the queue is taken up by that run once it has given its lock back.
    EXPECT_EQ(testing::listing(home.file("data")).find(".log"), std::string::npos)
        << "round " << round << ": " << testing::listing(home.file("data"));
  }

  for (const auto& [name, count] : processed) EXPECT_EQ(count, 1) << name;
  EXPECT_EQ(processed.size(), 40u);
  EXPECT_EQ(testing::listing(home.file("data")),
            ".scorex-run .scorex-tmp brk_game.db brk_hash.db brk_matches.db brk_player.db "
            "brk_ratings.db brk_records.db scorex.timezone");
}

}  // namespace
}  // namespace orvane
