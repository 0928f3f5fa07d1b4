#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <limits>
#include <vector>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Wrap.h"

namespace orvane::games {

// The best and worst values of one match: for every category, the player numbers of all
// players that share the extreme value, in ascending player number. Both games find the same
// categories the same way; Derived is the game's class and adds its own whole-match counters
// (extraCounters) and computed values (extraValues), each category with its list and start
// value. Built once by the match after ranking and totals.
template <class Derived, class Specs, class Player>
class HighScoresCore {
 public:
  using List = std::vector<int32_t>;
  using Stats = decltype(Player::all);

  List MostFrags;
  List MostKills;
  List LeastDeaths;
  List LeastSuicides;
  List HighEff;
  List MostCPCs;
  List MostFC;
  List MostFR;
  List MostFD;
  List MostFP;
  List LeastFrags;
  List LeastKills;
  List MostDeaths;
  List MostSuicides;
  List LowEff;
  std::array<List, Specs::kWeapons> KillsHoldingWeapon;
  std::array<List, Specs::kWeapons> DeathsByWeapon;
  std::array<List, Specs::kWeapons> DeathsHoldingWeapon;
  std::array<List, Specs::kSuicides> Suicides;
  std::array<List, Specs::kWeapons> WeaponSuicides;
  std::array<List, Specs::kSprees> Sprees;
  std::array<List, Specs::kPickups> Pickups;
  std::array<int32_t, Specs::kItems> ItemsByType{};

  // p holds the match's players in player-number order.
  void compute(const std::vector<Player>& p) {
    util::Debug::print("I HighScores.compute", 1);
    try {
      computeAll(p);
    } catch (const std::exception& e) {
      util::Debug::report("Error in HighScores.compute: ", e);
    }
    util::Debug::print("O HighScores.compute", 1);
  }

 protected:
  static constexpr int32_t kHigh = -1000000;
  static constexpr int32_t kLow = 1000000;

  // A whole-match counter of the "all" block.
  struct Counter {
    List Derived::*list;
    int32_t Stats::*field;
    int32_t start;
    bool highest;
  };
  // A value computed from the "all" block.
  struct Value {
    List Derived::*list;
    double (*value)(const Stats&);
    double start;
    bool highest;
  };

  HighScoresCore() = default;

  // The constructor's work, run by Derived once all its lists exist.
  void run(const std::vector<Player>& p) {
    util::Debug::print("I HighScores", 1);
    try {
      compute(p);
    } catch (const std::exception& e) {
      util::Debug::report("Error in HighScores: ", e);
    }
    util::Debug::print("O HighScores", 1);
  }

  // Percentage of kills among kills, deaths and suicides; 0.0 without a kill. The counters are
  // summed as wrapping 32-bit numbers, and a sum that wraps to 0 gives an infinite efficiency.
  static double efficiency(const Stats& a) {
    if (a.kills < 1) return 0.0;
    const int32_t den = util::add32(util::add32(a.kills, a.deaths), a.suicides);
    if (den == 0) return std::numeric_limits<double>::infinity();
    return 100.0 * a.kills / den;
  }

 private:
  // The players sharing the extreme value seen so far: a better value starts the list anew, an
  // equal one joins it. The start value decides who can enter at all.
  template <class T>
  struct Extreme {
    T best;
    bool highest;

    void offer(List& list, T value, int32_t uid) {
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

    template <class Get>
    void offer(std::array<List, N>& lists, int32_t uid, Get get) {
      for (size_t i = 0; i < N; ++i) e[i].offer(lists[i], get(i), uid);
    }
  };

  Derived& self() { return static_cast<Derived&>(*this); }

  void computeAll(const std::vector<Player>& p) {
    std::vector<Counter> counters = {
        {&Derived::MostFrags, &Stats::frags, kHigh, true},
        {&Derived::MostKills, &Stats::kills, kHigh, true},
        {&Derived::LeastDeaths, &Stats::deaths, kLow, false},
        {&Derived::LeastSuicides, &Stats::suicides, kLow, false},
        {&Derived::MostCPCs, &Stats::controlPointCaptures, kHigh, true},
        {&Derived::MostFC, &Stats::flagCaptures, kHigh, true},
        {&Derived::MostFR, &Stats::flagReturns, kHigh, true},
        {&Derived::MostFD, &Stats::flagDrops, kHigh, true},
        {&Derived::MostFP, &Stats::flagPickups, kHigh, true},
        {&Derived::LeastFrags, &Stats::frags, kLow, false},
        {&Derived::LeastKills, &Stats::kills, kLow, false},
        {&Derived::MostDeaths, &Stats::deaths, kHigh, true},
        {&Derived::MostSuicides, &Stats::suicides, kHigh, true},
    };
    for (const Counter& c : Derived::extraCounters()) counters.push_back(c);
    std::vector<Value> values = {{&Derived::HighEff, &efficiency, -1.0, true},
                                 {&Derived::LowEff, &efficiency, 101.0, false}};
    for (const Value& v : Derived::extraValues()) values.push_back(v);

    std::vector<Extreme<int32_t>> counterBest;
    for (const Counter& c : counters) counterBest.push_back({c.start, c.highest});
    std::vector<Extreme<double>> valueBest;
    for (const Value& v : values) valueBest.push_back({v.start, v.highest});
    PerEntry<Specs::kWeapons> killsHolding;
    PerEntry<Specs::kWeapons> deathsBy;
    PerEntry<Specs::kWeapons> deathsHolding;
    PerEntry<Specs::kSuicides> causes;
    PerEntry<Specs::kWeapons> weaponSuicides;
    PerEntry<Specs::kSprees> sprees;
    PerEntry<Specs::kPickups> pickups;

    Derived& d = self();
    for (const Player& pl : p) {
      const Stats& a = pl.all;
      const int32_t uid = pl.uid;
      for (size_t c = 0; c < counters.size(); ++c) {
        counterBest[c].offer(d.*counters[c].list, a.*counters[c].field, uid);
      }
      for (size_t v = 0; v < values.size(); ++v) {
        valueBest[v].offer(d.*values[v].list, values[v].value(a), uid);
      }
      killsHolding.offer(KillsHoldingWeapon, uid, [&](size_t w) { return a.myKills[w]; });
      deathsBy.offer(DeathsByWeapon, uid, [&](size_t w) { return a.myDeathsOppW[w]; });
      deathsHolding.offer(DeathsHoldingWeapon, uid, [&](size_t w) { return a.myDeaths[w]; });
      causes.offer(Suicides, uid, [&](size_t c) { return a.mySuicides[c]; });
      weaponSuicides.offer(WeaponSuicides, uid, [&](size_t w) { return a.myWSuicides[w]; });
      sprees.offer(Sprees, uid, [&](size_t s) { return pl.sprees[s].uses; });
      pickups.offer(Pickups, uid, [&](size_t u) { return pl.pickups[u].kills; });
      for (size_t i = 0; i < Specs::kItems; ++i) util::addTo(ItemsByType[i], a.itemGets[i]);
    }
  }
};

}  // namespace orvane::games
