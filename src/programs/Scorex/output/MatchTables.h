#pragma once

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

#include "games/Spell.h"
#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/output/MatchCells.h"
#include "programs/Scorex/output/SortVs.h"
#include "programs/Scorex/output/TableEntry.h"
#include "util/Comp.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/QuickSort.h"

namespace orvane::programs::Scorex::output {

// The tables that both games' match pages build alike, and the pieces of the games' own tables.
// Game is the game's match; Names names its weapons (weapon(k)), its suicides (suicide(k):
// weapons first, then the causes), items (item(k)) and power-ups (pickup(k)) on the pages, and
// gives its name tables (Specs). Each game's GameTables derives from it, adds its own tables and
// runs all builders in its own order. A builder that fails leaves its table unset.
template <class Game, class Names>
class MatchTables {
 public:
  using Player = typename decltype(Game::plist)::value_type;
  using Stats = decltype(Player::all);
  using HighScores = typename decltype(Game::hs)::element_type;
  using List = std::vector<int32_t>;
  using Specs = typename Names::Specs;
  using PerPlayer = std::vector<std::optional<Table>>;  // by player number

  const Game& g;
  std::optional<Table> gameTotals;
  std::optional<Table> killsMatchUp;
  std::optional<Table> highs;
  std::optional<Table> lows;
  std::optional<Table> killsHoldingWeapon;
  std::optional<Table> deathsByWeapon;
  std::optional<Table> deathsHoldingWeapon;
  std::optional<Table> suicides;
  std::optional<Table> pickups;
  std::optional<Table> items;
  std::optional<Table> gameWeapons;  // the match's weapons
  PerPlayer playerWeapons;
  PerPlayer playerSuicides;
  PerPlayer playerPlayer;
  PerPlayer playerPickup;  // built by each game: it decides which spells are power-ups
  PerPlayer playerItem;

 protected:
  static constexpr size_t kW = Specs::kWeapons;

  explicit MatchTables(const Game& theGame) : g(theGame) {}

  // Runs the game's builders in its order; a failure outside them ends the building.
  template <class Builders>
  void buildAll(Builders builders) {
    util::Debug::print("I GameTables", 1);
    try {
      builders();
    } catch (const std::exception& e) {
      util::Debug::report("Error in GameTables: ", e);
    }
    util::Debug::print("O GameTables", 1);
  }

  void mGameTotals() {
    util::Debug::print("I GameTables.mGameTotals", 1);
    attempt(gameTotals, "Error in GameTables.mGameTotals: ", [this] {
      const Stats& s = g.gameTotals.all;
      return Table{cells::headings({"Frags", "Kills", "Deaths", "Suicides"}),
                   values({s.frags, s.kills, s.deaths, s.suicides})};
    });
    util::Debug::print("O GameTables.mGameTotals", 1);
  }

  // The highs and lows: the categories both games show, then the game's own, which more(t)
  // adds.
  template <class More>
  void mHighs(More more) {
    util::Debug::print("I GameTables.mHighs", 1);
    attempt(highs, "Error in GameTables.mHighs: ", [&] {
      const HighScores& hs = scores();
      Table t{cells::headings({"Category", "Player", "Score"})};
      countRow(t, "Most Frags", hs.MostFrags, &Stats::frags, true);
      countRow(t, "Most Kills", hs.MostKills, &Stats::kills, true);
      countRow(t, "Least Deaths", hs.LeastDeaths, &Stats::deaths, false);
      scoreRow(t, "Highest Efficiency", hs.HighEff, effText);
      more(t);
      return t;
    });
    util::Debug::print("O GameTables.mHighs", 1);
  }
  template <class More>
  void mLows(More more) {
    util::Debug::print("I GameTables.mLows", 1);
    attempt(lows, "Error in GameTables.mLows: ", [&] {
      const HighScores& hs = scores();
      Table t{cells::headings({"Category", "Player", "Score"})};
      countRow(t, "Least Frags", hs.LeastFrags, &Stats::frags, true);
      countRow(t, "Least Kills", hs.LeastKills, &Stats::kills, true);
      countRow(t, "Most Deaths", hs.MostDeaths, &Stats::deaths, true);
      countRow(t, "Most Suicides", hs.MostSuicides, &Stats::suicides, true);
      scoreRow(t, "Lowest Efficiency", hs.LowEff, effText);
      more(t);
      return t;
    });
    util::Debug::print("O GameTables.mLows", 1);
  }

