#include "games/zln/Player.h"

#include "util/Wrap.h"

namespace orvane::games::zln {

using util::addTo;

Player::Player(double time) { started(time); }

void Player::fTaken() { addTo(all.flagTakens, 1); }
void Player::fPickedup() { addTo(all.flagPickups, 1); }
void Player::fReturned() { addTo(all.flagReturns, 1); }
void Player::fDropped() { addTo(all.flagDrops, 1); }
void Player::fCaptured() { addTo(all.flagCaptures, 1); }
void Player::trans() { addTo(all.trans, 1); }
void Player::transThrow() { addTo(all.transThrow, 1); }
void Player::transFail() { addTo(all.transFail, 1); }

void Player::headShot(bool bot) {
  addTo(all.headShots, 1);
  addTo((bot ? vsBots : vsHumans).headShots, 1);
}

}  // namespace orvane::games::zln
