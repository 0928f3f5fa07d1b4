#include "games/zln/Game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TraceCapture.h"
#include "util/Debug.h"

namespace orvane::games::zln {
namespace {

using Ints = std::vector<int32_t>;
using Rows = std::vector<std::string>;

// The information lines of a match of game type `type`, class `cls` and team game `team`.
std::string header(const std::string& type, const std::string& cls, bool team) {
  return "0|info|Absolute_Time|2024.03.01.20.00.00.000.+1\n0|map|Title|Deck\n0|game|GameName|" +
         type + "\n0|game|GameClass|Botpack." + cls + "\n0|game|TeamGame|" +
         (team ? "True" : "False") + "\n0|game|GameMutator|Botpack.LowGrav\n";
}

// A human's connection: number, name, team (none when negative).
std::string join(int num, const std::string& name, int team = -1) {
  const std::string n = std::to_string(num);
  std::string s =
      "1|player|Connect|" + name + "|" + n + "|False\n1|player|IsABot|" + n + "|False\n";
  if (team >= 0) s += "1|player|Team|" + n + "|" + std::to_string(team) + "\n";
  return s + "1|player|Skill|" + n + "|2.0\n";
}

// Builds a match from text written with "|" for tabs.
std::unique_ptr<Game> play(std::string text) {
  std::replace(text.begin(), text.end(), '|', '\t');
  return std::make_unique<Game>(text);
}

// The players in rank order, each in one line: frags, kills, deaths, suicides, team kills; the
// flag counters taken, picked up, dropped, captured, returned, assists, carrier kills; the
// whole-match time; wins/losses.
Rows ranked(const Game& g) {
  Rows r;
  for (size_t i = 0; i < g.playersByRank.size(); ++i) {
    const Player& p = g.byRank(i);
    const PStats& a = p.all;
    std::ostringstream o;
    o << p.name << " f" << a.frags << " k" << a.kills << " d" << a.deaths << " s" << a.suicides
      << " tk" << a.tkills << " flag" << a.flagTakens << a.flagPickups << a.flagDrops
      << a.flagCaptures << a.flagReturns << a.flagAssists << a.flagKills << " t" << a.totalTime
      << " " << a.teamWins << "/" << a.teamLosses;
    r.push_back(o.str());
  }
  return r;
}

class ZlnGameTest : public ::testing::Test {
 protected:
  testing::TraceCapture trace;
};

// Without teams a team kill is a kill, and may be the first blood; the match lasts from its
// start line. (The golden matches of every game type hold the kills booked by damage type.)
TEST_F(ZlnGameTest, WithoutTeamsATeamKillIsAKill) {
  auto g = play(header("Tournament DeathMatch", "DeathMatchPlus", false) + join(0, "Ann") +
                join(1, "Bob") + "2|game_start\n10|teamkill|1|Flak Cannon|0|Enforcer|shredded\n" +
                "62|game_end|fraglimit\n");
  EXPECT_EQ(ranked(*g), (Rows{"Bob f1 k1 d0 s0 tk0 flag0000000 t61 1/0",
                              "Ann f0 k0 d1 s0 tk0 flag0000000 t61 0/1"}));
  EXPECT_EQ(
      (std::vector<double>{g->gameLength, 1.0 * g->firstBlood, 1.0 * g->byRank(0).all.firstBlood}),
      (std::vector<double>{60, 1, 1}));  // Bob's number, and his first blood
}

// Red's name comes after its number, Blue's before; a team death is no death; at a tie the
// first team wins. (The golden team matches hold the usual booking of kills and team kills.)
TEST_F(ZlnGameTest, TeamGameFindsTeamsByNumberAndTheFirstWinsATie) {
  auto g = play(header("Tournament Team Game", "TeamGamePlus", true) + join(0, "Ann", 0) +
                "1|player|TeamName|0|Red\n" + join(1, "Bob") +
                "1|player|TeamName|1|Blue\n1|player|Team|1|1\n" + join(2, "Cy", 0) +
                "10|kill|0|Enforcer|1|Enforcer|shot\n11|kill|2|Enforcer|1|Enforcer|shot\n"
                "12|kill|1|Enforcer|0|Enforcer|shot\n13|teamkill|2|Enforcer|0|Enforcer|shot\n"
                "14|teamkill|2|Enforcer|9|Enforcer|shot\n30|game_end|timelimit\n");
  ASSERT_EQ(g->teamTotals.size(), 2u);
  const Player& red = g->teamTotals[0];
  const Player& blue = g->teamTotals[1];
  EXPECT_EQ(red.name + std::to_string(red.uid) + blue.name + std::to_string(blue.uid), "Red0Blue1");
  EXPECT_EQ((Ints{red.all.frags, red.all.deaths, blue.all.frags, g->winningTeam}),
            (Ints{1, 1, 1, 0}));
  EXPECT_NE(trace.str().find("Error Game.getPNum: Player 9 not found\nError: TeamKill\n"),
            std::string::npos)
      << trace.str();
}

// Domination goes to the higher logged score though the other team has the frags (a score of
// a team not there changes nothing), control points counted by name; Assault to the defenders
// unless the attack succeeded (the golden matches hold the usual cases). A team game without
// team records has no result.
TEST_F(ZlnGameTest, ObjectiveGamesWinByTheLoggedScoreOrTheAttacksEnd) {
  const auto match = [&](const char* type, const std::string& lines) {
    return play(header(type, type, true) + join(0, "Ann", 0) + join(1, "Bob", 1) +
                "9|kill|0|Enforcer|1|Enforcer|shot\n" + lines);
  };
  const auto dom = match("Domination",
                         "10|controlpoint_capture|Tower|0\n11|controlpoint_capture|Gate|1\n"
                         "12|controlpoint_capture|Tower|1\n20|dom_score_update|1|30\n"
                         "20|dom_score_update|7|99\n20|dom_score_update|-1|9\n");
  EXPECT_EQ((std::vector<Ints>{dom->plist.at(0).cpc, dom->plist.at(1).cpc}),
            (std::vector<Ints>{{1}, {1, 1}}));
  EXPECT_EQ(dom->teamTotals.at(1).all.score + dom->winningTeam, 31.0);
  const auto as = match("Assault",
                        "10|assault_gamecode|AS-Frigate|2\n10|assault_defender|1\n"
                        "50|game_end|timelimit\n");
  EXPECT_EQ(std::to_string(as->winningTeam) + ranked(*as)[0],
            "1Ann f1 k1 d0 s0 tk0 flag0000000 t49 0/1");
  const auto none = play(header("Capture the Flag", "CTFGame", true) + join(0, "Ann") +
                         join(1, "Bob") + "9|kill|0|Enforcer|1|Enforcer|shot\n");
  EXPECT_EQ(std::to_string(none->winningTeam) + ranked(*none)[0],
            "-1Ann f1 k1 d0 s0 tk0 flag0000000 t8 0/0");
}

// A player who leaves and comes back as the same person continues on his old record; the flag
// he carried when he left is no longer his. A kill counts as a carrier kill when the carrier's
// drop follows it; on the last line nothing follows.
TEST_F(ZlnGameTest, AReconnectedCarrierContinuesOnHisRecordWithoutAStaleCarrierEntry) {
  auto g = play(header("Capture the Flag", "CTFGame", true) + join(0, "Ann", 0) +
                join(1, "Bob", 1) + join(2, "Cy", 0) +
                "10|kill|0|Enforcer|1|Enforcer|shot\n11|flag_taken|0|1\n12|player|Disconnect|0\n" +
                join(7, "Ann", 0) +  // a new number
                "13|flag_taken|2|1\n14|flag_captured|2|1\n15|kill|7|Enforcer|1|Enforcer|shot\n"
                "16|kill|2|Enforcer|1|Enforcer|shot\n60|game_end|timelimit\n");
  // Ann: connected 1 to 12 and again from 1 (the log's time of the new connection) to 60.
  EXPECT_EQ(ranked(*g), (Rows{"Ann f2 k2 d0 s0 tk0 flag1000000 t70 1/0",
                              "Cy f1 k1 d0 s0 tk0 flag1001000 t59 1/0",
                              "Bob f0 k0 d3 s0 tk0 flag0000000 t59 0/1"}));
  g = play(header("Capture the Flag", "CTFGame", true) + join(0, "Ann", 0) + join(1, "Bob", 1) +
           "10|flag_taken|0|1\n11|kill|1|Enforcer|0|Enforcer|shot");
  EXPECT_EQ(ranked(*g)[0], "Bob f1 k1 d0 s0 tk0 flag0000000 t10 0/1");
}

TEST_F(ZlnGameTest, AnAbsentPasswordMatchesOnlyAnAbsentOne) {
  const auto records = [&](const std::string& first, const std::string& again) {
    auto g = play(header("Tournament DeathMatch", "DeathMatchPlus", false) +
                  "1|player|Connect|Ann|0|False" + first + "\n1|player|Skill|0|1\n" +
                  join(1, "Bob") + "5|kill|0|Enforcer|1|Enforcer|shot\n" +
                  "6|player|Disconnect|0\n7|player|Connect|Ann|5|False" + again +
                  "\n7|player|Skill|5|1\n8|kill|5|Enforcer|1|Enforcer|shot\n");
    return g->plist.size();
  };
  // An empty password is not an absent one.
  EXPECT_EQ((std::vector<size_t>{records("", ""), records("|pw", "|pw"), records("", "|"),
                                 records("|pw", "|other")}),
            (std::vector<size_t>{2, 2, 3, 3}));
}

}  // namespace
}  // namespace orvane::games::zln