  // Killers down, victims across, in player-number order; suicides on the diagonal. The grid
  // grows with the square of the players: above kMatchUpPlayers it is left empty (no rows),
  // and the page shows a note in its place.
  void mKillsMatchUp() {
    util::Debug::print("I GameTables.mKillsMatchUp", 1);
    attempt(killsMatchUp, "Error in GameTables.mKillsMatchUp: ", [this] {
      const size_t n = g.playersByUID.size();
      if (n > kMatchUpPlayers) return Table{};
      const int32_t count = static_cast<int32_t>(n);
      Table t{Row{cells::span("", kRowLabel, 2, 2), cells::span("Victim", kRowLabel, 1, count)},
              Row{}};
      for (size_t j = 0; j < n; ++j) {
        const Player& p = g.byUID(j);
        t[1].push_back({TableEntry(p.name, p.isABot ? kVerticalBotLink : kVerticalHumanLink,
                                   cells::str(p.uid))});
      }
      for (size_t i = 0; i < n; ++i) {
        const Player& p = g.byUID(i);
        Row r;
        if (i == 0) r.push_back({TableEntry("Killer", kVerticalLabel, count, 1, 20, 0)});
        r.push_back(playerCell(p));
        const List kills = p.all.playerKills.value_or(List());
        for (size_t j = 0; j < n; ++j) {
          const int32_t v = i == j ? p.all.suicides : j < kills.size() ? kills[j] : 0;
          r.push_back({TableEntry(v == 0 ? "&nbsp" : cells::str(v), i == j ? kHighlighted : kValue,
                                  1, 1, 20, 20)});
        }
        t.push_back(std::move(r));
      }
      return t;
    });
    util::Debug::print("O GameTables.mKillsMatchUp", 1);
  }

  void mKillsHoldingWeapon() {
    util::Debug::print("I GameTables.mKillsHoldingWeapon", 1);
    attempt(killsHoldingWeapon, "Error in GameTables.mKillsHoldingWeapon: ", [this] {
      return holderTable(
          cells::headings({"Weapon", "Player", "Kills"}), kW,
          [this](size_t w) -> const List& { return scores().KillsHoldingWeapon.at(w); },
          [](const Stats& s, size_t w) { return s.myKills.at(w); }, Names::weapon);
    });
    util::Debug::print("O GameTables.mKillsHoldingWeapon", 1);
  }

  void mDeathsByWeapon() {
    util::Debug::print("I GameTables.mDeathsByWeapon", 1);
    attempt(deathsByWeapon, "Error in GameTables.mDeathsByWeapon: ", [this] {
      return holderTable(
          cells::headings({"Opponents's Weapon", "Player", "Deaths"}), kW,
          [this](size_t w) -> const List& { return scores().DeathsByWeapon.at(w); },
          [](const Stats& s, size_t w) { return s.myDeathsOppW.at(w); }, Names::weapon);
    });
    util::Debug::print("O GameTables.mDeathsByWeapon", 1);
  }

  void mDeathsHoldingWeapon() {
    util::Debug::print("I GameTables.mDeathsHoldingWeapon", 1);
    attempt(deathsHoldingWeapon, "Error in GameTables.mDeathsHoldingWeapon: ", [this] {
      return holderTable(
          cells::headings({"Weapon", "Player", "Deaths"}), kW,
          [this](size_t w) -> const List& { return scores().DeathsHoldingWeapon.at(w); },
          [](const Stats& s, size_t w) { return s.myDeaths.at(w); }, Names::weapon);
    });
    util::Debug::print("O GameTables.mDeathsHoldingWeapon", 1);
  }

