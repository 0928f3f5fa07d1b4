#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/output/RankingTables.h"
#include "programs/Scorex/output/TableEntry.h"
#include "programs/Scorex/output/TotalsPages.h"
#include "programs/Scorex/output/TotalsRecords.h"
#include "programs/Scorex/output/TotalsTrace.h"
#include "programs/Scorex/settings/config.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex::output {

// One ranking of a module's rankings page: its builder's trace lines, the game type it ranks
// (all game types when null), its title and columns, the player order of the career totals it
// walks, the configured number of rows, and whom it leaves out. A ranking of a game type is
// stored in `ranking` at the type's position, one over all game types in the field `into`.
template <class Tables, class Totals>
struct RankingDef {
  using Player = typename Totals::Player;
  Traced trace;
  const char* type;
  const char* title;
  RankingColumns<decltype(Player::all)> columns;
  typename Totals::Order Totals::*order;
  int32_t (*size)();
  Unplayed rule;
  std::optional<Table> Tables::*into = nullptr;
};

// What the all-time tables of both games share: the overall totals, the ranking over all game
// types, the career and single-match highs and records, the matches per game type, and the
// walk that builds the module's rankings. All are built at once, from the career totals, the
// records and the player store (which must be open), when the module's tables are made, once
// per run.
//
// Derived is the module's TotalsTables; its constructor calls buildAll(), and it gives
//   rankings(): its rankings, in the order of building and of the rankings page;
//   moreCareerHighs(table) and moreMatchHighs(table): its own rows of the highs tables;
//   suicideName(k): the label of weapon k, or of cause k - (number of weapons) after them.
template <class Derived, class TotalsT>
class TotalsTablesCore {
 public:
  using Totals = TotalsT;
  using Entry = typename Totals::Entry;
  using Player = typename Totals::Player;
  using Specs = typename Totals::Specs;
  using Stats = decltype(Player::all);
  using Ranking = RankingDef<Derived, Totals>;

  // The tables of the records page, in page order, with their titles.
  std::vector<TitledTable> recordsPage() const {
    return {{&totalsLogged, "Totals Logged"},
            {&gamesPlayed, nullptr},
            {&cHighs, "Career Highs"},
            {&cKills, "Most Career Kills with a Weapon"},
            {&cDeaths, "Most Career Deaths by a Weapon"},
            {&cDeathsb, "Most Career Deaths While Holding a Weapon"},
            {&cSuicides, "Most Career Suicides"},
            {&gHighs, "Highs<br>From a Single Game"},
            {&gKills, "Most Kills with a Weapon<br>From a Single Game"},
            {&gDeaths, "Most Deaths by a Weapon<br>From a Single Game"},
            {&gDeathsb, "Most Deaths While Holding a Weapon<br>From a Single Game"},
            {&gSuicides, "Most Suicides<br>From a Single Game"}};
  }

  // The tables of the rankings page: all game types combined, then the module's rankings.
  std::vector<const std::optional<Table>*> rankingsPage() const {
    std::vector<const std::optional<Table>*> shown = {&totalsRanking};
    for (const Ranking& r : Derived::rankings()) shown.push_back(&slotOf(*this, r));
    return shown;
  }

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
  std::array<std::optional<Table>, Specs::kGames> ranking;

 protected:
  explicit TotalsTablesCore(const Totals& theTotals) : t(theTotals) {}

  // The position of a game type in the game's table of game types.
  static size_t gameType(std::string_view name) {
    const int32_t x = Specs::loc(Specs::games, name);
    if (x < 0) throw util::Failure(util::Failure::kIllegalArgument, std::string(name));
    return static_cast<size_t>(x);
  }

  void buildAll() {
    traced({"I TotalsTables", "O TotalsTables", "Error in TotalsTables: "}, [this] {
      mTotalsLogged();
      mRanking(allGameTypes());
      mCHighs();
      recordsInto(
          cKills,
          {"I TotalsTables.mCKills", "O TotalsTables.mCKills", "Error in TotalsTables.mCKills: "},
          careerHeadings("Weapon", "Kills"), recordsOf(t.rec.cKillsHoldingWeapon));
      recordsInto(cDeaths,
                  {"I TotalsTables.mCDeaths", "O TotalsTables.mCDeaths",
                   "Error in TotalsTables.mCDeaths: "},
                  careerHeadings("Weapon", "Deaths"), recordsOf(t.rec.cDeathsByWeapon));
      recordsInto(cDeathsb,
                  {"I TotalsTables.mCDeathsb", "O TotalsTables.mCDeathsb",
                   "Error in TotalsTables.mCDeathsb: "},
                  careerHeadings("Weapon", "Deaths"), recordsOf(t.rec.cDeathsHoldingWeapon));
      // Weapons and causes ranked together, under "Cause" in the career table only.
      recordsInto(cSuicides,
                  {"I TotalsTables.mCSuicides", "O TotalsTables.mCSuicides",
                   "Error in TotalsTables.mCSuicides: "},
                  careerHeadings("Cause", "Suicides"),
                  recordsOf(t.rec.cWeaponSuicides, t.rec.cSuicides));
      mGHighs();
      recordsInto(
          gKills,
          {"I TotalsTables.mGKills", "O TotalsTables.mGKills", "Error in TotalsTables.mGKills: "},
          matchHeadings("Weapon", "Kills"), recordsOf(t.rec.gKillsHoldingWeapon));
      recordsInto(gDeaths,
                  {"I TotalsTables.mGDeaths", "O TotalsTables.mGDeaths",
                   "Error in TotalsTables.mGDeaths: "},
                  matchHeadings("Weapon", "Deaths"), recordsOf(t.rec.gDeathsByWeapon));
      recordsInto(gDeathsb,
                  {"I TotalsTables.mGDeathsb", "O TotalsTables.mGDeathsb",
                   "Error in TotalsTables.mGDeathsb: "},
                  matchHeadings("Weapon", "Deaths"), recordsOf(t.rec.gDeathsHoldingWeapon));
      recordsInto(gSuicides,
                  {"I TotalsTables.mGSuicides", "O TotalsTables.mGSuicides",
                   "Error in TotalsTables.mGSuicides: "},
                  matchHeadings("Weapon", "Suicides"),
                  recordsOf(t.rec.gWeaponSuicides, t.rec.gSuicides));
      mGamesPlayed();
      for (const Ranking& r : Derived::rankings()) mRanking(r);
    });
  }

 private:
  using Core = TotalsTablesCore;

  static const Ranking& allGameTypes() {
    static const Ranking r = {{"I TotalsTables.mTotalsRanking", "O TotalsTables.mTotalsRanking",
                               "Error in TotalsTables.mTotalsRanking: "},
                              nullptr,
                              "All Game Types Combined : All-Time Ranking",
                              fragsColumns<Stats>(),
                              &Totals::sortedByFDS,
                              settings::config::getRankAll,
                              Unplayed::kListed,
                              &Core::totalsRanking};
    return r;
  }

  Derived& self() { return static_cast<Derived&>(*this); }

  // Where a ranking is stored: at its game type's position, or in its own field.
  template <class Self>
  static auto& slotOf(Self& core, const Ranking& r) {
    using D = std::conditional_t<std::is_const_v<Self>, const Derived, Derived>;
    if (r.type) return core.ranking.at(gameType(r.type));
    if (r.into == nullptr) throw util::Failure(util::Failure::kNullPointer, r.title);
    return static_cast<D&>(core).*r.into;
  }

  void mTotalsLogged() {
    traced({"I TotalsTables.mTotalsLogged", "O TotalsTables.mTotalsLogged",
            "Error in TotalsTables.mTotalsLogged: "},
           [this] {
             using namespace cells;
             const Stats& s = t.allStats.all;
             Row r;
             for (std::string v : {str(s.frags), str(s.kills), str(s.deaths), str(s.suicides),
                                   std::to_string(t.gameList.size()), hours(s.totalTime)}) {
               r.push_back(cell(std::move(v), kValue));
             }
             totalsLogged = Table{
                 headings({"Frags", "Kills", "Deaths", "Suicides", "Games", "Player Hours"}), r};
           });
  }

