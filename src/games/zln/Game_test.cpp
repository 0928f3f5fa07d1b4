#include "games/zln/Game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "games/zln/Specs.h"
#include "util/Debug.h"

namespace orvane::games::zln {
namespace {

using util::Debug;

// The information lines of a match of game type `type`, class `cls` and team game `team`.
std::string header(const std::string& type, const std::string& cls, bool team) {
  return "0|info|Absolute_Time|2024.03.01.20.00.00.000.+1\n0|map|Title|Deck\n"
         "0|game|GameName|" +
         type + "\n0|game|GameClass|Botpack." + cls + "\n0|game|TeamGame|" +
         (team ? "True" : "False") + "\n0|game|GameMutator|Botpack.LowGrav\n";
}

// A connection: number, name, team (none when negative), bot or not.
std::string join(int num, const std::string& name, int team = -1, bool bot = false) {
  const std::string n = std::to_string(num);
  std::string s = "1|player|Connect|" + name + "|" + n + "|False\n1|player|IsABot|" + n + "|" +
                  (bot ? "True" : "False") + "\n";
  if (team >= 0) s += "1|player|Team|" + n + "|" + std::to_string(team) + "\n";
  return s + "1|player|Skill|" + n + "|2.0\n";
}

class ZlnGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }

  // Builds a match from text written with "|" for tabs.
  std::unique_ptr<Game> play(std::string text) {
    std::replace(text.begin(), text.end(), '|', '\t');
    return std::make_unique<Game>(text);
  }
  // The player with this name.
  static const Player& named(const Game& g, const std::string& name) {
    for (const Player& p : g.plist) {
      if (p.name == name) return p;
    }
    throw std::runtime_error("no player " + name);
  }
  // The names in rank order.
  static std::vector<std::string> ranking(const Game& g) {
    std::vector<std::string> names;
    for (size_t i = 0; i < g.playersByRank.size(); ++i) names.push_back(g.byRank(i).name);
    return names;
  }
  // wins/losses of a player.
  static std::string result(const Game& g, const std::string& name) {
    const PStats& a = named(g, name).all;
    return std::to_string(a.teamWins) + "/" + std::to_string(a.teamLosses);
  }

  std::ostringstream trace;
};

TEST_F(ZlnGameTest, FreeForAllFirstRankedWinsAndKillsAreBookedByDamageType) {
  auto g = play(header("Tournament DeathMatch", "DeathMatchPlus", false) + join(0, "Ann") +
                join(1, "Bob") + join(2, "Cy", -1, true) + "2|game_start\n" +
                "10|kill|1|Enforcer|0|Minigun|shot\n"  // first blood: Bob
                "12|kill|0|Sniper Rifle|1|Enforcer|Decapitated\n"
                "14|kill|0|Enforcer|2|Enforcer|Decapitated\n"      // a head hit: the Ripper's
                "16|teamkill|2|Flak Cannon|1|Enforcer|shredded\n"  // no teams: a kill
                "17|suicide|2|Rocket Launcher|RocketDeath|None\n"
                "18|suicide|1|None|Fell|None\n"
                "62|game_end|fraglimit\n");
  ASSERT_TRUE(g->isValid());
  EXPECT_EQ(g->gameType, 0);
  EXPECT_EQ(g->date, "Fri, Mar 01  2024 at 8:00:00 PM +1");
  EXPECT_EQ(g->map, "Deck");
  EXPECT_EQ(g->gameLength, 60.0);
  EXPECT_TRUE(g->validOM);
  const Player& ann = named(*g, "Ann");
  const Player& bob = named(*g, "Bob");
  const Player& cy = named(*g, "Cy");
  EXPECT_EQ(ann.all.myKills[Specs::loc(Specs::weapons, "Sniper Rifle")], 1);
  EXPECT_EQ(ann.all.myKills[Specs::loc(Specs::weapons, "Ripper")], 1);
  EXPECT_EQ(cy.all.myKills[Specs::loc(Specs::weapons, "Flak Cannon")], 1);
  EXPECT_EQ(cy.all.tkills, 0);
  EXPECT_EQ(cy.all.myWSuicides[Specs::loc(Specs::weapons, "Rocket Launcher")], 1);
  EXPECT_EQ(bob.all.mySuicides[Specs::loc(Specs::suicides, "Fell")], 1);
  EXPECT_EQ(g->firstBlood, 1);
  EXPECT_EQ(bob.all.firstBlood, 1);
  EXPECT_EQ(ann.all.firstBlood, 0);
  EXPECT_EQ(ann.all.dKills, 1);  // 12 and 14
  // Ann 2 frags; Bob 1 - 1 = 0 with 2 deaths; Cy 1 - 1 = 0 with 1 death.
  EXPECT_EQ(ranking(*g), (std::vector<std::string>{"Ann", "Cy", "Bob"}));
  EXPECT_EQ(result(*g, "Ann"), "1/0");
  EXPECT_EQ(result(*g, "Cy"), "0/1");
  EXPECT_EQ(result(*g, "Bob"), "0/1");
  EXPECT_EQ(g->winningTeam, -1);
  EXPECT_EQ(g->hs->MostFrags, (std::vector<int32_t>{0}));
  EXPECT_EQ(g->hs->MostHS, (std::vector<int32_t>{0, 1, 2}));  // all tied at none
}

