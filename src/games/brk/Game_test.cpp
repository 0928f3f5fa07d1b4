#include "games/brk/Game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

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
    << a.suicides << " tk" << a.tkills << " td" << a.tdeaths << " i" << a.items << " t"
    << a.totalTime << " ping" << a.pingTime << "/" << a.pingNum << " w" << a.teamWins << " l"
    << a.teamLosses << " spree" << p.sprees[0].uses << " quad" << p.pickups[0].uses << " u"
    << a.uses;
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
    Debug::reset();
    Debug::setStream(&trace);
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TearDown() override { Debug::reset(); }
  std::ostringstream trace;
};

// A match without a kill or suicide line is none; a failure on the first line still gives a
// (partial, empty) list: the match is valid, with nothing replayed and nothing to close.
TEST_F(GameTest, ValidWhenTheLinesGiveAnEventList) {
  const auto g = play(
      "0|info|Absolute_Time|yesterday\n0|info|match_mode|TeamPlay\n0|info|match_mode|1-vs-1\n"
      "1|Kill|0|Railgun||5|1|||6\n");
  EXPECT_EQ(g->endType + g->getServerName() + g->getMap() + g->date, "IncompleteNoNameNoMap");
  EXPECT_TRUE(g->gameType == 2 && g->teamGame);  // the last mode counts; a team game stays one
  EXPECT_EQ(g->theTime(), 0);  // an unreadable date leaves an empty text and the time alone
  EXPECT_FALSE(play("1|Chat|hi\n")->isValid());
  const auto broken = play("x|Kill|0|Railgun||5|1|||6\n");
  EXPECT_TRUE(broken->isValid() && broken->endType.empty() && broken->plist.empty());
}

