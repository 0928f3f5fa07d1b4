#include "programs/ScorexZLN/Records.h"

#include "util/Wrap.h"

namespace orvane::programs::ScorexZLN {

namespace {

const auto& gameStats(const Records::Player& p, const char* type) {
  return p.games.at(static_cast<size_t>(Records::Specs::loc(Records::Specs::games, type)));
}

}  // namespace

void Records::careerHighs(const Player& p) {
  const auto& dm = gameStats(p, "Tournament DeathMatch");
  const auto& ctf = gameStats(p, "Capture the Flag");
  const auto& dom = gameStats(p, "Domination");
  // The wins record carries the matches and seconds played outside Tournament DeathMatch.
  offer(cMostWins, p.all.teamWins,
        careerRecord(p, util::sub32(p.all.uses, dm.uses), p.all.totalTime - dm.totalTime));
  const auto inCTF = careerRecord(p, ctf);
  offer(cMostFCaptures, ctf.flagCaptures, inCTF);
  offer(cMostFReturns, ctf.flagReturns, inCTF);
  offer(cMostFKills, ctf.flagKills, inCTF);
  offer(cMostFAssists, ctf.flagAssists, inCTF);
  offer(cMostCPCs, dom.controlPointCaptures, careerRecord(p, dom));
  const auto overall = careerRecord(p, p.all);
  offer(cMostHS, p.all.headShots, overall);
  offer(cMostFB, p.all.firstBlood, overall);
  offer(cMostDK, p.all.dKills, overall);
  offer(cMostMuK, p.all.muKills, overall);
  offer(cMostUK, p.all.uKills, overall);
  offer(cMostMoK, p.all.moKills, overall);
}

void Records::matchHighs(const Player& p) {
  const auto make = matchRecord(p);
  offer(gMostFCaptures, p.all.flagCaptures, make);
  offer(gMostFReturns, p.all.flagReturns, make);
  offer(gMostCPCs, p.all.controlPointCaptures, make);
}

}  // namespace orvane::programs::ScorexZLN
