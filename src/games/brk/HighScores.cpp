#include "games/brk/HighScores.h"

#include <exception>
#include <iterator>
#include <limits>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Wrap.h"

namespace orvane::games::brk {

using util::Debug;

namespace {

// The players sharing the extreme value seen so far: a better value starts the list anew, an
// equal one joins it. The start value decides who can enter at all.
template <class T>
struct Extreme {
  T best;
  bool highest;

  void offer(HighScores::List& list, T value, int32_t uid) {
    if (highest ? value > best : value < best) {
      best = value;
      list.assign(1, uid);
    } else if (value == best) {
      list.push_back(uid);
    }
  }
};

// Per-weapon, per-cause, per-spree and per-power-up categories: only a count of at least 1
// enters, so an entry nobody reached stays empty.
template <size_t N>
struct PerEntry {
  std::array<Extreme<int32_t>, N> e;

  PerEntry() { e.fill({1, true}); }

  template <class Value>
  void offer(std::array<HighScores::List, N>& lists, int32_t uid, Value value) {
    for (size_t i = 0; i < N; ++i) e[i].offer(lists[i], value(i), uid);
  }
};

// A whole-match counter of the "all" block.
struct Counter {
  HighScores::List HighScores::*list;
  int32_t PStats::*field;
  int32_t start;
  bool highest;
};

constexpr int32_t kHigh = -1000000;
constexpr int32_t kLow = 1000000;

const Counter kCounters[] = {
    {&HighScores::MostFrags, &PStats::frags, kHigh, true},
    {&HighScores::MostKills, &PStats::kills, kHigh, true},
    {&HighScores::LeastDeaths, &PStats::deaths, kLow, false},
    {&HighScores::LeastSuicides, &PStats::suicides, kLow, false},
    {&HighScores::MostCPCs, &PStats::controlPointCaptures, kHigh, true},
    {&HighScores::MostFC, &PStats::flagCaptures, kHigh, true},
    {&HighScores::MostFR, &PStats::flagReturns, kHigh, true},
    {&HighScores::MostFD, &PStats::flagDrops, kHigh, true},
    {&HighScores::MostFP, &PStats::flagPickups, kHigh, true},
    {&HighScores::LeastFrags, &PStats::frags, kLow, false},
    {&HighScores::LeastKills, &PStats::kills, kLow, false},
    {&HighScores::MostDeaths, &PStats::deaths, kHigh, true},
    {&HighScores::MostSuicides, &PStats::suicides, kHigh, true},
    {&HighScores::DGiven, &PStats::dGiven, -1, true},
    {&HighScores::DReceived, &PStats::dReceived, -1, true},
};

// Percentage of kills among kills, deaths and suicides; 0.0 without a kill. The counters are
// summed as wrapping 32-bit numbers, and a sum that wraps to 0 gives an infinite efficiency.
double efficiency(const PStats& a) {
  if (a.kills < 1) return 0.0;
  const int32_t den = util::add32(util::add32(a.kills, a.deaths), a.suicides);
  if (den == 0) return std::numeric_limits<double>::infinity();
  return 100.0 * a.kills / den;
}

// Damage given per damage received; the damage given itself when nothing was received.
double damageRatio(const PStats& a) {
  if (a.dReceived == 0) return a.dGiven;
  return static_cast<double>(a.dGiven) / a.dReceived;
}

}  // namespace

HighScores::HighScores(const std::vector<Player>& p) {
  Debug::print("I HighScores", 1);
  try {
    compute(p);
  } catch (const std::exception& e) {
    Debug::print("Error in HighScores: " + util::failureText(e), 0);
  }
  Debug::print("O HighScores", 1);
}

void HighScores::compute(const std::vector<Player>& p) {
  Debug::print("I HighScores.compute", 1);
  try {
    std::array<Extreme<int32_t>, std::size(kCounters)> counters;
    for (size_t c = 0; c < counters.size(); ++c) {
      counters[c] = {kCounters[c].start, kCounters[c].highest};
    }
    Extreme<double> highEff{-1.0, true};
    Extreme<double> lowEff{101.0, false};
    Extreme<double> dRatio{-1.0, true};
    PerEntry<Specs::kWeapons> killsHolding;
    PerEntry<Specs::kWeapons> deathsBy;
    PerEntry<Specs::kWeapons> deathsHolding;
    PerEntry<Specs::kSuicides> causes;
    PerEntry<Specs::kWeapons> weaponSuicides;
    PerEntry<Specs::kSprees> sprees;
    PerEntry<Specs::kPickups> pickups;

    for (const Player& pl : p) {
      const PStats& a = pl.all;
      const int32_t uid = pl.uid;
      for (size_t c = 0; c < counters.size(); ++c) {
        counters[c].offer(this->*kCounters[c].list, a.*kCounters[c].field, uid);
      }
      const double eff = efficiency(a);
      highEff.offer(HighEff, eff, uid);
      lowEff.offer(LowEff, eff, uid);
      dRatio.offer(DRatio, damageRatio(a), uid);
      killsHolding.offer(KillsHoldingWeapon, uid, [&](size_t w) { return a.myKills[w]; });
      deathsBy.offer(DeathsByWeapon, uid, [&](size_t w) { return a.myDeathsOppW[w]; });
      deathsHolding.offer(DeathsHoldingWeapon, uid, [&](size_t w) { return a.myDeaths[w]; });
      causes.offer(Suicides, uid, [&](size_t c) { return a.mySuicides[c]; });
      weaponSuicides.offer(WeaponSuicides, uid, [&](size_t w) { return a.myWSuicides[w]; });
      sprees.offer(Sprees, uid, [&](size_t s) { return pl.sprees[s].uses; });
      pickups.offer(Pickups, uid, [&](size_t u) { return pl.pickups[u].kills; });
      for (size_t i = 0; i < Specs::kItems; ++i) util::addTo(ItemsByType[i], a.itemGets[i]);
    }
  } catch (const std::exception& e) {
    Debug::print("Error in HighScores.compute: " + util::failureText(e), 0);
  }
  Debug::print("O HighScores.compute", 1);
}

}  // namespace orvane::games::brk
