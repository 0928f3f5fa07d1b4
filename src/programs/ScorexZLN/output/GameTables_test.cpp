#include "programs/ScorexZLN/output/GameTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "util/Debug.h"

namespace orvane::programs::ScorexZLN::output {
namespace {

using games::zln::Game;
using util::Debug;

class ZlnGameTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }

  // The match of a log written with "|" for tabs: game type, team game, then the lines.
  static Game play(const std::string& type, bool team, std::string lines) {
    lines =
        "0|game|GameName|" + type + "\n0|game|TeamGame|" + (team ? "True" : "False") + "\n" + lines;
    std::replace(lines.begin(), lines.end(), '|', '\t');
    return Game(lines);
  }
  // Player number n joins team t (none when negative), named `name` there.
  static std::string join(int n, int t, const std::string& teamName = "") {
    const std::string s = std::to_string(n);
    std::string line = "1|player|Connect|P" + s + "|" + s + "|False\n";
    if (t >= 0) line += "1|player|Team|" + s + "|" + std::to_string(t) + "\n";
    if (!teamName.empty()) line += "1|player|TeamName|" + s + "|" + teamName + "\n";
    return line;
  }
  // The text of a one-cell table, or "none" without a table.
  static std::string only(const std::optional<Table>& t) {
    return t ? t->at(0).at(0).at(0).val : "none";
  }

  std::ostringstream trace;
};

TEST_F(ZlnGameTablesTest, TeamResultFollowsTheGameTypesRule) {
  const std::string teams = join(0, 0, "Red") + join(1, 1, "Blue") + join(2, 2, "Green");
  struct Case {
    const char* type;
    std::string lines;
    const char* result;
  };
  const Case cases[] = {
      // Frags; of three teams the first two best are named, the first of a tie first.
      {"Tournament Team Game",
       teams + "5|kill|1|Enforcer|0|Enforcer|shot\n6|kill|2|Enforcer|0|Enforcer|shot\n",
       "Blue ties Green - 1 to 1"},
      {"Tournament Team Game", teams + "5|kill|2|Enforcer|0|Enforcer|shot\n",
       "Green defeats Red - 1 to 0"},
      // Captures, not frags.
      {"Capture the Flag", teams + "5|kill|0|Enforcer|1|Enforcer|shot\n6|flag_captured|1|0\n",
       "Blue defeats Red - 1 to 0"},
      // The logged points, not frags.
      {"Domination", teams + "5|kill|0|Enforcer|1|Enforcer|shot\n6|dom_score_update|2|7.5\n",
       "Green defeats Red - 7.5 to 0.0"},
      // The defenders hold when time runs out; a team without a name or record is numbered.
      {"Assault",
       "0|assault_defender|0\n" + join(0, 0, "Red") + join(1, 1) +
           "5|kill|0|Enforcer|1|Enforcer|shot\n9|game_end|timelimit\n",
       "Red defeats Team 1 - the attack failed"},
      {"Assault",
       "0|assault_defender|5\n" + join(0, 1, "Blue") +
           "5|suicide|0|None|Fell|None\n9|game_end|Assault succeeded\n",
       "Blue defeats Team 5 - the attack succeeded"},
      // One team, or no team game: no result.
      {"Tournament Team Game", join(0, 0, "Red") + "5|suicide|0|None|Fell|None\n", "none"},
  };
  for (const Case& c : cases) {
    const Game g = play(c.type, true, c.lines);
    EXPECT_EQ(only(GameTables(g).teamTable), c.result) << c.type << "\n" << c.lines;
  }
  const Game ffa =
      play("Tournament DeathMatch", false, teams + "5|kill|0|Enforcer|1|Enforcer|shot\n");
  EXPECT_EQ(only(GameTables(ffa).teamTable), "none");
  EXPECT_EQ(trace.str().find("GameTables"), std::string::npos) << trace.str();
}

TEST_F(ZlnGameTablesTest, UnnamedWeaponsCausesAndItemsAndTheGamesLength) {
  // A kill with a weapon the game does not know, a suicide by an unknown cause, an unknown item;
  // the match starts after its end.
  const Game g =
      play("Tournament DeathMatch", false,
           join(0, -1) + join(1, -1) +
               "50|game_start\n3|kill|0|Blaster|1|Zap|zzz\n4|suicide|1|Zap|Mystery|None\n"
               "5|item_get|Gizmo|0\n10|game_end|fraglimit\n");
  const GameTables t(g);
  EXPECT_EQ(t.killsHoldingWeapon->at(1).at(0).at(0).val, "Unknown");
  EXPECT_EQ(t.suicides->at(1).at(0).at(0).val, "Unknown");
  EXPECT_EQ(t.items->at(1).at(0).at(0).val, "Unknown");
  EXPECT_EQ(t.playerWeapons.at(0)->at(1).at(0).at(0).val, "Unknown");
  const auto length = [](const GameTables& tables) {
    for (const Row& r : *tables.gameInfo) {
      if (r.at(0).at(0).val == "Game Length") return r.at(1).at(0).val;
    }
    return std::string("none");
  };
  EXPECT_EQ(length(t), "-0:40");
  const Game hour = play("Tournament DeathMatch", false,
                         join(0, -1) + "3|suicide|0|None|Fell|None\n3727.9|game_end|fraglimit\n");
  EXPECT_EQ(length(GameTables(hour)), "62:07");
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN::output
