#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "programs/Scorex/career/TotalsCore.h"
#include "programs/ScorexBRK/HashEntry.h"
#include "programs/ScorexBRK/PlayerDB.h"
#include "programs/ScorexBRK/Records.h"

namespace orvane::programs::ScorexBRK {

// The career database of Brakk in memory: every match merged so far, the recent ones, the
// counts per game type, the highest-scoring match, the summary players, the player index and
// the records. Loaded from the database directory at the start of a run, merged into match by
// match, saved at the end. Owned by the run driver for the whole run.
class Totals final : public Scorex::career::TotalsCore<Records, PlayerDB> {
 public:
  // The files, in the database directory.
  static constexpr const char* kGameFile = "brk_game.db";
  static constexpr const char* kRecordsFile = "brk_records.db";
  static constexpr const char* kHashFile = "brk_hash.db";
  static constexpr const char* kPlayerFile = "brk_player.db";
  static constexpr const char* kMatchFile = "brk_matches.db";
  static constexpr const char* kRatingsFile = "brk_ratings.db";
  // The rating categories: every match, then each game-type group with a ranking of its own.
  static std::vector<std::string> ratingCategories();

  Totals()
      : TotalsCore({kGameFile, kRecordsFile, kHashFile, kPlayerFile, kMatchFile, kRatingsFile},
                   ratingCategories(), "not a Brakk match") {}

  Order sorted1v1;
  Order sortedDM;
  Order sortedTG;

 private:
  std::vector<size_t> gameTypesOf(const Game& gm) const override;
  void updateEntry(HashEntry& h, const Player& np) const override;
  void sortMore(const Order& all) override;
  std::vector<size_t> ratingCategoriesOf(const Game& gm) const override;
  std::optional<double> teamScore(const Game& gm, const Player& team) const override;
};

}  // namespace orvane::programs::ScorexBRK
