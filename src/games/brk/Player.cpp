#include "games/brk/Player.h"

#include "util/Wrap.h"

namespace orvane::games::brk {

using util::addTo;

Player::Player(double) {}

void Player::summarize() {
  int32_t hitSum = 0;
  int32_t shotSum = 0;
  for (size_t w = 0; w < Specs::kWeapons; ++w) {
    addTo(hitSum, all.myHits[w]);
    addTo(shotSum, all.myShots[w]);
  }
  addTo(all.hits, hitSum);
  addTo(all.shots, shotSum);
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

}  // namespace orvane::games::brk
