#include "games/MatchCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "games/Ranking.h"
#include "games/brk/Game.h"
#include "util/Debug.h"

namespace orvane::games {
namespace {

using Ints = std::vector<int32_t>;
using Rows = std::vector<std::string>;

// What every match does once its events are replayed, seen through Brakk matches of players A
// and B (numbers 0 and 1) and the lines given, written with "|" for the tabs.
class MatchCoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    util::Debug::reset();
    util::Debug::setStream(&trace);
  }
  void TearDown() override { util::Debug::reset(); }

  static std::unique_ptr<brk::Game> play(const std::string& lines, const std::string& head = "") {
    std::string text = head +
                       "1|Player_Connect|A|0|ip\n1|Player_Enter|A|0\n"
                       "1|Player_Connect|B|1|ip\n1|Player_Enter|B|1\n" +
                       lines;
    std::replace(text.begin(), text.end(), '|', '\t');
    return std::make_unique<brk::Game>(text);
  }
  // The players in rank order: name, rank, frags, deaths, suicides, wins/losses.
  static Rows ranked(const brk::Game& g) {
    Rows r;
    for (size_t i = 0; i < g.playersByRank.size(); ++i) {
      const brk::PStats& a = g.byRank(i).all;
      r.push_back(g.byRank(i).name + " " + std::to_string(g.byRank(i).rank) + " f" +
                  std::to_string(a.frags) + " d" + std::to_string(a.deaths) + " s" +
                  std::to_string(a.suicides) + " " + std::to_string(a.teamWins) + "/" +
                  std::to_string(a.teamLosses));
    }
    return r;
  }
  std::ostringstream trace;
};

// A player who never killed, died or picked anything up leaves the match, and his column leaves
// the other players' per-opponent lists. The first ranked alone wins a free-for-all.
TEST_F(MatchCoreTest, IdlePlayersLeaveTheMatchAndTheOpponentLists) {
  const auto g = play(
      "1|Player_Connect|C|2|ip\n1|Player_Enter|C|2\n5|Kill|0|Railgun||0|2|Railgun||0\n"
      "6|Player_Respawn|2\n7|Kill|2|Railgun||0|0|Railgun||0\n8|Kill|0|Railgun||0|2|Railgun||0\n");
  EXPECT_EQ(ranked(*g), (Rows{"A 1 f2 d1 s0 1/0", "C 2 f1 d2 s0 0/1"}));
  EXPECT_EQ(*g->plist[0].all.playerKills, (Ints{0, 2}));
  EXPECT_EQ(*g->plist[0].all.playerDeaths, (Ints{0, 1}));
  EXPECT_EQ(*g->plist[0].vsHumans.playerKills, (Ints{0, 2}));
  EXPECT_EQ(*g->plist[1].all.playerKills, Ints{1});
}

TEST_F(MatchCoreTest, ALonePlayerWinsATeamMatchWithoutTeamsOrPlayersHasNoResult) {
  EXPECT_EQ(ranked(*play("2|Suicide|1|Lava||0\n")), Rows{"B 1 f-1 d0 s1 1/0"});
  const auto noTeams = play("5|Kill|0|Railgun||0|1|Railgun||0\n", "0|info|match_mode|TeamPlay\n");
  EXPECT_EQ(noTeams->winningTeam, -1);
  EXPECT_EQ(ranked(*noTeams), (Rows{"A 1 f1 d0 s0 0/0", "B 2 f0 d1 s0 0/0"}));
  // Lines of players who never connected: nobody is left.
  const auto empty =
      play("2|Kill|5|Railgun||0|6|Railgun||0\n3|Item_Pickup|Quad||7|0\n4|Suicide|8|Lava||0\n");
  ASSERT_TRUE(empty->isValid());
  EXPECT_TRUE(empty->plist.empty() && empty->playersByRank.empty() && empty->playersByUID.empty() &&
              empty->hs->MostFrags.empty());
  EXPECT_EQ(empty->winningTeam, -1);
  EXPECT_EQ(trace.str(), "Error: Kill\nError: Item Get\nError: Suicide\n");
}

// More frags first, then fewer deaths, then fewer suicides; level otherwise.
TEST(Ranking, FragsThenDeathsThenSuicides) {
  struct S {
    int32_t frags, deaths, suicides;
  };
  const S best{5, 1, 0};
  for (const S& worse : {S{4, 0, 0}, S{5, 2, 0}, S{5, 1, 1}}) {
    EXPECT_EQ(std::make_pair(compareFDS(best, worse), compareFDS(worse, best)),
              std::make_pair(1, -1));
  }
  EXPECT_EQ(compareFDS(best, best), 0);
}

}  // namespace
}  // namespace orvane::games
