#pragma once

#include <array>
#include <optional>

#include "games/brk/Specs.h"
#include "programs/ScorexBRK/Totals.h"
#include "programs/ScorexBRK/output/TableEntry.h"

namespace orvane::programs::ScorexBRK::output {

// Every table of the all-time pages, built at once from the career totals, the records and
// the player store (which must be open). Made once per run by the all-time page writer.
class TotalsTables {
 public:
  explicit TotalsTables(const Totals& theTotals);

  const Totals& t;
  std::optional<Table> totalsLogged;
  std::optional<Table> totalsRanking;
  std::optional<Table> cHighs;
  std::optional<Table> cKills;
  std::optional<Table> cDeaths;
  std::optional<Table> cDeathsb;
  std::optional<Table> cSuicides;
  std::optional<Table> gHighs;
  std::optional<Table> gKills;
  std::optional<Table> gDeaths;
  std::optional<Table> gDeathsb;
  std::optional<Table> gSuicides;
  std::optional<Table> gamesPlayed;
  std::array<std::optional<Table>, games::brk::Specs::kGames> ranking;

 private:
  void mTotalsLogged();
  void mTotalsRanking();
  void mCHighs();
  void mCKills();
  void mCDeaths();
  void mCDeathsb();
  void mCSuicides();
  void mGHighs();
  void mGKills();
  void mGDeaths();
  void mGDeathsb();
  void mGSuicides();
  void mGamesPlayed();
  void mRankingDM();
  void mRankingTG();
  void mRanking1v1();
};

}  // namespace orvane::programs::ScorexBRK::output
