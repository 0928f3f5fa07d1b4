#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "games/PlayerCore.h"
#include "games/zln/PStats.h"
#include "games/zln/Specs.h"

namespace orvane::games::zln {

// One participant of a Zolnar match (and, merged, a career record, a team or a match total).
// It owns its statistics blocks and routes each happening of the match to the right ones. A
// player who left has uid -1; his password text may be absent (a connection line without it).
class Player final : public games::PlayerCore<Player, Specs, PStats, std::optional<std::string>> {
 public:
  // Zolnar logs no respawns: a new life starts as soon as the last one ends.
  static constexpr bool kRespawnsAtOnce = true;

  // Starts the whole-match blocks and the first life at time.
  explicit Player(double time = 0.0);

  // A returning player continues on this record from time.
  void playerReconnect(double time) { started(time); }
  void fTaken();
  void fPickedup();
  void fReturned();
  void fDropped();
  void fCaptured();
  void trans();
  void transThrow();
  void transFail();
  // A head shot on a bot or a human.
  void headShot(bool bot);

  int32_t skill = 0;
};

}  // namespace orvane::games::zln
