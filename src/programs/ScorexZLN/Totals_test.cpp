#include "programs/ScorexZLN/Totals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <memory>
#include <numeric>
#include <sstream>

#include "TempDir.h"
#include "games/zln/Game.h"
#include "programs/Scorex/config.h"
#include "programs/ScorexZLN/ScorexZLN.h"
#include "util/BigEndian.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexZLN {
namespace {

using games::zln::Game;
using games::zln::Player;
using Scorex::config;
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

class ZlnTotalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
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
    PlayerDB::close();
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
  const std::unique_ptr<Scorex::Totals> generic = ScorexZLN::module().newTotals();
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
  EXPECT_EQ(PlayerDB::getPlayer(t.plist.find("Cyf")->uid)->games[5].uses, 1);
  EXPECT_EQ(t.botStats.games[5].deaths, 1);
  EXPECT_EQ(t.humanStats.games[0].kills, 2);
  const std::optional<Player> ann = PlayerDB::getPlayer(t.plist.find("Annf")->uid);
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
  EXPECT_EQ(PlayerDB::getPlayer(0)->games[1].score, 7.0 * 3 + 5 * 2 + 8);
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

}  // namespace
}  // namespace orvane::programs::ScorexZLN
