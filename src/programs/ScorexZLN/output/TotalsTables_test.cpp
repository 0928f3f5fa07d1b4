#include "programs/ScorexZLN/output/TotalsTables.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ConfigReset.h"
#include "TempDir.h"
#include "TraceCapture.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexZLN/PlayerDB.h"

namespace orvane::programs::ScorexZLN::output {
namespace {

using games::zln::Player;
using Scorex::settings::config;
using Lines = std::vector<std::string>;

// Game types by their position in Zolnar's table.
enum { kTD, kCTF, kDom, kA, kTT };

// A career player: the frags and time of all game types, then per game type the index figure and
// the store's counts.
struct Career {
  std::string name;
  bool bot;
  int32_t frags;
  double time;
  int32_t dm, td[3];     // Tournament DeathMatch: frags; matches, kills, suicides
  int32_t tt[3], as[3];  // team games and Assault: wins, losses, matches
  int32_t ctf, flag[4];  // Capture the Flag: score; matches, captures, flag kills, suicides
  int32_t cpc, dom;      // Domination: captures, matches
};

// Four players whose index figures put each ranking's rule to work: in every order a player
// without a match (or result) of the type comes before one with: Cy's Tournament DeathMatch
// frags after Bob, who never played it; Dee's flag score behind Ann and Bob, who never played
// Capture the Flag; Bob has a Domination match without a capture.
const std::vector<Career> kSeason = {
    {"Ann", false, 40, 3600.0, 25, {2, 25, 0}, {2, 1, 3}, {0, 0, 0}, 0, {0, 0, 0, 0}, 0, 0},
    {"Bob", true, 30, 900.0, 0, {0, 0, 0}, {0, 0, 0}, {3, 0, 3}, 0, {0, 0, 0, 0}, 0, 1},
    {"Cy", false, 20, 7200.0, -2, {1, 0, 2}, {0, 2, 2}, {0, 0, 0}, 20, {2, 1, 1, 0}, 0, 0},
    {"Dee", false, 10, 60.0, -5, {1, 0, 5}, {1, 0, 1}, {0, 4, 4}, -3, {1, 0, 0, 3}, 5, 1}};

// The all-time tables are built by a core both modules share; Zolnar's rankings put each of its
// rules to work. The golden all-time pages of the site tests pin the columns and the forms of
// the numbers.
class ZlnTotalsTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { configure(""); }
  // A new configuration, player store and career totals of the season.
  void configure(const std::string& lines) {
    totals.emplace();
    config::reset();
    config::homeDir = home.path();
    config::set(home.write("ScorexZLN.cfg", lines), "ScorexZLN");
    home.mkdir("data");
    totals->openPlayerDB();
    for (const Career& c : kSeason) add(c);
  }
  void add(const Career& c) {
    const int32_t uid = static_cast<int32_t>(totals->plist.size());
    HashEntry h(c.name, c.bot, uid);
    std::tie(h.a_frags, h.time, h.dm_frags, h.t_wins, h.t_losses, h.a_wins, h.a_losses, h.ctf,
             h.cpc) =
        std::tuple(c.frags, c.time, c.dm, c.tt[0], c.tt[1], c.as[0], c.as[1], c.ctf, c.cpc);
    Player p;
    p.uid = uid;
    std::tie(p.all.kills, p.all.totalTime) = std::tuple(c.frags, c.time);
    auto& td = p.games[kTD];
    std::tie(td.uses, td.kills, td.suicides) = std::tuple(c.td[0], c.td[1], c.td[2]);
    for (const auto& [k, v] : {std::pair{kTT, c.tt}, std::pair{kA, c.as}}) {
      std::tie(p.games[k].teamWins, p.games[k].teamLosses, p.games[k].uses) =
          std::tuple(v[0], v[1], v[2]);
    }
    auto& f = p.games[kCTF];
    std::tie(f.uses, f.flagCaptures, f.flagKills, f.suicides) =
        std::tuple(c.flag[0], c.flag[1], c.flag[2], c.flag[3]);
    std::tie(p.games[kDom].controlPointCaptures, p.games[kDom].uses) = std::tuple(c.cpc, c.dom);
    totals->storePlayer(p);
    totals->plist.put(h);
  }
  TotalsTables build() {
    totals->sortPlayers();
    trace.str("");
    return TotalsTables(*totals);
  }

  testing::ConfigReset reset;
  testing::TempDir home;
  testing::TraceCapture trace;
  std::optional<Totals> totals;
};

// Each ranking leaves out whom its rule says: Tournament DeathMatch ends at the first player
// without a match of it (though more follow), the team games leave out who has neither win nor
// loss, Capture the Flag and Domination who never played them; rank counts the rows. A player
// the store cannot return is passed over, first as his index figures put him.
TEST_F(ZlnTotalsTablesTest, EachRankingLeavesOutWhomItsRuleSays) {
  HashEntry ghost("Ghost", false, 99);
  std::tie(ghost.a_frags, ghost.dm_frags, ghost.ctf, ghost.time) = std::tuple(99, 99, 99, 1.0);
  totals->plist.put(ghost);
  const TotalsTables tt = build();
  std::vector<std::string> shown;
  for (const auto* t : tt.rankingsPage()) {
    std::string rows;
    for (size_t r = 2; r < t->value().size(); ++r) {
      rows += t->value()[r][0][0].val + " " + t->value()[r][1][0].val + " ";
    }
    shown.push_back(t->value()[0][0][0].val.substr(0, 12) + ": " + rows);
  }
  // The ghost's place stays empty where the rank is the place in the order.
  EXPECT_EQ(shown, (Lines{"All Game Typ: 2 Ann 3 Bob 4 Cy 5 Dee ", "Tournament D: 2 Ann ",
                          "Tournament T: 1 Ann 2 Dee 3 Cy ", "Assault : Al: 1 Bob 2 Dee ",
                          "Capture the : 1 Cy 2 Dee ", "Domination :: 1 Dee 2 Bob ",
                          "Frags per Ho: 2 Dee 3 Bob 4 Ann 5 Cy "}));
  std::string missing;
  for (int i = 0; i < 8; ++i) {  // the rankings ask for him eight times
    missing += "Error PlayerDB.getPlayer: Invalid Player Requested\n      loc=103\n      num=8\n";
  }
  EXPECT_EQ(trace.str(), missing);
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
    configure(std::string(key) + "\t" + std::to_string(size) + "\n");
    const TotalsTables tt = build();
    std::vector<size_t> players;
    for (const auto* t : tt.rankingsPage()) players.push_back(t->value().size() - 2);
    EXPECT_EQ(players, rows) << key;
  }
}

// A cause of suicide without a name shows as "Unknown". (The golden all-time pages of the site
// tests pin Zolnar's own records.)
TEST_F(ZlnTotalsTablesTest, ACauseWithoutANameIsUnknown) {
  totals->rec.gSuicides[0] = GameRecord(2, "Cy", false, 1, "m", "d", 60.0);
  const TotalsTables tt = build();
  EXPECT_EQ(tt.gSuicides.value().at(1).at(0).at(0).val, "Unknown");
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN::output