// Four players: Alice and Bob (Red), the bots Crash and Doom (Blue). Bob renames to Bobby and
// moves to Blue (a second record); Doom leaves and returns on another slot; Alice reaches a
// spree; Crash is killed holding Quad and is dead when the match ends. Figures worked out by
// hand from the rules of the replay.
TEST_F(GameTest, HandMadeTeamMatch) {
  const auto g = play(
      "0|info|Absolute_Time|2003.11.15.20.45.10.250.+1\n0|info|hostname|Frag Palace\n"
      "0|info|map|q2dm1\n0|info|match_mode|TeamPlay\n"
      "1|Player_Connect|Alice|0|10.0.0.1|a1\n1|Player_Team_Join|Alice|0|Red|50\n"
      "1|Player_Enter|Alice|0\n"
      "2|Player_Connect|Bob|1|10.0.0.2|b1\n2|Player_Team_Join|Bob|1|Red|60\n2|Player_Enter|Bob|1\n"
      "3|Player_Connect|Crash|2|IS_A_BOT\n3|Player_Team_Join|Crash|2|Blue|0\n"
      "3|Player_Enter|Crash|2\n"
      "4|Player_Connect|Doom|3|IS_A_BOT\n4|Player_Team_Join|Doom|3|Blue|0\n4|Player_Enter|Doom|3\n"
      "10|Game_Start\n"  // every clock restarts at 10
      "20|Kill|0|Railgun||40|2|Blaster||0\n21|Player_Respawn|2\n"
      "25|Kill|0|Railgun||42|3|Machinegun||0\n26|Player_Respawn|3\n"
      "30|Item_Use|Quad||2|0\n"
      "32|Kill|2|Rocket Launcher||0|1|Shotgun||70\n33|Player_Respawn|1\n"  // a kill with Quad
      "35|Kill|0|Railgun||44|2|Rocket Launcher||0\n36|Player_Respawn|2\n"  // Quad: 30..35
      "40|Player_Rename|Bob|Bobby|1|65|b1\n"
      "45|Kill|0|Rocket Launcher||46|3|Railgun||0\n46|Player_Respawn|3\n"
      "50|Kill|0|Rocket Launcher||48|2|Blaster||0\n51|Player_Respawn|2\n"  // 5th kill since 10
      "55|Player_Team_Join|Bobby|1|Blue|66\n"  // record 4; record 1 stops at 55
      "60|Kill|1|Shotgun||70|0|Rocket Launcher||50\n61|Player_Respawn|0\n"  // spree: 10..60
      "65|Player_Leave|Doom|3\n"
      "70|Player_Connect|Doom|5|IS_A_BOT\n71|Player_Enter|Doom|5\n"  // record 3 again
      "75|Kill|5|Machinegun||0|0|Blaster||52\n76|Player_Respawn|0\n"
      "80|Suicide|1|Lava||75\n81|Player_Respawn|1\n"
      "85|Kill|0|Railgun||54|2|Railgun||0\n"  // Crash stays dead
      "90|Item_Pickup|Mega_Health||1|80\n95|Game_End|fraglimit|abc123\n"
      "96|Kill|0|Railgun||56|5|Railgun||0\n");  // after the end: ignored
  EXPECT_EQ(trace.str(), "");
  EXPECT_EQ(g->date + "|" + g->getServerName() + "|" + g->endType + "|" + g->checksum,
            "Sat, Nov 15  2003 at 8:45:10 PM +1|Frag Palace|fraglimit|abc123");
  EXPECT_EQ(g->theTime(), 1068925510250);  // 12371 days + 20:45:10.250, minus 1 h
  const Rows want = {
      // lives 10..60, 61..75, 76..95; pings 40+42+44+46+48+50+52+54; one spree
      "Alice uid0 rank1 team0 f6 k6 d2 s0 tk0 td0 i0 t83 ping376/8 w1 l0 spree1 quad0 u0",
      // lives 10..32, 33..55 (left for Blue); pings of its death and its rename
      "Bobby uid1 rank5 team0 f0 k0 d1 s0 tk0 td0 i0 t44 ping135/2 w1 l0 spree0 quad0 u0",
      // lives 10..20, 21..35, 36..50, 51..85, then dead; Quad 30..35 with one kill
      "Crash uid2 rank3 team1 bot f1 k1 d4 s0 tk0 td0 i0 t72 ping0/5 w0 l1 spree0 quad1 u0",
      // lives 10..25, 26..45, 46..65 (left), 71..95
      "Doom uid3 rank2 team1 bot f1 k1 d2 s0 tk0 td0 i0 t77 ping0/3 w0 l1 spree0 quad0 u0",
      // lives 55..80 (Lava), 81..95; pings of its kill and its suicide
      "Bobby uid4 rank4 team1 f0 k1 d0 s1 tk0 td0 i1 t39 ping145/2 w0 l1 spree0 quad0 u0",
  };
  EXPECT_EQ(rows(*g), want);
  EXPECT_EQ(*g->plist[0].all.playerKills, (Ints{0, 0, 4, 2}));
  EXPECT_EQ(g->plist[0].sprees[0].totalTime, 50.0);
  EXPECT_EQ(g->plist[2].pickups[0].totalTime, 5.0);
  // Frags 6; then 1 frag with 2 deaths before 1 with 4; then 0 frags with 0 deaths before 1.
  EXPECT_EQ(g->playersByRank, (Ints{0, 3, 2, 4, 1}));
  // Sums of the rows above; wins and losses are booked after the totals.
  ASSERT_EQ(g->teamTotals.size(), 2u);
  EXPECT_EQ(
      (Rows{row(g->gameTotals), row(g->humanTotals), row(g->teamTotals[0]), row(g->teamTotals[1])}),
      (Rows{
          " uid-1 rank0 team-1 f8 k9 d9 s1 tk0 td0 i1 t315 ping656/20 w0 l0 spree1 quad1 u5",
          " uid-1 rank0 team-1 f6 k7 d3 s1 tk0 td0 i1 t166 ping656/12 w0 l0 spree1 quad0 u3",
          "Red uid0 rank0 team-1 f6 k6 d3 s0 tk0 td0 i0 t127 ping511/10 w0 l0 spree1 quad0 u2",
          "Blue uid1 rank0 team-1 f2 k3 d6 s1 tk0 td0 i1 t188 ping145/10 w0 l0 spree0 quad1 u3"}));
  EXPECT_EQ(g->winningTeam, 0);

  // The high scores see the final records: the sprees, Quad and weapons of the replay (the
  // categories themselves are the shared core's).
  const HighScores& hs = *g->hs;
  EXPECT_EQ((std::vector<Ints>{hs.Sprees[0], hs.Pickups[0], hs.KillsHoldingWeapon[9],
                               hs.KillsHoldingWeapon[10], hs.LowEff}),
            (std::vector<Ints>{{0}, {2}, {0}, {4}, {1}}));
}

