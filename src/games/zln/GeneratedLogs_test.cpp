#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "games/zln/Game.h"
#include "tools/ZlnLogGenerator.h"
#include "util/Debug.h"

namespace orvane::games::zln {
namespace {

using util::Debug;

// Generated matches of every game type, sound and garbled: each builds a match whose players
// are ranked once each, whose totals add up, and whose results follow the game type.
TEST(ZlnGeneratedLogs, EveryGameTypeReplaysIntoAConsistentMatch) {
  std::ostringstream trace;
  Debug::reset();
  Debug::setStream(&trace);
  for (const std::string type : {"Tournament DeathMatch", "Capture the Flag", "Domination",
                                 "Assault", "Tournament Team Game", "SinglePlayer"}) {
    for (uint32_t seed = 1; seed <= 6; ++seed) {
      tools::ZlnLogOptions o;
      o.seed = seed;
      o.gameType = type;
      o.malformed = seed > 4;
      trace.str("");
      const Game g(tools::generateZlnText(o));
      const std::string where = type + " seed " + std::to_string(seed);
      ASSERT_TRUE(g.isValid()) << where;
      EXPECT_EQ(Specs::games.at(static_cast<size_t>(g.gameType)), type) << where;
      const size_t n = g.plist.size();
      std::vector<int32_t> ranked = g.playersByRank;
      std::sort(ranked.begin(), ranked.end());
      std::vector<int32_t> numbers(n);
      std::iota(numbers.begin(), numbers.end(), 0);
      EXPECT_EQ(ranked, numbers) << where;
      int32_t kills = 0;
      int32_t wins = 0;
      int32_t results = 0;
      for (const Player& p : g.plist) {
        kills += p.all.kills;
        wins += p.all.teamWins;
        results += p.all.teamWins + p.all.teamLosses;
      }
      EXPECT_EQ(g.gameTotals.all.kills, kills) << where;
      EXPECT_EQ(results, static_cast<int32_t>(n)) << where;  // everybody won or lost
      if (type == "Tournament DeathMatch" || type == "SinglePlayer") {
        EXPECT_EQ(wins, 1) << where;
      } else {
        EXPECT_GE(g.winningTeam, 0) << where;
      }
      if (!o.malformed) {
        EXPECT_EQ(trace.str().find("Error in"), std::string::npos) << where << trace.str();
      }
    }
  }
  Debug::reset();
}

}  // namespace
}  // namespace orvane::games::zln
