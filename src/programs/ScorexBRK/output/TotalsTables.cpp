#include "programs/ScorexBRK/output/TotalsTables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "games/brk/Player.h"
#include "games/brk/Specs.h"
#include "programs/Scorex/config.h"
#include "programs/ScorexBRK/CareerRecord.h"
#include "programs/ScorexBRK/GameRecord.h"
#include "programs/ScorexBRK/HashEntry.h"
#include "programs/ScorexBRK/PlayerDB.h"
#include "programs/ScorexBRK/output/Cells.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Wrap.h"

namespace orvane::programs::ScorexBRK::output {

using games::brk::Player;
using games::brk::PStats;
using games::brk::Specs;
using Scorex::config;
using util::Debug;

using namespace cells;

namespace {

using Order = std::vector<const HashEntry*>;

// The position of a game type in the table of game types.
size_t gameType(std::string_view name) {
  const int32_t x = Specs::loc(Specs::games, name);
  if (x < 0) throw util::Failure("IllegalArgumentException", std::string(name));
  return static_cast<size_t>(x);
}
// How many entries of an order a ranking of the configured size may look at.
size_t limit(int32_t rankSize, size_t players) {
  return std::min(static_cast<size_t>(std::max(rankSize, 0)), players);
}

// The career player of an index entry, under the entry's name and bot flag; none when the
// store cannot return him (the store has traced why).
std::optional<Player> careerPlayer(const HashEntry& h) {
  std::optional<Player> p = PlayerDB::getPlayer(h.uid);
  if (p) {
    p->name = h.name;
    p->isABot = h.isABot;
  }
  return p;
}
Cell playerCell(const std::string& name, bool isABot, int32_t uid) {
  return {playerEntry(name, isABot, uid)};
}
std::string hours(double seconds) { return fmt(seconds * (1.0 / 3600)); }

Table rankingTable(const char* title, std::initializer_list<const char*> columns) {
  return Table{Row{span(title, 12, 1, static_cast<int32_t>(columns.size()))}, headings(columns)};
}
// A row of the rankings by frags; only the RegularDM ranking shows wins and losses.
Row rankingRow(size_t rank, const HashEntry& h, const PStats& s, bool winsLosses) {
  Row r{cell(std::to_string(rank), 3), playerCell(h.name, h.isABot, h.uid)};
  std::vector<std::string> v = {str(s.frags),
                                str(s.kills),
                                str(s.deaths),
                                str(s.suicides),
                                pct(efficiency(s, false)),
                                fmt(s.frags * 3600.0 / s.totalTime),
                                fmt(s.totalTime / (static_cast<double>(s.deaths) + s.suicides + 1)),
                                ping(s, h.isABot)};
  if (winsLosses) v.insert(v.end(), {str(s.teamWins), str(s.teamLosses)});
  v.insert(v.end(), {str(s.uses), hours(s.totalTime)});
  for (std::string& x : v) r.push_back(cell(std::move(x), 1));
  return r;
}
// The rankings by matches won and lost in one game type: players without a result are left
// out, and the rank counts the rows.
Table wonLostRanking(const char* title, const Order& order, int32_t rankSize, size_t type) {
  Table table = rankingTable(title, {"Rank", "Player", "Wins", "Losses", "Games", "Hours"});
  size_t rows = 0;
  for (const HashEntry* h : order) {
    if (rows >= limit(rankSize, order.size())) break;
    const std::optional<Player> p = careerPlayer(*h);
    if (!p) continue;
    const PStats& s = p->games.at(type);
    const int32_t played = util::add32(s.teamWins, s.teamLosses);
    if (played == 0) continue;
    table.push_back(Row{cell(std::to_string(++rows), 3), playerCell(h->name, h->isABot, h->uid),
                        cell(str(s.teamWins), 1), cell(str(s.teamLosses), 1), cell(str(played), 1),
                        cell(hours(s.totalTime), 1)});
  }
  return table;
}

Row careerHeadings(const char* first, const char* count) {
  return headings({first, "Player", count, "Games<br>Played", "Hours<br>Played"});
}
Row matchHeadings(const char* first, const char* count) {
  return headings({first, "Player", count, "Game<br>Duration<br>(minutes)", "Map", "Date"});
}
Row recordRow(std::string label, const CareerRecord& c) {
  return Row{cell(std::move(label), 3), playerCell(c.name, c.isABot, c.uid), cell(str(c.score), 1),
             cell(str(c.games), 1), cell(hours(c.time), 1)};
}
Row recordRow(std::string label, const GameRecord& g) {
  return Row{cell(std::move(label), 3), playerCell(g.name, g.isABot, g.uid),
             cell(str(g.score), 1),     cell(minutes(g.time), 1),
             cell(esc(g.map), 1),       cell(esc(g.date), 1)};
}

// The records of the groups in turn: the weapons' first, then the causes'.
template <class Record, size_t... N>
std::vector<const Record*> recordsOf(const std::array<Record, N>&... groups) {
  std::vector<const Record*> all;
  (..., [&] {
    for (const Record& r : groups) all.push_back(&r);
  }());
  return all;
}
// One record per weapon (or per weapon, then per cause), highest score first; a record
// without a score gives no row.
template <class Record>
Table recordTable(Row heading, const std::vector<const Record*>& records) {
  std::vector<int32_t> scores;
  for (const Record* r : records) scores.push_back(r->score);
  Table table{std::move(heading)};
  ranked(table, scores, [&](size_t k) -> std::optional<Row> {
    if (scores[k] == 0) return std::nullopt;
    return recordRow(std::string(suicideName(k)), *records[k]);
  });
  return table;
}

// Runs a builder, which stores its table once it is complete: a failure is traced with the
// builder's prefix and leaves the table as it was.
template <class Build>
void attempt(const char* error, Build build) {
  try {
    build();
  } catch (const std::exception& e) {
    Debug::print(error + util::failureText(e), 0);
  }
}

}  // namespace

TotalsTables::TotalsTables(const Totals& theTotals) : t(theTotals) {
  Debug::print("I TotalsTables", 1);
  try {
    mTotalsLogged();
    mTotalsRanking();
    mCHighs();
    mCKills();
    mCDeaths();
    mCDeathsb();
    mCSuicides();
    mGHighs();
    mGKills();
    mGDeaths();
    mGDeathsb();
    mGSuicides();
    mGamesPlayed();
    for (const std::string_view type : Specs::games) {
      if (type == "RegularDM") mRankingDM();
      if (type == "TeamPlay") mRankingTG();
      if (type == "1-vs-1") mRanking1v1();
    }
  } catch (const std::exception& e) {
    Debug::print("Error in TotalsTables: " + util::failureText(e), 0);
  }
  Debug::print("O TotalsTables", 1);
}

void TotalsTables::mTotalsLogged() {
  Debug::print("I TotalsTables.mTotalsLogged", 1);
  attempt("Error in TotalsTables.mTotalsLogged: ", [this] {
    const PStats& s = t.allStats.all;
    Row r;
    for (std::string v : {str(s.frags), str(s.kills), str(s.deaths), str(s.suicides),
                          std::to_string(t.gameList.size()), hours(s.totalTime)}) {
      r.push_back(cell(std::move(v), 1));
    }
    totalsLogged =
        Table{headings({"Frags", "Kills", "Deaths", "Suicides", "Games", "Player Hours"}), r};
  });
  Debug::print("O TotalsTables.mTotalsLogged", 1);
}

void TotalsTables::mTotalsRanking() {
  Debug::print("I TotalsTables.mTotalsRanking", 1);
  attempt("Error in TotalsTables.mTotalsRanking: ", [this] {
    Table table = rankingTable("All Game Types Combined : All-Time Ranking",
                               {"Rank", "Player", "Frags", "Kills", "Deaths", "Suicides",
                                "Efficiency", "Avg FPH", "Avg TTL", "Ping", "Games", "Hours"});
    const Order& order = t.sortedByFDS;
    for (size_t i = 0; i < limit(config::getRankAll(), order.size()); ++i) {
      if (const std::optional<Player> p = careerPlayer(*order[i])) {
        table.push_back(rankingRow(i + 1, *order[i], p->all, false));
      }
    }
    totalsRanking = std::move(table);
  });
  Debug::print("O TotalsTables.mTotalsRanking", 1);
}

void TotalsTables::mRankingDM() {
  Debug::print("I TotalsTables.mRankingDM", 1);
  attempt("Error in TotalsTables.mRankingDM: ", [this] {
    const size_t dm = gameType("RegularDM");
    Table table =
        rankingTable("Regular DM: All-Time Ranking",
                     {"Rank", "Player", "Frags", "Kills", "Deaths", "Suicides", "Efficiency",
                      "Avg FPH", "Avg TTL", "Ping", "Wins", "Losses", "Games", "Hours"});
    const Order& order = t.sortedDM;
    for (size_t i = 0; i < limit(config::getRankDM(), order.size()); ++i) {
      const std::optional<Player> p = careerPlayer(*order[i]);
      if (!p) continue;
      const PStats& s = p->games.at(dm);
      // Those who never played the type sort among those who scored nothing in it; the table
      // ends at the first of them, even when players who did play follow.
      if (s.uses == 0) break;
      table.push_back(rankingRow(i + 1, *order[i], s, true));
    }
    ranking.at(dm) = std::move(table);
  });
  Debug::print("O TotalsTables.mRankingDM", 1);
}

void TotalsTables::mRankingTG() {
  Debug::print("I TotalsTables.mRankingTG", 1);
  attempt("Error in TotalsTables.mRankingTG: ", [this] {
    const size_t tg = gameType("TeamPlay");
    ranking.at(tg) =
        wonLostRanking("TeamPlay : All-Time Ranking", t.sortedTG, config::getRankTG(), tg);
  });
  Debug::print("O TotalsTables.mRankingTG", 1);
}

void TotalsTables::mRanking1v1() {
  Debug::print("I TotalsTables.mRanking1v1", 1);
  attempt("Error in TotalsTables.mRanking1v1: ", [this] {
    const size_t om = gameType("1-vs-1");
    ranking.at(om) =
        wonLostRanking("1-vs-1 : All-Time Ranking", t.sorted1v1, config::getRank1v1(), om);
  });
  Debug::print("O TotalsTables.mRanking1v1", 1);
}

void TotalsTables::mCHighs() {
  Debug::print("I TotalsTables.mCHighs", 1);
  attempt("Error in TotalsTables.mCHighs: ", [this] {
    const Records& r = t.rec;
    Table table{careerHeadings("Category", "Score"), recordRow("Most Frags", r.cMostFrags),
                recordRow("Most Kills", r.cMostKills), recordRow("Most Deaths", r.cMostDeaths),
                recordRow("Most Suicides", r.cMostSuicides)};
    // Without any player there is nobody to name.
    const HashEntry* first = t.sortedFPH.empty() ? nullptr : t.sortedFPH.front();
    if (const std::optional<Player> p = first ? careerPlayer(*first) : std::nullopt) {
      const PStats& s = p->all;
      const double fph = s.totalTime == 0.0 ? 0.0 : s.frags * 3600.0 / s.totalTime;
      table.push_back(Row{cell("Highest FPH", 3),
                          playerCell(first->name, first->isABot, first->uid), cell(fmt(fph), 1),
                          cell(str(s.uses), 1), cell(hours(s.totalTime), 1)});
    }
    for (size_t x = 0; x < Specs::kGames; ++x) {
      table.push_back(recordRow("Most " + std::string(Specs::games[x]) + " Wins", r.cMostWins[x]));
    }
    for (size_t x = 0; x < Specs::kGames; ++x) {
      table.push_back(
          recordRow("Most " + std::string(Specs::games[x]) + " Losses", r.cMostLosses[x]));
    }
    cHighs = std::move(table);
  });
  Debug::print("O TotalsTables.mCHighs", 1);
}

void TotalsTables::mCKills() {
  Debug::print("I TotalsTables.mCKills", 1);
  attempt("Error in TotalsTables.mCKills: ", [this] {
    cKills = recordTable(careerHeadings("Weapon", "Kills"), recordsOf(t.rec.cKillsHoldingWeapon));
  });
  Debug::print("O TotalsTables.mCKills", 1);
}

void TotalsTables::mCDeaths() {
  Debug::print("I TotalsTables.mCDeaths", 1);
  attempt("Error in TotalsTables.mCDeaths: ", [this] {
    cDeaths = recordTable(careerHeadings("Weapon", "Deaths"), recordsOf(t.rec.cDeathsByWeapon));
  });
  Debug::print("O TotalsTables.mCDeaths", 1);
}

void TotalsTables::mCDeathsb() {
  Debug::print("I TotalsTables.mCDeathsb", 1);
  attempt("Error in TotalsTables.mCDeathsb: ", [this] {
    cDeathsb =
        recordTable(careerHeadings("Weapon", "Deaths"), recordsOf(t.rec.cDeathsHoldingWeapon));
  });
  Debug::print("O TotalsTables.mCDeathsb", 1);
}

void TotalsTables::mCSuicides() {
  Debug::print("I TotalsTables.mCSuicides", 1);
  attempt("Error in TotalsTables.mCSuicides: ", [this] {
    cSuicides = recordTable(careerHeadings("Cause", "Suicides"),
                            recordsOf(t.rec.cWeaponSuicides, t.rec.cSuicides));
  });
  Debug::print("O TotalsTables.mCSuicides", 1);
}

void TotalsTables::mGHighs() {
  Debug::print("I TotalsTables.mGHighs", 1);
  attempt("Error in TotalsTables.mGHighs: ", [this] {
    const Records& r = t.rec;
    gHighs = Table{matchHeadings("Category", "Score"), recordRow("Most Frags", r.gMostFrags),
                   recordRow("Most Kills", r.gMostKills), recordRow("Most Deaths", r.gMostDeaths),
                   recordRow("Most Suicides", r.gMostSuicides)};
  });
  Debug::print("O TotalsTables.mGHighs", 1);
}

void TotalsTables::mGKills() {
  Debug::print("I TotalsTables.mGKills", 1);
  attempt("Error in TotalsTables.mGKills: ", [this] {
    gKills = recordTable(matchHeadings("Weapon", "Kills"), recordsOf(t.rec.gKillsHoldingWeapon));
  });
  Debug::print("O TotalsTables.mGKills", 1);
}

void TotalsTables::mGDeaths() {
  Debug::print("I TotalsTables.mGDeaths", 1);
  attempt("Error in TotalsTables.mGDeaths: ", [this] {
    gDeaths = recordTable(matchHeadings("Weapon", "Deaths"), recordsOf(t.rec.gDeathsByWeapon));
  });
  Debug::print("O TotalsTables.mGDeaths", 1);
}

void TotalsTables::mGDeathsb() {
  Debug::print("I TotalsTables.mGDeathsb", 1);
  attempt("Error in TotalsTables.mGDeathsb: ", [this] {
    gDeathsb =
        recordTable(matchHeadings("Weapon", "Deaths"), recordsOf(t.rec.gDeathsHoldingWeapon));
  });
  Debug::print("O TotalsTables.mGDeathsb", 1);
}

void TotalsTables::mGSuicides() {
  Debug::print("I TotalsTables.mGSuicides", 1);
  attempt("Error in TotalsTables.mGSuicides: ", [this] {
    gSuicides = recordTable(matchHeadings("Weapon", "Suicides"),
                            recordsOf(t.rec.gWeaponSuicides, t.rec.gSuicides));
  });
  Debug::print("O TotalsTables.mGSuicides", 1);
}

void TotalsTables::mGamesPlayed() {
  Debug::print("I TotalsTables.mGamesPlayed", 1);
  attempt("Error in TotalsTables.mGamesPlayed: ", [this] {
    Table table{Row{span("Total Games Played by Type", 12, 1, 3)},
                headings({"Game", "Number", "Player Hours"})};
    const std::vector<int32_t> counts(t.gamesPlayed.begin(), t.gamesPlayed.end());
    // Every game type has a row, played or not.
    ranked(table, counts, [&](size_t x) -> std::optional<Row> {
      return Row{cell(std::string(Specs::games.at(x)), 3), cell(str(counts[x]), 1),
                 cell(hours(t.allStats.games.at(x).totalTime), 1)};
    });
    table.push_back(Row{cell("Totals", 3), cell(str(t.totalGamesPlayed), 9),
                        cell(hours(t.allStats.all.totalTime), 9)});
    gamesPlayed = std::move(table);
  });
  Debug::print("O TotalsTables.mGamesPlayed", 1);
}

}  // namespace orvane::programs::ScorexBRK::output
