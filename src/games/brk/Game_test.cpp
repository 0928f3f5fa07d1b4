#include "games/brk/Game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "TraceCapture.h"
#include "games/Ranking.h"
#include "util/Debug.h"

namespace orvane::games::brk {
namespace {

using util::Debug;
using Ints = std::vector<int32_t>;

// Builds a match from lines written with "|" for the tabs between fields.
std::unique_ptr<Game> play(std::string lines) {
  std::replace(lines.begin(), lines.end(), '|', '\t');
  return std::make_unique<Game>(lines);
}

// A player or total in one line: identity, then the whole-match figures.
std::string row(const Player& p) {
  const PStats& a = p.all;
  std::ostringstream o;
  o << p.name << " uid" << p.uid << " rank" << p.rank << " team" << p.team
    << (p.isABot ? " bot" : "") << " f" << a.frags << " k" << a.kills << " d" << a.deaths << " s"
    << a.suicides << " i" << a.items << " t" << a.totalTime << " ping" << a.pingTime << "/"
    << a.pingNum << " w" << a.teamWins << " l" << a.teamLosses << " spree" << p.sprees[0].uses
    << " quad" << p.pickups[0].uses << " u" << a.uses;
  return o.str();
}

using Rows = std::vector<std::string>;
Rows rows(const Game& g) {
  Rows r;
  for (const Player& p : g.plist) r.push_back(row(p));
  return r;
}

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
  testing::TraceCapture trace;
};

// A match without a kill or suicide line is none; a failure on the first line still gives a
// (partial, empty) list: the match is valid, with nothing replayed and nothing to close. The
// last mode counts, a team game stays one; an unreadable date leaves an empty text and time 0.
TEST_F(GameTest, ValidWhenTheLinesGiveAnEventList) {
  const auto g = play(
      "0|info|Absolute_Time|yesterday\n0|info|match_mode|TeamPlay\n0|info|match_mode|1-vs-1\n"
      "1|Kill|0|Railgun||5|1|||6\n");
  EXPECT_EQ(g->endType + g->getServerName() + g->getMap() + g->date + std::to_string(g->theTime()),
            "IncompleteNoNameNoMap0");
  EXPECT_TRUE(g->gameType == 2 && g->teamGame);
  // A match that does not count is not replayed: its replay writes nothing.
  trace.str("");
  EXPECT_FALSE(play("1|Chat|hi\n6|Player_Accuracy|7|damage:1:1\n")->isValid());
  EXPECT_EQ(trace.str(), "");
  const auto broken = play("x|Kill|0|Railgun||5|1|||6\n");
  EXPECT_TRUE(broken->isValid() && broken->endType.empty() && broken->plist.empty());
}

// A (human) and the bot B; every clock restarts at 10. A's first life reaches a spree with its
// 5th kill and ends at 25, killed by B holding Quad; B dies holding it at 30, leaves alive at 35
// and comes back on another slot onto its record; A is dead when the match ends; a kill after
// the end is ignored. Figures worked out by hand from the rules of the replay. (The golden team
// match pages pin dates, pings, renames, team changes and team results.)
TEST_F(GameTest, HandMadeMatch) {
  std::string lines =
      "1|Player_Connect|A|0|ip|s\n1|Player_Enter|A|0\n1|Player_Connect|B|1|IS_A_BOT\n"
      "1|Player_Enter|B|1\n10|Game_Start\n";
  for (int t = 11; t < 20; t += 2) {
    lines += std::to_string(t) + "|Kill|0|Railgun||0|1|Blaster||0\n" + std::to_string(t + 1) +
             "|Player_Respawn|1\n";
  }
  const auto g = play(lines +
                      "21|Item_Use|Quad||1|0\n25|Kill|1|Railgun||0|0|Railgun||0\n"
                      "26|Player_Respawn|0\n30|Kill|0|Railgun||0|1|Railgun||0\n"
                      "31|Player_Respawn|1\n35|Player_Leave|B|1\n40|Player_Connect|B|3|IS_A_BOT\n"
                      "41|Player_Enter|B|3\n45|Kill|3|Railgun||0|0|Railgun||0\n"
                      "50|Game_End|fraglimit\n51|Kill|0|Railgun||0|3|Railgun||0\n");
  EXPECT_EQ(trace.str(), "");
  // A lives 10..25, 26..45; B 10..11, 12..13, 14..15, 16..17, 18..19, 20..30, 31..35, 41..50.
  // The first ranked alone wins; the totals (bots left out of the human ones) are summed before.
  EXPECT_EQ(
      (Rows{row(g->plist.at(0)), row(g->plist.at(1)), row(g->gameTotals), row(g->humanTotals)}),
      (Rows{"A uid0 rank1 team-1 f6 k6 d2 s0 i0 t34 ping0/8 w1 l0 spree1 quad0 u0",
            "B uid1 rank2 team-1 bot f2 k2 d6 s0 i0 t28 ping0/8 w0 l1 spree0 quad1 u0",
            " uid-1 rank0 team-1 f8 k8 d8 s0 i0 t62 ping0/16 w0 l0 spree1 quad1 u2",
            " uid-1 rank0 team-1 f6 k6 d2 s0 i0 t34 ping0/8 w0 l0 spree1 quad0 u1"}));
  // A spree lasts its whole life; Quad until its holder's death.
  EXPECT_EQ(std::make_pair(g->plist[0].sprees[0].totalTime, g->plist[1].pickups[0].totalTime),
            std::make_pair(15.0, 9.0));
  // The high scores see the final records (the categories themselves are the shared core's).
  const HighScores& hs = *g->hs;
  EXPECT_EQ((std::vector<Ints>{hs.Sprees[0], hs.Pickups[0], hs.KillsHoldingWeapon[8], hs.LowEff}),
            (std::vector<Ints>{{0}, {1}, {0}, {1}}));
}

TEST_F(GameTest, ConnectionsAndReports) {
  const auto g = play(
      "1|Player_Connect|A|0|ip|s1\n1|Player_Enter|A|0\n1|Player_Connect|B|1|ip\n"
      "1|Player_Enter|B|1\n2|Kill|0|Railgun||0|1|Railgun||0\n3|Player_Leave|A|0\n"
      // After leaving: still A's. Runs of ":" separate; a weapon has two or four numbers.
      "4|Player_Accuracy|0|Railgun:3:10|::Shotgun::5:::20:7:9|damage:120:40\n"
      "5|Kill|1|Railgun||0|0|Railgun||0\n"  // A is gone
      "5|Bogus\n6|Player_Accuracy|7|damage:1:1\n"
      "7|Player_Connect|A|0|ip|s2\n7|Player_Enter|A|0\n"  // new secret: new record
      "8|Kill|0|Shotgun||0|1|Railgun||0\n9|Game_End|timelimit\n");
  // The reading's lines come before the replay's, as if the whole match were read first.
  EXPECT_EQ(trace.str(),
            "Unknown Event: Bogus\nError: Kill\nError Game.getPNumB: Player 7 not found\n"
            "Error: Accuracy\n");
  // The two A records are level; the exact partition sort ranks the later one first.
  EXPECT_EQ(rows(*g),
            (Rows{"A uid0 rank2 team-1 f1 k1 d0 s0 i0 t2 ping0/1 w0 l1 spree0 quad0 u0",
                  "B uid1 rank3 team-1 f0 k0 d2 s0 i0 t1 ping0/2 w0 l1 spree0 quad0 u0",
                  "A uid2 rank1 team-1 f1 k1 d0 s0 i0 t2 ping0/1 w1 l0 spree0 quad0 u0"}));
  const PStats& a = g->plist.at(0).all;  // the reports after leaving
  EXPECT_EQ((Ints{a.hits, a.shots, a.dGiven, a.dReceived, a.myDGiven[10], a.myDReceived[10]}),
            (Ints{8, 30, 120, 40, 7, 9}));
}

// The core every match shares once its events are replayed, seen through Brakk matches of A
// and B.
constexpr const char* kAB =
    "1|Player_Connect|A|0|ip\n1|Player_Enter|A|0\n1|Player_Connect|B|1|ip\n1|Player_Enter|B|1\n";

// A player who never killed, died or picked anything up leaves the match, and his column leaves
// the other players' per-opponent lists. The first ranked alone wins a free-for-all.
TEST_F(GameTest, IdlePlayersLeaveTheMatchAndTheOpponentLists) {
  const auto g = play(
      std::string(kAB) +
      "1|Player_Connect|C|2|ip\n1|Player_Enter|C|2\n5|Kill|0|Railgun||0|2|Railgun||0\n"
      "6|Player_Respawn|2\n7|Kill|2|Railgun||0|0|Railgun||0\n8|Kill|0|Railgun||0|2|Railgun||0\n");
  EXPECT_EQ(rows(*g),
            (Rows{"A uid0 rank1 team-1 f2 k2 d1 s0 i0 t6 ping0/3 w1 l0 spree0 quad0 u0",
                  "C uid1 rank2 team-1 f1 k1 d2 s0 i0 t6 ping0/3 w0 l1 spree0 quad0 u0"}));
  EXPECT_EQ((std::vector<Ints>{*g->plist[0].all.playerKills, *g->plist[0].all.playerDeaths,
                               *g->plist[0].vsHumans.playerKills, *g->plist[1].all.playerKills}),
            (std::vector<Ints>{{0, 2}, {0, 1}, {0, 2}, {1}}));
}

TEST_F(GameTest, ALonePlayerWinsATeamMatchWithoutTeamsOrPlayersHasNoResult) {
  EXPECT_EQ(rows(*play(std::string(kAB) + "2|Suicide|1|Lava||0\n")),
            Rows{"B uid0 rank1 team-1 f-1 k0 d0 s1 i0 t1 ping0/1 w1 l0 spree0 quad0 u0"});
  const auto noTeams = play("0|info|match_mode|TeamPlay\n" + std::string(kAB) +
                            "5|Kill|0|Railgun||0|1|Railgun||0\n");
  EXPECT_EQ(noTeams->winningTeam, -1);
  EXPECT_EQ(rows(*noTeams),
            (Rows{"A uid0 rank1 team-1 f1 k1 d0 s0 i0 t4 ping0/1 w0 l0 spree0 quad0 u0",
                  "B uid1 rank2 team-1 f0 k0 d1 s0 i0 t4 ping0/1 w0 l0 spree0 quad0 u0"}));
  // Lines of players who never connected: nobody is left.
  const auto empty = play(std::string(kAB) +
                          "2|Kill|5|Railgun||0|6|Railgun||0\n3|Item_Pickup|Quad||7|0\n"
                          "4|Suicide|8|Lava||0\n");
  EXPECT_TRUE(empty->isValid() && empty->plist.empty() && empty->playersByRank.empty() &&
              empty->playersByUID.empty() && empty->hs->MostFrags.empty());
  EXPECT_EQ(empty->winningTeam, -1);
  EXPECT_EQ(trace.str(), "Error: Kill\nError: Item Get\nError: Suicide\n");
}

// More frags first, then fewer deaths, then fewer suicides; level otherwise.
TEST(Ranking, FragsThenDeathsThenSuicides) {
  struct S {
    int32_t frags, deaths, suicides;
  };
  for (const S& worse : {S{4, 0, 0}, S{5, 2, 0}, S{5, 1, 1}})
    EXPECT_EQ(compareFDS(S{5, 1, 0}, worse) - compareFDS(worse, S{5, 1, 0}), 2);
  EXPECT_EQ(compareFDS(S{5, 1, 0}, S{5, 1, 0}), 0);
}

constexpr const char* kTeamHead =
    "0|info|match_mode|TeamPlay\n1|Player_Connect|A|0|ip|s\n1|Player_Team_Join|A|0|Red|0\n"
    "1|Player_Enter|A|0\n1|Player_Connect|B|1|ip\n1|Player_Enter|B|1\n";

// A change of team stops the record left behind and starts one of the new team. Red, Blue,
// Green, Blue: the second Blue period goes on the Blue record, not on the Red one.
TEST_F(GameTest, RecordTakenOverOnlyForItsOwnTeam) {
  const auto g = play(std::string(kTeamHead) +
                      "5|Kill|0|Railgun||0|1|Railgun||0\n6|Player_Respawn|1\n"
                      "10|Player_Team_Join|A|0|Blue|0\n12|Kill|0|Railgun||0|1|Railgun||0\n"
                      "13|Player_Respawn|1\n20|Player_Team_Join|A|0|Green|0\n"
                      "22|Kill|0|Railgun||0|1|Railgun||0\n23|Player_Respawn|1\n"
                      "30|Player_Team_Join|A|0|Blue|0\n32|Kill|0|Railgun||0|1|Railgun||0\n"
                      "40|Game_End|fraglimit\n");
  EXPECT_EQ(g->winningTeam, 1);
  EXPECT_EQ(rows(*g),
            (Rows{"A uid0 rank3 team0 f1 k1 d0 s0 i0 t9 ping0/1 w0 l1 spree0 quad0 u0",
                  "B uid1 rank4 team-1 f0 k0 d4 s0 i0 t28 ping0/4 w0 l1 spree0 quad0 u0",
                  // 10..20, 30..40
                  "A uid2 rank1 team1 f2 k2 d0 s0 i0 t20 ping0/2 w1 l0 spree0 quad0 u0",
                  "A uid3 rank2 team2 f1 k1 d0 s0 i0 t10 ping0/1 w0 l1 spree0 quad0 u0"}));
}

// Numbers at the ends of their range, in every field that is summed or used as an index, wrap
// or are refused as a whole line; nothing traps.
TEST_F(GameTest, HostileNumbersWrapOrAreRefused) {
  // Written with MAX for 2147483647, MIN for -2147483648 and INF for 1e308.
  std::string log =
      "0.0|info|Absolute_Time|2026.03.14.20.15.09.123.+INF\n"
      "0.0|info|Absolute_Time|99999.99.99.99.99.99.999.-MAX\n0.0|info|match_mode|TeamPlay\n"
      "INF|Player_Connect|Max|MAX|1.2.3.4|s\n-INF|Player_Enter|Max|MAX\n"
      "0.0|Player_Connect|Min|MIN|IS_A_BOT|s\n0.0|Player_Enter|Min|MIN\n"
      "0.0|Player_Connect|Neg|-5|1.2.3.4|n\nINF|Player_Respawn|-5\n"
      "0.0|Player_Team_Join|Max|MAX|Red|MAX\n0.0|Player_Team_Join|Min|MIN|Red|MIN\n"
      "0.0|Player_Team_Join|Max|MAX|Blue|MIN\nINF|Kill|MAX|Railgun|0|MAX|MIN|Blaster|0|MAX\n"
      "INF|Kill|MAX|Railgun|0|MAX|MIN|Blaster|0|MAX\nINF|Kill|MAX|Railgun|0|MAX|MIN|Blaster|0|MAX\n"
      "-INF|Fratricide|MIN|BFG10K|0|MIN|MAX|Hook|0|MIN\nINF|Suicide|-5|Lava|0|MAX\n"
      "INF|Item_Pickup|Quad|0|MIN|MAX\nINF|Item_Use|Quad|0|MAX|MAX\n-INF|Item_Expire|Quad|0|MAX\n"
      "INF|Player_Accuracy|MAX|Railgun:MAX:MAX:MAX:MAX|dmg:MAX:MAX\n"
      "INF|Player_Accuracy|MAX|Railgun:MAX:MAX:MAX:MAX|dmg:MAX:MAX\nINF|Player_Leave|Max|MAX\n"
      "INF|Player_Reconnect|Max|MIN|x\nINF|Player_Connect|Max|MIN|1.2.3.4|s\n"
      "INF|Player_Rename|Min|Min2|MIN|MAX|s\nINF|Observe|Neg|-5|MAX\n"
      "INF|Player_Accuracy|-1|dmg:1:1\nINF|Kill|-1|Railgun|0|0|-5|Railgun|0|0\nINF|Game_Start\n";
  for (const auto& [word, number] : {std::pair<std::string, std::string>{"MAX", "2147483647"},
                                     {"MIN", "-2147483648"},
                                     {"INF", "1e308"}}) {
    for (size_t at; (at = log.find(word)) != std::string::npos;) log.replace(at, 3, number);
  }
  const auto g = play(log);
  EXPECT_EQ(g->endType, "Incomplete");
  EXPECT_EQ(g->date, "Mon, Jun 11  100007 at 4:40:39 AM -2147483647");  // fields carry over
  // Max's Red record is idle and dropped; his Blue record scored and was hit by the team kill.
  ASSERT_EQ(g->plist.size(), 3u);
  // Max: two reports of 2147483647 given; Min: pings 3 x 2147483647 - 2147483648.
  EXPECT_EQ(g->byRank(0).name + g->byRank(1).name + g->byRank(2).name, "MaxNegMin");
  EXPECT_EQ((Ints{g->byRank(0).all.kills, g->byRank(0).all.dGiven, g->byRank(2).all.pingTime,
                  g->byRank(2).all.pingNum, g->gameTotals.all.kills}),
            (Ints{3, -2, -3, 4, 3}));
}

}  // namespace
}  // namespace orvane::games::brk
