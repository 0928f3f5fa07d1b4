#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "games/Spell.h"
#include "games/SpreeLadder.h"
#include "util/Wrap.h"

namespace orvane::games {

// What the players of both games share: the identity, the statistics blocks a happening of the
// match goes to (the whole match, against humans or bots, the current life, running power-ups),
// and the merge of a match into a career or a total. Derived is the game's player, with Stats
// its statistics block and Secret the type of its password text; it sets kRespawnsAtOnce when
// the game logs no respawns, so that a new life starts as the last one ends.
template <class Derived, class Specs, class Stats, class Secret>
class PlayerCore {
 public:
  // Restarts the clocks of the whole-match blocks and begins a new life.
  void started(double time) {
    all.started(time);
    vsHumans.started(time);
    vsBots.started(time);
    preSpree = Stats("preSpree");
    preSpree.started(time);
  }

  // Completes the player's figures at the match's end (the game's player adds its own).
  void summarize() {}

  void actItem(const std::string& item, double time) {
    Stats holding(item);
    holding.started(time);
    activeItemInfo.push_back(std::move(holding));
  }

  void deactItem(const std::string& item, double time) {
    for (auto it = activeItemInfo.begin(); it != activeItemInfo.end(); ++it) {
      if (it->desc != item) continue;
      it->stopped("Deactivated", time);
      fileSpell(*it);
      activeItemInfo.erase(it);
      return;
    }
    // A power-up that is not running: nothing to end.
  }

  void teamVictim(int32_t kWeapon, int32_t vWeapon, int32_t killer, double time, bool isABot) {
    all.teamVictim(kWeapon, vWeapon, killer, time);
    (isABot ? vsBots : vsHumans).teamVictim(kWeapon, vWeapon, killer, time);
    // A team kill ends the victim's life and holdings as a death.
    preSpree.victim(kWeapon, vWeapon, killer, time);
    endLife([&](Stats& s) { s.victim(kWeapon, vWeapon, killer, time); }, time);
  }

  void victim(int32_t kWeapon, int32_t vWeapon, int32_t killer, double time, bool isABot) {
    all.victim(kWeapon, vWeapon, killer, time);
    (isABot ? vsBots : vsHumans).victim(kWeapon, vWeapon, killer, time);
    preSpree.victim(kWeapon, vWeapon, killer, time);
    endLife([&](Stats& s) { s.victim(kWeapon, vWeapon, killer, time); }, time);
  }

  void cpCapture(int32_t cp) {
    if (cp < 0) throw std::out_of_range("control point " + std::to_string(cp));
    util::addTo(all.controlPointCaptures, 1);
    if (cpc.size() <= static_cast<size_t>(cp)) cpc.resize(static_cast<size_t>(cp) + 1, 0);
    util::addTo(cpc[static_cast<size_t>(cp)], 1);
  }

  void suicided(int32_t type, int32_t wType, double time) {
    all.suicided(type, wType, time);
    vsHumans.suicided(type, wType, time);
    vsBots.suicided(type, wType, time);
    preSpree.suicided(type, wType, time);
    endLife([&](Stats& s) { s.suicided(type, wType, time); }, time);
  }

  // A kill; `when` is what the game's blocks need besides the weapons and the victim.
  template <class... When>
  void killer(int32_t kWeapon, int32_t vWeapon, int32_t victim, bool isABot, When... when) {
    all.killer(kWeapon, vWeapon, victim, when...);
    (isABot ? vsBots : vsHumans).killer(kWeapon, vWeapon, victim, when...);
    preSpree.killer(kWeapon, vWeapon, victim, when...);
    const std::string_view level = spreeName(Specs::sprees, preSpree.kills);
    if (!level.empty()) preSpree.desc = std::string(level);
    for (Stats& holding : activeItemInfo) holding.killer(kWeapon, vWeapon, victim, when...);
  }

  void teamKiller(int32_t kWeapon, int32_t vWeapon, int32_t victim, bool isABot) {
    all.teamKiller(kWeapon, vWeapon, victim);
    (isABot ? vsBots : vsHumans).teamKiller(kWeapon, vWeapon, victim);
  }

  void gotItem(int32_t iType) {
    all.gotItem(iType);
    vsHumans.gotItem(iType);
    vsBots.gotItem(iType);
    preSpree.gotItem(iType);
    for (Stats& holding : activeItemInfo) holding.gotItem(iType);
  }

