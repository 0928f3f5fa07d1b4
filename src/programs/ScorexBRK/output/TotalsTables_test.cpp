#include "programs/ScorexBRK/output/TotalsTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "games/brk/Game.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexBRK/PlayerDB.h"
#include "programs/ScorexBRK/Totals.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexBRK::output {
namespace {

using Scorex::settings::config;
using util::Debug;
using Lines = std::vector<std::string>;

// A cell as "value/kind", with "@href" and a column span other than 1; the cells of a row
// joined by " | ".
Lines show(const std::optional<Table>& t) {
  Lines out;
  for (const Row& r : t.value()) {
    std::string s;
    for (const Cell& c : r) {
      const TableEntry& e = c.at(0);
      s += (s.empty() ? "" : " | ") + e.val + "/" + std::to_string(e.type) +
           (e.href ? "@" + *e.href : "") + (e.colspan != 1 ? " c" + std::to_string(e.colspan) : "");
    }
    out.push_back(s);
  }
  return out;
}

// Lines of a player joining (a team); Zed is a bot.
std::string enter(int num, const std::string& name, const std::string& team = "") {
  const std::string n = std::to_string(num);
  return "0|Player_Connect|" + name + "|" + n + (name == "Zed" ? "|IS_A_BOT" : "|1.1.1.1|s") +
         "\n" + (team.empty() ? "" : "0|Player_Team_Join|" + name + "|" + n + "|" + team + "|0\n") +
         "0|Player_Enter|" + name + "|" + n + "\n";
}
// count kills of victim v by k with the weapon at time 5, or, without a victim, suicides of k at
// time 0; every line at ping 40.
std::string frags(int count, int k, const std::string& weapon, int v = -1) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    out += v < 0 ? "0|Suicide|" + std::to_string(k) + "|" + weapon + "||40\n"
                 : "5|Kill|" + std::to_string(k) + "|" + weapon + "||40|" + std::to_string(v) +
                       "|Blaster||40\n";
    out += (v < 0 ? "0" : "5") + std::string("|Player_Respawn|") + std::to_string(v < 0 ? k : v) +
           "\n";
  }
  return out;
}

// Two hours of RegularDM on "q&a": the bot Zed 120 frags, Ann 10 kills, 4 deaths, 1 suicide,
// Cy killed 129 times, Dee killed once and 2 suicides. Then, in no time, a TeamPlay match that
// Ann's team wins (Ann only picks up shells) while Cy drowns 3 times, and one without teams in
// which Eve burns once.
const std::string kTwoHours = enter(0, "Ann") + enter(1, "Zed") + enter(2, "Cy") + enter(3, "Dee") +
                              frags(10, 0, "Railgun", 2) + frags(4, 2, "Shotgun", 0) +
                              frags(1, 0, "Lava") + frags(119, 1, "Rocket Launcher", 2) +
                              frags(1, 1, "Rocket Launcher", 3) + frags(2, 3, "Grenades") +
                              "7200|Game_End|timelimit\n";
const std::string kTeams = enter(0, "Ann", "Red") + enter(1, "Cy", "Blue") +
                           "0|Item_Pickup|Shells||0|40\n" + frags(3, 1, "Drowned") +
                           "0|Game_End|x\n";
const std::string kEve = enter(0, "Eve") + frags(1, 0, "Lava") + "0|Game_End|x\n";

class TotalsTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
    oldOut = std::cout.rdbuf(out.rdbuf());  // the merge counts players on standard output
    configure("");
    home.mkdir("data");
    totals.openPlayerDB();
  }
  void TearDown() override {
    std::cout.rdbuf(oldOut);
    config::reset();
    Debug::reset();
  }
  void configure(const std::string& lines) {
    config::reset();
    config::homeDir = home.path();
    home.write("ScorexBRK.cfg", lines);
    config::set(std::nullopt, "ScorexBRK");
  }
  void merge(int64_t time, const std::string& mode, std::string lines) {
    lines = "0|info|map|q&a\n0|info|match_mode|" + mode + "\n" + lines;
    std::replace(lines.begin(), lines.end(), '|', '\t');
    games::brk::Game g(lines);
    g.time = time;
    g.date = "D" + std::to_string(time);
    totals.update(g);
  }
  void season() {
    merge(100, "RegularDM", kTwoHours);
    merge(200, "TeamPlay", kTeams);
    merge(300, "TeamPlay", kEve);
  }
  TotalsTables build() {
    totals.sortPlayers();
    trace.str("");
    return TotalsTables(totals);
  }

  testing::TempDir home;
  std::ostringstream trace;
  std::ostringstream out;
  std::streambuf* oldOut = nullptr;
  Totals totals;
};

// The rankings of all game types and RegularDM rank by frags, fewer deaths and suicides: a
// player who never played RegularDM ends its table, though more follow. TeamPlay and 1-vs-1
// rank by wins and losses and leave out who has neither. A player the store cannot return is
// passed over, and his place stays empty; a player of no time has no frags per hour.
TEST_F(TotalsTablesTest, Rankings) {
  season();
  HashEntry ghost("Ghost", false, 99);
  ghost.update(0.0, 1000, 0, 0, 1000, 0, 0, 0, 0, 0, 0);
  totals.plist.put(ghost);
  const TotalsTables tt = build();
  std::string missing;
  for (int i = 0; i < 4; ++i) {  // all, RegularDM, TeamPlay and 1-vs-1 ask for him
    missing += "Error PlayerDB.getPlayer: Invalid Player Requested\n      loc=103\n      num=9\n";
  }
  EXPECT_EQ(trace.str(), missing);
  EXPECT_EQ(show(tt.totalsLogged).at(1), "127/1 | 134/1 | 134/1 | 7/1 | 3/1 | 8.0/1");
  // The ghost, first by his index figures, takes no row.
  EXPECT_EQ(
      show(tt.totalsRanking),
      (Lines{
          "All Game Types Combined : All-Time Ranking/12 c12",
          "Rank/2 | Player/2 | Frags/2 | Kills/2 | Deaths/2 | Suicides/2 | Efficiency/2 | "
          "Avg FPH/2 | Avg TTL/2 | Ping/2 | Games/2 | Hours/2",
          "2/3 | Zed/5@1 | 120/1 | 120/1 | 0/1 | 0/1 | 100.0%/1 | 60.0/1 | 7,200.0/1 | N/A/1 | "
          "1/1 | 2.0/1",
          "3/3 | Ann/4@0 | 9/1 | 10/1 | 4/1 | 1/1 | 66.7%/1 | 4.5/1 | 1,200.0/1 | 40/1 | 2/1 | "
          "2.0/1",
          "4/3 | Cy/4@2 | 1/1 | 4/1 | 129/1 | 3/1 | 2.9%/1 | 0.5/1 | 54.1/1 | 40/1 | 2/1 | 2.0/1",
          "5/3 | Eve/4@4 | -1/1 | 0/1 | 0/1 | 1/1 | 0.0%/1 | 0.0/1 | 0.0/1 | 40/1 | 1/1 | 0.0/1",
          "6/3 | Dee/4@3 | -2/1 | 0/1 | 1/1 | 2/1 | 0.0%/1 | -1.0/1 | 1,800.0/1 | 40/1 | 1/1 | "
          "2.0/1"}));
  const Lines dm = show(tt.ranking[0]);
  EXPECT_EQ(dm.size(), 5u);
  EXPECT_EQ(dm.back(),
            "4/3 | Cy/4@2 | 4/1 | 4/1 | 129/1 | 0/1 | 3.0%/1 | 2.0/1 | 55.4/1 | 40/1 | 0/1 | 1/1 | "
            "1/1 | 2.0/1");
  // Eve's TeamPlay match had no result: Cy follows Ann.
  EXPECT_EQ(show(tt.ranking[1]), (Lines{"TeamPlay : All-Time Ranking/12 c6",
                                        "Rank/2 | Player/2 | Wins/2 | Losses/2 | Games/2 | Hours/2",
                                        "1/3 | Ann/4@0 | 1/1 | 0/1 | 1/1 | 0.0/1",
                                        "2/3 | Cy/4@2 | 0/1 | 1/1 | 1/1 | 0.0/1"}));
  EXPECT_EQ(tt.ranking[2]->size(), 2u);
  EXPECT_EQ(show(tt.gamesPlayed),
            (Lines{"Total Games Played by Type/12 c3", "Game/2 | Number/2 | Player Hours/2",
                   "TeamPlay/3 | 2/1 | 0.0/1", "RegularDM/3 | 1/1 | 8.0/1",
                   "1-vs-1/3 | 0/1 | 0.0/1", "Totals/3 | 3/9 | 8.0/9"}));
}

