#include "programs/ScorexZLN/Records.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <sstream>
#include <vector>

#include "games/zln/Game.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexZLN {
namespace {

using games::zln::Game;
using games::zln::Player;
using util::BigEndianReader;
using util::BigEndianWriter;
using util::Debug;

template <class T>
std::string bytesOf(const T& x) {
  BigEndianWriter w;
  x.writeDB(w);
  return w.take();
}

// A match on map "m<n>" whose players are the given ones, in player-number order.
std::unique_ptr<Game> match(int n, std::vector<Player> players) {
  auto g = std::make_unique<Game>(std::string_view());
  g->map = "m" + std::to_string(n);
  g->date = "D" + std::to_string(n);
  g->plist = std::move(players);
  g->playersByUID.resize(g->plist.size());
  std::iota(g->playersByUID.begin(), g->playersByUID.end(), 0);
  return g;
}

Player named(const std::string& name, int32_t uid = -1) {
  Player p;
  p.name = name;
  p.uid = uid;
  return p;
}

class ZlnRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  std::ostringstream trace;
};

// The records of the block in file order: true for a match record, false for a career one.
std::vector<std::pair<bool, int32_t*>> inFileOrder(Records& r) {
  std::vector<std::pair<bool, int32_t*>> v;
  const auto game = [&](std::initializer_list<GameRecord*> rs) {
    for (GameRecord* x : rs) v.emplace_back(true, &x->score);
  };
  const auto career = [&](std::initializer_list<CareerRecord*> rs) {
    for (CareerRecord* x : rs) v.emplace_back(false, &x->score);
  };
  game({&r.gMostFrags, &r.gMostKills, &r.gMostDeaths, &r.gMostSuicides});
  career({&r.cMostFrags, &r.cMostKills, &r.cMostDeaths, &r.cMostSuicides});
  for (size_t w = 0; w < 19; ++w) {
    game({&r.gKillsHoldingWeapon[w], &r.gDeathsByWeapon[w], &r.gDeathsHoldingWeapon[w],
          &r.gWeaponSuicides[w]});
    career({&r.cKillsHoldingWeapon[w], &r.cDeathsByWeapon[w], &r.cDeathsHoldingWeapon[w],
            &r.cWeaponSuicides[w]});
  }
  for (size_t c = 0; c < 9; ++c) {
    game({&r.gSuicides[c]});
    career({&r.cSuicides[c]});
  }
  game({&r.gMostFCaptures, &r.gMostFReturns, &r.gMostCPCs});
  career({&r.cMostFCaptures, &r.cMostFReturns, &r.cMostCPCs, &r.cMostWins, &r.cMostFAssists,
          &r.cMostFKills, &r.cMostHS, &r.cMostFB, &r.cMostDK, &r.cMostMuK, &r.cMostUK,
          &r.cMostMoK});
  return v;
}

TEST_F(ZlnRecordsTest, BlockHoldsItsRecordsInFileOrder) {
  Records r;
  r.RecentGameMap = "map";
  const std::vector<std::pair<bool, int32_t*>> order = inFileOrder(r);
  ASSERT_EQ(order.size(), 193u);
  for (size_t i = 0; i < order.size(); ++i) *order[i].second = static_cast<int32_t>(i + 1);
  const std::string bytes = bytesOf(r);
  // The texts, 92 match records of 29 bytes and 101 career records of 25 (empty texts).
  EXPECT_EQ(bytes.size(), 7u + 4 + 92 * 29 + 101 * 25);
  BigEndianReader in(bytes);
  EXPECT_EQ(in.readText(), "map");
  EXPECT_EQ(in.readText(), "");
  for (size_t i = 0; i < order.size(); ++i) {
    const int32_t score = order[i].first ? GameRecord(in).score : CareerRecord(in).score;
    EXPECT_EQ(score, static_cast<int32_t>(i + 1)) << i;
  }
  EXPECT_EQ(in.remaining(), 0u);

  Debug::setLevel(1);
  BigEndianReader again(bytes);
  const Records back(again);
  EXPECT_EQ(trace.str(), "I Records.new\nO Records.new\n");
  EXPECT_EQ(bytesOf(back), bytes);
}

TEST_F(ZlnRecordsTest, CareerHighsCarryTheGamesAndTimeOfTheirGameType) {
  Player cy = named("Cy", 9);
  cy.isABot = true;
  cy.all.uses = 10;
  cy.all.totalTime = 1000.0;
  games::zln::PStats& dm = cy.games[0];  // Tournament DeathMatch
  games::zln::PStats& ctf = cy.games[1];
  games::zln::PStats& dom = cy.games[2];
  dm.uses = 4;
  dm.totalTime = 300.0;
  ctf.uses = 3;
  ctf.totalTime = 200.0;
  dom.uses = 2;
  dom.totalTime = 100.0;
  int32_t v = 0;
  for (int32_t* x :
       {&cy.all.frags, &cy.all.kills, &cy.all.deaths, &cy.all.suicides, &cy.all.teamWins,
        &ctf.flagCaptures, &ctf.flagReturns, &ctf.flagKills, &ctf.flagAssists,
        &dom.controlPointCaptures, &cy.all.headShots, &cy.all.firstBlood, &cy.all.dKills,
        &cy.all.muKills, &cy.all.uKills, &cy.all.moKills}) {
    *x = ++v;
  }
  Records r;
  r.updateCareerRecords(cy);
  EXPECT_EQ(trace.str(), "");
  const auto is = [](int32_t score, int32_t games, double time) {
    return bytesOf(CareerRecord(9, "Cy", true, score, games, time));
  };
  const std::vector<std::pair<const CareerRecord*, std::string>> cases = {
      {&r.cMostFrags, is(1, 10, 1000.0)},  {&r.cMostSuicides, is(4, 10, 1000.0)},
      {&r.cMostWins, is(5, 6, 700.0)},     {&r.cMostFCaptures, is(6, 3, 200.0)},
      {&r.cMostFReturns, is(7, 3, 200.0)}, {&r.cMostFKills, is(8, 3, 200.0)},
      {&r.cMostFAssists, is(9, 3, 200.0)}, {&r.cMostCPCs, is(10, 2, 100.0)},
      {&r.cMostHS, is(11, 10, 1000.0)},    {&r.cMostFB, is(12, 10, 1000.0)},
      {&r.cMostDK, is(13, 10, 1000.0)},    {&r.cMostMuK, is(14, 10, 1000.0)},
      {&r.cMostUK, is(15, 10, 1000.0)},    {&r.cMostMoK, is(16, 10, 1000.0)}};
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(bytesOf(*cases[i].first), cases[i].second) << i;

  // A player who never played Tournament DeathMatch: his whole career counts for the wins; a
  // tie after him changes nothing.
  Player ann = named("Ann", 2);
  ann.all.uses = 3;
  ann.all.totalTime = 50.0;
  ann.all.teamWins = 6;
  r.updateCareerRecords(ann);
  EXPECT_EQ(bytesOf(r.cMostWins), bytesOf(CareerRecord(2, "Ann", false, 6, 3, 50.0)));
  cy.all.teamWins = 6;
  r.updateCareerRecords(cy);
  EXPECT_EQ(r.cMostWins.name, "Ann");
}

TEST_F(ZlnRecordsTest, MatchHighsNameTheCareerNumberAndNeedMore) {
  PlayerIndex index;
  index.put(HashEntry("Ann", false, 7));
  index.put(HashEntry("Bob", false, 3));
  Player ann = named("Ann");
  ann.all.totalTime = 30.0;
  ann.all.controlPointCaptures = 2;
  ann.all.flagCaptures = 1;
  ann.all.flagReturns = 4;
  Player bob = named("Bob");
  bob.all.totalTime = 40.0;
  bob.all.controlPointCaptures = 2;
  bob.all.flagReturns = 4;

  Records r;
  r.updateGameRecords(*match(1, {ann, bob}), index);
  const std::string annFirst = bytesOf(GameRecord(7, "Ann", false, 2, "m1", "D1", 30.0));
  EXPECT_EQ(bytesOf(r.gMostCPCs), annFirst);
  EXPECT_EQ(bytesOf(r.gMostFCaptures), bytesOf(GameRecord(7, "Ann", false, 1, "m1", "D1", 30.0)));
  EXPECT_EQ(r.gMostFReturns.name, "Ann");
  r.updateGameRecords(*match(2, {bob}), index);
  EXPECT_EQ(bytesOf(r.gMostCPCs), annFirst);
  bob.all.controlPointCaptures = 3;
  r.updateGameRecords(*match(3, {bob}), index);
  EXPECT_EQ(bytesOf(r.gMostCPCs), bytesOf(GameRecord(3, "Bob", false, 3, "m3", "D3", 40.0)));
  EXPECT_EQ(trace.str(), "");

  // A player missing from the index fails each update that would name him.
  Player cy = named("Cy");
  cy.all.controlPointCaptures = 9;
  r.updateGameRecords(*match(4, {cy}), index);
  EXPECT_EQ(trace.str(), "Error in Records.ugHighs: NullPointerException\n");
  EXPECT_EQ(r.gMostCPCs.name, "Bob");
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN
