#include "programs/ScorexZLN/Totals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <numeric>
#include <sstream>

#include "GoldenDb.h"
#include "TempDir.h"
#include "games/zln/Game.h"
#include "programs/Scorex/run/core.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexZLN/ScorexZLN.h"
#include "util/BigEndian.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexZLN {
namespace {

using games::zln::Game;
using games::zln::Player;
using Scorex::settings::config;
using testing::slurp;
using util::Debug;
using Names = std::vector<std::string>;

// A match of a game type, with its stamp t, map "m<t>", date "D<t>" and the given players in
// player-number order.
std::unique_ptr<Game> match(int64_t t, const char* type, std::vector<Player> players) {
  auto g = std::make_unique<Game>(std::string_view());
  g->time = t;
  g->map = "m" + std::to_string(t);
  g->date = "D" + std::to_string(t);
  g->gameType = Totals::Specs::loc(Totals::Specs::games, type);
  g->plist = std::move(players);
  g->playersByUID.resize(g->plist.size());
  std::iota(g->playersByUID.begin(), g->playersByUID.end(), 0);
  return g;
}

Player named(const std::string& name) {
  Player p;
  p.name = name;
  return p;
}

// A Capture the Flag match, worked through by hand in tests/golden/zln_ctf_match.txt.
const std::string kGoldenLog =
    "0|info|Absolute_Time|2023.07.14.21.30.05.500.-2\n0|map|Title|Coret\n"
    "0|game|GameName|Capture the Flag\n0|game|GameClass|Botpack.CTFGame\n0|game|TeamGame|True\n"
    "1|player|Connect|Ann|0|False\n1|player|IsABot|0|False\n1|player|TeamName|0|Red\n"
    "1|player|Team|0|0\n1|player|Skill|0|3.0\n"
    "2|player|Connect|Bob|1|False\n2|player|IsABot|1|False\n2|player|TeamName|1|Blue\n"
    "2|player|Team|1|1\n2|player|Skill|1|3.0\n"
    "3|player|Connect|Cyd|2|False\n3|player|IsABot|2|True\n3|player|TeamName|2|Red\n"
    "3|player|Team|2|0\n3|player|Skill|2|4.5\n5|game_start\n"
    "8|item_get|Health Vial|0\n10|flag_taken|0|1\n"
    "12|headshot|1|0\n12|kill|1|Sniper Rifle|0|Enforcer|Decapitated\n12|flag_dropped|0|1\n"
    "14|flag_pickedup|2|1\n18|flag_captured|2|1\n20|item_activate|Damage Amplifier|1\n"
    "22|kill|1|Flak Cannon|0|Enforcer|FlakDeath\n24|kill|1|Flak Cannon|2|Ripper|shredded\n"
    "26|item_deactivate|Damage Amplifier|1\n28|kill|0|Enforcer|1|Flak Cannon|shot\n"
    "30|suicide|2|Rocket Launcher|RocketDeath|None\n32|suicide|1|None|Fell|None\n"
    "34|player|Ping|0|40\n34|player|Ping|1|60\n34|player|Ping|2|10\n40|game_end|timelimit\n";

// Where a named field of a player slot lies, and its width: the nine statistics blocks (the
// flag tail in all, vsHumans, vsBots and games[1] only), then the 24-byte power-up and spree
// blocks.
std::pair<size_t, size_t> slotField(const std::string& block, const std::string& field) {
  using Specs = Totals::Specs;
  const size_t bracket = field.find('[');
  const std::string name = field.substr(0, bracket);
  const size_t i = bracket == std::string::npos ? 0 : std::stoul(field.substr(bracket + 1));
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
  const auto at = [&name](const Names& names) {
    return size_t(std::find(names.begin(), names.end(), name) - names.begin());
  };
  size_t b = 0;
  for (const std::string stats : {"all", "vsHumans", "vsBots", "games[0]", "games[1]", "games[2]",
                                  "games[3]", "games[4]", "games[5]"}) {
    const bool tail =
        stats == "all" || stats == "vsHumans" || stats == "vsBots" || stats == "games[1]";
    if (stats == block) {
      if (name == "totalTime") return {b, 8};
      if (at(head) < head.size()) return {b + 8 + 4 * at(head), 4};
      if (at(weapon) < weapon.size() && i < Specs::kWeapons) {
        return {b + 92 + 20 * i + 4 * at(weapon), 4};
      }
      if (name == "mySuicides" && i < Specs::kSuicides) return {b + 472 + 4 * i, 4};
      if (name == "itemGets" && i < Specs::kItems) return {b + 508 + 4 * i, 4};
      if (tail && at(flag) < flag.size()) return {b + 636 + 4 * at(flag), 4};
      ADD_FAILURE() << "unknown field " << block << " " << field;
      return {0, 0};
    }
    b += tail ? 664 : 636;
  }
  for (size_t k = 0; k < Specs::kPickups + Specs::kSprees; ++k, b += 24) {
    const std::string spellBlock = k < Specs::kPickups
                                       ? "pickups[" + std::to_string(k) + "]"
                                       : "sprees[" + std::to_string(k - Specs::kPickups) + "]";
    if (spellBlock != block) continue;
    if (name == "totalTime") return {b, 8};
    if (at(spell) < spell.size()) return {b + 4 + 4 * at(spell), 4};
    ADD_FAILURE() << "unknown field " << block << " " << field;
    return {0, 0};
  }
  ADD_FAILURE() << "unknown block " << block;
  return {0, 0};
}

class ZlnTotalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    config::reset();
    Debug::reset();
    Debug::setStream(&trace);
    config::homeDir = home.path();
    home.mkdir("data");
    config::set(home.write("ScorexZLN.cfg", "SpawnBrowser\tfalse\n"), "ScorexZLN");
    trace.str("");
    oldOut = std::cout.rdbuf(out.rdbuf());
  }
  void TearDown() override {
    std::cout.rdbuf(oldOut);
    config::reset();
    Debug::reset();
  }
  std::string db(const std::string& name) const { return config::qmDBDir() + name; }
  std::unique_ptr<Totals> load() {
    auto t = std::make_unique<Totals>();
    t->readDBs();
    return t;
  }
  testing::TempDir home;
  std::ostringstream trace;
  std::ostringstream out;
  std::streambuf* oldOut = nullptr;
};

