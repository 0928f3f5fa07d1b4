#include "games/zln/Player.h"

#include <gtest/gtest.h>

#include "games/zln/PStats.h"
#include "games/zln/Specs.h"

namespace orvane::games::zln {
namespace {

// Kill-chain counters of a block: double, multi, ultra, monster, then the chain's level.
std::vector<int32_t> chain(const PStats& s) {
  return {s.dKills, s.muKills, s.uKills, s.moKills, s.killLevel};
}

TEST(ZlnPStats, KillChainsCountOnceAtTheirLongest) {
  PStats a("all");
  a.killer(1, 1, 0, 1.0);
  a.killer(1, 1, 0, 2.5);  // 1.5 s later: a double kill
  EXPECT_EQ(chain(a), (std::vector<int32_t>{1, 0, 0, 0, 2}));
  a.killer(1, 1, 0, 6.0);  // 3.5 s later: a new chain
  EXPECT_EQ(chain(a), (std::vector<int32_t>{1, 0, 0, 0, 1}));

  PStats b("all");
  for (double t : {10.0, 13.0, 16.0, 19.0}) b.killer(1, 1, 0, t);  // each within 3.0 s
  EXPECT_EQ(chain(b), (std::vector<int32_t>{0, 0, 1, 0, 4}));
  for (double t : {20.0, 21.0, 22.0}) b.killer(1, 1, 0, t);  // the chain stays at its top
  EXPECT_EQ(chain(b), (std::vector<int32_t>{0, 0, 0, 1, 5}));
  EXPECT_EQ(b.kills, 7);
  EXPECT_EQ(b.frags, 7);
}

TEST(ZlnPlayer, WholeMatchClockRunsThroughDeathsAndLivesRestartAtOnce) {
  Player p(10.0);
  p.victim(1, 1, 1, 30.0, false);
  for (double t : {31.0, 35.0, 39.0, 43.0, 47.0}) p.killer(2, 2, 1, false, t);
  p.suicided(Specs::loc(Specs::suicides, "Fell"), 0, 50.0);
  p.gameEnd(100.0);
  EXPECT_EQ(p.all.totalTime, 90.0);  // 10 to 100: deaths do not stop it
  ASSERT_EQ(p.itemInfo.size(), 1u);
  const PStats& spree = p.itemInfo[0];
  EXPECT_EQ(spree.desc, "Killing Spree");
  EXPECT_EQ(spree.reasonStopped, "Suicide");
  // The life began at the death at 30, not at the start of the match.
  EXPECT_EQ(spree.totalTime, 20.0);
  EXPECT_EQ(p.all.mySuicides[4], 1);
}

TEST(ZlnPlayer, SpreeLevelsMissingFromTheTableKeepTheLevelBelow) {
  const auto levelAfter = [](int kills) {
    Player p(0.0);
    for (int i = 0; i < kills; ++i) p.killer(1, 1, 1, false, 10.0 * i);
    return p.preSpree.desc;
  };
  EXPECT_EQ(levelAfter(4), "preSpree");
  EXPECT_EQ(levelAfter(14), "Dominating");
  EXPECT_EQ(levelAfter(19), "Dominating");  // no "Brutalizing" in this game
  EXPECT_EQ(levelAfter(24), "Dominating");
  EXPECT_EQ(levelAfter(25), "Unstoppable");
  EXPECT_EQ(levelAfter(50), "Godlike");
}

TEST(ZlnPlayer, FlagTranslocatorAndHeadShotCounters) {
  Player p(0.0);
  p.fTaken();
  p.fPickedup();
  p.fDropped();
  p.fDropped();
  p.fCaptured();
  p.fReturned();
  p.trans();
  p.transThrow();
  p.transThrow();
  p.transFail();
  p.headShot(true);
  p.headShot(false);
  p.headShot(true);
  const PStats& a = p.all;
  EXPECT_EQ((std::vector<int32_t>{a.flagTakens, a.flagPickups, a.flagDrops, a.flagCaptures,
                                  a.flagReturns, a.trans, a.transThrow, a.transFail}),
            (std::vector<int32_t>{1, 1, 2, 1, 1, 1, 2, 1}));
  EXPECT_EQ(a.headShots, 3);
  EXPECT_EQ(p.vsBots.headShots, 2);
  EXPECT_EQ(p.vsHumans.headShots, 1);

  // Merging adds the new counters but neither the score nor the chain state.
  Player career;
  p.all.score = 12.0;
  p.all.killLevel = 3;
  career.update(p);
  career.update(p);
  EXPECT_EQ(career.all.transThrow, 4);
  EXPECT_EQ(career.all.headShots, 6);
  EXPECT_EQ(career.all.flagTakens, 2);
  EXPECT_EQ(career.all.score, 0.0);
  EXPECT_EQ(career.all.killLevel, 0);
  EXPECT_EQ(career.all.uses, 2);
}

}  // namespace
}  // namespace orvane::games::zln
