#include "programs/ScorexBRK/PlayerDB.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "TempDir.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexBRK {
namespace {

using games::brk::Player;
using games::brk::PStats;
using testing::slurp;
using util::Debug;

class PlayerDBTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  testing::TempDir t;
  std::string path = t.file("brk_player.db");
  std::ostringstream trace;
};

void putInt(std::string& b, size_t at, uint32_t v) {
  for (size_t i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (24 - 8 * i));
}

TEST_F(PlayerDBTest, FieldsLandAtTheirOffsets) {
  Player p;
  p.all.totalTime = 1.5;
  p.all.kills = 0x01020304;
  p.all.mySuicides[10] = 7;
  p.all.itemGets[39] = 8;
  p.vsHumans.teamLosses = 10;
  p.vsBots.dReceived = -2;
  p.games[2].myKillsOppW[1] = 5;
  p.games[2].myDReceived[13] = 6;
  p.pickups[6].totalTime = 2.0;
  p.pickups[6].suicides = 9;
  // Not stored.
  p.uid = 12;
  p.all.frags = 99;
  p.all.flagCaptures = 3;
  p.all.headShots = 4;
  p.sprees[1].kills = 5;
  p.pickups[6].frags = 6;

  std::string expected(4824, '\0');
  putInt(expected, 0, 0x3ff80000);
  putInt(expected, 8, 0x01020304);
  putInt(expected, 612, 7);
  putInt(expected, 772, 8);
  putInt(expected, 832, 10);
  putInt(expected, 1616, 0xfffffffe);
  putInt(expected, 3988, 5);
  putInt(expected, 4448, 6);
  putInt(expected, 4800, 0x40000000);
  putInt(expected, 4820, 9);
  EXPECT_EQ(PlayerDB::playerToBytes(p), expected);
}

TEST_F(PlayerDBTest, RecordsReadBackWithTheFragsDerived) {
  Player p;
  int32_t v = 1;
  for (PStats* s : {&p.all, &p.vsHumans, &p.vsBots, &p.games[0], &p.games[1], &p.games[2]}) {
    s->totalTime = v++ / 4.0;
    for (int32_t* f : {&s->kills, &s->deaths, &s->tkills, &s->tdeaths, &s->suicides, &s->hits,
                       &s->shots, &s->items, &s->pingTime, &s->pingNum, &s->uses, &s->teamWins,
                       &s->teamLosses, &s->dGiven, &s->dReceived}) {
      *f = v++;
    }
    for (auto* a : {&s->myKills, &s->myKillsOppW, &s->myDeaths, &s->myDeathsOppW, &s->myWSuicides,
                    &s->myHits, &s->myShots, &s->myDGiven, &s->myDReceived}) {
      for (int32_t& f : *a) f = v++;
    }
    for (int32_t& f : s->mySuicides) f = v++;
    for (int32_t& f : s->itemGets) f = v++;
  }
  for (PStats& s : p.pickups) {
    s.totalTime = -v++;
    for (int32_t* f : {&s.uses, &s.kills, &s.deaths, &s.suicides}) *f = v++;
  }
  p.all.kills = 10;
  p.all.suicides = 2;
  p.all.tkills = 1;
  p.vsBots.kills = INT_MIN;  // the derived frags wrap
  p.all.myKills[3] = 20;
  p.all.myWSuicides[3] = 4;
  p.all.myKillsOppW[3] = 11;
  p.all.flagCaptures = 5;
  p.sprees[2].kills = 6;

  const std::string bytes = PlayerDB::playerToBytes(p).value();
  const std::optional<Player> q = PlayerDB::bytesToPlayer(bytes);
  ASSERT_TRUE(q.has_value());
  EXPECT_EQ(PlayerDB::playerToBytes(*q), bytes);
  EXPECT_EQ(q->all.frags, 7);
  EXPECT_EQ(q->vsBots.frags, INT_MAX - p.vsBots.suicides - p.vsBots.tkills + 1);
  EXPECT_EQ(q->all.myFrags[3], 16);
  EXPECT_EQ(q->all.myFragsOppW[3], 11);
  EXPECT_EQ(q->games[2].itemGets[39], p.games[2].itemGets[39]);
  EXPECT_EQ(q->pickups[6].suicides, p.pickups[6].suicides);
  EXPECT_EQ(q->all.flagCaptures, 0);
  EXPECT_EQ(q->sprees[2].kills, 0);
  EXPECT_EQ(q->uid, -1);
  EXPECT_EQ(trace.str(), "");

  // A record one byte short keeps everything before its last field.
  const std::optional<Player> r = PlayerDB::bytesToPlayer(bytes.substr(0, 4823));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->pickups[6].deaths, p.pickups[6].deaths);
  EXPECT_EQ(r->pickups[6].suicides, 0);
  EXPECT_EQ(trace.str(), "Error PlayerDB.bytesToPickups: EOFException\n");
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK
