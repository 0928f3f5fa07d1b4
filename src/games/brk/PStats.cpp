#include "games/brk/PStats.h"

#include <stdexcept>

#include "util/Wrap.h"

namespace orvane::games::brk {

using util::addTo;
using util::subFrom;

namespace {

// Positions come from the name tables or the player list; a bad one is a failure, never a
// write outside the array.
template <class A>
int32_t& at(A& a, int32_t i) {
  if (i < 0 || static_cast<size_t>(i) >= a.size()) {
    throw std::out_of_range("index " + std::to_string(i) + " of " + std::to_string(a.size()));
  }
  return a[static_cast<size_t>(i)];
}

// Adds 1 at position i of a per-opponent list, first growing it with zeros.
void countAt(std::optional<std::vector<int32_t>>& list, int32_t i) {
  if (i < 0) throw std::out_of_range("player " + std::to_string(i));
  if (!list) list.emplace();
  if (list->size() <= static_cast<size_t>(i)) list->resize(static_cast<size_t>(i) + 1, 0);
  addTo((*list)[static_cast<size_t>(i)], 1);
}

template <class A>
void addAll(A& to, const A& from) {
  for (size_t i = 0; i < to.size(); ++i) addTo(to[i], from[i]);
}

}  // namespace

PStats::PStats(std::string desc) : desc(std::move(desc)) {
  playerKills.emplace();
  playerDeaths.emplace();
}

void PStats::gotItem(int32_t iType) {
  addTo(at(itemGets, iType), 1);
  addTo(items, 1);
}

void PStats::suicided(int32_t type, int32_t wType, double time) {
  addTo(suicides, 1);
  subFrom(frags, 1);
  if (type < 0) {
    addTo(at(myWSuicides, wType), 1);
    subFrom(at(myFrags, wType), 1);
  } else {
    addTo(at(mySuicides, type), 1);
  }
  endSpell("Suicide", time);
}

void PStats::teamKiller(int32_t, int32_t, int32_t victim) {
  subFrom(frags, 1);
  addTo(tkills, 1);
  countAt(playerKills, victim);
}

void PStats::killer(int32_t kWeapon, int32_t vWeapon, int32_t victim) {
  addTo(frags, 1);
  addTo(kills, 1);
  addTo(at(myFrags, kWeapon), 1);
  addTo(at(myKills, kWeapon), 1);
  addTo(at(myFragsOppW, vWeapon), 1);
  addTo(at(myKillsOppW, vWeapon), 1);
  countAt(playerKills, victim);
}

void PStats::teamVictim(int32_t, int32_t, int32_t, double time) {
  addTo(tdeaths, 1);
  endSpell("Fratricided", time);
}

void PStats::victim(int32_t kWeapon, int32_t vWeapon, int32_t killer, double time) {
  addTo(deaths, 1);
  addTo(at(myDeaths, vWeapon), 1);
  addTo(at(myDeathsOppW, kWeapon), 1);
  countAt(playerDeaths, killer);
  endSpell("Killed", time);
}

void PStats::endSpell(const char* reason, double time) {
  const bool running = startTime >= 0;
  if (isAll()) {
    // A death stops the whole-match clock until the next enter or respawn; a clock that is
    // not running adds nothing.
    if (running) {
      totalTime += time - startTime;
      startTime = -1.0;
    }
    return;
  }
  stopTime = time;
  totalTime = running ? stopTime - startTime : 0.0;
  reasonStopped = reason;
}

void PStats::started(double time) { startTime = time; }

void PStats::stopped(const std::string& reason, double time) {
  if (startTime < 0) return;
  reasonStopped = reason;
  stopTime = time;
  if (isAll()) {
    totalTime += stopTime - startTime;
    startTime = -1.0;
  } else {
    totalTime = stopTime - startTime;
  }
}

void PStats::addPing(int32_t ping) {
  addTo(pingTime, ping);
  addTo(pingNum, 1);
}

void PStats::delAccuracy(bool reconnect) {
  if (reconnect) {
    subFrom(dGiven, accGiven);
    subFrom(dReceived, accReceived);
    for (size_t w = 0; w < Specs::kWeapons; ++w) {
      subFrom(myHits[w], accHits[w]);
      subFrom(myShots[w], accShots[w]);
      subFrom(myDGiven[w], accDGiven[w]);
      subFrom(myDReceived[w], accDReceived[w]);
    }
  }
  accGiven = 0;
  accReceived = 0;
  accHits.fill(0);
  accShots.fill(0);
  accDGiven.fill(0);
  accDReceived.fill(0);
}

void PStats::accuracy(const std::vector<std::string>& weap, const std::vector<int32_t>& hit,
                      const std::vector<int32_t>& shot, const std::vector<int32_t>& g,
                      const std::vector<int32_t>& r, int32_t dg, int32_t dr) {
  addTo(dGiven, dg);
  addTo(dReceived, dr);
  accGiven = dg;
  accReceived = dr;
  for (size_t x = 0; x < weap.size(); ++x) {
    const int32_t w = Specs::wloc(weap[x]);
    addTo(at(myHits, w), hit.at(x));
    addTo(at(myShots, w), shot.at(x));
    addTo(at(myDGiven, w), g.at(x));
    addTo(at(myDReceived, w), r.at(x));
    at(accHits, w) = hit.at(x);
    at(accShots, w) = shot.at(x);
    at(accDGiven, w) = g.at(x);
    at(accDReceived, w) = r.at(x);
  }
}

void PStats::update(const PStats& p) {
  addTo(uses, 1);
  totalTime += p.totalTime;
  for (auto [to, from] : {std::pair{&frags, p.frags},
                          {&kills, p.kills},
                          {&deaths, p.deaths},
                          {&tkills, p.tkills},
                          {&tdeaths, p.tdeaths},
                          {&suicides, p.suicides},
                          {&hits, p.hits},
                          {&shots, p.shots},
                          {&items, p.items},
                          {&pingTime, p.pingTime},
                          {&pingNum, p.pingNum}}) {
    addTo(*to, from);
  }
  addAll(myFrags, p.myFrags);
  addAll(myFragsOppW, p.myFragsOppW);
  addAll(myKills, p.myKills);
  addAll(myKillsOppW, p.myKillsOppW);
  addAll(myDeaths, p.myDeaths);
  addAll(myDeathsOppW, p.myDeathsOppW);
  addAll(myWSuicides, p.myWSuicides);
  addAll(myHits, p.myHits);
  addAll(myShots, p.myShots);
  addAll(myDGiven, p.myDGiven);
  addAll(myDReceived, p.myDReceived);
  addAll(mySuicides, p.mySuicides);
  addAll(itemGets, p.itemGets);
  startTime = 0.0;
  stopTime = 0.0;
  playerKills.reset();
  playerDeaths.reset();
  for (auto [to, from] : {std::pair{&teamWins, p.teamWins},
                          {&teamLosses, p.teamLosses},
                          {&flagCaptures, p.flagCaptures},
                          {&flagDrops, p.flagDrops},
                          {&flagPickups, p.flagPickups},
                          {&flagReturns, p.flagReturns},
                          {&controlPointCaptures, p.controlPointCaptures},
                          {&dGiven, p.dGiven},
                          {&dReceived, p.dReceived}}) {
    addTo(*to, from);
  }
}

}  // namespace orvane::games::brk