  // Builds a ranking; its table is stored once complete.
  void mRanking(const Ranking& r) {
    traced(r.trace, [&] {
      // The game type whose matches decide who is ranked; none for the combined rankings.
      const size_t type = r.type ? gameType(r.type) : kAllTypes;
      const auto& order = t.*r.order;
      Table table =
          rankingOf(t, r.title, r.columns, order, rankLimit(r.size(), order.size()), r.rule, type);
      slotOf(*this, r) = std::move(table);
    });
  }

  void mCHighs() {
    traced({"I TotalsTables.mCHighs", "O TotalsTables.mCHighs", "Error in TotalsTables.mCHighs: "},
           [this] {
             using namespace cells;
             const auto& r = t.rec;
             Table table{careerHeadings("Category", "Score"), recordRow("Most Frags", r.cMostFrags),
                         recordRow("Most Kills", r.cMostKills),
                         recordRow("Most Deaths", r.cMostDeaths),
                         recordRow("Most Suicides", r.cMostSuicides)};
             // Without any player there is nobody to name.
             const Entry* first = t.sortedFPH.empty() ? nullptr : t.sortedFPH.front();
             if (const auto p = first ? t.careerPlayer(*first) : std::nullopt) {
               const Stats& s = p->all;
               const double fph = s.totalTime == 0.0 ? 0.0 : s.frags * 3600.0 / s.totalTime;
               table.push_back(Row{cell("Highest FPH", kRowLabel),
                                   playerCell(first->name, first->isABot, first->uid),
                                   cell(fmt(fph), kValue), cell(str(s.uses), kValue),
                                   cell(hours(s.totalTime), kValue)});
             }
             self().moreCareerHighs(table);
             cHighs = std::move(table);
           });
  }

  void mGHighs() {
    traced({"I TotalsTables.mGHighs", "O TotalsTables.mGHighs", "Error in TotalsTables.mGHighs: "},
           [this] {
             const auto& r = t.rec;
             Table table{matchHeadings("Category", "Score"), recordRow("Most Frags", r.gMostFrags),
                         recordRow("Most Kills", r.gMostKills),
                         recordRow("Most Deaths", r.gMostDeaths),
                         recordRow("Most Suicides", r.gMostSuicides)};
             self().moreMatchHighs(table);
             gHighs = std::move(table);
           });
  }

  // A records table, stored once complete.
  template <class Record>
  void recordsInto(std::optional<Table>& into, const Traced& lines, Row heading,
                   const std::vector<const Record*>& records) {
    traced(lines, [&] { into = recordTable(std::move(heading), records, Derived::suicideName); });
  }

  void mGamesPlayed() {
    traced({"I TotalsTables.mGamesPlayed", "O TotalsTables.mGamesPlayed",
            "Error in TotalsTables.mGamesPlayed: "},
           [this] {
             using namespace cells;
             Table table{Row{span("Total Games Played by Type", kSectionLine, 1, 3)},
                         headings({"Game", "Number", "Player Hours"})};
             const std::vector<int32_t> counts(t.gamesPlayed.begin(), t.gamesPlayed.end());
             // Every game type has a row, played or not.
             ranked(table, counts, [&](size_t x) -> std::optional<Row> {
               return Row{cell(std::string(Specs::games.at(x)), kRowLabel),
                          cell(str(counts[x]), kValue),
                          cell(hours(t.allStats.games.at(x).totalTime), kValue)};
             });
             table.push_back(Row{cell("Totals", kRowLabel),
                                 cell(str(t.totalGamesPlayed), kHighlighted),
                                 cell(hours(t.allStats.all.totalTime), kHighlighted)});
             gamesPlayed = std::move(table);
           });
  }
};

}  // namespace orvane::programs::Scorex::output
