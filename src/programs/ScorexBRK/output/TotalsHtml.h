#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "programs/Scorex/TotalsHtml.h"
#include "programs/ScorexBRK/HashEntry.h"
#include "programs/ScorexBRK/Totals.h"
#include "programs/ScorexBRK/output/PlayerHtml.h"
#include "programs/ScorexBRK/output/TotalsTables.h"
#include "util/TextWriter.h"

namespace orvane::programs::ScorexBRK::output {

// Writes the all-time part of the site: the main page, the recent matches, the records, the
// rankings, the player list and the career pages of the summary players and of every player
// of this run. Made for one call of writeTotals.
class TotalsHtml final : public Scorex::TotalsHtml {
 public:
  TotalsHtml();
  void writeTotals(Scorex::Totals& totals) override;

  void writeMain(const Totals& t);
  void writeMainBody(util::TextWriter& w, const Totals& t);
  void writeRecent(const Totals& t);
  void writeRecentBody(util::TextWriter& w, const Totals& t);
  void writeRecords(const Totals& t);
  void writeRankings(const Totals& t);
  void writeRecordsBody(util::TextWriter& w, const Totals& t);
  void writeRankingsBody(util::TextWriter& w, const Totals& t);
  void writePlayerList(const Totals& t);
  void writePlayerListBody(util::TextWriter& w, const Totals& t, int32_t firstPlayer,
                           int32_t maxPlayers, bool isPlayerList);
  // h is absent for the summary players (career numbers -3, -2, -1).
  void writePlayerTotals(const HashEntry* h, int32_t uid);

 private:
  std::string MainDir;
  std::string GamesDir = "Individual_Game_Stats";
  std::string TotalsDir = "Total_Game_Stats";
  int32_t NumRecentGames;
  std::string defaultFont = "\"Arial, Helvetica, sans-serif\"";
  std::unique_ptr<TotalsTables> tables;
  PlayerHtml pHtml;
  const Totals* theTotals = nullptr;
};

}  // namespace orvane::programs::ScorexBRK::output
