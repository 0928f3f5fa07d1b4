#include "games/brk/Player.h"

#include <stdexcept>

#include "util/Wrap.h"

namespace orvane::games::brk {

using util::addTo;

namespace {

// The kills of one life that reach each spree level, lowest level first.
constexpr std::array<int32_t, Specs::kSprees> kSpreeKills = {5, 9, 14, 19, 25, 50};

template <size_t N>
std::array<PStats, N> named(const std::array<std::string_view, N>& names) {
  std::array<PStats, N> blocks;
  for (size_t i = 0; i < N; ++i) blocks[i].desc = std::string(names[i]);
  return blocks;
}

}  // namespace

Player::Player(double)
    : sprees(named(Specs::sprees)), pickups(named(Specs::pickups)), games(named(Specs::games)) {}

void Player::started(double time) {
  all.started(time);
  vsHumans.started(time);
  vsBots.started(time);
  preSpree = PStats("preSpree");
  preSpree.started(time);
}

void Player::summarize() {
  for (const PStats& s : itemInfo) {
    for (size_t i = 0; i < Specs::kSprees; ++i) {
      if (s.desc == Specs::sprees[i]) sprees[i].update(s);
    }
    for (size_t i = 0; i < Specs::kPickups; ++i) {
      if (s.desc == Specs::pickups[i]) pickups[i].update(s);
    }
  }
  int32_t hitSum = 0;
  int32_t shotSum = 0;
  for (size_t w = 0; w < Specs::kWeapons; ++w) {
    addTo(hitSum, all.myHits[w]);
    addTo(shotSum, all.myShots[w]);
  }
  addTo(all.hits, hitSum);
  addTo(all.shots, shotSum);
}

void Player::actItem(const std::string& item, double time) {
  PStats holding(item);
  holding.started(time);
  activeItemInfo.push_back(std::move(holding));
}

void Player::deactItem(const std::string& item, double time) {
  for (auto it = activeItemInfo.begin(); it != activeItemInfo.end(); ++it) {
    if (it->desc != item) continue;
    it->stopped("Deactivated", time);
    itemInfo.push_back(std::move(*it));
    activeItemInfo.erase(it);
    return;
  }
  // A power-up that is not running: nothing to end.
}

template <class Ending>
void Player::endLife(Ending ending) {
  for (PStats& holding : activeItemInfo) {
    ending(holding);
    itemInfo.push_back(std::move(holding));
  }
  if (preSpree.desc != "preSpree") itemInfo.push_back(std::move(preSpree));
  preSpree = PStats("preSpree");
  activeItemInfo.clear();
}

void Player::teamVictim(int32_t kWeapon, int32_t vWeapon, int32_t killer, double time,
                        bool isABot) {
  all.teamVictim(kWeapon, vWeapon, killer, time);
  (isABot ? vsBots : vsHumans).teamVictim(kWeapon, vWeapon, killer, time);
  // A team kill ends the victim's life and holdings as a death.
  preSpree.victim(kWeapon, vWeapon, killer, time);
  endLife([&](PStats& s) { s.victim(kWeapon, vWeapon, killer, time); });
}

void Player::victim(int32_t kWeapon, int32_t vWeapon, int32_t killer, double time, bool isABot) {
  all.victim(kWeapon, vWeapon, killer, time);
  (isABot ? vsBots : vsHumans).victim(kWeapon, vWeapon, killer, time);
  preSpree.victim(kWeapon, vWeapon, killer, time);
  endLife([&](PStats& s) { s.victim(kWeapon, vWeapon, killer, time); });
}

void Player::fReturned() { addTo(all.flagReturns, 1); }

void Player::fDropped() {
  addTo(all.flagDrops, 1);
  addTo(all.flagPickups, 1);
}

void Player::fCaptured() {
  addTo(all.flagCaptures, 1);
  addTo(all.flagPickups, 1);
}

void Player::cpCapture(int32_t cp) {
  if (cp < 0) throw std::out_of_range("control point " + std::to_string(cp));
  addTo(all.controlPointCaptures, 1);
  if (cpc.size() <= static_cast<size_t>(cp)) cpc.resize(static_cast<size_t>(cp) + 1, 0);
  addTo(cpc[static_cast<size_t>(cp)], 1);
}

void Player::suicided(int32_t type, int32_t wType, double time) {
  all.suicided(type, wType, time);
  vsHumans.suicided(type, wType, time);
  vsBots.suicided(type, wType, time);
  preSpree.suicided(type, wType, time);
  endLife([&](PStats& s) { s.suicided(type, wType, time); });
}

void Player::killer(int32_t kWeapon, int32_t vWeapon, int32_t victim, bool isABot) {
  all.killer(kWeapon, vWeapon, victim);
  (isABot ? vsBots : vsHumans).killer(kWeapon, vWeapon, victim);
  preSpree.killer(kWeapon, vWeapon, victim);
  for (size_t level = Specs::kSprees; level-- > 0;) {
    if (preSpree.kills >= kSpreeKills[level]) {
      preSpree.desc = std::string(Specs::sprees[level]);
      break;
    }
  }
  for (PStats& holding : activeItemInfo) holding.killer(kWeapon, vWeapon, victim);
}

void Player::teamKiller(int32_t kWeapon, int32_t vWeapon, int32_t victim, bool isABot) {
  all.teamKiller(kWeapon, vWeapon, victim);
  (isABot ? vsBots : vsHumans).teamKiller(kWeapon, vWeapon, victim);
}

void Player::gotItem(int32_t iType) {
  all.gotItem(iType);
  vsHumans.gotItem(iType);
  vsBots.gotItem(iType);
  preSpree.gotItem(iType);
  for (PStats& holding : activeItemInfo) holding.gotItem(iType);
}

void Player::addPing(int32_t ping) {
  all.addPing(ping);
  vsHumans.addPing(ping);
  vsBots.addPing(ping);
}

void Player::playerDisconnect(double time) {
  all.stopped("Disconnected", time);
  vsHumans.stopped("Disconnected", time);
  vsBots.stopped("Disconnected", time);
  preSpree.stopped("Disconnected", time);
  endLife([&](PStats& s) { s.stopped("Disconnected", time); });
}

void Player::gameEnd(double time) {
  all.stopped("GameEnd", time);
  preSpree.stopped("GameEnd", time);
  endLife([&](PStats& s) { s.stopped("GameEnd", time); });
}

void Player::update(const Player& p) {
  all.update(p.all);
  vsHumans.update(p.vsHumans);
  vsBots.update(p.vsBots);
  // For sprees and power-ups, uses counts occurrences, not merges.
  for (size_t i = 0; i < Specs::kSprees; ++i) {
    const int32_t u = util::add32(sprees[i].uses, p.sprees[i].uses);
    sprees[i].update(p.sprees[i]);
    sprees[i].uses = u;
  }
  for (size_t i = 0; i < Specs::kPickups; ++i) {
    const int32_t u = util::add32(pickups[i].uses, p.pickups[i].uses);
    pickups[i].update(p.pickups[i]);
    pickups[i].uses = u;
  }
  modified = true;
}

}  // namespace orvane::games::brk