TEST_F(ZlnTotalsTest, SinglePlayerMatchesCountUnderTheirTypeAndSinglePlayer) {
  // Ann kills the bot Bob, in a single-player Tournament DeathMatch read from its log.
  std::string log =
      "0|info|Absolute_Time|2024.03.01.20.00.00.000.+1\n0|map|Title|Deck\n"
      "0|game|GameName|Tournament DeathMatch\n0|game|NetMode|SinglePlayer\n"
      "1|player|Connect|Ann|0|False\n1|player|IsABot|0|False\n"
      "1|player|Connect|Bob|1|False\n1|player|IsABot|1|True\n"
      "10|kill|0|Enforcer|1|Enforcer|shot\n20|game_end|fraglimit\n";
  std::replace(log.begin(), log.end(), '|', '\t');
  const std::unique_ptr<games::Game> single = ScorexZLN::module().newGame(log);
  const std::unique_ptr<Scorex::career::Totals> generic = ScorexZLN::module().newTotals();
  auto& t = dynamic_cast<Totals&>(*generic);
  t.readDBs();
  t.update(*single);
  const auto& played = dynamic_cast<const Game&>(*single);
  auto other = match(played.time + 1, "Tournament DeathMatch", played.plist);
  other->netMode = "ListenServer";
  t.update(*other);
  // A match of the type SinglePlayer itself counts there once.
  auto own = match(played.time + 2, "SinglePlayer", {named("Cy")});
  own->netMode = "SinglePlayer";
  t.update(*own);
  EXPECT_EQ(trace.str(), "");
  EXPECT_EQ(out.str(), "Players in DB:2\nPlayers in DB:2\nPlayers in DB:3\n");
  EXPECT_EQ(t.totalGamesPlayed, 3);
  EXPECT_EQ(t.gamesPlayed, (std::array<int32_t, 6>{2, 0, 0, 0, 0, 2}));
  EXPECT_EQ(t.allStats.all.uses, 3);
  EXPECT_EQ(t.allStats.games[5].uses, 2);
  EXPECT_EQ(t.storedPlayer(t.plist.find("Cyf")->uid)->games[5].uses, 1);
  EXPECT_EQ(t.botStats.games[5].deaths, 1);
  EXPECT_EQ(t.humanStats.games[0].kills, 2);
  const std::optional<Player> ann = t.storedPlayer(t.plist.find("Annf")->uid);
  ASSERT_TRUE(ann.has_value());
  EXPECT_EQ(ann->all.uses, 2);
  EXPECT_EQ(ann->games[0].uses, 2);
  EXPECT_EQ(ann->games[0].kills, 2);
  EXPECT_EQ(ann->games[5].uses, 1);
  EXPECT_EQ(ann->games[5].kills, 1);
}

