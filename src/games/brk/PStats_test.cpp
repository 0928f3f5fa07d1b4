#include "games/brk/PStats.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane::games::brk {
namespace {

constexpr int32_t kRail = 8;

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

}  // namespace
}  // namespace orvane::games::brk
