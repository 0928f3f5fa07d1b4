#include "programs/ScorexBRK/output/GameTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "programs/Scorex/output/TableHtml.h"
#include "util/Debug.h"
#include "util/TextWriter.h"

namespace orvane::programs::ScorexBRK::output {
namespace {

using games::brk::Game;
using Scorex::output::TableHtml;
using util::Debug;
using Lines = std::vector<std::string>;

// A match from lines written with "|" for the tabs between fields.
Game play(std::string lines) {
  std::replace(lines.begin(), lines.end(), '|', '\t');
  return Game(lines);
}

// A cell as "value/kind", with "@href" and the spans and sizes that differ from the defaults;
// the entries of one cell joined by "+", the cells of a row by " | ".
std::string show(const Row& r) {
  std::string s;
  for (const Cell& c : r) {
    if (!s.empty()) s += " | ";
    for (const TableEntry& e : c) {
      if (&e != &c.front()) s += "+";
      s += e.val + "/" + std::to_string(e.type) + (e.href ? "@" + *e.href : "");
      for (auto [tag, v, normal] : {std::tuple{" r", e.rowspan, 1},
                                    {" c", e.colspan, 1},
                                    {" w", e.width, 0},
                                    {" h", e.height, 0}}) {
        if (v != normal) s += tag + std::to_string(v);
      }
    }
  }
  return s;
}
Lines show(const std::optional<Table>& t) {
  Lines out;
  for (const Row& r : t.value()) out.push_back(show(r));
  return out;
}

class GameTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  std::ostringstream trace;
};

// Ann kills the bot three times, Cid only picks up items.
const char* const kFreeForAll =
    "0|info|hostname|Srv\n0|info|disabled_items|A|B|C|D\n"
    "1|Player_Connect|Ann|0|ip|s\n1|Player_Enter|Ann|0\n1|Player_Connect|Bot|1|IS_A_BOT\n"
    "1|Player_Enter|Bot|1\n1|Player_Connect|Cid|2|ip\n1|Player_Enter|Cid|2\n"
    "10|Kill|0|Railgun||30|1|Blaster||0\n11|Player_Respawn|1\n"
    "20|Kill|0|Railgun||50|1|Blaster||0\n21|Player_Respawn|1\n"
    "30|Kill|0|Rocket Launcher||40|1|Blaster||0\n31|Player_Respawn|1\n"
    "40|Suicide|1|Lava||0\n41|Player_Respawn|1\n50|Item_Pickup|Slugs||2|0\n"
    "51|Item_Pickup|Shells||2|0\n52|Item_Pickup|Shells||2|0\n"
    "60|Player_Accuracy|0|Railgun:2:4:200:0|d:200:0\n121|Game_End|fraglimit\n";

TEST_F(GameTablesTest, FreeForAllMatch) {
  const Game g = play(kFreeForAll);
  Debug::setLevel(1);
  const GameTables t(g);
  std::string want = "I GameTables\n";
  for (const char* b :
       {"mGameSummary", "mGameTotals", "mGameInfo", "mKillsMatchUp", "mHighs", "mLows",
        "mKillsHoldingWeapon", "mDeathsByWeapon", "mDeathsHoldingWeapon", "mSuicides", "mPickups",
        "mItems", "mGameZBot", "mPlayerSummary", "mPlayerWeapons", "mPlayerSuicides",
        "mPlayerPlayer", "mPlayerPickup", "mPlayerItem"}) {
    want += std::string("I GameTables.") + b + "\nO GameTables." + b + "\n";
  }
  EXPECT_EQ(trace.str(), want + "O GameTables\n");
  EXPECT_FALSE(t.teamTable);

  const std::string heading =
      "Rank/2 r2 | Player/2 r2 | Frags/2 r2 | Kills/2 r2 | Deaths/2 r2 | Suicides/2 r2 | "
      "Eff./2 r2 | Avg.<br>FPH/2 r2 | Avg.<br>TTL/2 r2 | Ping/2 r2 | Time/2 r2 | Damage/2 c3";
  const std::string bot =
      "3/3 | Bot/5@1 | -1/1 | 0/1 | 3/1 | 1/1 | 0.0%/1 | -31.0/1 | 23.2/1 | N/A/1 | 1/1 | 0/1 | "
      "0/1 | 0.000/1";
  EXPECT_EQ(show(t.gameSummary),
            (Lines{heading, "Given/2 | Rec./2 | G/R/2",
                   "1/3 | Ann/4@0 | 3/1 | 3/1 | 0/1 | 0/1 | 100.0%/1 | 90.0/1 | 120.0/1 | 40/1 | "
                   "2/1 | 200/1 | 0/1 | 200.000/1",
                   "2/3 | Cid/4@2 | 0/1 | 0/1 | 0/1 | 0/1 | 0.0%/1 | 0.0/1 | 120.0/1 | 0/1 | 2/1 | "
                   "0/1 | 0/1 | 0.000/1",
                   bot,
                   "Totals/3 c2 | 2/9 | 3/9 | 3/9 | 1/9 | 42.9%/9 | 20.2/9 | 71.2/9 | 17/9 | 5/9 | "
                   "200/9 | 0/9 | 200.000/9"}));
  std::string ownHeading = heading;
  ownHeading.replace(ownHeading.find("Eff."), 4, "Efficiency");
  EXPECT_EQ(show(t.playerSummary.at(1)), (Lines{ownHeading, "Given/2 | Rec./2 | G/R/2", bot}));
  EXPECT_EQ(show(t.gameTotals),
            (Lines{"Frags/2 | Kills/2 | Deaths/2 | Suicides/2", "2/1 | 3/1 | 3/1 | 1/1"}));
  EXPECT_EQ(show(t.gameInfo),
            (Lines{"Match Date/3 | NoDate/1", "Match Name/3 | Srv/1", "Game/3 | Brakk - Tourney/1",
                   "Mode/3 | RegularDM/1", "Map/3 | NoMap/1", "Timelimit/3 | NoTimelimit/1",
                   "Fraglimit/3 | NoFraglimit/1", "No. Players/3 | 3/1", "dmflags/3 | NoDMFLAGS/1",
                   "Hook Status/3 | NoHookStatus/1", "Runes Status/3 | /1",
                   "Disabled Items/3 | A, B, C, <br>D/1"}));
  EXPECT_EQ(show(t.killsMatchUp),
            (Lines{"/3 r2 c2 | Victim/3 c3", "Ann/7@0 | Bot/8@1 | Cid/7@2",
                   "Killer/6 r3 w20 | Ann/4@0 | &nbsp/9 w20 h20 | 3/1 w20 h20 | &nbsp/1 w20 h20",
                   "Bot/5@1 | &nbsp/1 w20 h20 | 1/9 w20 h20 | &nbsp/1 w20 h20",
                   "Cid/4@2 | &nbsp/1 w20 h20 | &nbsp/1 w20 h20 | &nbsp/9 w20 h20"}));
  EXPECT_EQ(
      show(t.highs),
      (Lines{"Category/2 | Player/2 | Score/2", "Most Frags/3 | Ann/4@0 | 3/1",
             "Most Kills/3 | Ann/4@0 | 3/1", "Least Deaths/3 | Ann/4@0+Cid/4@2 | 0/1",
             "Highest Efficiency/3 | Ann/4@0 | 100.0%/1", "Most Damage Given/3 | Ann/4@0 | 200/1",
             "Best Damage Ratio/3 | Ann/4@0 | 200.0/1"}));
  // Least frags (-1) and least kills (0) are not above 0: no rows.
  EXPECT_EQ(show(t.lows), (Lines{"Category/2 | Player/2 | Score/2", "Most Deaths/3 | Bot/5@1 | 3/1",
                                 "Most Suicides/3 | Bot/5@1 | 1/1",
                                 "Lowest Efficiency/3 | Bot/5@1+Cid/4@2 | 0.0%/1",
                                 "Most Damage Received/3 | Ann/4@0+Bot/5@1+Cid/4@2 | 0/1"}));
  EXPECT_EQ(show(t.killsHoldingWeapon),
            (Lines{"Weapon/2 | Player/2 | Kills/2", "Railgun/3 | Ann/4@0 | 2/1",
                   "Rocket Launcher/3 | Ann/4@0 | 1/1"}));
  EXPECT_EQ(show(t.deathsByWeapon),
            (Lines{"Opponents's Weapon/2 | Player/2 | Deaths/2", "Railgun/3 | Bot/5@1 | 2/1",
                   "Rocket Launcher/3 | Bot/5@1 | 1/1"}));
  EXPECT_EQ(show(t.deathsHoldingWeapon),
            (Lines{"Weapon/2 | Player/2 | Deaths/2", "Blaster/3 | Bot/5@1 | 3/1"}));
  EXPECT_EQ(show(t.suicides), (Lines{"Type/2 | Player/2 | Suicides/2", "Lava/3 | Bot/5@1 | 1/1"}));
  // Ranked by count, not in the item table's order (Slugs comes before Shells there).
  EXPECT_EQ(show(t.items),
            (Lines{"Item Type/2 | Total Item Pickups/2", "Shells/3 | 2/1", "Slugs/3 | 1/1"}));
  EXPECT_EQ(show(t.playerItem.at(2)), show(t.items));
  EXPECT_EQ(show(t.playerSuicides.at(1)), (Lines{"Type/2 | Suicides/2", "Lava/3 | 1/1"}));
  EXPECT_EQ(show(t.playerPlayer.at(0)), (Lines{"Opponent/2 | Kills/2 | Deaths/2 | Efficiency/2",
                                               "Bot/5@1 | 3/1 | 0/1 | 100.0%/1"}));
  EXPECT_EQ(show(t.playerPlayer.at(1)).at(1), "Ann/4@0 | 0/1 | 3/1 | 0.0%/1");
  // The rocket kill had no recorded shot: only the railgun has a row.
  const Lines weapons = show(t.playerWeapons.at(0));
  ASSERT_EQ(weapons.size(), 3u);
  EXPECT_EQ(weapons[0],
            "Weapon/2 r2 | Frags/2 r2 | Kills/2 r2 | Deaths/2 r2 | Suicides/2 r2 | Eff./2 r2 | "
            "Hits/2 r2 | Shots/2 r2 | Acc./2 r2 | Damage/2 c3");
  EXPECT_EQ(weapons[2],
            "Railgun/3 | 2/1 | 2/1 | 0/1 | 0/1 | 100.0%/1 | 2/1 | 4/1 | 50.0%/1 | 200/1 | 0/1 | "
            "200.0/1");
  EXPECT_EQ(show(t.gameWeapons), weapons);
  EXPECT_EQ(t.playerWeapons.at(1)->size(), 2u);
  EXPECT_EQ(
      show(t.playerPickup.at(0)),
      (Lines{"Powerup/2 | Start Time/2 | Time Used/2 | Kills During Use/2 | Reason Stopped/2"}));
}

TEST_F(GameTablesTest, TablesWithoutEntriesKeepOnlyTheirHeadings) {
  const Game g = play("1|Player_Connect|A|0|ip\n1|Player_Enter|A|0\n2|Suicide|0|Lava||0\n");
  const GameTables t(g);
  for (const auto* table : {&t.killsHoldingWeapon, &t.deathsByWeapon, &t.deathsHoldingWeapon,
                            &t.pickups, &t.items, &t.gameZBot}) {
    EXPECT_EQ(table->value().size(), 1u);
  }
  EXPECT_EQ(t.gameWeapons.value().size(), 2u);
  EXPECT_EQ(show(t.gameInfo).back(), "Disabled Items/3 | None/1");
  EXPECT_EQ(trace.str(), "");
}

// Ann (Red) kills Bob; Cy kills Ann and his team mate Bob (Blue).
const char* const kTeams =
    "0|info|match_mode|TeamPlay\n1|Player_Connect|Ann|0|ip\n1|Player_Team_Join|Ann|0|Red|0\n"
    "1|Player_Enter|Ann|0\n1|Player_Connect|Bob|1|ip\n1|Player_Team_Join|Bob|1|Blue|0\n"
    "1|Player_Enter|Bob|1\n1|Player_Connect|Cy|2|ip\n1|Player_Team_Join|Cy|2|Blue|0\n"
    "1|Player_Enter|Cy|2\n5|Kill|0|Railgun||0|1|Railgun||0\n6|Player_Respawn|1\n"
    "7|Fratricide|2|Railgun||0|1|Railgun||0\n8|Player_Respawn|1\n"
    "9|Kill|2|Shotgun||0|0|Railgun||0\n10|Player_Respawn|0\n";

TEST_F(GameTablesTest, TeamPlayBlocksAndResult) {
  const Game g = play(std::string(kTeams) + "61|Game_End|fraglimit\n");
  const GameTables t(g);
  const Lines summary = show(t.gameSummary);
  ASSERT_EQ(summary.size(), 11u);
  EXPECT_EQ(summary[0], "Team: Red/11 c16");
  EXPECT_EQ(summary[1],
            "Rank/2 r2 | Player/2 r2 | Frags/2 r2 | Kills/2 r2 | Deaths/2 r2 | Suicides/2 r2 | "
            "TK/2 r2 | TD/2 r2 | Eff./2 r2 | Avg.<br>FPH/2 r2 | Avg.<br>TTL/2 r2 | Ping/2 r2 | "
            "Time/2 r2 | Damage/2 c3");
  EXPECT_EQ(summary[5], "Team: Blue/11 c16");
  // The team kill counts against the summary's efficiency, not against the highs'.
  EXPECT_EQ(summary[8],
            "2/3 | Cy/4@2 | 0/1 | 1/1 | 0/1 | 0/1 | 1/1 | 0/1 | 50.0%/1 | 0.0/1 | 60.0/1 | 0/1 | "
            "1/1 | 0/1 | 0/1 | 0.000/1");
  EXPECT_EQ(summary[9].substr(0, 23), "3/3 | Bob/4@1 | 0/1 | 0");
  EXPECT_EQ(summary[10].substr(0, 50), "Totals/3 c2 | 0/9 | 1/9 | 1/9 | 0/9 | 1/9 | 1/9 | ");
  EXPECT_EQ(show(t.highs).at(4), "Highest Efficiency/3 | Cy/4@2 | 100.0%/1");

  struct Case {
    const char* more;
    const char* result;
  };
  for (const Case& c : {
           Case{"", "Red defeats Blue - 1 to 0/12"},
           Case{"20|Kill|1|Railgun||0|0|Railgun||0\n21|Player_Respawn|0\n"
                "30|Kill|1|Railgun||0|0|Railgun||0\n",
                "Blue defeats Red - 2 to 1/12"},
           Case{"20|Kill|1|Railgun||0|0|Railgun||0\n", "Red ties Blue - 1 to 1/12"},
           // Still a team game, but no longer "TeamPlay": both scores count as 0.
           Case{"20|info|match_mode|RegularDM\n", "Red ties Blue - 0 to 0/12"},
       }) {
    const Game m = play(std::string(kTeams) + c.more + "61|Game_End|fraglimit\n");
    const GameTables r(m);
    EXPECT_EQ(show(r.teamTable), (Lines{c.result})) << c.more;
  }
  const Game notTeamPlay = play(std::string(kTeams) + "20|info|match_mode|RegularDM\n");
  EXPECT_EQ(show(GameTables(notTeamPlay).gameSummary).at(1).find("TK"), std::string::npos);

  // A team game with one team (or none) has no result line.
  trace.str("");
  const Game oneTeam = play(
      "0|info|match_mode|TeamPlay\n1|Player_Connect|A|0|ip\n1|Player_Team_Join|A|0|Red|0\n"
      "1|Player_Enter|A|0\n2|Suicide|0|Lava||0\n");
  const GameTables lone(oneTeam);
  EXPECT_FALSE(lone.teamTable);
  // Nobody joined a team: one block for the whole match, without banner.
  const Game noTeam = play(
      "0|info|match_mode|TeamPlay\n1|Player_Connect|A|0|ip\n"
      "1|Player_Enter|A|0\n2|Suicide|0|Lava||0\n");
  const GameTables none(noTeam);
  EXPECT_EQ(show(none.gameSummary).at(0).substr(0, 11), "Rank/2 r2 |");
  EXPECT_EQ(show(none.gameSummary).size(), 4u);
  EXPECT_EQ(trace.str(),
            "Error in GameTables.mTeam: IndexOutOfBoundsException: Index: 1, Size: 1\n"
            "Error in GameTables.mTeam: IndexOutOfBoundsException: Index: 1, Size: 0\n");
}

// The hostile player kills Bob, who holds power-ups that end in every possible way.
const char* const kHostile =
    "0|info|hostname|<i>Srv & \"Co\"\n0|info|map|<m>\n0|info|match_mode|TeamPlay\n"
    "0|info|disabled_items|<q>\n1|Player_Connect|<b>&\"x y|0|ip\n"
    "1|Player_Team_Join|<b>&\"x y|0|<t>|0\n1|Player_Enter|<b>&\"x y|0\n"
    "1|Player_Connect|Bob|1|ip\n1|Player_Team_Join|Bob|1|Blue|0\n1|Player_Enter|Bob|1\n"
    "2|Item_Use|Quad||1|0\n4|Kill|0|Railgun||0|1|Blaster||0\n5|Player_Respawn|1\n"
    "6|Item_Use|Haste_Rune||1|0\n7.5|Suicide|1|Lava||0\n8|Player_Respawn|1\n"
    "9|Item_Use|Quad||1|0\n10|Item_Expire|Quad||1\n11|Item_Use|<p>||1|0\n"
    "12|Player_Leave|Bob|1\n13|Player_Connect|Bob|1|ip\n13|Player_Enter|Bob|1\n"
    "14|Item_Use|Quad||1|0\n15|Kill|1|Shotgun||0|0|Railgun||0\n"
    "16|Player_ZBOT|<b>&\"x y|0|<ip>|<aim>\n20|Game_End|fraglimit\n";

TEST_F(GameTablesTest, PowerupReasonsAndEscapedLogTexts) {
  const Game g = play(kHostile);
  const GameTables t(g);
  const std::string name = "&lt;b&gt;&amp;&quot;x y";
  EXPECT_EQ(show(t.playerPickup.at(1)),
            (Lines{"Powerup/2 | Start Time/2 | Time Used/2 | Kills During Use/2 | Reason Stopped/2",
                   "Quad/3 | 2.0/1 | 2.0/1 | 0/1 | Killed by " + name + " with a Railgun/1",
                   "Haste_Rune/3 | 6.0/1 | 1.5/1 | 0/1 | Suicide by Lava/1",
                   "Quad/3 | 9.0/1 | 1.0/1 | 0/1 | Deactivated/1",
                   "&lt;p&gt;/3 | 11.0/1 | 1.0/1 | 0/1 | Disconnected/1",
                   "Quad/3 | 14.0/1 | 6.0/1 | 1/1 | Game Ended/1"}));
  EXPECT_EQ(show(t.gameZBot).at(1), name + "/3 | &lt;ip&gt;/1 | &lt;aim&gt;/1");
  EXPECT_EQ(show(t.gameSummary).at(0), "Team: &lt;t&gt;/11 c16");
  EXPECT_EQ(show(t.teamTable), (Lines{"&lt;t&gt; defeats Blue - 1 to 0/12"}));
  const Lines info = show(t.gameInfo);
  EXPECT_EQ(info.at(1), "Match Name/3 | &lt;i&gt;Srv &amp; &quot;Co&quot;/1");
  EXPECT_EQ(info.at(4), "Map/3 | &lt;m&gt;/1");
  EXPECT_EQ(info.at(11), "Disabled Items/3 | &lt;q&gt;/1");

  // No plain cell of any table carries markup from the log; link cells keep the name as
  // logged, and the renderer escapes it.
  std::vector<const std::optional<Table>*> all = {&t.gameSummary,    &t.gameTotals,
                                                  &t.gameInfo,       &t.gameZBot,
                                                  &t.killsMatchUp,   &t.highs,
                                                  &t.lows,           &t.teamTable,
                                                  &t.gameWeapons,    &t.killsHoldingWeapon,
                                                  &t.deathsByWeapon, &t.deathsHoldingWeapon,
                                                  &t.suicides,       &t.pickups,
                                                  &t.items};
  for (const auto* list : {&t.playerSummary, &t.playerWeapons, &t.playerSuicides, &t.playerPlayer,
                           &t.playerPickup, &t.playerItem}) {
    for (const auto& table : *list) all.push_back(&table);
  }
  int links = 0;
  for (const auto* table : all) {
    for (const Row& r : table->value()) {
      for (const Cell& c : r) {
        for (const TableEntry& e : c) {
          if (e.type >= 4 && e.type <= 8) {
            EXPECT_TRUE(e.val == "Bob" || e.val == "<b>&\"x y" || e.val == "Killer") << e.val;
            links += e.val == "<b>&\"x y";
            continue;
          }
          std::string text = e.val;
          for (size_t at; (at = text.find("<br>")) != std::string::npos;) text.erase(at, 4);
          EXPECT_EQ(text.find_first_of("<>\""), std::string::npos) << e.val;
        }
      }
    }
  }
  EXPECT_EQ(links, 17);
  util::TextWriter w;
  TableHtml::createTable(w, t.gameSummary, "Game Summary");
  EXPECT_NE(w.str().find("<a href=\"0.html\" class=z>&nbsp;&lt;b&gt;&amp;&quot;x&nbsp;y&nbsp</a>"),
            std::string::npos);
  EXPECT_EQ(w.str().find("<b>"), std::string::npos);
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK::output