TEST_F(ZlnGameTest, SinglePlayerAndNamesCountedAsDeathMatchAreFreeForAll) {
  for (const char* type : {"SinglePlayer", "Last Man Standing"}) {
    auto g = play(header(type, "LastManStanding", false) + join(0, "Ann") +
                  join(1, "Bob", -1, true) + "10|kill|0|Enforcer|1|Enforcer|shot\n");
    EXPECT_EQ(result(*g, "Ann"), "1/0") << type;
    EXPECT_EQ(result(*g, "Bob"), "0/1") << type;
    EXPECT_EQ(g->endType, "Incomplete");
  }
}

TEST_F(ZlnGameTest, TeamGameFindsTeamsByNumberAndTheMostFragsWin) {
  // Red's name comes after its number; Blue's before.
  auto g = play(header("Tournament Team Game", "TeamGamePlus", true) + join(0, "Ann", 0) +
                "1|player|TeamName|0|Red\n" + join(1, "Bob") +
                "1|player|TeamName|1|Blue\n1|player|Team|1|1\n" + join(2, "Cy", 0) +
                "10|kill|0|Enforcer|1|Enforcer|shot\n"
                "11|kill|2|Enforcer|1|Enforcer|shot\n"
                "12|kill|1|Enforcer|0|Enforcer|shot\n"
                "13|teamkill|2|Enforcer|0|Enforcer|shot\n"
                "14|teamkill|2|Enforcer|9|Enforcer|shot\n"
                "30|game_end|timelimit\n");
  ASSERT_EQ(g->teamTotals.size(), 2u);
  const Player& red = g->teamTotals[0];
  const Player& blue = g->teamTotals[1];
  EXPECT_EQ(red.uid, 0);
  EXPECT_EQ(blue.uid, 1);
  EXPECT_EQ(red.name, "Red");
  EXPECT_EQ(blue.name, "Blue");
  EXPECT_EQ(red.all.frags, 1);  // Ann 1, Cy 1 - 1 team kill
  EXPECT_EQ(red.all.tkills, 1);
  EXPECT_EQ(blue.all.frags, 1);
  EXPECT_EQ(g->winningTeam, 0);  // a tie: the first record wins
  EXPECT_EQ(result(*g, "Ann"), "1/0");
  EXPECT_EQ(result(*g, "Cy"), "1/0");
  EXPECT_EQ(result(*g, "Bob"), "0/1");
  EXPECT_NE(trace.str().find("Error Game.getPNum: Player 9 not found\nError: TeamKill\n"),
            std::string::npos)
      << trace.str();
}