  // Weapons and causes of death ranked together: keys below kW are weapons, the rest causes.
  void mSuicides() {
    util::Debug::print("I GameTables.mSuicides", 1);
    attempt(suicides, "Error in GameTables.mSuicides: ", [this] {
      return holderTable(
          cells::headings({"Type", "Player", "Suicides"}), kW + Specs::kSuicides,
          [this](size_t k) -> const List& {
            return k < kW ? scores().WeaponSuicides.at(k) : scores().Suicides.at(k - kW);
          },
          [](const Stats& s, size_t k) { return cells::suicideCounts(s).at(k); }, Names::suicide);
    });
    util::Debug::print("O GameTables.mSuicides", 1);
  }

  void mPickups() {
    util::Debug::print("I GameTables.mPickups", 1);
    attempt(pickups, "Error in GameTables.mPickups: ", [this] {
      return entryHolders(cells::headings({"Powerup Type", "Player", "Kills During Use"}),
                          scores().Pickups, Names::pickup,
                          [](const Player& p, size_t i) { return p.pickups.at(i).kills; });
    });
    util::Debug::print("O GameTables.mPickups", 1);
  }

  void mItems() {
    util::Debug::print("I GameTables.mItems", 1);
    attempt(items, "Error in GameTables.mItems: ", [this] {
      const auto& byType = scores().ItemsByType;
      return cells::countTable(cells::headings({"Item Type", "Total Item Pickups"}),
                               List(byType.begin(), byType.end()), Names::item);
    });
    util::Debug::print("O GameTables.mItems", 1);
  }

  // Each player's weapons, and in one more pass the match's, as weaponTable(block) shows them.
  template <class WeaponTable>
  void mPlayerWeapons(WeaponTable weaponTable) {
    util::Debug::print("I GameTables.mPlayerWeapons", 1);
    eachPlayer(playerWeapons, "Error in GameTables.mPlayerWeapons: ", [&](const Player& p) {
      return weaponTable(p.all);
    });
    attempt(gameWeapons,
            "Error in GameTables.mPlayerWeapons: ", [&] { return weaponTable(g.gameTotals.all); });
    util::Debug::print("O GameTables.mPlayerWeapons", 1);
  }

  void mPlayerSuicides() {
    util::Debug::print("I GameTables.mPlayerSuicides", 1);
    eachPlayer(playerSuicides, "Error in GameTables.mPlayerSuicides: ", [](const Player& p) {
      return cells::countTable(cells::headings({"Type", "Suicides"}), cells::suicideCounts(p.all),
                               Names::suicide);
    });
    util::Debug::print("O GameTables.mPlayerSuicides", 1);
  }

  // The player's opponents (himself included), most kills of them first, then fewest deaths.
  void mPlayerPlayer() {
    util::Debug::print("I GameTables.mPlayerPlayer", 1);
    eachPlayer(playerPlayer, "Error in GameTables.mPlayerPlayer: ", [this](const Player& p) {
      std::vector<SortVs> keys;
      for (size_t s = 0; s < g.playersByUID.size(); ++s) {
        keys.emplace_back(p.all, static_cast<int32_t>(s));
      }
      util::QuickSort::quickSort(keys, util::KeyComp<SortVs>());
      Table t{cells::headings({"Opponent", "Kills", "Deaths", "Efficiency"})};
      for (const SortVs& k : keys) {
        if (k.kills == 0 && k.deaths == 0) continue;
        t.push_back(Row{playerCell(g.byUID(static_cast<size_t>(k.num))),
                        cells::cell(cells::str(k.kills), kValue),
                        cells::cell(cells::str(k.deaths), kValue),
                        cells::cell(cells::pct(k.eff), kValue)});
      }
      return t;
    });
    util::Debug::print("O GameTables.mPlayerPlayer", 1);
  }

