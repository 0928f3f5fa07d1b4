#include "games/brk/PStats.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "TraceCapture.h"
#include "games/NameTable.h"
#include "games/SpreeLadder.h"
#include "games/brk/HighScores.h"
#include "util/Debug.h"

namespace orvane::games::brk {
namespace {

// The counting both games share (StatsCore, HighScoresCore), seen through Brakk blocks: weapon
// 8 is the Railgun, 9 the Rocket Launcher, cause 7 the lava; there are 14 weapons, 11 causes and
// 40 items.
constexpr int32_t kRail = 8;
constexpr int32_t kRocket = 9;
constexpr int32_t kLava = 7;

using Ints = std::vector<int32_t>;

// A reconnection takes back the last accuracy report, once.
TEST(PStats, AccuracyAndItsTakeBack) {
  PStats s("all");
  s.accuracy({"Railgun", "Shotgun"}, {3, 1}, {10, 5}, {300, 20}, {0, 4}, 320, 50);
  s.accuracy({"Railgun", "Shotgun"}, {2, 1}, {4, 2}, {200, 10}, {7, 0}, 210, 70);
  EXPECT_EQ((Ints{s.myHits[kRail], s.dGiven}), (Ints{5, 530}));
  for (int i = 0; i < 2; ++i) {
    s.delAccuracy(true);
    EXPECT_EQ((Ints{s.myHits[kRail], s.myShots[kRail], s.myDGiven[kRail], s.myDReceived[kRail],
                    s.myShots[10], s.dGiven, s.dReceived}),
              (Ints{3, 10, 300, 0, 5, 320, 50}));
  }
}

// Counters wrap at 32 bits; a position outside its table is refused before anything counts.
TEST(StatsCore, SuicidesByCauseOrWeaponAndHostileNumbers) {
  PStats s("all");
  s.suicided(kLava, 0, 5);     // a cause: counted by cause only
  s.suicided(-1, kRocket, 6);  // a weapon: counted by weapon, and its frags drop
  EXPECT_EQ(
      (Ints{s.suicides, s.frags, s.mySuicides[kLava], s.myWSuicides[kRocket], s.myFrags[kRocket]}),
      (Ints{2, -2, 1, 1, -1}));
  s.frags = INT32_MIN;
  s.suicided(kLava, 0, 1);
  EXPECT_EQ(s.frags, INT32_MAX);
  EXPECT_THROW(s.gotItem(40), std::out_of_range);
  EXPECT_THROW(s.gotItem(-1), std::out_of_range);
  EXPECT_THROW(s.killer(14, 0, 0), std::out_of_range);
  EXPECT_THROW(s.victim(0, -1, 0, 1), std::out_of_range);
  EXPECT_THROW(s.suicided(11, 0, 1), std::out_of_range);
  EXPECT_THROW(s.suicided(-1, 14, 1), std::out_of_range);
  EXPECT_EQ(s.itemGets, PStats::PerItem{});
}

// Every category lists all players sharing its extreme value; the start values let counters
// at their 32-bit limits in, and a count per weapon, cause, spree or power-up needs at least 1.
// Efficiency is 0 without a kill, also for a count wrapped below 1; a sum wrapped below 0 (kills,
// deaths and suicides) makes it negative. The damage ratio is the damage given where nothing was
// received.
TEST(HighScoresCore, ExtremesWithTiesAndCountersAtTheirLimits) {
  // Players numbered 0 to 3 with these kills (and frags), deaths and suicides.
  const int32_t kds[4][3] = {{3, 1, 0}, {0, 0, 0}, {3, 1, INT32_MIN}, {INT32_MIN, 1, 0}};
  std::vector<Player> p(4);
  for (size_t i = 0; i < 4; ++i) {
    p[i].uid = static_cast<int32_t>(i);
    p[i].all.kills = p[i].all.frags = kds[i][0];
    p[i].all.deaths = kds[i][1];
    p[i].all.suicides = kds[i][2];
  }
  p[2].all.flagReturns = p[0].all.itemGets[23] = INT32_MAX;
  p[1].all.myKills[8] = p[1].all.itemGets[23] = 2;
  p[0].sprees[1].uses = p[1].sprees[1].uses = 1;
  p[2].pickups[0].kills = 4;
  p[0].all.dGiven = 100;  // 100.0
  p[1].all.dGiven = 200;  // 100.0
  p[1].all.dReceived = 2;
  const HighScores hs(p);
  std::string lists;
  for (const HighScores::List* l :
       {&hs.MostFrags, &hs.LeastFrags, &hs.LeastDeaths, &hs.LeastSuicides, &hs.MostSuicides,
        &hs.MostFR, &hs.MostCPCs, &hs.HighEff, &hs.LowEff, &hs.KillsHoldingWeapon[8],
        &hs.KillsHoldingWeapon[1], &hs.Sprees[1], &hs.Sprees[0], &hs.Pickups[0], &hs.DRatio}) {
    for (const int32_t uid : *l) lists += std::to_string(uid);
    lists += " ";
  }
  EXPECT_EQ(lists, "02 3 1 2 013 2 0123 0 2 1  01  2 01 ");
  EXPECT_EQ(hs.ItemsByType[23], INT32_MIN + 1);
}

// Both games count weapons, causes, items and game types by their place in a name table: the
// first exact match (letter case counts), or -1; a lookup gives 0 for an unknown name after one
// trace line, so that the match goes on.
TEST(NameTable, ExactNamesAndUnknownOnesAsTheFirst) {
  const std::array<std::string_view, 4> table = {"", "Quad", "Rebreather", "Quad"};
  testing::TraceCapture trace;
  EXPECT_EQ((std::vector<int32_t>{loc(table, "Quad"), loc(table, "quad"), loc(table, ""),
                                  loc(table, "Rebreather"), lookup(table, "Rebreather", "E ", "x"),
                                  lookup(table, "quad", "Error in Specs.ploc: ", "pickup")}),
            (std::vector<int32_t>{1, -1, 0, 2, 2, 0}));
  EXPECT_EQ(trace.str(), "Error in Specs.ploc: $quad$ unknown pickup\n");
}

// A life climbs the spree ladder with its kills; a level the game's table lacks leaves it at
// the highest level below that the table has.
TEST(SpreeLadder, LevelsMissingFromTheTableKeepTheLevelBelow) {
  const std::array<std::string_view, 3> table = {"Killing Spree", "Dominating", "Unstoppable"};
  std::string names;
  for (int32_t kills : {4, 5, 13, 14, 24, 25, 60})
    names += std::string(spreeName(table, kills)) + "|";
  EXPECT_EQ(names, "|Killing Spree|Killing Spree|Dominating|Dominating|Unstoppable|Unstoppable|");
}

}  // namespace
}  // namespace orvane::games::brk
