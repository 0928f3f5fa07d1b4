#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "programs/Scorex/output/CareerHtml.h"
#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/output/SortWeapon.h"
#include "programs/Scorex/output/TableEntry.h"
#include "programs/Scorex/output/TotalsTrace.h"
#include "util/Comp.h"
#include "util/Failure.h"
#include "util/QuickSort.h"
#include "util/Wrap.h"

namespace orvane::programs::Scorex::output {

// Builds a table in place, so that a failure leaves it as far as it got, traced with the
// builder's lines.
template <class Fill>
void buildInPlace(std::optional<Table>& table, const Traced& lines, Fill fill) {
  traced(lines, [&] { fill(table.emplace()); });
}

// What the career pages of both games share: the summaries (one per game type, then all game
// types combined), the suicides, the power-ups, the spree levels and the items of one player
// record, and the order of the page's closing blocks, for a page of any CareerPageType. Made
// for one page.
//
// Derived is the game's PlayerTables; its constructor calls buildAll(gType), and it gives
//   buildTables(gType): its builders, in order;
//   teamColumns(name): whether the summary of the game type of that name shows team kills;
//   summaryHeadings(table, names) and summaryValues(values, s): the summary's heading rows
//     over the shared column names, and its own values after the shared ones;
//   weaponName(w), suicideName(k) (weapons, then causes) and itemName(i): the row labels.
template <class Derived, class PlayerT, class SpecsT>
class CareerTablesCore {
 public:
  using Player = PlayerT;
  using Specs = SpecsT;
  using Stats = decltype(Player::all);
  // The block selector of all game types combined.
  static constexpr int32_t kAllTypes = static_cast<int32_t>(Specs::kGames);

  // The page's blocks: the game's own first (head), then suicides, power-ups, spree levels
  // (where built), items and, on the framed pages, the summary of each game type.
  std::vector<CareerBlock> blocks(std::vector<CareerBlock> head) const {
    head.push_back({&pSuicide, "Suicide Totals", 1, "There Have Been No Suicides"});
    head.push_back({&pPickups, "Total Powerups Used"});
    if (pSprees) head.push_back({&pSprees, "Total Killing Sprees"});
    head.push_back({&pItems, "Total Items Collected", 1, "No Items Have Been Collected"});
    if (OutputType < kCareerBody) {
      for (size_t g = 0; g < Specs::kGames; ++g) head.push_back({&pSummary[g]});
    }
    return head;
  }

  const Player& p;
  int32_t OutputType;
  std::optional<Table> pSuicide;
  std::optional<Table> pSprees;
  std::optional<Table> pPickups;
  std::optional<Table> pItems;
  std::array<std::optional<Table>, Specs::kGames + 1> pSummary;

 protected:
  CareerTablesCore(const Player& thePlayer, int32_t type) : p(thePlayer), OutputType(type) {}

  void buildAll(int32_t gType) {
    traced({"I PlayerTables", "O PlayerTables", "Error in PlayerTables: "},
           [&] { static_cast<Derived&>(*this).buildTables(gType); });
  }

  // The block of game type g, or all for all game types; any other g is a failure of the
  // calling builder.
  const Stats& typeBlock(int32_t g) const {
    if (g == kAllTypes) return p.all;
    if (g < 0 || g > kAllTypes) {
      throw util::Failure(util::Failure::kArrayIndexOutOfBounds, std::to_string(g));
    }
    return p.games[static_cast<size_t>(g)];
  }
  // The same, except that a body alone always shows all.
  const Stats& pageBlock(int32_t g) const {
    return OutputType > kSummaryPage ? p.all : typeBlock(g);
  }

  void mPSummary(int32_t t) {
    buildInPlace(
        pSummary.at(static_cast<size_t>(t)),
        {"I PlayerTables.mPSummary", "O PlayerTables.mPSummary",
         "Error in PlayerTables.mPSummary: "},
        [&](Table& tb) {
          using namespace cells;
          const Stats& s = typeBlock(t);
          const std::string name = t == kAllTypes
                                       ? std::string("All Game Types Combined")
                                       : std::string(Specs::games[static_cast<size_t>(t)]);
          const bool teamColumns = t == kAllTypes || Derived::teamColumns(name);
          const bool career = OutputType == kCareerPage || OutputType == kCareerBody;

          std::vector<const char*> names = {"Frags", "Kills", "Deaths", "Suicides"};
          std::vector<std::string> v = {str(s.frags), str(s.kills), str(s.deaths), str(s.suicides)};
          if (teamColumns) {
            names.insert(names.end(), {"TK", "TD"});
            v.insert(v.end(), {str(s.tkills), str(s.tdeaths)});
          }
          names.insert(names.end(), {"Eff", "Avg FPH", "Avg TTL", "Ping"});
          v.push_back(pct(efficiency(s, true)));
          // Without time played the rate has no finite value.
          v.push_back(s.totalTime != 0.0 ? fmt(s.frags * 3600.0 / s.totalTime) : "0.0");
          v.push_back(fmt(s.totalTime / lives(s)));
          v.push_back(ping(s, p.isABot));
          if (career) {
            names.insert(names.end(), {"Wins", "Losses"});
            v.insert(v.end(), {str(s.teamWins), str(s.teamLosses)});
          }
          names.insert(names.end(), {"Games", "Hours"});
          v.insert(v.end(), {str(s.uses), fmt(s.totalTime * (1.0 / 3600))});
          Derived::summaryValues(v, s);

          tb.push_back({span((career ? "Career Summary - " : "Summary - ") + name, kSectionLine, 1,
                             static_cast<int32_t>(v.size()))});
          Derived::summaryHeadings(tb, names);
          values(tb, std::move(v));
        });
  }

