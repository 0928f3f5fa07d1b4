#include "programs/ScorexZLN/output/TotalsTables.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "TempDir.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexZLN/PlayerDB.h"
#include "programs/ScorexZLN/output/PlayerTables.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexZLN::output {
namespace {

using games::zln::Player;
using Scorex::output::TableEntry;
using Scorex::settings::config;
using util::Debug;
using Lines = std::vector<std::string>;

// A table as rows of "value/kind" cells (with "@href" for links and the column spans other
// than 1) joined by " | ".
Lines show(const std::optional<Table>& t) {
  Lines out;
  for (const auto& r : t.value()) {
    std::string s;
    for (const auto& c : r) {
      const TableEntry& e = c.at(0);
      s += (s.empty() ? "" : " | ") + e.val + "/" + std::to_string(e.type) +
           (e.href ? "@" + *e.href : "") + (e.colspan != 1 ? " c" + std::to_string(e.colspan) : "");
    }
    out.push_back(s);
  }
  return out;
}

// Game types by their position in Zolnar's table.
enum { kTD, kCTF, kDom, kA, kTT };

class ZlnTotalsTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::setStream(&trace);
    configure("");
  }
  void TearDown() override {
    config::reset();
    Debug::reset();
  }
  // A new configuration, career totals and player store.
  void configure(const std::string& lines) {
    totals.emplace();
    config::reset();
    config::homeDir = home.path();
    config::set(home.write("ScorexZLN.cfg", lines), "ScorexZLN");
    home.mkdir("data");
    totals->openPlayerDB();
  }
  // A career player in the store and the index, the next career number; set fills both.
  void add(const std::string& name, bool bot, const std::function<void(Player&, HashEntry&)>& set) {
    const int32_t uid = static_cast<int32_t>(totals->plist.size());
    HashEntry h(name, bot, uid);
    Player p;
    p.uid = uid;
    set(p, h);
    totals->storePlayer(p);
    totals->plist.put(h);
  }
  // Four players whose index figures put each ranking's rule to work: in every order a player
  // without a match (or result) of the type comes before one with.
  void season() {
    add("Ann", false, [](Player& p, HashEntry& h) {
      h.a_frags = 40;
      h.time = 3600.0;
      p.all.kills = 40;
      p.all.totalTime = 3600.0;
      h.dm_frags = 25;
      p.games[kTD].uses = 2;
      p.games[kTD].kills = 25;
      std::tie(h.t_wins, h.t_losses) = std::pair(2, 1);
      std::tie(p.games[kTT].teamWins, p.games[kTT].teamLosses, p.games[kTT].uses) =
          std::tuple(2, 1, 3);
    });
    add("Bob", true, [](Player& p, HashEntry& h) {
      h.a_frags = 30;
      h.time = 900.0;
      p.all.kills = 30;
      p.all.totalTime = 900.0;
      std::tie(h.a_wins, p.games[kA].teamWins, p.games[kA].uses) = std::tuple(3, 3, 3);
      p.games[kDom].uses = 1;  // a Domination match without a capture
    });
    add("Cy", false, [](Player& p, HashEntry& h) {
      h.a_frags = 20;
      h.time = 7200.0;
      p.all.kills = 20;
      p.all.totalTime = 7200.0;
      h.dm_frags = -2;  // after Bob, who never played Tournament DeathMatch
      std::tie(p.games[kTD].uses, p.games[kTD].suicides) = std::pair(1, 2);
      std::tie(h.t_losses, p.games[kTT].teamLosses, p.games[kTT].uses) = std::tuple(2, 2, 2);
      h.ctf = 20;
      PStats_ctf(p, 2, 1, 1);
    });
    add("Dee", false, [](Player& p, HashEntry& h) {
      h.a_frags = 10;
      h.time = 60.0;
      p.all.kills = 10;
      p.all.totalTime = 60.0;
      h.dm_frags = -5;
      std::tie(p.games[kTD].uses, p.games[kTD].suicides) = std::pair(1, 5);
      std::tie(h.t_wins, p.games[kTT].teamWins, p.games[kTT].uses) = std::tuple(1, 1, 1);
      std::tie(h.a_losses, p.games[kA].teamLosses, p.games[kA].uses) = std::tuple(4, 4, 4);
      h.ctf = -3;  // behind Ann and Bob, who never played Capture the Flag
      PStats_ctf(p, 1, 0, 0);
      p.games[kCTF].suicides = 3;
      std::tie(h.cpc, p.games[kDom].controlPointCaptures, p.games[kDom].uses) = std::tuple(5, 5, 1);
    });
  }
  static void PStats_ctf(Player& p, int32_t uses, int32_t captures, int32_t flagKills) {
    std::tie(p.games[kCTF].uses, p.games[kCTF].flagCaptures, p.games[kCTF].flagKills) =
        std::tuple(uses, captures, flagKills);
  }
  TotalsTables build() {
    totals->sortPlayers();
    trace.str("");
    return TotalsTables(*totals);
  }

  testing::TempDir home;
  std::ostringstream trace;
  std::optional<Totals> totals;
};