  void addPing(int32_t ping) {
    all.addPing(ping);
    vsHumans.addPing(ping);
    vsBots.addPing(ping);
  }

  void playerDisconnect(double time) {
    all.stopped("Disconnected", time);
    vsHumans.stopped("Disconnected", time);
    vsBots.stopped("Disconnected", time);
    preSpree.stopped("Disconnected", time);
    endLife([&](Stats& s) { s.stopped("Disconnected", time); }, time);
  }

  void gameEnd(double time) {
    all.stopped("GameEnd", time);
    preSpree.stopped("GameEnd", time);
    endLife([&](Stats& s) { s.stopped("GameEnd", time); }, time);
  }

  // Merges a match player (or another total) into this record.
  void update(const Derived& p) {
    all.update(p.all);
    vsHumans.update(p.vsHumans);
    vsBots.update(p.vsBots);
    // For sprees and power-ups, uses counts occurrences, not merges.
    mergeCounted(sprees, p.sprees);
    mergeCounted(pickups, p.pickups);
    modified = true;
  }

  std::string name;
  Secret secret{};
  bool isABot = false;
  int32_t uid = -1;
  int32_t rank = 0;
  bool modified = false;
  std::vector<Spell> itemInfo;        // finished spells: sprees and power-up holdings
  std::vector<Stats> activeItemInfo;  // power-up holdings now running
  Stats preSpree{"preSpree"};
  Stats all{"all"};
  Stats vsHumans{"all"};
  Stats vsBots{"all"};
  std::array<Stats, Specs::kSprees> sprees;
  std::array<Stats, Specs::kPickups> pickups;
  std::array<Stats, Specs::kGames> games;
  int32_t team = -1;
  std::string teamName;
  std::vector<int32_t> cpc;

 protected:
  PlayerCore()
      : sprees(named(Specs::sprees)), pickups(named(Specs::pickups)), games(named(Specs::games)) {}

 private:
  template <size_t N>
  static std::array<Stats, N> named(const std::array<std::string_view, N>& names) {
    std::array<Stats, N> blocks;
    for (size_t i = 0; i < N; ++i) blocks[i].desc = std::string(names[i]);
    return blocks;
  }

  template <size_t N>
  static void mergeCounted(std::array<Stats, N>& to, const std::array<Stats, N>& from) {
    for (size_t i = 0; i < N; ++i) {
      const int32_t u = util::add32(to[i].uses, from[i].uses);
      to[i].update(from[i]);
      to[i].uses = u;
    }
  }

  // Keeps a finished spell's figures for the match pages and adds its block to the spree or
  // power-up totals of its name.
  void fileSpell(const Stats& s) {
    Spell spell{s.desc, s.startTime, s.totalTime, s.kills, s.reasonStopped};
    for (size_t k = 0; k < Specs::kWeapons + Specs::kSuicides && spell.suicideCause < 0; ++k) {
      const int32_t n = k < Specs::kWeapons ? s.myWSuicides[k] : s.mySuicides[k - Specs::kWeapons];
      if (n > 0) spell.suicideCause = static_cast<int32_t>(k);
    }
    if (s.playerDeaths) {
      for (size_t x = 0; x < s.playerDeaths->size() && spell.killer < 0; ++x) {
        if ((*s.playerDeaths)[x] > 0) spell.killer = static_cast<int32_t>(x);
      }
    }
    for (size_t w = 0; w < Specs::kWeapons && spell.killerWeapon < 0; ++w) {
      if (s.myDeathsOppW[w] > 0) spell.killerWeapon = static_cast<int32_t>(w);
    }
    itemInfo.push_back(std::move(spell));
    for (size_t i = 0; i < Specs::kSprees; ++i) {
      if (s.desc == Specs::sprees[i]) sprees[i].update(s);
    }
    for (size_t i = 0; i < Specs::kPickups; ++i) {
      if (s.desc == Specs::pickups[i]) pickups[i].update(s);
    }
  }

  // Ends the current life at time: running holdings get the same ending and, like a life that
  // reached a spree, go to the finished spells; a new life begins.
  template <class Ending>
  void endLife(Ending ending, double time) {
    for (Stats& holding : activeItemInfo) {
      ending(holding);
      fileSpell(holding);
    }
    if (preSpree.desc != "preSpree") fileSpell(preSpree);
    preSpree = Stats("preSpree");
    if constexpr (Derived::kRespawnsAtOnce) preSpree.started(time);
    activeItemInfo.clear();
  }
};

}  // namespace orvane::games