TEST_F(ZlnGameTest, CaptureTheFlagAssistsCarrierKillsAndCaptures) {
  // Ann and Cy (team 0) bring team 1's flag home; Bob (team 1) kills its first carrier.
  auto g = play(header("Capture the Flag", "CTFGame", true) + join(0, "Ann", 0) +
                join(1, "Bob", 1) + join(2, "Cy", 0) +
                "10|flag_taken|0|1\n"
                "11|kill|1|Enforcer|0|Enforcer|shot\n"
                "11|flag_dropped|0|1\n"
                "12|flag_pickedup|2|1\n"
                "13|flag_captured|2|1\n"
                "14|flag_taken|1|0\n"
                "15|flag_returned|0|0\n"  // Ann returns her flag: Bob is no carrier any more
                "16|flag_taken|2|1\n"
                "17|flag_captured|2|1\n"
                "18|kill|2|Enforcer|1|Enforcer|shot\n"
                "40|game_end|fraglimit\n");
  const Player& ann = named(*g, "Ann");
  const Player& bob = named(*g, "Bob");
  const Player& cy = named(*g, "Cy");
  EXPECT_EQ(bob.all.flagKills, 1);
  EXPECT_EQ(cy.all.flagKills, 0);  // a kill as the last event before the end: no drop follows
  EXPECT_EQ(ann.all.flagAssists, 1);
  EXPECT_EQ(cy.all.flagAssists, 0);  // his own captures are no assists
  EXPECT_EQ(bob.all.flagAssists, 0);
  EXPECT_EQ(cy.all.flagCaptures, 2);
  EXPECT_EQ((std::vector<int32_t>{ann.all.flagTakens, ann.all.flagDrops, ann.all.flagReturns,
                                  cy.all.flagPickups, cy.all.flagTakens}),
            (std::vector<int32_t>{1, 1, 1, 1, 1}));
  EXPECT_TRUE(g->flagCarriers.empty());
  EXPECT_EQ(g->teamTotals.at(0).all.flagCaptures, 2);
  EXPECT_EQ(g->winningTeam, 0);
  EXPECT_EQ(result(*g, "Cy"), "1/0");
  EXPECT_EQ(result(*g, "Bob"), "0/1");
  EXPECT_EQ(g->hs->MostFK, (std::vector<int32_t>{bob.uid}));
  EXPECT_EQ(g->hs->MostFA, (std::vector<int32_t>{ann.uid}));
}

TEST_F(ZlnGameTest, AKillOnTheLastLineCountsNoCarrierKill) {
  auto g = play(header("Capture the Flag", "CTFGame", true) + join(0, "Ann", 0) +
                join(1, "Bob", 1) + "10|flag_taken|0|1\n11|kill|1|Enforcer|0|Enforcer|shot");
  ASSERT_TRUE(g->isValid());
  EXPECT_EQ(named(*g, "Bob").all.flagKills, 0);
  EXPECT_EQ(named(*g, "Bob").all.kills, 1);
}

TEST_F(ZlnGameTest, DominationKeepsTheLoggedTeamScoreAndCountsPointsByName) {
  auto g = play(header("Domination", "Domination", true) + join(0, "Ann", 0) + join(1, "Bob", 1) +
                "5|controlpoint_capture|Tower|0\n"
                "6|controlpoint_capture|Gate|1\n"
                "7|controlpoint_capture|Tower|1\n"
                "8|controlpoint_capture|Tower|0\n"
                "9|kill|0|Enforcer|1|Enforcer|shot\n"
                "20|dom_score_update|0|12.5\n"
                "20|dom_score_update|1|30\n"
                "20|dom_score_update|7|99\n"  // no such team: nothing
                "21|game_end|timelimit\n");
  EXPECT_EQ(g->cpName, (std::vector<std::string>{"Tower", "Gate"}));
  EXPECT_EQ(named(*g, "Ann").cpc, (std::vector<int32_t>{2}));
  EXPECT_EQ(named(*g, "Bob").cpc, (std::vector<int32_t>{1, 1}));
  EXPECT_EQ(named(*g, "Bob").all.controlPointCaptures, 2);
  EXPECT_EQ(g->teamTotals.at(0).all.score, 12.5);
  EXPECT_EQ(g->teamTotals.at(1).all.score, 30.0);
  EXPECT_EQ(g->winningTeam, 1);  // the higher score, though team 0 has the frags
  EXPECT_EQ(result(*g, "Bob"), "1/0");
  EXPECT_EQ(result(*g, "Ann"), "0/1");
}

