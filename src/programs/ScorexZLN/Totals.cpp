#include "programs/ScorexZLN/Totals.h"

#include <array>
#include <cstdint>

#include "programs/Scorex/career/SortFDS.h"
#include "programs/Scorex/career/SortInt.h"
#include "programs/Scorex/career/SortWonLost.h"
#include "util/Numbers.h"

namespace orvane::programs::ScorexZLN {

using Scorex::career::SortInt;
using Scorex::career::SortWonLost;
// Career players by frags, deaths and suicides in Tournament DeathMatch.
using SortFDSb = Scorex::career::SortFDSb<HashEntry>;

namespace {

size_t gameType(const char* name) {
  return static_cast<size_t>(Totals::Specs::loc(Totals::Specs::games, name));
}

}  // namespace

std::vector<size_t> Totals::gameTypesOf(const Game& gm) const {
  std::vector<size_t> types{static_cast<size_t>(gm.gameType)};
  // A single-player match counts under SinglePlayer as well, but once when it is its type.
  const size_t sp = gameType("SinglePlayer");
  if (gm.netMode == "SinglePlayer" && types[0] != sp) types.push_back(sp);
  return types;
}

void Totals::updateEntry(HashEntry& h, const Player& np) const {
  const auto& dm = np.games.at(gameType("Tournament DeathMatch"));
  const auto& tm = np.games.at(gameType("Tournament Team Game"));
  const auto& am = np.games.at(gameType("Assault"));
  const auto& dom = np.games.at(gameType("Domination"));
  const auto& ctf = np.games.at(gameType("Capture the Flag"));
  // Merging leaves the flag score alone: it is the one read with the stored career, before
  // this match.
  h.update(np.all.totalTime, np.all.frags, np.all.deaths, np.all.suicides, dm.frags, dm.deaths,
           dm.suicides, tm.teamWins, tm.teamLosses, am.teamWins, am.teamLosses,
           dom.controlPointCaptures, util::truncToInt(ctf.score));
}

void Totals::sortMore(const Order& all) {
  sortedD =
      sortedByKey<SortInt>(all, [](const HashEntry& h, int32_t i) { return SortInt(h.cpc, i); });
  sortedTT = sortedByKey<SortWonLost>(
      all, [](const HashEntry& h, int32_t i) { return SortWonLost(h.t_wins, h.t_losses, i); });
  sortedA = sortedByKey<SortWonLost>(
      all, [](const HashEntry& h, int32_t i) { return SortWonLost(h.a_wins, h.a_losses, i); });
  sortedCTF =
      sortedByKey<SortInt>(all, [](const HashEntry& h, int32_t i) { return SortInt(h.ctf, i); });
  sortedTD = sortedCopy(all, SortFDSb());
}

namespace {

// The game types with a ranking of their own, in the order of their rating categories (after
// "Overall"); a single-player match is rated under "Overall" only.
constexpr std::array<const char*, 5> kRated = {"Tournament DeathMatch", "Tournament Team Game",
                                               "Capture the Flag", "Domination", "Assault"};

}  // namespace

std::vector<std::string> Totals::ratingCategories() {
  std::vector<std::string> names{"Overall"};
  for (const char* t : kRated) names.emplace_back(t);
  return names;
}

std::vector<size_t> Totals::ratingCategoriesOf(const Game& gm) const {
  for (size_t k = 0; k < kRated.size(); ++k) {
    if (static_cast<size_t>(gm.gameType) == gameType(kRated[k])) return {0, k + 1};
  }
  return {0};
}

std::optional<double> Totals::teamScore(const Game& gm, const Player& team) const {
  // Each game type orders its teams by what decides its winner; Assault has a winner only.
  const auto type = static_cast<size_t>(gm.gameType);
  if (type == gameType("Assault")) return std::nullopt;
  if (type == gameType("Domination")) return team.all.score;
  if (type == gameType("Capture the Flag")) return team.all.flagCaptures;
  return team.all.frags;
}

}  // namespace orvane::programs::ScorexZLN
