#include "games/brk/HighScores.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "util/Debug.h"

namespace orvane::games::brk {
namespace {

using util::Debug;
using List = HighScores::List;

class HighScoresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }

  // n fresh players numbered 0 .. n-1.
  static std::vector<Player> players(size_t n) {
    std::vector<Player> p(n);
    for (size_t i = 0; i < n; ++i) p[i].uid = static_cast<int32_t>(i);
    return p;
  }

  std::ostringstream trace;
};

TEST_F(HighScoresTest, TraceFrame) {
  Debug::setLevel(1);
  const HighScores hs(players(1));
  EXPECT_EQ(trace.str(),
            "I HighScores\nI HighScores.compute\nO HighScores.compute\nO HighScores\n");
}

TEST_F(HighScoresTest, AllZeroPlayersShareEveryWholeMatchCategory) {
  const HighScores hs(players(3));
  const List all = {0, 1, 2};
  for (const List* l :
       {&hs.MostFrags, &hs.MostKills, &hs.LeastDeaths, &hs.LeastSuicides, &hs.HighEff, &hs.MostCPCs,
        &hs.MostFC, &hs.MostFR, &hs.MostFD, &hs.MostFP, &hs.LeastFrags, &hs.LeastKills,
        &hs.MostDeaths, &hs.MostSuicides, &hs.LowEff, &hs.DGiven, &hs.DReceived, &hs.DRatio}) {
    EXPECT_EQ(*l, all);
  }
  // Counts per weapon, cause, spree and power-up need at least 1.
  for (size_t w = 0; w < Specs::kWeapons; ++w) {
    EXPECT_TRUE(hs.KillsHoldingWeapon[w].empty() && hs.DeathsByWeapon[w].empty() &&
                hs.DeathsHoldingWeapon[w].empty() && hs.WeaponSuicides[w].empty());
  }
  for (const List& l : hs.Suicides) EXPECT_TRUE(l.empty());
  for (const List& l : hs.Sprees) EXPECT_TRUE(l.empty());
  for (const List& l : hs.Pickups) EXPECT_TRUE(l.empty());
}

TEST_F(HighScoresTest, HighestAndLowestWithTies) {
  std::vector<Player> p = players(3);
  const int32_t frags[] = {10, 10, 7}, deaths[] = {4, 2, 2}, suicides[] = {0, 3, INT32_MIN};
  for (size_t i = 0; i < 3; ++i) {
    p[i].all.frags = frags[i];
    p[i].all.deaths = deaths[i];
    p[i].all.suicides = suicides[i];
  }
  p[1].all.flagCaptures = 2;
  p[2].all.flagReturns = INT32_MAX;
  const HighScores hs(p);
  EXPECT_EQ(hs.MostFrags, (List{0, 1}));
  EXPECT_EQ(hs.LeastFrags, (List{2}));
  EXPECT_EQ(hs.LeastDeaths, (List{1, 2}));
  EXPECT_EQ(hs.MostDeaths, (List{0}));
  EXPECT_EQ(hs.LeastSuicides, (List{2}));
  EXPECT_EQ(hs.MostSuicides, (List{1}));
  EXPECT_EQ(hs.MostFC, (List{1}));
  EXPECT_EQ(hs.MostFR, (List{2}));
}

TEST_F(HighScoresTest, PerWeaponAndCauseReadTheirOwnCounters) {
  const size_t rail = 8, bfg = 1, lava = 7;
  std::vector<Player> p = players(3);
  p[0].all.myKills[rail] = 1;
  p[1].all.myKills[rail] = 2;
  p[0].all.myDeathsOppW[rail] = 1;
  p[2].all.myDeathsOppW[rail] = 1;
  p[2].all.myDeaths[rail] = 5;
  p[1].all.myWSuicides[rail] = 1;
  p[0].all.mySuicides[lava] = 3;
  const HighScores hs(p);
  EXPECT_EQ(hs.KillsHoldingWeapon[rail], (List{1}));
  EXPECT_EQ(hs.DeathsByWeapon[rail], (List{0, 2}));
  EXPECT_EQ(hs.DeathsHoldingWeapon[rail], (List{2}));
  EXPECT_EQ(hs.WeaponSuicides[rail], (List{1}));
  EXPECT_EQ(hs.Suicides[lava], (List{0}));
  EXPECT_TRUE(hs.KillsHoldingWeapon[bfg].empty());
  EXPECT_TRUE(hs.Suicides[rail].empty());
}

TEST_F(HighScoresTest, Efficiency) {
  // Kills / deaths / suicides: 75.0, 0.0 without a kill (even with nothing at all), 25.0, and
  // a wrapped count below 1.
  std::vector<Player> p = players(4);
  const int32_t kills[] = {3, 0, 1, INT32_MIN}, deaths[] = {1, 0, 2, 0}, suicides[] = {0, 0, 1, 0};
  for (size_t i = 0; i < 4; ++i) {
    p[i].all.kills = kills[i];
    p[i].all.deaths = deaths[i];
    p[i].all.suicides = suicides[i];
  }
  HighScores hs(p);
  EXPECT_EQ(hs.HighEff, (List{0}));
  EXPECT_EQ(hs.LowEff, (List{1, 3}));

  p.resize(3);
  EXPECT_EQ(HighScores(p).LowEff, (List{1}));
}

TEST_F(HighScoresTest, DamageRatioIsTheDamageGivenWhenNothingWasReceived) {
  std::vector<Player> p = players(3);
  p[0].all.dGiven = 300;  // 300.0
  p[1].all.dGiven = 600;  // 300.0
  p[1].all.dReceived = 2;
  p[2].all.dGiven = 899;  // 299.7
  p[2].all.dReceived = 3;
  const HighScores hs(p);
  EXPECT_EQ(hs.DRatio, (List{0, 1}));
  EXPECT_EQ(hs.DGiven, (List{2}));
  EXPECT_EQ(hs.DReceived, (List{2}));
}

TEST_F(HighScoresTest, SpreesCountOccurrencesAndPickupsCountKills) {
  std::vector<Player> p = players(3);
  p[0].sprees[1].uses = 1;
  p[1].sprees[1].uses = 1;
  p[0].pickups[0].uses = 5;
  p[0].pickups[0].kills = 3;
  p[2].pickups[0].uses = 1;
  p[2].pickups[0].kills = 4;
  HighScores hs(p);
  EXPECT_EQ(hs.Sprees[1], (List{0, 1}));
  EXPECT_EQ(hs.Pickups[0], (List{2}));

  p[2].sprees[1].uses = 2;
  hs = HighScores(p);
  EXPECT_EQ(hs.Sprees[1], (List{2}));
  EXPECT_TRUE(hs.Sprees[0].empty());
}

TEST_F(HighScoresTest, ItemsByTypeSumsEveryPlayerWithWrapping) {
  const size_t quad = static_cast<size_t>(Specs::iloc("Quad"));
  const size_t slugs = static_cast<size_t>(Specs::iloc("Slugs"));
  std::vector<Player> p = players(2);
  p[1].isABot = true;
  p[0].all.itemGets[quad] = 2;
  p[1].all.itemGets[quad] = 3;
  p[0].all.itemGets[slugs] = INT32_MAX;
  p[1].all.itemGets[slugs] = 2;
  const HighScores hs(p);
  EXPECT_EQ(hs.ItemsByType[quad], 5);
  EXPECT_EQ(hs.ItemsByType[slugs], INT32_MIN + 1);
  EXPECT_EQ(hs.ItemsByType[0], 0);
}

}  // namespace
}  // namespace orvane::games::brk
