#include "games/brk/Event.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "games/qmLog.h"

namespace orvane::games::brk {
namespace {

// Runs of ":" separate the pieces of an entry; a weapon entry has two or four numbers.
TEST(Event, AccuracyEntriesGiveHitsShotsAndDamage) {
  const TokenLines l = qmLog::parse(
      "1\tPlayer_Accuracy\t4\trocket:3:10\t::shotgun::5:::20\trail:1:2:30:40:99\td::100:200\n");
  const EPAccuracy a(l[0]);
  EXPECT_EQ(a.weapon, (std::vector<std::string>{"rocket", "shotgun", "rail"}));
  EXPECT_EQ(a.totalHits, (std::vector<int32_t>{3, 5, 1}));
  EXPECT_EQ(a.totalShots, (std::vector<int32_t>{10, 20, 2}));
  EXPECT_EQ(a.totalGiven, (std::vector<int32_t>{0, 0, 30}));
  EXPECT_EQ(a.totalReceived, (std::vector<int32_t>{0, 0, 40}));
  EXPECT_EQ(a.damageGiven, 100);
  EXPECT_EQ(a.damageReceived, 200);
}

}  // namespace
}  // namespace orvane::games::brk
