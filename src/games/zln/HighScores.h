#pragma once

#include <vector>

#include "games/HighScoresCore.h"
#include "games/zln/Player.h"
#include "games/zln/Specs.h"

namespace orvane::games::zln {

// The best and worst values of one Zolnar match; besides the common categories, the most flag
// carrier kills, flag assists and head shots.
class HighScores final : public games::HighScoresCore<HighScores, Specs, Player> {
 public:
  // p holds the match's players in player-number order.
  explicit HighScores(const std::vector<Player>& p) { run(p); }

  List MostFK;
  List MostFA;
  List MostHS;

 private:
  friend class games::HighScoresCore<HighScores, Specs, Player>;
  static std::vector<Counter> extraCounters() {
    return {{&HighScores::MostFK, &PStats::flagKills, kHigh, true},
            {&HighScores::MostFA, &PStats::flagAssists, kHigh, true},
            {&HighScores::MostHS, &PStats::headShots, kHigh, true}};
  }
  static std::vector<Value> extraValues() { return {}; }
};

}  // namespace orvane::games::zln
