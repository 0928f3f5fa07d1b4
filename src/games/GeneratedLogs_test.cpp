#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "TraceCapture.h"
#include "games/brk/Game.h"
#include "games/qmLog.h"
#include "games/zln/Game.h"
#include "tools/BrkLogGenerator.h"
#include "tools/ZlnLogGenerator.h"
#include "util/Debug.h"

namespace orvane::games {
namespace {

// What holds for any valid match of either game: every player is ranked once (in order of his
// frags where they rank first) and numbered by his place in the list; the kills add up; each
// player is merged once into the totals.
template <class Game>
void expectConsistent(const Game& g, bool byFrags, const std::string& where) {
  ASSERT_TRUE(g.isValid()) << where;
  std::vector<int32_t> numbers(g.plist.size());
  std::iota(numbers.begin(), numbers.end(), 0);
  std::vector<int32_t> ranked = g.playersByRank;
  std::sort(ranked.begin(), ranked.end());
  ASSERT_EQ(ranked, numbers) << where;
  int32_t kills = 0;
  for (size_t i = 0; i < numbers.size(); ++i) {
    EXPECT_EQ(g.byRank(i).rank, static_cast<int32_t>(i + 1)) << where;
    EXPECT_TRUE(!byFrags || i == 0 || g.byRank(i - 1).all.frags >= g.byRank(i).all.frags) << where;
    EXPECT_EQ(g.plist[i].uid, static_cast<int32_t>(i)) << where;
    kills += g.plist[i].all.kills;
  }
  EXPECT_EQ(g.gameTotals.all.kills, kills) << where;
  EXPECT_EQ(g.gameTotals.all.uses, static_cast<int32_t>(numbers.size())) << where;
}

class GeneratedLogsTest : public ::testing::Test {
 protected:
  testing::TraceCapture trace;
};

// A line that stops the reading keeps the events before it, so every match with players stays
// valid, and ends as logged or at its last event; a sound log is read without a report.
TEST_F(GeneratedLogsTest, BrakkMatchesReplayConsistently) {
  // seed, matches, humans, bots, events, team play, duel, malformed lines
  for (const tools::BrkLogOptions& o : {tools::BrkLogOptions{1, 4, 4, 2, 300, false, false, false},
                                        {2, 4, 5, 3, 300, true, false, false},
                                        {3, 3, 1, 1, 200, false, true, false},
                                        {4, 6, 4, 2, 300, false, false, true},
                                        {6, 2, 12, 4, 1500, true, false, true},
                                        {7, 3, 0, 0, 50, false, false, false}}) {
    trace.str("");
    const std::string log = tools::generateBrkLog(o);
    int valid = 0;
    for (const std::string_view text : qmLog::split(log, "0.0\tinfo\tLog_Standard\tqmLog")) {
      const brk::Game g(text);
      if (!g.isValid()) continue;
      expectConsistent(g, true,
                       "seed " + std::to_string(o.seed) + " match " + std::to_string(valid++));
      EXPECT_TRUE(g.endType == "Incomplete" || g.endType.ends_with("limit hit")) << g.endType;
    }
    EXPECT_EQ(valid, o.players + o.bots == 0 ? 0 : o.matches);
    EXPECT_TRUE(o.malformed || trace.str().empty()) << trace.str();
  }
}

// Sound and garbled matches of every game type: everybody won or lost, by the game type's rule;
// a sound log is read without a report.
TEST_F(GeneratedLogsTest, ZolnarMatchesOfEveryGameTypeReplayConsistently) {
  for (const std::string type : {"Tournament DeathMatch", "Capture the Flag", "Domination",
                                 "Assault", "Tournament Team Game", "SinglePlayer"}) {
    for (uint32_t seed = 1; seed <= 6; ++seed) {
      trace.str("");
      // seed, humans, bots, events, game type, malformed lines
      const zln::Game g(tools::generateZlnText({seed, 4, 2, 300, type, seed > 4}));
      const std::string where = type + " seed " + std::to_string(seed);
      expectConsistent(g, type != "Capture the Flag", where);  // that ranks by score first
      EXPECT_EQ(zln::Specs::games.at(static_cast<size_t>(g.gameType)), type) << where;
      int32_t wins = 0;
      for (const zln::Player& p : g.plist) {
        EXPECT_EQ(p.all.teamWins + p.all.teamLosses, 1) << where;
        wins += p.all.teamWins;
      }
      const bool freeForAll = type == "Tournament DeathMatch" || type == "SinglePlayer";
      EXPECT_TRUE(freeForAll ? wins == 1 : g.winningTeam >= 0) << where;
      EXPECT_TRUE(seed > 4 || trace.str().empty()) << where << trace.str();
    }
  }
}

}  // namespace
}  // namespace orvane::games
