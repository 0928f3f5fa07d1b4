#include "games/brk/Player.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "games/brk/PStats.h"

namespace orvane::games::brk {
namespace {

constexpr int32_t kRail = 8;
constexpr int32_t kRocket = 9;
constexpr int32_t kLava = 7;
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

using Ints = std::vector<int32_t>;

// A finished spell in one line: desc, why and when it stopped, its length, kills, deaths.
std::string spell(const PStats& s) {
  std::ostringstream o;
  o << s.desc << '/' << s.reasonStopped << '/' << s.stopTime << '/' << s.totalTime << '/' << s.kills
    << '/' << s.deaths;
  return o.str();
}

TEST(Player, SpreeLevelsAndTheSpreeBlock) {
  Player p;
  p.started(10);
  for (int i = 1; i <= 9; ++i) {
    p.killer(kRail, 2, 1, false);
    EXPECT_EQ(p.preSpree.desc, i < 5 ? "preSpree" : i < 9 ? "Killing Spree" : "Rampage") << i;
  }
  p.victim(kRocket, 2, 1, 40, false);
  ASSERT_EQ(p.itemInfo.size(), 1u);  // the life, once, under its highest level
  EXPECT_EQ(spell(p.itemInfo[0]), "Rampage/Killed/40/30/9/1");
  EXPECT_EQ(spell(p.preSpree), "preSpree//0/0/0/0");
  EXPECT_EQ(p.preSpree.startTime, -1.0);
  p.summarize();
  EXPECT_EQ(p.sprees[1].uses, 1);
  EXPECT_EQ(p.sprees[1].kills, 9);
  EXPECT_EQ(p.sprees[0].uses, 0);
}

TEST(Player, PowerUpHoldings) {
  Player p;
  p.started(0);
  p.deactItem("Quad", 1);  // nothing running
  p.actItem("Quad", 10);
  p.deactItem("Invulnerability", 12);  // not running: nothing
  EXPECT_EQ(p.activeItemInfo.size(), 1u);
  p.killer(kRail, kRail, 1, true);
  p.killer(kRail, kRail, 1, true);
  p.gotItem(16);
  p.victim(kRocket, kRail, 1, 25, true);  // the holding ends with the life
  EXPECT_TRUE(p.activeItemInfo.empty());
  p.actItem("Quad", 30);
  p.deactItem("Quad", 34);
  ASSERT_EQ(p.itemInfo.size(), 2u);
  EXPECT_EQ(spell(p.itemInfo[0]), "Quad/Killed/25/15/2/1");
  EXPECT_EQ(p.itemInfo[0].items, 1);
  EXPECT_EQ(spell(p.itemInfo[1]), "Quad/Deactivated/34/4/0/0");
  p.summarize();
  EXPECT_EQ(spell(p.pickups[0]), "Quad//0/19/2/1");
  EXPECT_EQ(p.pickups[0].uses, 2);
}

TEST(Player, KillsTeamKillsAndSuicides) {
  PStats s("all");
  s.suicided(kLava, 0, 5);     // a cause: counted by cause only
  s.suicided(-1, kRocket, 6);  // a weapon: counted by weapon, and its frags drop
  EXPECT_EQ((Ints{s.suicides, s.frags, s.mySuicides[kLava]}), (Ints{2, -2, 1}));
  PStats::PerWeapon byWeapon{};
  byWeapon[kRocket] = 1;
  EXPECT_EQ(s.myWSuicides, byWeapon);
  byWeapon[kRocket] = -1;
  EXPECT_EQ(s.myFrags, byWeapon);

  Player k;
  k.started(0);
  k.teamKiller(kRail, kRail, 2, false);  // frags, tkills, kills; by humans, by bots; the life
  EXPECT_EQ((Ints{k.all.frags, k.all.tkills, k.all.kills, k.vsHumans.tkills, k.vsBots.tkills,
                  k.preSpree.frags}),
            (Ints{-1, 1, 0, 1, 0, 0}));
  EXPECT_EQ(*k.all.playerKills, (Ints{0, 0, 1}));

  Player v;
  v.started(0);
  v.actItem("Quad", 1);
  v.teamVictim(kRail, kRail, 0, 5, true);
  EXPECT_EQ((Ints{v.all.tdeaths, v.all.deaths, v.vsBots.tdeaths}), (Ints{1, 0, 1}));
  ASSERT_EQ(v.itemInfo.size(), 1u);
  EXPECT_EQ(spell(v.itemInfo[0]), "Quad/Killed/5/4/0/1");  // ended as a death
}

TEST(PStats, Clocks) {
  PStats quad("Quad");
  quad.stopped("GameEnd", 5);  // not running: nothing
  EXPECT_EQ(quad.reasonStopped, "");
  EXPECT_EQ(quad.stopTime, 0.0);
  quad.started(10);
  quad.stopped("Deactivated", 20);
  quad.started(30);
  quad.stopped("Deactivated", 35);
  EXPECT_EQ(quad.totalTime, 5.0);  // the last spell only

  PStats all("all");
  all.started(10);
  all.stopped("Disconnected", 25);
  EXPECT_EQ(all.startTime, -1.0);
  all.stopped("GameEnd", 50);
  EXPECT_EQ(all.reasonStopped, "Disconnected");
  EXPECT_EQ(all.stopTime, 25.0);
  all.started(30);
  all.stopped("GameEnd", 40);
  EXPECT_EQ(all.totalTime, 25.0);  // summed
}

// Every kind of death stops the whole-match clock: a player dead at the end gets no more time.
TEST(Player, DeathStopsTheMatchClock) {
  const std::vector<void (*)(Player&, double)> endings = {
      [](Player& p, double t) { p.victim(kRail, kRail, 1, t, false); },
      [](Player& p, double t) { p.teamVictim(kRail, kRail, 1, t, false); },
      [](Player& p, double t) { p.suicided(kLava, 0, t); },
  };
  for (size_t i = 0; i < endings.size(); ++i) {
    Player p;
    p.started(10);
    endings[i](p, 30);
    EXPECT_EQ(p.all.startTime, -1.0) << i;
    EXPECT_EQ(p.vsHumans.startTime, -1.0) << i;
    p.gameEnd(100);
    EXPECT_EQ(p.all.totalTime, 20.0) << i;
    p.started(110);
    p.gameEnd(120);
    EXPECT_EQ(p.all.totalTime, 30.0) << i;
  }
}

// Ending a spell whose clock never ran gives no time at all.
TEST(Player, EndingAStoppedClockAddsNothing) {
  Player p;  // no enter or respawn logged
  for (int i = 0; i < 5; ++i) p.killer(kRail, kRail, 1, false);
  p.victim(kRail, kRail, 1, 50, false);
  ASSERT_EQ(p.itemInfo.size(), 1u);
  EXPECT_EQ(spell(p.itemInfo[0]), "Killing Spree/Killed/50/0/5/1");
  EXPECT_EQ(p.all.totalTime, 0.0);

  PStats all("all");
  all.totalTime = 7;
  all.suicided(kLava, 0, 40);
  all.teamVictim(0, 0, 1, 45);
  EXPECT_EQ(all.totalTime, 7.0);
}

TEST(PStats, HostileNumbersWrapOrThrow) {
  PStats s("all");
  s.frags = kMin;
  s.suicided(kLava, 0, 1);
  EXPECT_EQ(s.frags, kMax);
  s.addPing(kMax);
  s.addPing(2);
  EXPECT_EQ(s.pingTime, kMin + 1);

  EXPECT_THROW(s.gotItem(40), std::out_of_range);
  EXPECT_THROW(s.gotItem(-1), std::out_of_range);
  EXPECT_THROW(s.killer(14, 0, 0), std::out_of_range);
  EXPECT_THROW(s.victim(0, -1, 0, 1), std::out_of_range);
  EXPECT_THROW(s.suicided(11, 0, 1), std::out_of_range);
  EXPECT_THROW(s.suicided(-1, 14, 1), std::out_of_range);
  EXPECT_EQ(s.itemGets, PStats::PerItem{});
}

TEST(PStats, AccuracyAndItsTakeBack) {
  PStats s("all");
  s.accuracy({"Railgun", "Shotgun"}, {3, 1}, {10, 5}, {300, 20}, {0, 4}, 320, 50);
  s.accuracy({"Railgun", "Shotgun"}, {2, 1}, {4, 2}, {200, 10}, {7, 0}, 210, 70);
  EXPECT_EQ(s.myHits[kRail], 5);
  EXPECT_EQ(s.dGiven, 530);
  for (int i = 0; i < 2; ++i) {
    s.delAccuracy(true);  // takes back the second report only, once
    EXPECT_EQ(s.myHits[kRail], 3);
    EXPECT_EQ((Ints{s.myShots[kRail], s.myDGiven[kRail], s.myDReceived[kRail], s.myShots[10]}),
              (Ints{10, 300, 0, 5}));
    EXPECT_EQ((Ints{s.dGiven, s.dReceived}), (Ints{320, 50}));
  }
}

TEST(PStats, MergeAndOpponentLists) {
  PStats p("all");
  p.started(5);
  p.killer(kRail, kRail, 3);  // grows the list with zeros
  p.victim(kRail, kRail, 1, 17);
  EXPECT_EQ(*p.playerKills, (Ints{0, 0, 0, 1}));
  EXPECT_EQ(*p.playerDeaths, (Ints{0, 1}));

  PStats total;
  total.update(p);
  EXPECT_EQ(total.uses, 1);
  EXPECT_EQ(total.startTime, 0.0);
  EXPECT_FALSE(total.playerKills.has_value());
  EXPECT_FALSE(total.playerDeaths.has_value());
  total.update(p);
  EXPECT_EQ(total.uses, 2);
  EXPECT_EQ(total.myKills[kRail], 2);
  EXPECT_EQ(total.totalTime, 24.0);

  // For sprees and power-ups, uses counts occurrences, not merges.
  Player a;
  Player b;
  a.sprees[0].uses = 1;
  b.sprees[0].uses = 2;
  b.pickups[3].uses = 3;
  a.update(b);
  a.update(b);
  EXPECT_EQ(a.all.uses, 2);
  EXPECT_EQ(a.sprees[0].uses, 5);
  EXPECT_EQ(a.sprees[1].uses, 0);
  EXPECT_EQ(a.pickups[3].uses, 6);
  EXPECT_TRUE(a.modified);
}

}  // namespace
}  // namespace orvane::games::brk
