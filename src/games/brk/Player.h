#pragma once

#include <cstdint>
#include <string>

#include "games/PlayerCore.h"
#include "games/brk/PStats.h"
#include "games/brk/Specs.h"

namespace orvane::games::brk {

// One participant of a match (and, merged, a career record, a team or a match total). It owns
// its statistics blocks and routes each happening of the match to the right ones.
class Player final : public games::PlayerCore<Player, Specs, PStats, std::string> {
 public:
  // A new life waits for the player's next enter or respawn.
  static constexpr bool kRespawnsAtOnce = false;

  // time is the match time of creation, which the record does not keep.
  explicit Player(double time = 0.0);

  // Also sums the accuracy counts of the weapons.
  void summarize();
  void fReturned();
  void fDropped();
  void fCaptured();

  int32_t inGame = 0;
};

}  // namespace orvane::games::brk
