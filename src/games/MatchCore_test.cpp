#include "games/MatchCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

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

// More frags first, then fewer deaths, then fewer suicides: on the whole match, or on the
// statistics of one game type.
TEST(Ranking, FragsThenDeathsThenSuicides) {
  std::vector<brk::Player> p(4);
  const int32_t fds[4][3] = {{5, 2, 0}, {9, 1, 0}, {5, 1, 1}, {5, 1, 0}};
  for (size_t i = 0; i < p.size(); ++i) {
    brk::PStats& s = p[i].games[2];
    std::tie(s.frags, s.deaths, s.suicides) = std::tie(fds[i][0], fds[i][1], fds[i][2]);
    p[i].all = s;
  }
  const auto order = [&](const util::Comp<const brk::Player*>& c) {
    std::vector<const brk::Player*> v = {&p[0], &p[1], &p[2], &p[3]};
    util::QuickSort::quickSort(v, c);
    Ints x;
    for (const brk::Player* q : v) x.push_back(static_cast<int32_t>(q - p.data()));
    return x;
  };
  EXPECT_EQ(order(brk::SortFDS()), (Ints{1, 3, 2, 0}));
  EXPECT_EQ(order(brk::SortFDSb(2)), (Ints{1, 3, 2, 0}));
  p[1].games[2].frags = 0;
  EXPECT_EQ(order(brk::SortFDSb(2)), (Ints{3, 2, 0, 1}));
}

}  // namespace
}  // namespace orvane::games