TEST_F(ZlnTotalsTablesTest, EachRankingLeavesOutWhomItsRuleSays) {
  season();
  Debug::setLevel(1);
  const TotalsTables tt = build();
  EXPECT_EQ(trace.str().substr(trace.str().find("I TotalsTables.mGamesPlayed")),
            "I TotalsTables.mGamesPlayed\nO TotalsTables.mGamesPlayed\n"
            "I TotalsTables.mRankingTD\nO TotalsTables.mRankingTD\n"
            "I TotalsTables.mRankingTT\nO TotalsTables.mRankingTT\n"
            "I TotalsTables.mRankingA\nO TotalsTables.mRankingA\n"
            "I TotalsTables.mRankingCTF\nO TotalsTables.mRankingCTF\n"
            "I TotalsTables.mRankingDom\nO TotalsTables.mRankingDom\n"
            "I TotalsTables.mRankingFPH\nO TotalsTables.mRankingFPH\nO TotalsTables\n");
  // The table ends at Bob, though Cy and Dee played Tournament DeathMatch after him.
  EXPECT_EQ(show(tt.ranking[kTD]),
            (Lines{"Tournament DeathMatch : All-Time Ranking/12 c14",
                   "Rank/2 | Player/2 | Frags/2 | Kills/2 | Deaths/2 | Suicides/2 | Efficiency/2 | "
                   "Avg FPH/2 | Avg TTL/2 | Ping/2 | Wins/2 | Losses/2 | Games/2 | Hours/2",
                   "1/3 | Ann/4@0 | 25/1 | 25/1 | 0/1 | 0/1 | 100.0%/1 | 0.0/1 | 0.0/1 | 0/1 | "
                   "0/1 | 0/1 | 2/1 | 0.0/1"}));
  // Without a win or a loss Bob is left out and Cy moves up; rank counts the rows.
  EXPECT_EQ(
      show(tt.ranking[kTT]),
      (Lines{"Tournament Team Game : All-Time Ranking/12 c6",
             "Rank/2 | Player/2 | Wins/2 | Losses/2 | Games/2 | Hours/2",
             "1/3 | Ann/4@0 | 2/1 | 1/1 | 3/1 | 0.0/1", "2/3 | Dee/4@3 | 1/1 | 0/1 | 1/1 | 0.0/1",
             "3/3 | Cy/4@2 | 0/1 | 2/1 | 2/1 | 0.0/1"}));
  const Lines assault = show(tt.ranking[kA]);
  EXPECT_EQ(Lines(assault.begin() + 2, assault.end()),
            (Lines{"1/3 | Bob/5@1 | 3/1 | 0/1 | 3/1 | 0.0/1",
                   "2/3 | Dee/4@3 | 0/1 | 4/1 | 4/1 | 0.0/1"}));
  // Without a match of the type Ann and Bob are left out, though Dee, who played, follows.
  EXPECT_EQ(show(tt.ranking[kCTF]),
            (Lines{"Capture the Flag : All-Time Ranking/12 c11",
                   "Rank/2 | Player/2 | Flag Score/2 | Captures/2 | Returns/2 | Flag Kills/2 | "
                   "Assists/2 | Wins/2 | Losses/2 | Games/2 | Hours/2",
                   "1/3 | Cy/4@2 | 12/1 | 1/1 | 0/1 | 1/1 | 0/1 | 0/1 | 0/1 | 2/1 | 0.0/1",
                   "2/3 | Dee/4@3 | -3/1 | 0/1 | 0/1 | 0/1 | 0/1 | 0/1 | 0/1 | 1/1 | 0.0/1"}));
  // Bob played Domination without a capture; Ann and Cy never played it.
  const Lines domination = show(tt.ranking[kDom]);
  EXPECT_EQ(Lines(domination.begin() + 2, domination.end()),
            (Lines{"1/3 | Dee/4@3 | 5/1 | 0/1 | 0/1 | 0/1 | 0/1 | 0/1 | 0/1 | 1/1 | 0.0/1",
                   "2/3 | Bob/5@1 | 0/1 | 0/1 | 0/1 | 0/1 | 0/1 | 0/1 | 0/1 | 1/1 | 0.0/1"}));
  EXPECT_EQ(show(tt.fphRanking), (Lines{"Frags per Hour : All-Time Ranking/12 c6",
                                        "Rank/2 | Player/2 | Avg FPH/2 | "
                                        "Frags/2 | Games/2 | Hours/2",
                                        "1/3 | Dee/4@3 | 600.0/1 | 10/1 | 0/1 | 0.0/1",
                                        "2/3 | Bob/5@1 | 120.0/1 | 30/1 | 0/1 | 0.2/1",
                                        "3/3 | Ann/4@0 | 40.0/1 | 40/1 | 0/1 | 1.0/1",
                                        "4/3 | Cy/4@2 | 10.0/1 | 20/1 | 0/1 | 2.0/1"}));
  EXPECT_EQ(show(tt.totalsRanking).size(), 6u);
  // The rankings page: all game types, then the rankings in the order they were built.
  std::vector<const std::optional<Table>*> page = {&tt.totalsRanking};
  for (const int x : {kTD, kTT, kA, kCTF, kDom}) page.push_back(&tt.ranking[x]);
  page.push_back(&tt.fphRanking);
  EXPECT_EQ(tt.rankingsPage(), page);
}

