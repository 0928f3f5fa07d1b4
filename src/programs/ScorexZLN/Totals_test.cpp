// The career totals of Zolnar; the rules of the shared core are tested once, through Brakk.
#include "programs/ScorexZLN/Totals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <numeric>
#include <sstream>

#include "ConfigReset.h"
#include "GoldenDb.h"
#include "TempDir.h"
#include "TraceCapture.h"
#include "games/zln/Game.h"
#include "programs/Scorex/run/core.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexZLN/ScorexZLN.h"

namespace orvane::programs::ScorexZLN {
namespace {

using games::zln::Game;
using games::zln::Player;
using Scorex::settings::config;
using testing::slurp;
using Names = std::vector<std::string>;

// A match of a game type, with its stamp t and the given players in player-number order.
std::unique_ptr<Game> match(int64_t t, const char* type, std::vector<Player> players,
                            const std::string& netMode = "") {
  auto g = std::make_unique<Game>(std::string_view());
  std::tie(g->time, g->netMode) = std::tie(t, netMode);
  g->gameType = Totals::Specs::loc(Totals::Specs::games, type);
  g->plist = std::move(players);
  g->playersByUID.resize(g->plist.size());
  std::iota(g->playersByUID.begin(), g->playersByUID.end(), 0);
  return g;
}

// Where a named field of a slot lies, and its width: nine statistics blocks (the flag tail in
// all, vsHumans, vsBots and games[1] only), then the 24-byte power-up and spree blocks.
std::pair<size_t, size_t> slotField(const std::string& block, const std::string& field) {
  using Specs = Totals::Specs;
  const size_t bracket = field.find('[');
  const std::string name = field.substr(0, bracket);
  const size_t i = bracket == std::string::npos ? 0 : std::stoul(field.substr(bracket + 1));
  const auto at = [&name](const Names& names) {
    return size_t(std::find(names.begin(), names.end(), name) - names.begin());
  };
  // The ints after the double totalTime, those of a weapon, of the flag tail, and the fields
  // of a 24-byte block.
  const Names head = {
      "kills",     "deaths",     "tkills",   "tdeaths",  "suicides",   "items",
      "pingTime",  "pingNum",    "uses",     "teamWins", "teamLosses", "controlPointCaptures",
      "headShots", "dKills",     "muKills",  "uKills",   "moKills",    "firstBlood",
      "trans",     "transThrow", "transFail"};
  const Names weapon = {"myKills", "myKillsOppW", "myDeaths", "myDeathsOppW", "myWSuicides"};
  const Names flag = {"flagCaptures", "flagDrops", "flagPickups", "flagReturns",
                      "flagAssists",  "flagKills", "flagTakens"};
  const Names spell = {"totalTime", "uses", "kills", "deaths", "suicides"};
  Names blocks = {"all", "vsHumans", "vsBots"};
  for (size_t k = 0; k < Specs::kGames; ++k) blocks.push_back("games[" + std::to_string(k) + "]");
  size_t b = 0;
  for (const std::string& stats : blocks) {
    const bool tail = stats.rfind("games", 0) != 0 || stats == "games[1]";
    if (stats == block && name == "totalTime") return {b, 8};
    if (stats == block && at(head) < head.size()) return {b + 8 + 4 * at(head), 4};
    if (stats == block && at(weapon) < weapon.size() && i < Specs::kWeapons) {
      return {b + 92 + 20 * i + 4 * at(weapon), 4};
    }
    if (stats == block && name == "mySuicides" && i < Specs::kSuicides) return {b + 472 + 4 * i, 4};
    if (stats == block && name == "itemGets" && i < Specs::kItems) return {b + 508 + 4 * i, 4};
    if (stats == block && tail && at(flag) < flag.size()) return {b + 636 + 4 * at(flag), 4};
    b += tail ? 664 : 636;
  }
  for (size_t k = 0; k < Specs::kPickups + Specs::kSprees; ++k, b += 24) {
    const bool pickup = k < Specs::kPickups;
    const std::string spellBlock = pickup ? "pickups[" + std::to_string(k) + "]"
                                          : "sprees[" + std::to_string(k - Specs::kPickups) + "]";
    if (spellBlock == block && at(spell) < spell.size()) {
      return {b + (name == "totalTime" ? 0 : 4 + 4 * at(spell)), name == "totalTime" ? 8 : 4};
    }
  }
  ADD_FAILURE() << "unknown field " << block << " " << field;
  return {0, 0};
}

class ZlnTotalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    config::homeDir = home.path();
    home.mkdir("data");
    config::set(home.write("ScorexZLN.cfg", "SpawnBrowser\tfalse\n"), "ScorexZLN");
    oldOut = std::cout.rdbuf(out.rdbuf());
    totals.readDBs();
  }
  void TearDown() override { std::cout.rdbuf(oldOut); }
  testing::ConfigReset reset;
  testing::TempDir home;
  testing::TraceCapture trace;
  std::ostringstream out;
  std::streambuf* oldOut = nullptr;
  Totals totals;
};

