#pragma once

#include <array>

#include "games/brk/Game.h"
#include "games/brk/Specs.h"
#include "programs/Scorex/career/CareerRecord.h"
#include "programs/Scorex/career/GameRecord.h"
#include "programs/Scorex/career/RecordsCore.h"
#include "programs/ScorexBRK/HashEntry.h"
#include "util/BigEndian.h"

namespace orvane::programs::ScorexBRK {

using Scorex::career::CareerRecord;
using Scorex::career::GameRecord;

// The all-time records of Brakk: the shared records (overall, per weapon, per cause) and the
// most matches won and lost per game type. Owned by the career totals and saved inside the
// records file.
//
// Block bytes: the shared records, then per game type t: CareerRecord cMostWins, cMostLosses
// (148 records).
class Records final
    : public Scorex::career::RecordsCore<Records, games::brk::Game, games::brk::Specs, HashEntry> {
 public:
  Records() = default;
  // Reads the block; reading stops at the first damaged record (reported by the record).
  explicit Records(util::BigEndianReader& in) : RecordsCore(Reading{}) { readDB(in); }

  std::array<CareerRecord, Specs::kGames> cMostWins;
  std::array<CareerRecord, Specs::kGames> cMostLosses;

 private:
  friend RecordsCore;

  void careerHighs(const Player& p);
  void matchHighs(const Player&) {}
  template <class Recs, class Visit>
  static void forEachOwn(Recs& r, const Visit& visit) {
    for (size_t t = 0; t < Specs::kGames; ++t) {
      if (!(visit(r.cMostWins[t]) && visit(r.cMostLosses[t]))) return;
    }
  }
};

}  // namespace orvane::programs::ScorexBRK