// Each ranking takes its size from its own key: RankAllGames for the rankings of all game
// types, RankDeathMatch, RankTeamGame, RankAssault, RankCTF and RankDomination.
TEST_F(ZlnTotalsTablesTest, ConfiguredSizesCutTheRankings) {
  for (const auto& [key, size, rows] :
       std::vector<std::tuple<const char*, int, std::vector<size_t>>>{
           {"RankAllGames", 3, {3, 1, 3, 2, 2, 2, 3}},
           {"RankDeathMatch", 0, {4, 0, 3, 2, 2, 2, 4}},
           {"RankTeamGame", 2, {4, 1, 2, 2, 2, 2, 4}},
           {"RankAssault", 1, {4, 1, 3, 1, 2, 2, 4}},
           {"RankCTF", 1, {4, 1, 3, 2, 1, 2, 4}},
           {"RankDomination", -1, {4, 1, 3, 2, 2, 0, 4}}}) {
    SCOPED_TRACE(key);
    configure(std::string(key) + "\t" + std::to_string(size) + "\n");
    season();
    const TotalsTables tt = build();
    std::vector<size_t> players;
    for (const auto* t : tt.rankingsPage()) players.push_back(t->value().size() - 2);
    EXPECT_EQ(players, rows);
  }
}

TEST_F(ZlnTotalsTablesTest, RecordsOfFlagsControlPointsAndSpecialEvents) {
  season();
  Records& r = totals->rec;
  r.cMostWins = CareerRecord(0, "Ann", false, 4, 3, 7200.0);
  r.cMostFCaptures = CareerRecord(2, "Cy", false, 1, 2, 1800.0);
  r.cMostMoK = CareerRecord(1, "Bob", true, 2, 5, 3600.0);
  r.gMostCPCs = GameRecord(3, "Dee", false, 5, "<Keep>", "today", 600.0);
  r.cKillsHoldingWeapon[0] = CareerRecord(1, "Bob", true, 3, 1, 0.0);
  r.cKillsHoldingWeapon[3] = CareerRecord(2, "Cy", false, 4, 1, 0.0);
  r.gSuicides[0] = GameRecord(2, "Cy", false, 1, "m", "d", 60.0);
  const TotalsTables tt = build();
  const std::string empty = "/4@0 | 0/1 | 0/1 | 0.0/1";
  const Lines highs = show(tt.cHighs);
  EXPECT_EQ(highs.at(5), "Highest FPH/3 | Dee/4@3 | 600.0/1 | 0/1 | 0.0/1");
  EXPECT_EQ(
      Lines(highs.begin() + 6, highs.end()),
      (Lines{"Most Wins/3 | Ann/4@0 | 4/1 | 3/1 | 2.0/1",
             "Most Flag Captures/3 | Cy/4@2 | 1/1 | 2/1 | 0.5/1", "Most Flag Returns/3 | " + empty,
             "Most Flag Carrier Kills/3 | " + empty, "Most Flag Assists/3 | " + empty,
             "Most Control Point Captures/3 | " + empty, "Most Head Shots/3 | " + empty,
             "Most First Bloods/3 | " + empty, "Most Double Kills/3 | " + empty,
             "Most Multi Kills/3 | " + empty, "Most Ultra Kills/3 | " + empty,
             "Most Monster Kills/3 | Bob/5@1 | 2/1 | 5/1 | 1.0/1"}));
  const Lines game = show(tt.gHighs);
  EXPECT_EQ(
      Lines(game.begin() + 5, game.end()),
      (Lines{"Most Flag Captures/3 | /4@0 | 0/1 | 0/1 | /1 | /1",
             "Most Flag Returns/3 | /4@0 | 0/1 | 0/1 | /1 | /1",
             "Most Control Point Captures/3 | Dee/4@3 | 5/1 | 10/1 | &lt;Keep&gt;/1 | today/1"}));
  // The nameless weapon and cause show as "Unknown".
  EXPECT_EQ(show(tt.cKills), (Lines{"Weapon/2 | Player/2 | Kills/2 | Games<br>Played/2 | "
                                    "Hours<br>Played/2",
                                    "Flak Cannon/3 | Cy/4@2 | 4/1 | 1/1 | 0.0/1",
                                    "Unknown/3 | Bob/5@1 | 3/1 | 1/1 | 0.0/1"}));
  EXPECT_EQ(show(tt.gSuicides).at(1), "Unknown/3 | Cy/4@2 | 1/1 | 1/1 | m/1 | d/1");
  EXPECT_EQ(tt.recordsPage().size(), 12u);
  EXPECT_EQ(trace.str(), "");
}

