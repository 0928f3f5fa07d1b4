#include "programs/ScorexZLN/output/TotalsTables.h"

#include <initializer_list>
#include <utility>

#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/settings/config.h"
#include "util/Numbers.h"

namespace orvane::programs::ScorexZLN::output {

using games::zln::PStats;
using Scorex::output::hours;
using Scorex::output::RankingColumns;
using Scorex::output::recordRow;
using Scorex::output::Unplayed;
using Scorex::output::cells::fmt;
using Scorex::output::cells::str;
using Scorex::settings::config;

namespace {

// Capture the Flag. The order is the player index's flag score, which the career totals take
// before a player's latest match; the row shows the stored career's own (7 per capture, 5 per
// flag-carrier kill, 1 per frag), the flag counts and the results.
std::vector<std::string> flagValues(const PStats& s, bool) {
  return {str(util::truncToInt(s.score)),
          str(s.flagCaptures),
          str(s.flagReturns),
          str(s.flagKills),
          str(s.flagAssists),
          str(s.teamWins),
          str(s.teamLosses),
          str(s.uses),
          hours(s.totalTime)};
}
// Domination by control points captured.
std::vector<std::string> pointValues(const PStats& s, bool) {
  return {str(s.controlPointCaptures),
          str(s.frags),
          str(s.kills),
          str(s.deaths),
          str(s.suicides),
          str(s.teamWins),
          str(s.teamLosses),
          str(s.uses),
          hours(s.totalTime)};
}
// Frags per hour over all game types; without time played there is no rate.
std::vector<std::string> rateValues(const PStats& s, bool) {
  return {fmt(s.totalTime == 0.0 ? 0.0 : s.frags * 3600.0 / s.totalTime), str(s.frags), str(s.uses),
          hours(s.totalTime)};
}

}  // namespace

TotalsTables::TotalsTables(const Totals& theTotals) : TotalsTablesCore(theTotals) { buildAll(); }

std::string_view TotalsTables::suicideName(size_t k) {
  const std::string_view name = Scorex::output::cells::suicideNameOf<Specs>(k);
  return name.empty() ? "Unknown" : name;
}

const std::vector<TotalsTables::Ranking>& TotalsTables::rankings() {
  // Tournament DeathMatch ends at the first player who never played it; the team games leave
  // out the players without a result, the objective games those without a match of theirs.
  static const std::vector<Ranking> r = {
      {{"I TotalsTables.mRankingTD", "O TotalsTables.mRankingTD",
        "Error in TotalsTables.mRankingTD: "},
       "Tournament DeathMatch",
       "Tournament DeathMatch : All-Time Ranking",
       Scorex::output::fragsWonLostColumns<Stats>(),
       &Totals::sortedTD,
       config::getRankDM,
       Unplayed::kEnds},
      {{"I TotalsTables.mRankingTT", "O TotalsTables.mRankingTT",
        "Error in TotalsTables.mRankingTT: "},
       "Tournament Team Game",
       "Tournament Team Game : All-Time Ranking",
       Scorex::output::wonLostColumns<Stats>(),
       &Totals::sortedTT,
       config::getRankTG,
       Unplayed::kSkipsNoResult},
      {{"I TotalsTables.mRankingA", "O TotalsTables.mRankingA",
        "Error in TotalsTables.mRankingA: "},
       "Assault",
       "Assault : All-Time Ranking",
       Scorex::output::wonLostColumns<Stats>(),
       &Totals::sortedA,
       config::getRankA,
       Unplayed::kSkipsNoResult},
      {{"I TotalsTables.mRankingCTF", "O TotalsTables.mRankingCTF",
        "Error in TotalsTables.mRankingCTF: "},
       "Capture the Flag",
       "Capture the Flag : All-Time Ranking",
       RankingColumns<Stats>{{"Flag Score", "Captures", "Returns", "Flag Kills", "Assists", "Wins",
                              "Losses", "Games", "Hours"},
                             flagValues},
       &Totals::sortedCTF,
       config::getRankCTF,
       Unplayed::kSkipsNoMatch},
      {{"I TotalsTables.mRankingDom", "O TotalsTables.mRankingDom",
        "Error in TotalsTables.mRankingDom: "},
       "Domination",
       "Domination : All-Time Ranking",
       RankingColumns<Stats>{{"Control Points", "Frags", "Kills", "Deaths", "Suicides", "Wins",
                              "Losses", "Games", "Hours"},
                             pointValues},
       &Totals::sortedD,
       config::getRankDom,
       Unplayed::kSkipsNoMatch},
      {{"I TotalsTables.mRankingFPH", "O TotalsTables.mRankingFPH",
        "Error in TotalsTables.mRankingFPH: "},
       nullptr,
       "Frags per Hour : All-Time Ranking",
       RankingColumns<Stats>{{"Avg FPH", "Frags", "Games", "Hours"}, rateValues},
       &Totals::sortedFPH,
       config::getRankAll,
       Unplayed::kListed,
       &TotalsTables::fphRanking}};
  return r;
}

void TotalsTables::moreCareerHighs(Table& table) const {
  const Records& r = t.rec;
  // Each record shows the matches and hours it was set with: the wins those outside
  // Tournament DeathMatch, the flag and control-point records those of their own game type.
  for (const auto& [label, record] :
       std::initializer_list<std::pair<const char*, const CareerRecord*>>{
           {"Most Wins", &r.cMostWins},
           {"Most Flag Captures", &r.cMostFCaptures},
           {"Most Flag Returns", &r.cMostFReturns},
           {"Most Flag Carrier Kills", &r.cMostFKills},
           {"Most Flag Assists", &r.cMostFAssists},
           {"Most Control Point Captures", &r.cMostCPCs},
           {"Most Head Shots", &r.cMostHS},
           {"Most First Bloods", &r.cMostFB},
           {"Most Double Kills", &r.cMostDK},
           {"Most Multi Kills", &r.cMostMuK},
           {"Most Ultra Kills", &r.cMostUK},
           {"Most Monster Kills", &r.cMostMoK}}) {
    table.push_back(recordRow(label, *record));
  }
}

void TotalsTables::moreMatchHighs(Table& table) const {
  const Records& r = t.rec;
  table.push_back(recordRow("Most Flag Captures", r.gMostFCaptures));
  table.push_back(recordRow("Most Flag Returns", r.gMostFReturns));
  table.push_back(recordRow("Most Control Point Captures", r.gMostCPCs));
}

}  // namespace orvane::programs::ScorexZLN::output