TEST_F(ZlnTotalsTest, IndexEntryTakesTheCareerFiguresAndTheStoredFlagScore) {
  const auto t = load();
  Player annie = named("Annie");
  annie.all.totalTime = 60.0;
  annie.all.kills = 5;
  annie.all.frags = 4;
  annie.all.suicides = 1;
  annie.all.deaths = 2;
  annie.all.flagCaptures = 2;
  annie.all.flagKills = 1;
  Player bob = named("Bob");
  t->update(*match(100, "Capture the Flag", {annie, bob}));
  EXPECT_EQ(t->plist.find("Annief")->ctf, 0);  // new in this match

  Player tdm = named("Annie");
  tdm.all.totalTime = 30.0;
  tdm.all.kills = 5;
  tdm.all.frags = 3;  // frags are what the store restores: kills - suicides - team kills
  tdm.all.deaths = 1;
  tdm.all.suicides = 2;
  tdm.all.teamWins = 1;
  t->update(*match(200, "Tournament DeathMatch", {tdm}));
  // The Capture the Flag career before this match: 7 x 2 captures + 5 x 1 carrier kill + 4.
  EXPECT_EQ(t->plist.find("Annief")->ctf, 23);

  Player team = named("Annie");
  team.all.teamWins = 2;
  team.all.teamLosses = 3;
  Player dom = named("Annie");
  dom.all.controlPointCaptures = 6;
  Player ctf = annie;
  ctf.all.flagCaptures = 1;
  t->update(*match(300, "Tournament Team Game", {team}));
  t->update(*match(400, "Assault", {team, bob}));
  t->update(*match(500, "Domination", {dom}));
  t->update(*match(600, "Capture the Flag", {ctf}));
  EXPECT_EQ(trace.str(), "");

  HashEntry want("Annie", false, 0);
  want.update(150.0, 11, 5, 4, 3, 1, 2, 2, 3, 2, 3, 6, 23);
  util::BigEndianWriter expected;
  expected.writeInt(1);
  expected.writeInt(2);
  want.writeDB(expected);
  HashEntry("Bob", false, 1).writeDB(expected);
  ASSERT_TRUE(t->writeHashDB());
  EXPECT_EQ(slurp(db("zln_hash.db")), expected.bytes());
  EXPECT_EQ(expected.bytes().size(), 8u + 70 + 68);  // a five-letter name takes 70 bytes
  EXPECT_EQ(t->storedPlayer(0)->games[1].score, 7.0 * 3 + 5 * 2 + 8);
}

