#include "programs/ScorexBRK/Records.h"

namespace orvane::programs::ScorexBRK {

void Records::careerHighs(const Player& p) {
  for (size_t t = 0; t < Specs::kGames; ++t) {
    offer(cMostWins[t], p.games[t].teamWins, careerRecord(p, p.games[t]));
    offer(cMostLosses[t], p.games[t].teamLosses, careerRecord(p, p.games[t]));
  }
}

}  // namespace orvane::programs::ScorexBRK