TEST_F(ZlnGameTest, AssaultWinnerFollowsTheDefenderAndTheEnd) {
  const auto winner = [&](const char* end) {
    auto g = play(header("Assault", "Assault", true) + "0|assault_gamecode|AS-Frigate|2\n" +
                  "0|assault_defender|1\n" + join(0, "Ann", 0) + join(1, "Bob", 1) +
                  "9|kill|0|Enforcer|1|Enforcer|shot\n50|game_end|" + end + "\n");
    EXPECT_EQ(g->assaultCode, "AS-Frigate");
    EXPECT_EQ(g->assaultPart, 2);
    return std::to_string(g->winningTeam) + (g->assaultSucceeded ? " succeeded" : " held") + " " +
           result(*g, "Ann");
  };
  EXPECT_EQ(winner("Assault succeeded"), "0 succeeded 1/0");
  EXPECT_EQ(winner("timelimit"), "1 held 0/1");
}

TEST_F(ZlnGameTest, ATeamGameWithoutTeamRecordsHasNoResult) {
  auto g = play(header("Capture the Flag", "CTFGame", true) + join(0, "Ann") + join(1, "Bob") +
                "9|kill|0|Enforcer|1|Enforcer|shot\n");
  EXPECT_EQ(g->winningTeam, -1);
  EXPECT_EQ(result(*g, "Ann"), "0/0");
  EXPECT_EQ(result(*g, "Bob"), "0/0");
}

TEST_F(ZlnGameTest, AReconnectedCarrierContinuesOnHisRecordWithoutAStaleCarrierEntry) {
  auto g = play(header("Capture the Flag", "CTFGame", true) + join(0, "Ann", 0) +
                join(1, "Bob", 1) + join(2, "Cy", 0) +
                "10|kill|0|Enforcer|1|Enforcer|shot\n"
                "11|flag_taken|0|1\n"
                "12|player|Disconnect|0\n" +
                join(7, "Ann", 0) +  // the same person, a new number
                "13|flag_taken|2|1\n"
                "14|flag_captured|2|1\n"
                "15|kill|7|Enforcer|1|Enforcer|shot\n"
                "16|kill|2|Enforcer|1|Enforcer|shot\n"
                "60|game_end|timelimit\n");
  ASSERT_EQ(g->plist.size(), 3u);
  const Player& ann = named(*g, "Ann");
  EXPECT_EQ(ann.all.kills, 2);
  EXPECT_EQ(ann.all.flagTakens, 1);
  EXPECT_EQ(ann.all.flagAssists, 0);  // she left with the flag: her carrying ended there
  EXPECT_EQ(named(*g, "Cy").all.flagAssists, 0);
  // Connected 1 to 12 and again from 1 (the log's time of the new connection) to 60.
  EXPECT_EQ(ann.all.totalTime, 11.0 + 59.0);
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
  EXPECT_EQ(records("", ""), 2u);
  EXPECT_EQ(records("|pw", "|pw"), 2u);
  EXPECT_EQ(records("", "|"), 3u);  // an empty password is not an absent one
  EXPECT_EQ(records("|pw", "|other"), 3u);
}

TEST_F(ZlnGameTest, OfficialMatchesUseTheGamesOwnClassesAndMutators) {
  const auto official = [&](const std::string& extra) {
    return play(header("Tournament DeathMatch", "DeathMatchPlus", false) + extra + join(0, "A") +
                join(1, "B") + "5|kill|0|Enforcer|1|Enforcer|shot\n")
        ->validOM;
  };
  EXPECT_TRUE(official(""));
  EXPECT_FALSE(official("0|game|GameMutator|MyMods.Vampire\n"));
  EXPECT_FALSE(official("0|game|GameClass|MyMods.ZombieDM\n"));
  EXPECT_TRUE(official("0|game|GameClass|Botpack.LastManStanding\n"));
}

}  // namespace
}  // namespace orvane::games::zln