TEST_F(ZlnTotalsTest, SortPlayersBuildsTheEightOrders) {
  Totals t;
  Debug::setLevel(1);
  t.sortPlayers();  // an empty index gives eight empty orders
  EXPECT_EQ(trace.str(), "I Totals.sortPlayers\nO Totals.sortPlayers\n");
  // Name, seconds, then the twelve counters: frags, deaths, suicides overall and in
  // Tournament DeathMatch, team games and assaults won and lost, control points, flag score.
  const std::vector<std::pair<std::string, std::array<int32_t, 13>>> index = {
      {"bob", {3600, 5, 2, 0, 1, 0, 0, 2, 1, 0, 0, 3, 10}},
      {"Bob", {0, 5, 1, 0, 1, 1, 0, 2, 0, 1, 1, 0, -5}},
      {"Zed", {1800, 5, 1, 1, 3, 5, 5, 0, 0, 1, 0, 7, 12}},
      {"ann", {3600, -1, 0, 0, 1, 0, 1, 0, 3, 0, 2, 1, 0}},
      {"\xe9ric", {7200, 7, 9, 9, 0, 0, 0, 1, 0, 3, 3, 4, 25}},
  };
  for (const auto& [name, v] : index) {
    HashEntry h(name, false, static_cast<int32_t>(t.plist.size()));
    h.update(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12]);
    t.plist.put(h);
  }
  t.sortPlayers();
  const std::string e = "\xe9ric";
  const std::vector<std::pair<const Totals::Order*, Names>> orders = {
      {&t.sortedByName, {"Bob", "Zed", "ann", "bob", e}},
      {&t.sortedByFDS, {e, "Bob", "Zed", "bob", "ann"}},
      {&t.sortedD, {"Zed", e, "bob", "ann", "Bob"}},
      {&t.sortedCTF, {e, "Zed", "bob", "ann", "Bob"}},
      {&t.sortedTT, {"Bob", "bob", e, "Zed", "ann"}},
      {&t.sortedA, {e, "Zed", "Bob", "bob", "ann"}},
      {&t.sortedTD, {"Zed", "bob", "ann", "Bob", e}},
      // Frags per hour 10, 5, 3.5, then Bob's 0.0 (no time), then ann's -1.
      {&t.sortedFPH, {"Zed", "bob", e, "Bob", "ann"}},
  };
  for (size_t i = 0; i < orders.size(); ++i) {
    Names got;
    for (const HashEntry* h : *orders[i].first) got.push_back(h->name);
    EXPECT_EQ(got, orders[i].second) << i;
  }
}

// ---- Files as a whole -----------------------------------------------------------------------

TEST_F(ZlnTotalsTest, GoldenDatabase) {
  std::string log = kGoldenLog;
  std::replace(log.begin(), log.end(), '|', '\t');
  const std::unique_ptr<games::Game> game = ScorexZLN::module().newGame(log);
  ASSERT_TRUE(game->isValid());
  // One run as the driver makes it: load, merge the new match, sort, save.
  const auto run = [&] {
    const auto t = load();
    if (t->isNewGame(*game)) t->update(*game);
    if (t->isModified()) t->sortPlayers();
    return Scorex::run::core().putTotalsIntoDB(*t);
  };
  ASSERT_TRUE(run());
  EXPECT_EQ(trace.str(), "");
  EXPECT_EQ(out.str(), "Players in DB:3\n");
  const auto golden = testing::readGolden(std::filesystem::path(__FILE__).parent_path().string() +
                                              "/../../../tests/golden/zln_ctf_match.txt",
                                          PlayerDB::kEntrySize, slotField);
  ASSERT_EQ(golden.size(), 4u);
  const auto compare = [&] {
    for (const auto& [name, bytes] : golden) {
      golden.expect(name, slurp(db(name)));
    }
  };
  compare();

  // Running it again recognises the match, and what is read back is saved unchanged.
  ASSERT_TRUE(run());
  compare();
  EXPECT_EQ(out.str() + trace.str(), "Players in DB:3\n");
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN
