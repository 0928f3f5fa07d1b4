#pragma once

#include "games/zln/Game.h"
#include "games/zln/Specs.h"
#include "programs/Scorex/career/CareerRecord.h"
#include "programs/Scorex/career/GameRecord.h"
#include "programs/Scorex/career/RecordsCore.h"
#include "programs/ScorexZLN/HashEntry.h"
#include "util/BigEndian.h"

namespace orvane::programs::ScorexZLN {

using Scorex::career::CareerRecord;
using Scorex::career::GameRecord;

// The all-time records of Zolnar: the shared records (overall, per weapon, per cause), the
// flag and control point records, the most wins outside Tournament DeathMatch and the career
// counts of head shots, first blood and kill chains. Owned by the career totals and saved
// inside the records file.
//
// Block bytes: the shared records, then GameRecord gMostFCaptures, gMostFReturns, gMostCPCs,
// CareerRecord cMostFCaptures, cMostFReturns, cMostCPCs, cMostWins, cMostFAssists,
// cMostFKills, cMostHS, cMostFB, cMostDK, cMostMuK, cMostUK, cMostMoK (193 records).
class Records final
    : public Scorex::career::RecordsCore<Records, games::zln::Game, games::zln::Specs, HashEntry> {
 public:
  Records() = default;
  // Reads the block; reading stops at the first damaged record (reported by the record).
  explicit Records(util::BigEndianReader& in) : RecordsCore(Reading{}) { readDB(in); }

  CareerRecord cMostFCaptures;
  CareerRecord cMostFReturns;
  CareerRecord cMostCPCs;
  CareerRecord cMostWins;
  GameRecord gMostFCaptures;
  GameRecord gMostFReturns;
  GameRecord gMostCPCs;
  CareerRecord cMostFAssists;
  CareerRecord cMostFKills;
  CareerRecord cMostHS;
  CareerRecord cMostFB;
  CareerRecord cMostDK;
  CareerRecord cMostMuK;
  CareerRecord cMostUK;
  CareerRecord cMostMoK;

 private:
  friend RecordsCore;

  void careerHighs(const Player& p);
  void matchHighs(const Player& p);
  template <class Recs, class Visit>
  static void forEachOwn(Recs& r, const Visit& visit) {
    const auto all = [&](auto&... rs) { return (visit(rs) && ...); };
    all(r.gMostFCaptures, r.gMostFReturns, r.gMostCPCs, r.cMostFCaptures, r.cMostFReturns,
        r.cMostCPCs, r.cMostWins, r.cMostFAssists, r.cMostFKills, r.cMostHS, r.cMostFB, r.cMostDK,
        r.cMostMuK, r.cMostUK, r.cMostMoK);
  }
};

}  // namespace orvane::programs::ScorexZLN
