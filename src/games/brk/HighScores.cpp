#include "games/brk/HighScores.h"

namespace orvane::games::brk {

namespace {

// Damage given per damage received; the damage given itself when nothing was received.
double damageRatio(const PStats& a) {
  if (a.dReceived == 0) return a.dGiven;
  return static_cast<double>(a.dGiven) / a.dReceived;
}

}  // namespace

std::vector<HighScores::Counter> HighScores::extraCounters() {
  return {{&HighScores::DGiven, &PStats::dGiven, -1, true},
          {&HighScores::DReceived, &PStats::dReceived, -1, true}};
}

std::vector<HighScores::Value> HighScores::extraValues() {
  return {{&HighScores::DRatio, &damageRatio, -1.0, true}};
}

}  // namespace orvane::games::brk