  void mPlayerItem() {
    util::Debug::print("I GameTables.mPlayerItem", 1);
    eachPlayer(playerItem, "Error in GameTables.mPlayerItem: ", [](const Player& p) {
      return cells::countTable(cells::headings({"Item Type", "Total Item Pickups"}),
                               List(p.all.itemGets.begin(), p.all.itemGets.end()), Names::item);
    });
    util::Debug::print("O GameTables.mPlayerItem", 1);
  }

  // ---- Pieces for the games' own builders ------------------------------------------------

  // Builds one table; a failure is traced with the builder's prefix and leaves the table unset.
  // make may return a Table, or no table where there is nothing to show.
  template <class Make>
  static void attempt(std::optional<Table>& table, const char* error, Make make) {
    try {
      table = make();
    } catch (const std::exception& e) {
      util::Debug::report(error, e);
    }
  }
  // One table per player number; a failure leaves only that player's table unset.
  template <class Make>
  void eachPlayer(PerPlayer& tables, const char* error, Make make) const {
    tables.assign(g.playersByUID.size(), std::nullopt);
    for (size_t p = 0; p < tables.size(); ++p) {
      attempt(tables[p], error, [&] { return make(g.byUID(p)); });
    }
  }

  const HighScores& scores() const {
    if (!g.hs) throw util::Failure(util::Failure::kNullPointer, "");
    return *g.hs;
  }
  // A link to the player's page of this match; the renderer escapes the name.
  static TableEntry playerEntry(const Player& p) {
    return cells::playerEntry(p.name, p.isABot, p.uid);
  }
  static Cell playerCell(const Player& p) { return {playerEntry(p)}; }
  // Every holder of a high score, stacked in list order.
  Cell holders(const List& list) const {
    Cell c;
    for (int32_t uid : list) c.push_back(playerEntry(g.byUID(static_cast<size_t>(uid))));
    return c;
  }
  const Player& firstHolder(const List& list) const {
    return g.byUID(static_cast<size_t>(list.at(0)));
  }
  // Counts as a row of plain values.
  static Row values(std::initializer_list<int32_t> counts) {
    Row r;
    for (int32_t n : counts) r.push_back(cells::cell(cells::str(n), kValue));
    return r;
  }

  // A category of the highs or lows: label, holders and the first holder's value as text.
  template <class Text>
  void scoreRow(Table& t, const char* label, const List& list, Text text) const {
    if (list.empty()) return;  // a match without players has no holder
    t.push_back(Row{cells::cell(label, kRowLabel), holders(list),
                    cells::cell(text(firstHolder(list).all), kValue)});
  }
  // The same for a count, which some categories show only when it is above 0.
  void countRow(Table& t, const char* label, const List& list, int32_t Stats::*count,
                bool onlyPositive) const {
    if (onlyPositive && (list.empty() || firstHolder(list).all.*count <= 0)) return;
    scoreRow(t, label, list, [count](const Stats& s) { return cells::str(s.*count); });
  }
  // Names with their high-score holders and the first holder's count; a name without holders
  // is ranked last with -100 and gives no row.
  template <class Lists, class Value, class Name>
  Table holderTable(Row heading, size_t n, Lists list, Value value, Name name) const {
    List counts(n, -100);
    for (size_t k = 0; k < n; ++k) {
      if (!list(k).empty()) counts[k] = value(firstHolder(list(k)).all, k);
    }
    Table t{std::move(heading)};
    cells::ranked(t, counts, [&](size_t k) -> std::optional<Row> {
      if (list(k).empty()) return std::nullopt;
      return Row{cells::cell(std::string(name(k)), kRowLabel), holders(list(k)),
                 cells::cell(cells::str(counts[k]), kValue)};
    });
    return t;
  }
  // In the name table's order, a row for every entry with holders: the name, the holders and
  // value(first holder, entry).
  template <size_t N, class Name, class Value>
  Table entryHolders(Row heading, const std::array<List, N>& lists, Name name, Value value) const {
    Table t{std::move(heading)};
    for (size_t i = 0; i < N; ++i) {
      if (lists[i].empty()) continue;
      t.push_back(Row{cells::cell(std::string(name(i)), kRowLabel), holders(lists[i]),
                      cells::cell(cells::str(value(firstHolder(lists[i]), i)), kValue)});
    }
    return t;
  }

  // The players in rank order, each row their rank, their link and figures(player), then a
  // totals row of figures(total) as highlighted values. In a team game with teams there is one
  // such block per team, under the team's banner (spanning bannerSpan columns), else one block
  // for the whole match. heads(t) adds the block's heading rows.
  template <class Heads, class Figures>
  Table rankedBlocks(int32_t bannerSpan, Heads heads, Figures figures) const {
    Table t;
    auto block = [&](const Player& total, bool banner) {
      if (banner)
        t.push_back({cells::span("Team: " + cells::esc(total.name), kTeamBanner, 1, bannerSpan)});
      heads(t);
      for (size_t i = 0; i < g.playersByRank.size(); ++i) {
        const Player& p = g.byRank(i);
        if (!banner || p.team == total.uid) t.push_back(rankedRow(p, figures));
      }
      Row r{cells::span("Totals", kRowLabel, 1, 2)};
      for (std::string& v : figures(total)) r.push_back(cells::cell(std::move(v), kHighlighted));
      t.push_back(std::move(r));
    };
    // A team game in which nobody joined a team is shown as one block, like any other game.
    if (g.teamGame && !g.teamTotals.empty()) {
      for (const Player& team : g.teamTotals) block(team, true);
    } else {
      block(g.gameTotals, false);
    }
    return t;
  }
  template <class Figures>
  static Row rankedRow(const Player& p, Figures figures) {
    Row r{cells::cell(cells::str(p.rank), kRowLabel), playerCell(p)};
    for (std::string& v : figures(p)) r.push_back(cells::cell(std::move(v), kValue));
    return r;
  }

  // The player's finished spells (power-up holdings, sprees) that keep(spell) selects, in the
  // order they ended.
  template <class Keep>
  Table spellTable(Row heading, const Player& p, Keep keep) const {
    Table t{std::move(heading)};
    for (const games::Spell& r : p.itemInfo) {
      if (!keep(r)) continue;
      t.push_back(Row{
          cells::cell(cells::esc(r.desc), kRowLabel), cells::cell(cells::fmt(r.startTime), kValue),
          cells::cell(cells::fmt(r.totalTime), kValue), cells::cell(cells::str(r.kills), kValue),
          cells::cell(reasonText(r), kValue)});
    }
    return t;
  }
  // Why a spell ended, as the player page says it.
  std::string reasonText(const games::Spell& r) const {
    if (r.reasonStopped == "Suicide") {
      if (r.suicideCause >= 0) {
        return "Suicide by " + std::string(Names::suicide(static_cast<size_t>(r.suicideCause)));
      }
      return "Suicide by ";
    }
    if (r.reasonStopped == "Killed") {
      std::string killer;
      const size_t x = static_cast<size_t>(r.killer);
      if (r.killer >= 0 && x < g.playersByUID.size()) killer = cells::esc(g.byUID(x).name);
      std::string weapon;
      if (r.killerWeapon >= 0) weapon = Names::weapon(static_cast<size_t>(r.killerWeapon));
      return "Killed by " + killer + " with a " + weapon;
    }
    if (r.reasonStopped == "GameEnd") return "Game Ended";
    if (r.reasonStopped == "Disconnected" || r.reasonStopped == "Deactivated") {
      return r.reasonStopped;
    }
    return "";
  }

 private:
  static std::string effText(const Stats& s) { return cells::pct(cells::efficiency(s, false)); }
};

}  // namespace orvane::programs::Scorex::output
