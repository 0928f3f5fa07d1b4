#include "games/HighScoresCore.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "games/brk/HighScores.h"

namespace orvane::games {
namespace {

using brk::HighScores;
using List = HighScores::List;

// Players numbered 0, 1, ... with these kills, deaths and suicides (and frags).
std::vector<brk::Player> players(const std::vector<std::vector<int32_t>>& kds) {
  std::vector<brk::Player> p(kds.size());
  for (size_t i = 0; i < p.size(); ++i) {
    p[i].uid = static_cast<int32_t>(i);
    p[i].all.kills = p[i].all.frags = kds[i][0];
    p[i].all.deaths = kds[i][1];
    p[i].all.suicides = kds[i][2];
  }
  return p;
}

// Every category lists all players sharing its extreme value; the start values let counters
// at their 32-bit limits in, and a count per weapon, cause, spree or power-up needs at least 1.
// Efficiency is 0 without a kill, also for a count wrapped below 1; a sum wrapped below 0 (kills,
// deaths and suicides) makes it negative. The damage ratio is the damage given where nothing was
// received.
TEST(HighScoresCore, ExtremesWithTiesAndCountersAtTheirLimits) {
  std::vector<brk::Player> p =
      players({{3, 1, 0}, {0, 0, 0}, {3, 1, INT32_MIN}, {INT32_MIN, 1, 0}});
  p[2].all.flagReturns = p[0].all.itemGets[23] = INT32_MAX;
  p[1].all.myKills[8] = p[1].all.itemGets[23] = 2;
  p[0].sprees[1].uses = p[1].sprees[1].uses = 1;
  p[2].pickups[0].kills = 4;
  p[0].all.dGiven = 100;  // 100.0
  p[1].all.dGiven = 200;  // 100.0
  p[1].all.dReceived = 2;
  const HighScores hs(p);
  std::string lists;
  for (const List* l :
       {&hs.MostFrags, &hs.LeastFrags, &hs.LeastDeaths, &hs.LeastSuicides, &hs.MostSuicides,
        &hs.MostFR, &hs.MostCPCs, &hs.HighEff, &hs.LowEff, &hs.KillsHoldingWeapon[8],
        &hs.KillsHoldingWeapon[1], &hs.Sprees[1], &hs.Sprees[0], &hs.Pickups[0], &hs.DRatio}) {
    for (const int32_t uid : *l) lists += std::to_string(uid);
    lists += " ";
  }
  EXPECT_EQ(lists, "02 3 1 2 013 2 0123 0 2 1  01  2 01 ");
  EXPECT_EQ(hs.ItemsByType[23], INT32_MIN + 1);
}

}  // namespace
}  // namespace orvane::games
