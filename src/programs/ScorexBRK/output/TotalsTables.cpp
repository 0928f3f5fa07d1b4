#include "programs/ScorexBRK/output/TotalsTables.h"

#include <string>

#include "games/brk/Specs.h"
#include "programs/Scorex/settings/config.h"

namespace orvane::programs::ScorexBRK::output {

using games::brk::Specs;
using Scorex::output::recordRow;
using Scorex::output::Unplayed;
using Scorex::settings::config;

TotalsTables::TotalsTables(const Totals& theTotals) : TotalsTablesCore(theTotals) { buildAll(); }

const std::vector<TotalsTables::Ranking>& TotalsTables::rankings() {
  // RegularDM ends at the first player who never played it; TeamPlay and 1-vs-1 leave out
  // the players without a result.
  static const std::vector<Ranking> r = {
      {{"I TotalsTables.mRankingDM", "O TotalsTables.mRankingDM",
        "Error in TotalsTables.mRankingDM: "},
       "RegularDM",
       "Regular DM: All-Time Ranking",
       Scorex::output::fragsWonLostColumns<Stats>(),
       &Totals::sortedDM,
       config::getRankDM,
       Unplayed::kEnds},
      {{"I TotalsTables.mRankingTG", "O TotalsTables.mRankingTG",
        "Error in TotalsTables.mRankingTG: "},
       "TeamPlay",
       "TeamPlay : All-Time Ranking",
       Scorex::output::wonLostColumns<Stats>(),
       &Totals::sortedTG,
       config::getRankTG,
       Unplayed::kSkipsNoResult},
      {{"I TotalsTables.mRanking1v1", "O TotalsTables.mRanking1v1",
        "Error in TotalsTables.mRanking1v1: "},
       "1-vs-1",
       "1-vs-1 : All-Time Ranking",
       Scorex::output::wonLostColumns<Stats>(),
       &Totals::sorted1v1,
       config::getRank1v1,
       Unplayed::kSkipsNoResult}};
  return r;
}

void TotalsTables::moreCareerHighs(Table& table) const {
  for (size_t x = 0; x < Specs::kGames; ++x) {
    table.push_back(
        recordRow("Most " + std::string(Specs::games[x]) + " Wins", t.rec.cMostWins[x]));
  }
  for (size_t x = 0; x < Specs::kGames; ++x) {
    table.push_back(
        recordRow("Most " + std::string(Specs::games[x]) + " Losses", t.rec.cMostLosses[x]));
  }
}

}  // namespace orvane::programs::ScorexBRK::output
