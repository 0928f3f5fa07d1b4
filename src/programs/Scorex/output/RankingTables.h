#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/output/TableEntry.h"
#include "programs/Scorex/output/TotalsRecords.h"
#include "util/Wrap.h"

// The rankings of the all-time pages of both games: a walk down one of the career totals'
// player orders that reads each player from the store, with the columns the rankings share.
namespace orvane::programs::Scorex::output {

// Whom a ranking leaves out, and how it numbers its rows.
enum class Unplayed {
  kListed,         // nobody; the rank is the position in the order
  kEnds,           // the table ends at the first player without a match of its game type, even
                   // when players who did play follow; the rank is the position in the order
  kSkipsNoMatch,   // players without a match of its game type; the rank counts the rows
  kSkipsNoResult,  // players without a win or a loss in its game type; the rank counts the rows
};

// The columns of a ranking after "Rank" and "Player": their headings, and a player's values
// from the statistics block the ranking reads.
template <class Stats>
struct RankingColumns {
  std::vector<const char*> headings;
  std::vector<std::string> (*values)(const Stats& s, bool isABot);
};

// How many rows (or positions) a ranking of the configured size may take from an order.
inline size_t rankLimit(int32_t rankSize, size_t players) {
  return std::min(static_cast<size_t>(std::max(rankSize, 0)), players);
}

// The rankings by frags: frags, kills, deaths, suicides, efficiency, rates and ping; the
// rankings of one game type also show the matches won and lost.
template <class Stats, bool kWinsLosses>
std::vector<std::string> fragsValues(const Stats& s, bool isABot) {
  using namespace cells;
  std::vector<std::string> v = {str(s.frags),
                                str(s.kills),
                                str(s.deaths),
                                str(s.suicides),
                                pct(efficiency(s, false)),
                                fmt(s.frags * 3600.0 / s.totalTime),
                                fmt(s.totalTime / (static_cast<double>(s.deaths) + s.suicides + 1)),
                                ping(s, isABot)};
  if (kWinsLosses) v.insert(v.end(), {str(s.teamWins), str(s.teamLosses)});
  v.insert(v.end(), {str(s.uses), hours(s.totalTime)});
  return v;
}
template <class Stats>
RankingColumns<Stats> fragsColumns() {
  return {{"Frags", "Kills", "Deaths", "Suicides", "Efficiency", "Avg FPH", "Avg TTL", "Ping",
           "Games", "Hours"},
          fragsValues<Stats, false>};
}
template <class Stats>
RankingColumns<Stats> fragsWonLostColumns() {
  return {{"Frags", "Kills", "Deaths", "Suicides", "Efficiency", "Avg FPH", "Avg TTL", "Ping",
           "Wins", "Losses", "Games", "Hours"},
          fragsValues<Stats, true>};
}

// The rankings by matches won and lost: "Games" counts the matches with a result.
template <class Stats>
std::vector<std::string> wonLostValues(const Stats& s, bool) {
  using cells::str;
  return {str(s.teamWins), str(s.teamLosses), str(util::add32(s.teamWins, s.teamLosses)),
          hours(s.totalTime)};
}
template <class Stats>
RankingColumns<Stats> wonLostColumns() {
  return {{"Wins", "Losses", "Games", "Hours"}, wonLostValues<Stats>};
}

// The game type of a ranking over all game types together.
inline constexpr size_t kAllTypes = static_cast<size_t>(-1);

// A ranking: its title over the whole width, the headings, then the players of order as rule
// says, at most limit rows (or positions), each read from the totals' player store (players it
// cannot return are passed over) and shown with its block of game type `type`, or its `all`
// block for kAllTypes.
template <class Totals, class Stats, class Entry>
Table rankingOf(const Totals& t, const char* title, const RankingColumns<Stats>& columns,
                const std::vector<const Entry*>& order, size_t limit, Unplayed rule, size_t type) {
  using namespace cells;
  Row heads = headings({"Rank", "Player"});
  for (const char* h : columns.headings) heads.push_back(cell(h, kHeading));
  Table table{Row{span(title, kSectionLine, 1, static_cast<int32_t>(heads.size()))},
              std::move(heads)};
  const bool byPosition = rule == Unplayed::kListed || rule == Unplayed::kEnds;
  size_t rows = 0;
  for (size_t i = 0; i < order.size() && (byPosition ? i : rows) < limit; ++i) {
    const Entry& h = *order[i];
    const auto p = t.careerPlayer(h);
    if (!p) continue;
    const Stats& s = type == kAllTypes ? p->all : p->games.at(type);
    const bool noMatch = s.uses == 0;
    if (rule == Unplayed::kEnds && noMatch) break;
    if (rule == Unplayed::kSkipsNoMatch && noMatch) continue;
    if (rule == Unplayed::kSkipsNoResult && util::add32(s.teamWins, s.teamLosses) == 0) continue;
    ++rows;
    Row r{cell(std::to_string(byPosition ? i + 1 : rows), kRowLabel),
          playerCell(h.name, h.isABot, h.uid)};
    for (std::string& v : columns.values(s, h.isABot)) r.push_back(cell(std::move(v), kValue));
    table.push_back(std::move(r));
  }
  return table;
}

}  // namespace orvane::programs::Scorex::output
