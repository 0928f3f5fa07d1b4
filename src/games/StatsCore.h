#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "util/Wrap.h"

namespace orvane::games {

// Positions come from the name tables or the player list; a bad one is a failure, never a
// write outside the array.
template <class A>
int32_t& checkedAt(A& a, int32_t i) {
  if (i < 0 || static_cast<size_t>(i) >= a.size()) {
    throw std::out_of_range("index " + std::to_string(i) + " of " + std::to_string(a.size()));
  }
  return a[static_cast<size_t>(i)];
}

// Adds every element of from to the same element of to, wrapping like the counters do.
template <class A>
void addEach(A& to, const A& from) {
  for (size_t i = 0; i < to.size(); ++i) util::addTo(to[i], from[i]);
}

// Adds each source counter to its target counter.
inline void addCounts(std::initializer_list<std::pair<int32_t*, int32_t>> counts) {
  for (auto [to, from] : counts) util::addTo(*to, from);
}

// What the statistics blocks of both games count alike: kills, deaths and suicides with their
// weapons and causes, items, pings, the per-opponent lists, and the match results. Derived is
// the game's block, which adds its own counters and decides how a spell's clock ends
// (endSpell) and what a team death is called (kTeamDeath).
template <class Derived, class Specs>
class StatsCore {
 public:
  using PerWeapon = std::array<int32_t, Specs::kWeapons>;
  using PerCause = std::array<int32_t, Specs::kSuicides>;
  using PerItem = std::array<int32_t, Specs::kItems>;

  bool isAll() const { return desc == "all"; }

  void gotItem(int32_t iType) {
    util::addTo(checkedAt(itemGets, iType), 1);
    util::addTo(items, 1);
  }

  // type is a cause; a negative type books the suicide to the weapon wType instead.
  void suicided(int32_t type, int32_t wType, double time) {
    util::addTo(suicides, 1);
    util::subFrom(frags, 1);
    if (type < 0) {
      util::addTo(checkedAt(myWSuicides, wType), 1);
      util::subFrom(checkedAt(myFrags, wType), 1);
    } else {
      util::addTo(checkedAt(mySuicides, type), 1);
    }
    self().endSpell("Suicide", time);
  }

  void teamKiller(int32_t, int32_t, int32_t victim) {
    util::subFrom(frags, 1);
    util::addTo(tkills, 1);
    countAt(playerKills, victim);
  }

  void teamVictim(int32_t, int32_t, int32_t, double time) {
    util::addTo(tdeaths, 1);
    self().endSpell(Derived::kTeamDeath, time);
  }

  void victim(int32_t kWeapon, int32_t vWeapon, int32_t killer, double time) {
    util::addTo(deaths, 1);
    util::addTo(checkedAt(myDeaths, vWeapon), 1);
    util::addTo(checkedAt(myDeathsOppW, kWeapon), 1);
    countAt(playerDeaths, killer);
    self().endSpell("Killed", time);
  }

  void addPing(int32_t ping) {
    util::addTo(pingTime, ping);
    util::addTo(pingNum, 1);
  }

  std::string desc;
  std::string reasonStopped;
  double startTime;
  double stopTime = 0.0;
  double totalTime = 0.0;
  int32_t frags = 0;
  int32_t kills = 0;
  int32_t deaths = 0;
  int32_t tkills = 0;
  int32_t tdeaths = 0;
  int32_t suicides = 0;
  int32_t items = 0;
  int32_t pingTime = 0;
  int32_t pingNum = 0;
  PerWeapon myFrags{};
  PerWeapon myFragsOppW{};
  PerWeapon myKills{};
  PerWeapon myKillsOppW{};
  PerWeapon myDeaths{};
  PerWeapon myDeathsOppW{};
  PerWeapon myWSuicides{};
  PerCause mySuicides{};
  PerItem itemGets{};
  // Per opponent, by the opponent's player number; absent after a merge.
  std::optional<std::vector<int32_t>> playerKills;
  std::optional<std::vector<int32_t>> playerDeaths;
  int32_t uses = 0;
  int32_t teamWins = 0;
  int32_t teamLosses = 0;
  int32_t flagCaptures = 0;
  int32_t flagDrops = 0;
  int32_t flagPickups = 0;
  int32_t flagReturns = 0;
  int32_t controlPointCaptures = 0;
  int32_t headShots = 0;
  int32_t dKills = 0;
  int32_t muKills = 0;
  int32_t uKills = 0;
  int32_t moKills = 0;
  int32_t firstBlood = 0;

 protected:
  StatsCore(std::string d, double start) : desc(std::move(d)), startTime(start) {
    playerKills.emplace();
    playerDeaths.emplace();
  }

  // The counting of a kill, before the game's own additions.
  void countKill(int32_t kWeapon, int32_t vWeapon, int32_t victim) {
    util::addTo(frags, 1);
    util::addTo(kills, 1);
    util::addTo(checkedAt(myFrags, kWeapon), 1);
    util::addTo(checkedAt(myKills, kWeapon), 1);
    util::addTo(checkedAt(myFragsOppW, vWeapon), 1);
    util::addTo(checkedAt(myKillsOppW, vWeapon), 1);
    countAt(playerKills, victim);
  }

  // The merge both games share: one more use, the time, every counter and array; the clock
  // and the per-opponent lists of a merged block mean nothing and are dropped.
  void mergeCore(const StatsCore& p) {
    util::addTo(uses, 1);
    totalTime += p.totalTime;
    addCounts({{&frags, p.frags},
               {&kills, p.kills},
               {&deaths, p.deaths},
               {&tkills, p.tkills},
               {&tdeaths, p.tdeaths},
               {&suicides, p.suicides},
               {&items, p.items},
               {&pingTime, p.pingTime},
               {&pingNum, p.pingNum},
               {&teamWins, p.teamWins},
               {&teamLosses, p.teamLosses},
               {&flagCaptures, p.flagCaptures},
               {&flagDrops, p.flagDrops},
               {&flagPickups, p.flagPickups},
               {&flagReturns, p.flagReturns},
               {&controlPointCaptures, p.controlPointCaptures}});
    addEach(myFrags, p.myFrags);
    addEach(myFragsOppW, p.myFragsOppW);
    addEach(myKills, p.myKills);
    addEach(myKillsOppW, p.myKillsOppW);
    addEach(myDeaths, p.myDeaths);
    addEach(myDeathsOppW, p.myDeathsOppW);
    addEach(myWSuicides, p.myWSuicides);
    addEach(mySuicides, p.mySuicides);
    addEach(itemGets, p.itemGets);
    startTime = 0.0;
    stopTime = 0.0;
    playerKills.reset();
    playerDeaths.reset();
  }

 private:
  Derived& self() { return static_cast<Derived&>(*this); }

  // Adds 1 at position i of a per-opponent list, first growing it with zeros.
  static void countAt(std::optional<std::vector<int32_t>>& list, int32_t i) {
    if (i < 0) throw std::out_of_range("player " + std::to_string(i));
    if (!list) list.emplace();
    if (list->size() <= static_cast<size_t>(i)) list->resize(static_cast<size_t>(i) + 1, 0);
    util::addTo((*list)[static_cast<size_t>(i)], 1);
  }
};

}  // namespace orvane::games
