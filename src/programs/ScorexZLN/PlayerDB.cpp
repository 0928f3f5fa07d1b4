#include "programs/ScorexZLN/PlayerDB.h"

#include <array>
#include <cstdint>
#include <exception>

#include "games/zln/Specs.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::ScorexZLN {

using games::zln::PStats;
using games::zln::Specs;
using util::Debug;

namespace {

// The ints of a block in file order: those between totalTime and the weapons, those of a
// weapon, and those of the flag tail.
template <class S>
auto headCounters(S& s) {
  return std::array{
      &s.kills,     &s.deaths,     &s.tkills,   &s.tdeaths,  &s.suicides,   &s.items,
      &s.pingTime,  &s.pingNum,    &s.uses,     &s.teamWins, &s.teamLosses, &s.controlPointCaptures,
      &s.headShots, &s.dKills,     &s.muKills,  &s.uKills,   &s.moKills,    &s.firstBlood,
      &s.trans,     &s.transThrow, &s.transFail};
}
template <class S>
auto weaponCounters(S& s, size_t w) {
  return std::array{&s.myKills[w], &s.myKillsOppW[w], &s.myDeaths[w], &s.myDeathsOppW[w],
                    &s.myWSuicides[w]};
}
template <class S>
auto flagCounters(S& s) {
  return std::array{&s.flagCaptures, &s.flagDrops, &s.flagPickups, &s.flagReturns,
                    &s.flagAssists,  &s.flagKills, &s.flagTakens};
}

}  // namespace

void PlayerDB::pstatsToBytes(const PStats& s, util::BigEndianWriter& dos, bool ctf) {
  try {
    dos.writeDouble(s.totalTime);
    for (const int32_t* v : headCounters(s)) dos.writeInt(*v);
    for (size_t w = 0; w < Specs::kWeapons; ++w) {
      for (const int32_t* v : weaponCounters(s, w)) dos.writeInt(*v);
    }
    for (const int32_t v : s.mySuicides) dos.writeInt(v);
    for (const int32_t v : s.itemGets) dos.writeInt(v);
    if (ctf) {
      for (const int32_t* v : flagCounters(s)) dos.writeInt(*v);
    }
  } catch (const std::exception& e) {
    Debug::report("Error PlayerDB.pstatsToBytes: ", e);
  }
}

void PlayerDB::bytesToPStats(PStats& s, util::BigEndianReader& dis, bool ctf) {
  try {
    s.totalTime = dis.readDouble();
    for (int32_t* v : headCounters(s)) *v = dis.readInt();
    for (size_t w = 0; w < Specs::kWeapons; ++w) {
      for (int32_t* v : weaponCounters(s, w)) *v = dis.readInt();
    }
    for (int32_t& v : s.mySuicides) v = dis.readInt();
    for (int32_t& v : s.itemGets) v = dis.readInt();
    if (ctf) {
      for (int32_t* v : flagCounters(s)) *v = dis.readInt();
    }
    restoreFrags(s);
    if (ctf) {
      // Counted like the counters it comes from: in 32 bits, wrapping.
      s.score = static_cast<int32_t>(7u * static_cast<uint32_t>(s.flagCaptures) +
                                     5u * static_cast<uint32_t>(s.flagKills) +
                                     static_cast<uint32_t>(s.frags));
    }
  } catch (const std::exception& e) {
    Debug::report("Error PlayerDB.bytesToPStats: ", e);
  }
}

}  // namespace orvane::programs::ScorexZLN