TEST_F(ZlnTotalsTest, GoldenDatabase) {
  // A Capture the Flag match, worked through by hand in the golden text.
  const std::string golden = std::filesystem::path(__FILE__).parent_path().string() +
                             "/../../../tests/golden/zln_ctf_match";
  const std::unique_ptr<games::Game> game = ScorexZLN::module().newGame(slurp(golden + ".log"));
  totals.update(*game);
  totals.sortPlayers();
  ASSERT_TRUE(Scorex::run::core().putTotalsIntoDB(totals));
  EXPECT_EQ(out.str() + trace.str(), "Players in DB:3\n");
  const auto db = testing::readGolden(golden + ".txt", PlayerDB::kEntrySize, slotField);
  ASSERT_EQ(db.size(), 4u);
  for (const auto& [name, bytes] : db) db.expect(name, slurp(config::qmDBDir() + name));
}

// A single-player match counts under its own game type and under SinglePlayer, a match of the
// type SinglePlayer once. The index entry keeps the flag score of the career before the
// match: the one read back from the store, 7 a capture, 5 a flag-carrier kill, 1 a frag.
TEST_F(ZlnTotalsTest, SinglePlayerMatchesAndTheFlagScore) {
  Player ann;
  auto& a = ann.all;
  std::tie(ann.name, a.totalTime, a.kills, a.frags, a.suicides, a.tkills, a.flagCaptures,
           a.flagKills) = std::tuple("Ann", 60.0, 6, 4, 1, 1, 2, 1);
  totals.update(*match(100, "Tournament DeathMatch", {ann}, "SinglePlayer"));
  EXPECT_EQ(totals.plist.find("Annf")->ctf, 0);  // new in this match
  totals.update(*match(200, "Capture the Flag", {ann}));
  EXPECT_EQ(totals.plist.find("Annf")->ctf, 0);  // a career of no Capture the Flag
  totals.update(*match(300, "SinglePlayer", {ann}, "SinglePlayer"));
  EXPECT_EQ(totals.plist.find("Annf")->ctf, 7 * 2 + 5 * 1 + 4);
  EXPECT_EQ(totals.gamesPlayed, (std::array<int32_t, 6>{1, 1, 0, 0, 0, 2}));
  const std::optional<Player> stored = totals.storedPlayer(0);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(std::vector<int32_t>({stored->all.uses, stored->games[0].uses, stored->games[5].uses,
                                  stored->games[5].kills}),
            std::vector<int32_t>({3, 1, 2, 12}));
  EXPECT_EQ(stored->games[1].score, 7.0 * 2 + 5 * 1 + 4);
  EXPECT_EQ(out.str() + trace.str(), "Players in DB:1\nPlayers in DB:1\nPlayers in DB:1\n");
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN
