#include "games/zln/PStats.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane::games::zln {
namespace {

using Ints = std::vector<int32_t>;

// Kill-chain counters of a block: double, multi, ultra, monster, then the chain's level.
Ints chain(const PStats& s) { return {s.dKills, s.muKills, s.uKills, s.moKills, s.killLevel}; }

// Kills at most 3 s apart form one chain, counted once at its longest.
TEST(ZlnPStats, KillChainsCountOnceAtTheirLongest) {
  PStats a("all");
  a.killer(1, 1, 0, 1.0);
  a.killer(1, 1, 0, 2.5);
  EXPECT_EQ(chain(a), (Ints{1, 0, 0, 0, 2}));
  a.killer(1, 1, 0, 6.0);  // 3.5 s later: a new chain
  EXPECT_EQ(chain(a), (Ints{1, 0, 0, 0, 1}));
  PStats b("all");
  for (double t : {10.0, 13.0, 16.0, 19.0}) b.killer(1, 1, 0, t);
  EXPECT_EQ(chain(b), (Ints{0, 0, 1, 0, 4}));
  for (double t : {20.0, 21.0, 22.0}) b.killer(1, 1, 0, t);  // the chain stays at its top
  EXPECT_EQ(chain(b), (Ints{0, 0, 0, 1, 5}));
}

}  // namespace
}  // namespace orvane::games::zln