// Each size is a number of rows, but for the rankings that end at the first player without a
// match: there it is a number of places.
TEST_F(TotalsTablesTest, ConfiguredSizesCutTheRankings) {
  configure("RankAllGames\t2\nRankDeathMatch\t1\nRankTeamGame\t1\n");
  season();
  const TotalsTables tt = build();
  EXPECT_EQ(show(tt.totalsRanking).back().substr(0, 14), "2/3 | Ann/4@0 ");
  EXPECT_EQ(show(tt.ranking[0]).back().substr(0, 14), "1/3 | Zed/5@1 ");
  EXPECT_EQ(show(tt.ranking[1]).back(), "1/3 | Ann/4@0 | 1/1 | 0/1 | 1/1 | 0.0/1");
  EXPECT_EQ(tt.totalsRanking->size() + tt.ranking[0]->size() + tt.ranking[1]->size(), 4u + 3 + 3);
  EXPECT_EQ(trace.str(), "");
}

// The records as their tables show them: the holder, the value and how much he had played or
// the match of the record; weapons and causes rank together in the career suicides.
TEST_F(TotalsTablesTest, Records) {
  season();
  const TotalsTables tt = build();
  const std::string none = "/4@0 | 0/1 | 0/1 | 0.0/1";
  const Lines highs = show(tt.cHighs);
  EXPECT_EQ(
      Lines(highs.begin() + 4, highs.end()),
      (Lines{"Most Suicides/3 | Cy/4@2 | 3/1 | 2/1 | 2.0/1",
             "Highest FPH/3 | Zed/5@1 | 60.0/1 | 1/1 | 2.0/1",
             "Most RegularDM Wins/3 | Zed/5@1 | 1/1 | 1/1 | 2.0/1",
             "Most TeamPlay Wins/3 | Ann/4@0 | 1/1 | 1/1 | 0.0/1", "Most 1-vs-1 Wins/3 | " + none,
             "Most RegularDM Losses/3 | Ann/4@0 | 1/1 | 1/1 | 2.0/1",
             "Most TeamPlay Losses/3 | Cy/4@2 | 1/1 | 1/1 | 0.0/1",
             "Most 1-vs-1 Losses/3 | " + none}));
  EXPECT_EQ(
      show(tt.cSuicides),
      (Lines{"Cause/2 | Player/2 | Suicides/2 | Games<br>Played/2 | Hours<br>Played/2",
             "Drowned/3 | Cy/4@2 | 3/1 | 2/1 | 2.0/1", "Grenades/3 | Dee/4@3 | 2/1 | 1/1 | 2.0/1",
             "Lava/3 | Ann/4@0 | 1/1 | 1/1 | 2.0/1"}));
  EXPECT_EQ(show(tt.gHighs).at(4), "Most Suicides/3 | Cy/4@2 | 3/1 | 0/1 | q&amp;a/1 | D200/1");
  EXPECT_EQ(show(tt.gKills).at(1),
            "Rocket Launcher/3 | Zed/5@1 | 120/1 | 120/1 | q&amp;a/1 | D100/1");
  EXPECT_EQ(trace.str(), "");
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK::output
