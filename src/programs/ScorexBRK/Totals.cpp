#include "programs/ScorexBRK/Totals.h"

#include "programs/Scorex/career/SortFDS.h"
#include "programs/Scorex/career/SortWonLost.h"

namespace orvane::programs::ScorexBRK {

using Scorex::career::SortWonLost;
// Career players by frags, deaths and suicides in RegularDM matches.
using SortFDSb = Scorex::career::SortFDSb<HashEntry>;

std::vector<size_t> Totals::gameTypesOf(const Game& gm) const {
  return {static_cast<size_t>(gm.gameType)};
}

void Totals::updateEntry(HashEntry& h, const Player& np) const {
  const auto& dm = np.games.at(static_cast<size_t>(Specs::loc(Specs::games, "RegularDM")));
  const auto& tm = np.games.at(static_cast<size_t>(Specs::loc(Specs::games, "TeamPlay")));
  const auto& om = np.games.at(static_cast<size_t>(Specs::loc(Specs::games, "1-vs-1")));
  h.update(np.all.totalTime, np.all.frags, np.all.deaths, np.all.suicides, dm.frags, dm.deaths,
           dm.suicides, tm.teamWins, tm.teamLosses, om.teamWins, om.teamLosses);
}

void Totals::sortMore(const Order& all) {
  sortedTG = sortedByKey<SortWonLost>(
      all, [](const HashEntry& h, int32_t i) { return SortWonLost(h.t_wins, h.t_losses, i); });
  sorted1v1 = sortedByKey<SortWonLost>(
      all, [](const HashEntry& h, int32_t i) { return SortWonLost(h.o_wins, h.o_losses, i); });
  sortedDM = sortedCopy(all, SortFDSb());
}

std::vector<std::string> Totals::ratingCategories() {
  std::vector<std::string> names{"Overall"};
  for (const std::string_view t : Specs::games) names.emplace_back(t);
  return names;
}

std::vector<size_t> Totals::ratingCategoriesOf(const Game& gm) const {
  // Every game type has a ranking of its own: its category follows "Overall".
  if (gm.gameType < 0 || static_cast<size_t>(gm.gameType) >= Specs::kGames) return {0};
  return {0, static_cast<size_t>(gm.gameType) + 1};
}

std::optional<double> Totals::teamScore(const Game&, const Player& team) const {
  return team.all.frags;
}

}  // namespace orvane::programs::ScorexBRK
