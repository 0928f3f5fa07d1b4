#include "games/brk/PStats.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <vector>

namespace orvane::games::brk {
namespace {

constexpr int32_t kRail = 8;
constexpr int32_t kRocket = 9;
constexpr int32_t kLava = 7;

using Ints = std::vector<int32_t>;

// Counters wrap at 32 bits; a position outside its table is refused before anything counts.
TEST(PStats, SuicidesByCauseOrWeaponAndHostileNumbers) {
  PStats s("all");
  s.suicided(kLava, 0, 5);     // a cause: counted by cause only
  s.suicided(-1, kRocket, 6);  // a weapon: counted by weapon, and its frags drop
  EXPECT_EQ(
      (Ints{s.suicides, s.frags, s.mySuicides[kLava], s.myWSuicides[kRocket], s.myFrags[kRocket]}),
      (Ints{2, -2, 1, 1, -1}));
  s.frags = INT32_MIN;
  s.suicided(kLava, 0, 1);
  EXPECT_EQ(s.frags, INT32_MAX);
  s.addPing(INT32_MAX);
  s.addPing(2);
  EXPECT_EQ(s.pingTime, INT32_MIN + 1);
  EXPECT_THROW(s.gotItem(40), std::out_of_range);
  EXPECT_THROW(s.gotItem(-1), std::out_of_range);
  EXPECT_THROW(s.killer(14, 0, 0), std::out_of_range);
  EXPECT_THROW(s.victim(0, -1, 0, 1), std::out_of_range);
  EXPECT_THROW(s.suicided(11, 0, 1), std::out_of_range);
  EXPECT_THROW(s.suicided(-1, 14, 1), std::out_of_range);
  EXPECT_EQ(s.itemGets, PStats::PerItem{});
}

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

}  // namespace
}  // namespace orvane::games::brk
