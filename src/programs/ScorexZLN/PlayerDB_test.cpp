#include "programs/ScorexZLN/PlayerDB.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <vector>

#include "TempDir.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexZLN {
namespace {

using games::zln::Player;
using games::zln::PStats;
using testing::slurp;
using util::Debug;

// Each test sees the trace of its own store operations only.
class ZlnPlayerDBTest : public ::testing::Test {
 protected:
  ZlnPlayerDBTest() {
    Debug::reset();
    Debug::setStream(&trace);
  }
  ~ZlnPlayerDBTest() override { Debug::reset(); }
  std::ostringstream trace;
};

// A player record of zeros but for the given ints at their offsets.
std::string recordWith(const std::vector<std::pair<size_t, int32_t>>& ints) {
  std::string record(6028, '\0');
  for (const auto& [offset, v] : ints) {
    util::BigEndianWriter w;
    w.writeInt(v);
    record.replace(offset, 4, w.bytes());
  }
  return record;
}

// Every counter of a block that the store keeps, the flag counts last.
std::vector<int32_t*> counters(PStats& s) {
  std::vector<int32_t*> v{
      &s.kills,     &s.deaths,     &s.tkills,   &s.tdeaths,  &s.suicides,   &s.items,
      &s.pingTime,  &s.pingNum,    &s.uses,     &s.teamWins, &s.teamLosses, &s.controlPointCaptures,
      &s.headShots, &s.dKills,     &s.muKills,  &s.uKills,   &s.moKills,    &s.firstBlood,
      &s.trans,     &s.transThrow, &s.transFail};
  for (auto* a : {&s.myKills, &s.myKillsOppW, &s.myDeaths, &s.myDeathsOppW, &s.myWSuicides}) {
    for (int32_t& x : *a) v.push_back(&x);
  }
  for (int32_t& x : s.mySuicides) v.push_back(&x);
  for (int32_t& x : s.itemGets) v.push_back(&x);
  for (int32_t* x : {&s.flagCaptures, &s.flagDrops, &s.flagPickups, &s.flagReturns, &s.flagAssists,
                     &s.flagKills, &s.flagTakens}) {
    v.push_back(x);
  }
  return v;
}

std::vector<PStats*> blocks(Player& p) {
  std::vector<PStats*> b{&p.all, &p.vsHumans, &p.vsBots};
  for (PStats& s : p.games) b.push_back(&s);
  return b;
}

TEST_F(ZlnPlayerDBTest, FieldsLandAtTheirOffsets) {
  Player p;
  p.all.totalTime = 1.5;
  p.all.kills = 0x01020304;
  p.all.transFail = 11;
  p.all.myKills[0] = 12;
  p.all.myWSuicides[18] = 13;
  p.all.mySuicides[8] = 14;
  p.all.itemGets[31] = 15;
  p.all.flagCaptures = 16;
  p.all.flagTakens = 17;
  p.vsHumans.controlPointCaptures = 18;
  p.vsBots.flagKills = -2;
  p.games[0].itemGets[31] = 19;
  p.games[1].flagTakens = 20;
  p.games[2].uses = 21;
  p.games[5].firstBlood = 22;
  p.pickups[0].totalTime = 2.0;
  p.pickups[2].suicides = 23;
  p.sprees[0].uses = 24;
  p.sprees[4].suicides = 25;
  // Not stored.
  p.uid = 12;
  p.all.frags = 99;
  p.all.score = 3.5;
  p.all.killLevel = 4;
  p.games[0].flagCaptures = 5;
  p.games[5].flagTakens = 6;
  p.sprees[1].frags = 7;

  const std::string expected = recordWith({{0, 0x3ff80000},
                                           {8, 0x01020304},
                                           {88, 11},
                                           {92, 12},
                                           {468, 13},
                                           {504, 14},
                                           {632, 15},
                                           {636, 16},
                                           {660, 17},
                                           {716, 18},
                                           {1984, -2},
                                           {2624, 19},
                                           {3288, 20},
                                           {3332, 21},
                                           {5276, 22},
                                           {5836, 0x40000000},
                                           {5904, 23},
                                           {5916, 24},
                                           {6024, 25}});
  EXPECT_EQ(PlayerDB::playerToBytes(p), expected);
  EXPECT_EQ(trace.str(), "");
}

TEST_F(ZlnPlayerDBTest, RecordsReadBackWithFragsAndTheFlagScoreRestored) {
  Player p;
  int32_t v = 1;
  for (PStats* s : blocks(p)) {
    s->totalTime = v++ / 4.0;
    for (int32_t* f : counters(*s)) *f = v++;
    s->score = -1.0;
  }
  for (PStats* s : {&p.pickups[0], &p.pickups[2], &p.sprees[0], &p.sprees[4]}) {
    s->totalTime = -v++;
    for (int32_t* f : {&s->uses, &s->kills, &s->deaths, &s->suicides}) *f = v++;
  }
  p.all.kills = 10;
  p.all.suicides = 2;
  p.all.tkills = 1;
  p.all.flagCaptures = 3;
  p.all.flagKills = 4;
  p.all.myKills[3] = 20;
  p.all.myWSuicides[3] = 4;
  p.all.myKillsOppW[3] = 11;
  // 7 x 2^30 captures and nothing else: the score wraps like the counters.
  for (int32_t* f : counters(p.vsBots)) *f = 0;
  p.vsBots.flagCaptures = 1 << 30;

  const std::string bytes = PlayerDB::playerToBytes(p).value();
  std::optional<Player> q = PlayerDB::bytesToPlayer(bytes);
  ASSERT_TRUE(q.has_value());
  EXPECT_EQ(PlayerDB::playerToBytes(*q), bytes);
  const std::vector<PStats*> wrote = blocks(p);
  const std::vector<PStats*> read = blocks(*q);
  for (size_t b = 0; b < wrote.size(); ++b) {
    SCOPED_TRACE(b);
    const bool tail = b < 3 || b == 4;  // all, vsHumans, vsBots and Capture the Flag
    const std::vector<int32_t*> w = counters(*wrote[b]);
    const std::vector<int32_t*> r = counters(*read[b]);
    for (size_t i = 0; i < w.size(); ++i) EXPECT_EQ(*r[i], tail || i + 7 < w.size() ? *w[i] : 0);
    EXPECT_EQ(read[b]->totalTime, wrote[b]->totalTime);
    const PStats& s = *read[b];
    EXPECT_EQ(s.frags, s.kills - s.suicides - s.tkills);
    if (b != 2) {
      EXPECT_EQ(s.score, tail ? 7.0 * s.flagCaptures + 5.0 * s.flagKills + s.frags : 0.0);
    }
  }
  EXPECT_EQ(q->all.frags, 7);
  EXPECT_EQ(q->all.score, 48.0);
  EXPECT_EQ(q->vsBots.score, -1073741824.0);
  EXPECT_EQ(q->all.myFrags[3], 16);
  EXPECT_EQ(q->all.myFragsOppW[3], 11);
  for (const size_t k : {0, 2}) {
    EXPECT_EQ(q->pickups[k].totalTime, p.pickups[k].totalTime);
    EXPECT_EQ(q->pickups[k].suicides, p.pickups[k].suicides);
  }
  EXPECT_EQ(q->sprees[4].uses, p.sprees[4].uses);
  EXPECT_EQ(q->sprees[4].suicides, p.sprees[4].suicides);
  EXPECT_EQ(trace.str(), "");
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN
