#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "programs/Scorex/career/TotalsCore.h"
#include "programs/ScorexZLN/HashEntry.h"
#include "programs/ScorexZLN/PlayerDB.h"
#include "programs/ScorexZLN/Records.h"

namespace orvane::programs::ScorexZLN {

// The career database of Zolnar in memory: every match merged so far, the recent ones, the
// counts per game type, the highest-scoring match, the summary players, the player index and
// the records. A single-player match counts under its own game type and under SinglePlayer.
// Loaded from the database directory at the start of a run, merged into match by match, saved
// at the end. Owned by the run driver for the whole run.
class Totals final : public Scorex::career::TotalsCore<Records, PlayerDB> {
 public:
  // The files, in the database directory.
  static constexpr const char* kGameFile = "zln_game.db";
  static constexpr const char* kRecordsFile = "zln_records.db";
  static constexpr const char* kHashFile = "zln_hash.db";
  static constexpr const char* kPlayerFile = "zln_player.db";
  static constexpr const char* kMatchFile = "zln_matches.db";
  static constexpr const char* kRatingsFile = "zln_ratings.db";
  // The rating categories: every match, then each game-type group with a ranking of its own.
  static std::vector<std::string> ratingCategories();

  Totals()
      : TotalsCore({kGameFile, kRecordsFile, kHashFile, kPlayerFile, kMatchFile, kRatingsFile},
                   ratingCategories(), "not a Zolnar match") {}

  Order sortedD;    // control points captured in Domination
  Order sortedCTF;  // flag score in Capture the Flag
  Order sortedTT;   // Tournament Team Game won and lost
  Order sortedA;    // Assault won and lost
  Order sortedTD;   // frags, deaths and suicides in Tournament DeathMatch

 private:
  std::vector<size_t> gameTypesOf(const Game& gm) const override;
  void updateEntry(HashEntry& h, const Player& np) const override;
  void sortMore(const Order& all) override;
  std::vector<size_t> ratingCategoriesOf(const Game& gm) const override;
  std::optional<double> teamScore(const Game& gm, const Player& team) const override;
};

}  // namespace orvane::programs::ScorexZLN