TEST_F(GameTest, ConnectionsAndReports) {
  const auto g = play(
      "1|Player_Connect|A|0|ip|s1\n1|Player_Enter|A|0\n1|Player_Connect|B|1|ip\n"
      "1|Player_Enter|B|1\n2|Kill|0|Railgun||0|1|Railgun||0\n3|Player_Leave|A|0\n"
      // After leaving: still A's. Runs of ":" separate; a weapon has two or four numbers.
      "4|Player_Accuracy|0|Railgun:3:10|::Shotgun::5:::20:7:9|damage:120:40\n"
      "5|Kill|1|Railgun||0|0|Railgun||0\n"  // A is gone
      "6|Player_Accuracy|7|damage:1:1\n"
      "7|Player_Connect|A|0|ip|s2\n7|Player_Enter|A|0\n"  // new secret: new record
      "8|Kill|0|Shotgun||0|1|Railgun||0\n9|Game_End|timelimit\n");
  EXPECT_EQ(trace.str(), "Error: Kill\nError Game.getPNumB: Player 7 not found\nError: Accuracy\n");
  // The two A records are level; the exact partition sort ranks the later one first.
  EXPECT_EQ(rows(*g),
            (Rows{"A uid0 rank2 team-1 f1 k1 d0 s0 tk0 td0 i0 t2 ping0/1 w0 l1 spree0 quad0 u0",
                  "B uid1 rank3 team-1 f0 k0 d2 s0 tk0 td0 i0 t1 ping0/2 w0 l1 spree0 quad0 u0",
                  "A uid2 rank1 team-1 f1 k1 d0 s0 tk0 td0 i0 t2 ping0/1 w1 l0 spree0 quad0 u0"}));
  const PStats& a = g->plist.at(0).all;
  EXPECT_EQ((Ints{a.hits, a.shots, a.dGiven, a.dReceived, a.myDGiven[10], a.myDReceived[10]}),
            (Ints{8, 30, 120, 40, 7, 9}));
  EXPECT_EQ(g->plist.at(2).secret, "s2");
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
            (Rows{"A uid0 rank3 team0 f1 k1 d0 s0 tk0 td0 i0 t9 ping0/1 w0 l1 spree0 quad0 u0",
                  "B uid1 rank4 team-1 f0 k0 d4 s0 tk0 td0 i0 t28 ping0/4 w0 l1 spree0 quad0 u0",
                  // 10..20, 30..40
                  "A uid2 rank1 team1 f2 k2 d0 s0 tk0 td0 i0 t20 ping0/2 w1 l0 spree0 quad0 u0",
                  "A uid3 rank2 team2 f1 k1 d0 s0 tk0 td0 i0 t10 ping0/1 w0 l1 spree0 quad0 u0"}));
}

// Numbers at the ends of their range, in every field that is summed or used as an index, wrap
// or are refused as a whole line; nothing traps.
TEST_F(GameTest, HostileNumbersWrapOrAreRefused) {
  const std::string maxKill =
      "1e308|Kill|2147483647|Railgun|0|2147483647|-2147483648|Blaster|0|2147483647\n";
  const std::string maxAccuracy =
      "1e308|Player_Accuracy|2147483647|Railgun:2147483647:2147483647:2147483647:2147483647"
      "|dmg:2147483647:2147483647\n";
  const auto g = play(
      "0.0|info|Absolute_Time|2026.03.14.20.15.09.123.+1e308\n"
      "0.0|info|Absolute_Time|99999.99.99.99.99.99.999.-2147483647\n"
      "0.0|info|match_mode|TeamPlay\n"
      "1e308|Player_Connect|Max|2147483647|1.2.3.4|s\n-1e308|Player_Enter|Max|2147483647\n"
      "0.0|Player_Connect|Min|-2147483648|IS_A_BOT|s\n0.0|Player_Enter|Min|-2147483648\n"
      "0.0|Player_Connect|Neg|-5|1.2.3.4|n\n1e308|Player_Respawn|-5\n"
      "0.0|Player_Team_Join|Max|2147483647|Red|2147483647\n"
      "0.0|Player_Team_Join|Min|-2147483648|Red|-2147483648\n"
      "0.0|Player_Team_Join|Max|2147483647|Blue|-2147483648\n" +
      maxKill + maxKill + maxKill +
      "-1e308|Fratricide|-2147483648|BFG10K|0|-2147483648|2147483647|Hook|0|-2147483648\n"
      "1e308|Suicide|-5|Lava|0|2147483647\n1e308|Item_Pickup|Quad|0|-2147483648|2147483647\n"
      "1e308|Item_Use|Quad|0|2147483647|2147483647\n-1e308|Item_Expire|Quad|0|2147483647\n" +
      maxAccuracy + maxAccuracy +
      "1e308|Player_Leave|Max|2147483647\n1e308|Player_Reconnect|Max|-2147483648|x\n"
      "1e308|Player_Connect|Max|-2147483648|1.2.3.4|s\n"
      "1e308|Player_Rename|Min|Min2|-2147483648|2147483647|s\n1e308|Observe|Neg|-5|2147483647\n"
      "1e308|Player_Accuracy|-1|dmg:1:1\n1e308|Kill|-1|Railgun|0|0|-5|Railgun|0|0\n"
      "1e308|Game_Start\n");
  ASSERT_TRUE(g->isValid());
  EXPECT_EQ(g->endType, "Incomplete");
  EXPECT_EQ(g->date, "Mon, Jun 11  100007 at 4:40:39 AM -2147483647");  // fields carry over
  // Max's Red record is idle and dropped; his Blue record scored and was hit by the team kill.
  ASSERT_EQ(g->plist.size(), 3u);
  EXPECT_EQ(g->byRank(0).name + g->byRank(1).name + g->byRank(2).name, "MaxNegMin");
  EXPECT_EQ(g->byRank(0).all.kills, 3);
  EXPECT_EQ(g->byRank(0).all.dGiven, -2);    // two reports of 2147483647
  EXPECT_EQ(g->byRank(2).all.pingTime, -3);  // 3 x 2147483647 - 2147483648
  EXPECT_EQ(g->byRank(2).all.pingNum, 4);
  EXPECT_EQ(g->gameTotals.all.kills, 3);
}

}  // namespace
}  // namespace orvane::games::brk