// Half an hour over all game types: 12 kills, 5 deaths, 2 suicides and a team kill, split
// between humans and bots, with flags, a control point, head shots and kill chains.
Player career() {
  Player p;
  p.name = "Ann";
  p.uid = 4;
  auto& s = p.all;
  std::tie(s.frags, s.kills, s.deaths, s.suicides, s.tkills, s.tdeaths) =
      std::tuple(9, 12, 5, 2, 1, 3);
  std::tie(s.totalTime, s.uses, s.teamWins, s.teamLosses, s.pingTime, s.pingNum) =
      std::tuple(1800.0, 4, 2, 1, 90, 3);
  std::tie(s.flagCaptures, s.flagReturns, s.flagTakens, s.flagPickups, s.flagDrops) =
      std::tuple(3, 2, 4, 1, 2);
  std::tie(s.flagAssists, s.flagKills, s.controlPointCaptures) = std::tuple(1, 5, 6);
  std::tie(s.firstBlood, s.headShots, s.dKills, s.muKills, s.uKills, s.moKills) =
      std::tuple(1, 7, 3, 2, 1, 1);
  std::tie(s.trans, s.transThrow, s.transFail) = std::tuple(8, 9, 1);
  std::tie(p.vsHumans.kills, p.vsHumans.deaths, p.vsHumans.tkills, p.vsHumans.headShots) =
      std::tuple(9, 3, 1, 5);
  std::tie(p.vsBots.kills, p.vsBots.deaths, p.vsBots.tdeaths, p.vsBots.headShots) =
      std::tuple(3, 2, 3, 2);
  s.myKills[3] = 8;       // Flak Cannon
  s.myDeaths[3] = 2;      // deaths holding it
  s.myDeathsOppW[0] = 4;  // killed by a weapon without a name
  s.myWSuicides[10] = 1;  // Rocket Launcher
  s.mySuicides[0] = 1;    // a cause without a name
  s.itemGets[0] = 2;
  p.sprees[1].uses = 1;
  p.sprees[1].kills = 6;
  p.sprees[1].totalTime = 120.0;
  p.games[0].kills = 3;  // Tournament DeathMatch
  return p;
}

TEST(ZlnPlayerTables, EveryBlockOfThePlayerRecord) {
  const PlayerTables t(career(), 1, 6);
  EXPECT_EQ(show(t.pSummary[6]),
            (Lines{"Career Summary - All Game Types Combined/12 c14",
                   "Frags/2 | Kills/2 | Deaths/2 | Suicides/2 | TK/2 | TD/2 | Eff/2 | Avg FPH/2 | "
                   "Avg TTL/2 | Ping/2 | Wins/2 | Losses/2 | Games/2 | Hours/2",
                   "9/1 | 12/1 | 5/1 | 2/1 | 1/1 | 3/1 | 60.0%/1 | 18.0/1 | 225.0/1 | 30/1 | 2/1 | "
                   "1/1 | 4/1 | 0.5/1"}));
  // Tournament DeathMatch books team kills as kills: no team columns there.
  EXPECT_EQ(show(t.pSummary[0]).at(0), "Career Summary - Tournament DeathMatch/12 c12");
  EXPECT_EQ(show(t.pSummary[1]).at(0), "Career Summary - Capture the Flag/12 c14");
  EXPECT_EQ(show(t.pSummary[5]).at(0), "Career Summary - SinglePlayer/12 c14");
  EXPECT_EQ(show(t.pOpponents),
            (Lines{"Against/2 | Kills/2 | Deaths/2 | Eff./2 | TK/2 | TD/2 | Head Shots/2",
                   "Humans/3 | 9/1 | 3/1 | 75.0%/1 | 1/1 | 0/1 | 5/1",
                   "Bots/3 | 3/1 | 2/1 | 60.0%/1 | 0/1 | 3/1 | 2/1"}));
  EXPECT_EQ(show(t.pObjectives).at(1), "3/1 | 2/1 | 4/1 | 1/1 | 2/1 | 1/1 | 5/1 | 6/1");
  EXPECT_EQ(show(t.pEvents),
            (Lines{"Event/2 | Count/2", "First Blood/3 | 1/1", "Head Shots/3 | 7/1",
                   "Double Kills/3 | 3/1", "Multi Kills/3 | 2/1", "Ultra Kills/3 | 1/1",
                   "Monster Kills/3 | 1/1", "Translocations/3 | 8/1", "Translocator Throws/3 | 9/1",
                   "Failed Translocations/3 | 1/1"}));
  // A weapon that only killed the player has a row; the nameless one is "Unknown".
  EXPECT_EQ(show(t.pWeapon),
            (Lines{"Weapon/2 | Frags/2 | Kills/2 | Deaths/2 | Suicides/2 | Eff./2 | Killed By/2",
                   "Flak Cannon/3 | 8/1 | 8/1 | 2/1 | 0/1 | 80.0%/1 | 0/1",
                   "Unknown/3 | 0/1 | 0/1 | 0/1 | 0/1 | 0.0%/1 | 4/1",
                   "Rocket Launcher/3 | -1/1 | 0/1 | 0/1 | 1/1 | 0.0%/1 | 0/1"}));
  EXPECT_EQ(show(t.pSuicide),
            (Lines{"Type/2 | Suicides/2", "Rocket Launcher/3 | 1/1", "Unknown/3 | 1/1"}));
  EXPECT_EQ(show(t.pItems), (Lines{"Item Type/2 | Total Collected/2", "Unknown/3 | 2/1"}));
  const Lines sprees = show(t.pSprees);
  EXPECT_EQ(sprees.size(), 6u);
  EXPECT_EQ(sprees.at(1), "Rampage/3 | 1/1 | 2.0/1 | 6/1 | 0/1 | 6.0/1 | 180.0/1 | 120.0/1");
  EXPECT_EQ(show(t.pPickups).size(), 4u);
}

// The page's blocks in order; the summaries per game type only on the pages of the site.
TEST(ZlnPlayerTables, PageBlocksInOrder) {
  const Player p = career();
  for (const int type : {1, 2, 3}) {
    const PlayerTables t(p, type, 6);
    std::vector<const std::optional<Table>*> want = {&t.pSummary[6], &t.pOpponents, &t.pObjectives,
                                                     &t.pEvents,     &t.pWeapon,    &t.pSuicide,
                                                     &t.pPickups,    &t.pSprees,    &t.pItems};
    for (size_t g = 0; type < 3 && g < 6; ++g) want.push_back(&t.pSummary[g]);
    std::vector<const std::optional<Table>*> shown;
    for (const auto& b : t.blocks()) shown.push_back(b.table);
    EXPECT_EQ(shown, want) << type;
  }
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN::output
