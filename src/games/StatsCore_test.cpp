#include "games/StatsCore.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <vector>

#include "games/brk/PStats.h"

namespace orvane::games {
namespace {

// The counting both games share, seen through a Brakk block: weapon 9 is the Rocket Launcher,
// cause 7 the lava; there are 14 weapons, 11 causes and 40 items.
constexpr int32_t kRocket = 9;
constexpr int32_t kLava = 7;

using Ints = std::vector<int32_t>;

// Counters wrap at 32 bits; a position outside its table is refused before anything counts.
TEST(StatsCore, SuicidesByCauseOrWeaponAndHostileNumbers) {
  brk::PStats s("all");
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
  EXPECT_EQ(s.itemGets, brk::PStats::PerItem{});
}

}  // namespace
}  // namespace orvane::games
