#include "programs/ScorexBRK/PlayerDB.h"

#include <array>
#include <cstdint>
#include <exception>

#include "games/brk/Specs.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::ScorexBRK {

using games::brk::PStats;
using games::brk::Specs;
using util::Debug;

namespace {

// The ints of a block in file order: those between totalTime and the weapons, and those of a
// weapon.
template <class S>
auto headCounters(S& s) {
  return std::array{&s.kills, &s.deaths,   &s.tkills,     &s.tdeaths,  &s.suicides,
                    &s.hits,  &s.shots,    &s.items,      &s.pingTime, &s.pingNum,
                    &s.uses,  &s.teamWins, &s.teamLosses, &s.dGiven,   &s.dReceived};
}
template <class S>
auto weaponCounters(S& s, size_t w) {
  return std::array{&s.myKills[w],      &s.myKillsOppW[w], &s.myDeaths[w],
                    &s.myDeathsOppW[w], &s.myWSuicides[w], &s.myHits[w],
                    &s.myShots[w],      &s.myDGiven[w],    &s.myDReceived[w]};
}

}  // namespace

void PlayerDB::pstatsToBytes(const PStats& s, util::BigEndianWriter& dos) {
  try {
    dos.writeDouble(s.totalTime);
    for (const int32_t* v : headCounters(s)) dos.writeInt(*v);
    for (size_t w = 0; w < Specs::kWeapons; ++w) {
      for (const int32_t* v : weaponCounters(s, w)) dos.writeInt(*v);
    }
    for (const int32_t v : s.mySuicides) dos.writeInt(v);
    for (const int32_t v : s.itemGets) dos.writeInt(v);
  } catch (const std::exception& e) {
    Debug::report("Error PlayerDB.pstatsToBytes: ", e);
  }
}

void PlayerDB::bytesToPStats(PStats& s, util::BigEndianReader& dis) {
  try {
    s.totalTime = dis.readDouble();
    for (int32_t* v : headCounters(s)) *v = dis.readInt();
    for (size_t w = 0; w < Specs::kWeapons; ++w) {
      for (int32_t* v : weaponCounters(s, w)) *v = dis.readInt();
    }
    for (int32_t& v : s.mySuicides) v = dis.readInt();
    for (int32_t& v : s.itemGets) v = dis.readInt();
    restoreFrags(s);
  } catch (const std::exception& e) {
    Debug::report("Error PlayerDB.bytesToPStats: ", e);
  }
}

}  // namespace orvane::programs::ScorexBRK
