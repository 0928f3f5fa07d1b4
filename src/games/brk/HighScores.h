#pragma once

#include <vector>

#include "games/HighScoresCore.h"
#include "games/brk/Player.h"
#include "games/brk/Specs.h"

namespace orvane::games::brk {

// The best and worst values of one Brakk match; besides the common categories, the damage
// given and received and their ratio.
class HighScores final : public games::HighScoresCore<HighScores, Specs, Player> {
 public:
  // p holds the match's players in player-number order.
  explicit HighScores(const std::vector<Player>& p) { run(p); }

  List DGiven;
  List DReceived;
  List DRatio;

 private:
  friend class games::HighScoresCore<HighScores, Specs, Player>;
  static std::vector<Counter> extraCounters();
  static std::vector<Value> extraValues();
};

}  // namespace orvane::games::brk