  void mPSuicide(int32_t g) {
    buildInPlace(pSuicide,
                 {"I PlayerTables.mPSuicide", "O PlayerTables.mPSuicide",
                  "Error in PlayerTables.mPSuicide: "},
                 [&](Table& t) {
                   t.push_back(cells::headings({"Type", "Suicides"}));
                   cells::countRows(t, cells::suicideCounts(pageBlock(g)), Derived::suicideName);
                 });
  }

  void mPPickups() {
    buildInPlace(pPickups,
                 {"I PlayerTables.mPPickups", "O PlayerTables.mPPickups",
                  "Error in PlayerTables.mPPickups: "},
                 [&](Table& t) {
                   spells(t, {"Powerup", "# of Uses", "Kills/Use"}, p.pickups, Specs::pickups);
                 });
  }

  void mPSprees() {
    buildInPlace(
        pSprees,
        {"I PlayerTables.mPSprees", "O PlayerTables.mPSprees", "Error in PlayerTables.mPSprees: "},
        [&](Table& t) {
          spells(t, {"Spree", "# of Sprees", "Kills/Spree"}, p.sprees, Specs::sprees);
        });
  }

  void mPItems(int32_t g) {
    buildInPlace(
        pItems,
        {"I PlayerTables.mPItems", "O PlayerTables.mPItems", "Error in PlayerTables.mPItems: "},
        [&](Table& t) {
          t.push_back(cells::headings({"Item Type", "Total Collected"}));
          const Stats& s = typeBlock(g);
          cells::countRows(t, std::vector<int32_t>(s.itemGets.begin(), s.itemGets.end()),
                           Derived::itemName);
        });
  }

  // One row per weapon of block s with a count, most frags first, then fewest deaths: the
  // weapon's name, frags, kills, deaths, suicides and efficiency, then more(key)'s values;
  // more gives none for a weapon that has no row.
  template <class More>
  static void weaponRows(Table& t, const Stats& s, More more) {
    using namespace cells;
    std::vector<SortWeapon> keys;
    for (size_t w = 0; w < Specs::kWeapons; ++w) keys.emplace_back(s, static_cast<int32_t>(w));
    util::QuickSort::quickSort(keys, util::KeyComp<SortWeapon>());
    for (const SortWeapon& k : keys) {
      std::optional<std::vector<std::string>> extra = more(k);
      if (!extra) continue;
      Row r{cell(std::string(Derived::weaponName(static_cast<size_t>(k.num))), kRowLabel)};
      for (std::string v :
           {str(k.frags), str(k.kills), str(k.deaths), str(k.suicides), pct(k.eff)}) {
        r.push_back(cell(std::move(v), kValue));
      }
      for (std::string& v : *extra) r.push_back(cell(std::move(v), kValue));
      t.push_back(std::move(r));
    }
  }

  // Lives are deaths, suicides and the one still running.
  static double lives(const Stats& s) { return util::add32(util::add32(s.deaths, s.suicides), 1); }

  // One row of value cells.
  static void values(Table& t, std::vector<std::string> v) {
    Row r;
    for (std::string& x : v) r.push_back(cells::cell(std::move(x), kValue));
    t.push_back(std::move(r));
  }

 private:
  // Spells of holding a power-up (or of a life at a spree level): one row each, every one
  // listed, most kills first. heads names the first column, the count and the kills per count.
  template <size_t N, class Names>
  static void spells(Table& t, std::initializer_list<const char*> heads,
                     const std::array<Stats, N>& blocks, const Names& names) {
    using namespace cells;
    const std::vector<const char*> h(heads);
    t.push_back(headings({h.at(0), h.at(1), "Time (minutes)", "Kills", "Deaths+Suicides", h.at(2),
                          "Kills/Hour", "TTL(sec)"}));
    std::vector<int32_t> kills;
    for (const Stats& b : blocks) kills.push_back(b.kills);
    ranked(t, kills, [&](size_t i) -> std::optional<Row> {
      const Stats& b = blocks.at(i);
      Row r{cell(std::string(names.at(i)), kRowLabel)};
      for (std::string v :
           {str(b.uses), fmt(b.totalTime * (1.0 / 60)), str(b.kills),
            str(util::add32(b.deaths, b.suicides)),
            b.uses == 0 ? std::string("0.0") : fmt(static_cast<double>(b.kills) / b.uses),
            b.totalTime == 0.0 ? std::string("0.0") : fmt(b.kills * 3600.0 / b.totalTime),
            fmt(b.totalTime / lives(b))}) {
        r.push_back(cell(std::move(v), kValue));
      }
      return r;
    });
  }
};

}  // namespace orvane::programs::Scorex::output
