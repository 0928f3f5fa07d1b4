#include "programs/ScorexBRK/output/GameTables.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "games/brk/Specs.h"
#include "programs/ScorexBRK/output/Cells.h"
#include "programs/ScorexBRK/output/SortInt.h"
#include "programs/ScorexBRK/output/SortVs.h"
#include "programs/ScorexBRK/output/SortWeapon.h"
#include "programs/ScorexBRK/output/TableHtml.h"
#include "util/Comp.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Numbers.h"
#include "util/QuickSort.h"

namespace orvane::programs::ScorexBRK::output {

using games::brk::Game;
using games::brk::HighScores;
using games::brk::Player;
using games::brk::PStats;
using games::brk::Specs;
using util::Debug;

using namespace cells;

namespace {

constexpr size_t kW = Specs::kWeapons;

// A link to the player's page of this match; the renderer escapes the name.
TableEntry playerEntry(const Player& p) { return cells::playerEntry(p.name, p.isABot, p.uid); }
Cell playerCell(const Player& p) { return {playerEntry(p)}; }
// Every holder of a high score, stacked in list order.
Cell holders(const Game& g, const HighScores::List& list) {
  Cell c;
  for (int32_t uid : list) c.push_back(playerEntry(g.byUID(static_cast<size_t>(uid))));
  return c;
}
const PStats& firstHolder(const Game& g, const HighScores::List& list) {
  return g.byUID(static_cast<size_t>(list.at(0))).all;
}

const HighScores& scores(const Game& g) {
  if (!g.hs) throw util::Failure("NullPointerException", "");
  return *g.hs;
}
bool isTeamPlay(const Game& g) {
  return Specs::games.at(static_cast<size_t>(g.gameType)) == "TeamPlay";
}

// The figures of a summary row after rank and player.
void summaryValues(Row& r, const PStats& s, bool teamPlay, bool bot, int32_t kind) {
  std::vector<std::string> v = {str(s.frags), str(s.kills), str(s.deaths), str(s.suicides)};
  if (teamPlay) v.insert(v.end(), {str(s.tkills), str(s.tdeaths)});
  v.push_back(pct(efficiency(s, true)));
  v.push_back(fmt(s.frags * 3600.0 / s.totalTime, 1));
  v.push_back(fmt(s.totalTime / (static_cast<double>(s.deaths) + s.suicides + 1), 1));
  v.push_back(ping(s, bot));
  v.push_back(minutes(s.totalTime));
  v.insert(v.end(), {str(s.dGiven), str(s.dReceived), fmt(damageRatio(s.dGiven, s.dReceived), 3)});
  for (std::string& x : v) r.push_back(cell(std::move(x), kind));
}
void summaryHeadings(Table& t, bool teamPlay, const char* eff) {
  std::vector<const char*> names = {"Rank", "Player", "Frags", "Kills", "Deaths", "Suicides"};
  if (teamPlay) names.insert(names.end(), {"TK", "TD"});
  names.insert(names.end(), {eff, "Avg.<br>FPH", "Avg.<br>TTL", "Ping", "Time"});
  damageHeadings(t, names);
}
Row summaryRow(const Player& p, bool teamPlay) {
  Row r{cell(str(p.rank), 3), playerCell(p)};
  summaryValues(r, p.all, teamPlay, p.isABot, 1);
  return r;
}

// Names with their high-score holders and the first holder's count; a name without holders
// is ranked last with -100 and gives no row.
template <class List, class Value, class Name>
Table holderTable(const Game& g, Row heading, size_t n, List list, Value value, Name name) {
  std::vector<int32_t> counts(n, -100);
  for (size_t k = 0; k < n; ++k) {
    if (!list(k).empty()) counts[k] = value(firstHolder(g, list(k)), k);
  }
  Table t{std::move(heading)};
  ranked(t, counts, [&](size_t k) -> std::optional<Row> {
    if (list(k).empty()) return std::nullopt;
    return Row{cell(std::string(name(k)), 3), holders(g, list(k)), cell(str(counts[k]), 1)};
  });
  return t;
}
// A category of the highs or lows: label, holders and the first holder's value as text.
template <class Text>
void scoreRow(Table& t, const Game& g, const char* label, const HighScores::List& list, Text text) {
  if (list.empty()) return;  // a match without players has no holder
  t.push_back(Row{cell(label, 3), holders(g, list), cell(text(firstHolder(g, list)), 1)});
}
// The same for a count, which some categories show only when it is above 0.
void countRow(Table& t, const Game& g, const char* label, const HighScores::List& list,
              int32_t PStats::*count, bool onlyPositive) {
  if (onlyPositive && (list.empty() || firstHolder(g, list).*count <= 0)) return;
  scoreRow(t, g, label, list, [count](const PStats& s) { return str(s.*count); });
}
std::string effText(const PStats& s) { return pct(efficiency(s, false)); }

Table weaponTable(const PStats& s) {
  Table t;
  damageHeadings(
      t, {"Weapon", "Frags", "Kills", "Deaths", "Suicides", "Eff.", "Hits", "Shots", "Acc."});
  std::vector<SortWeapon> keys;
  for (size_t w = 0; w < kW; ++w) keys.emplace_back(s, static_cast<int32_t>(w));
  util::QuickSort::quickSort(keys, util::KeyComp<SortWeapon>());
  for (const SortWeapon& k : keys) {
    const size_t w = static_cast<size_t>(k.num);
    const int32_t hits = s.myHits.at(w);
    const int32_t shots = s.myShots.at(w);
    if (shots == 0) continue;
    Row r{cell(std::string(Specs::weapons.at(w)), 3)};
    for (std::string v :
         {str(k.frags), str(k.kills), str(k.deaths), str(k.suicides), pct(k.eff), str(hits),
          str(shots), pct(100.0 * hits / shots), str(s.myDGiven.at(w)), str(s.myDReceived.at(w)),
          fmt(damageRatio(s.myDGiven.at(w), s.myDReceived.at(w)), 1)}) {
      r.push_back(cell(std::move(v), 1));
    }
    t.push_back(std::move(r));
  }
  return t;
}

// Why a power-up holding or a spree ended, as the player page says it.
std::string reasonText(const Game& g, const PStats& r) {
  if (r.reasonStopped == "Suicide") {
    const std::vector<int32_t> counts = suicideCounts(r);
    for (size_t k = 0; k < counts.size(); ++k) {
      if (counts[k] > 0) return "Suicide by " + std::string(suicideName(k));
    }
    return "Suicide by ";
  }
  if (r.reasonStopped == "Killed") {
    std::string killer;
    const std::vector<int32_t> deaths = r.playerDeaths.value_or(std::vector<int32_t>());
    const auto k = std::find_if(deaths.begin(), deaths.end(), [](int32_t d) { return d > 0; });
    const size_t x = static_cast<size_t>(k - deaths.begin());
    if (k != deaths.end() && x < g.playersByUID.size()) killer = esc(g.byUID(x).name);
    std::string weapon;
    for (size_t w = 0; w < kW && weapon.empty(); ++w) {
      if (r.myDeathsOppW[w] > 0) weapon = Specs::weapons[w];
    }
    return "Killed by " + killer + " with a " + weapon;
  }
  if (r.reasonStopped == "GameEnd") return "Game Ended";
  if (r.reasonStopped == "Disconnected" || r.reasonStopped == "Deactivated") return r.reasonStopped;
  return "";
}

// Builds one table; a failure is traced with the builder's prefix and leaves the table unset.
template <class Make>
void attempt(std::optional<Table>& table, const char* error, Make make) {
  try {
    table = make();
  } catch (const std::exception& e) {
    Debug::print(error + util::failureText(e), 0);
  }
}
// One table per player number; a failure leaves only that player's table unset.
template <class Make>
void eachPlayer(const Game& g, std::vector<std::optional<Table>>& tables, const char* error,
                Make make) {
  tables.assign(g.playersByUID.size(), std::nullopt);
  for (size_t p = 0; p < tables.size(); ++p) {
    attempt(tables[p], error, [&] { return make(g.byUID(p)); });
  }
}

}  // namespace

GameTables::GameTables(const Game& theGame) : g(theGame) {
  Debug::print("I GameTables", 1);
  try {
    mGameSummary();
    mGameTotals();
    mGameInfo();
    mKillsMatchUp();
    mHighs();
    mLows();
    mKillsHoldingWeapon();
    mDeathsByWeapon();
    mDeathsHoldingWeapon();
    mSuicides();
    mPickups();
    mItems();
    mGameZBot();
    if (g.teamGame) mTeam();
    mPlayerSummary();
    mPlayerWeapons();
    mPlayerSuicides();
    mPlayerPlayer();
    mPlayerPickup();
    mPlayerItem();
  } catch (const std::exception& e) {
    Debug::print("Error in GameTables: " + util::failureText(e), 0);
  }
  Debug::print("O GameTables", 1);
}

void GameTables::mGameSummary() {
  Debug::print("I GameTables.mGameSummary", 1);
  attempt(gameSummary, "Error in GameTables.mGameSummary: ", [this] {
    const bool teamPlay = isTeamPlay(g);
    Table t;
    auto block = [&](const Player& total, bool banner) {
      if (banner) t.push_back({span("Team: " + esc(total.name), 11, 1, 16)});
      summaryHeadings(t, teamPlay, "Eff.");
      for (size_t i = 0; i < g.playersByRank.size(); ++i) {
        const Player& p = g.byRank(i);
        if (!banner || p.team == total.uid) t.push_back(summaryRow(p, teamPlay));
      }
      Row r{span("Totals", 3, 1, 2)};
      summaryValues(r, total.all, teamPlay, total.isABot, 9);
      t.push_back(std::move(r));
    };
    // A team game in which nobody joined a team is shown as one block, like any other game.
    if (g.teamGame && !g.teamTotals.empty()) {
      for (const Player& team : g.teamTotals) block(team, true);
    } else {
      block(g.gameTotals, false);
    }
    return t;
  });
  Debug::print("O GameTables.mGameSummary", 1);
}

void GameTables::mGameTotals() {
  Debug::print("I GameTables.mGameTotals", 1);
  attempt(gameTotals, "Error in GameTables.mGameTotals: ", [this] {
    const PStats& s = g.gameTotals.all;
    return Table{headings({"Frags", "Kills", "Deaths", "Suicides"}),
                 Row{cell(str(s.frags), 1), cell(str(s.kills), 1), cell(str(s.deaths), 1),
                     cell(str(s.suicides), 1)}};
  });
  Debug::print("O GameTables.mGameTotals", 1);
}

void GameTables::mGameInfo() {
  Debug::print("I GameTables.mGameInfo", 1);
  attempt(gameInfo, "Error in GameTables.mGameInfo: ", [this] {
    std::string disabled;
    const std::vector<std::string>& items = g.disabledItems;
    for (size_t i = 0; i < items.size(); ++i) {
      disabled += esc(items[i]);
      if (i + 1 < items.size()) disabled += ", ";
      if ((i + 1) % 3 == 0) disabled += "<br>";
    }
    if (items.empty()) disabled = "None";
    const std::pair<const char*, std::string> rows[] = {
        {"Match Date", esc(g.date)},
        {"Match Name", esc(g.servername)},
        {"Game", "Brakk - Tourney"},
        {"Mode", std::string(Specs::games.at(static_cast<size_t>(g.gameType)))},
        {"Map", esc(g.map)},
        {"Timelimit", esc(g.timelimit)},
        {"Fraglimit", esc(g.fraglimit)},
        {"No. Players", std::to_string(g.plist.size())},
        {"dmflags", esc(g.dmflags)},
        {"Hook Status", esc(g.hookstatus)},
        {"Runes Status", esc(g.runesstatus)},
        {"Disabled Items", disabled}};
    Table t;
    for (const auto& [label, value] : rows) t.push_back(Row{cell(label, 3), cell(value, 1)});
    return t;
  });
  Debug::print("O GameTables.mGameInfo", 1);
}

void GameTables::mKillsMatchUp() {
  Debug::print("I GameTables.mKillsMatchUp", 1);
  attempt(killsMatchUp, "Error in GameTables.mKillsMatchUp: ", [this] {
    const size_t n = g.playersByUID.size();
    const int32_t count = static_cast<int32_t>(n);
    Table t{Row{span("", 3, 2, 2), span("Victim", 3, 1, count)}, Row{}};
    for (size_t j = 0; j < n; ++j) {
      const Player& p = g.byUID(j);
      t[1].push_back({TableEntry(p.name, p.isABot ? 8 : 7, str(p.uid))});
    }
    for (size_t i = 0; i < n; ++i) {
      const Player& p = g.byUID(i);
      Row r;
      if (i == 0) r.push_back({TableEntry("Killer", 6, count, 1, 20, 0)});
      r.push_back(playerCell(p));
      const std::vector<int32_t> kills = p.all.playerKills.value_or(std::vector<int32_t>());
      for (size_t j = 0; j < n; ++j) {
        const int32_t v = i == j ? p.all.suicides : j < kills.size() ? kills[j] : 0;
        r.push_back({TableEntry(v == 0 ? "&nbsp" : str(v), i == j ? 9 : 1, 1, 1, 20, 20)});
      }
      t.push_back(std::move(r));
    }
    return t;
  });
  Debug::print("O GameTables.mKillsMatchUp", 1);
}

void GameTables::mHighs() {
  Debug::print("I GameTables.mHighs", 1);
  attempt(highs, "Error in GameTables.mHighs: ", [this] {
    const HighScores& hs = scores(g);
    Table t{headings({"Category", "Player", "Score"})};
    countRow(t, g, "Most Frags", hs.MostFrags, &PStats::frags, true);
    countRow(t, g, "Most Kills", hs.MostKills, &PStats::kills, true);
    countRow(t, g, "Least Deaths", hs.LeastDeaths, &PStats::deaths, false);
    scoreRow(t, g, "Highest Efficiency", hs.HighEff, effText);
    countRow(t, g, "Most Damage Given", hs.DGiven, &PStats::dGiven, false);
    scoreRow(t, g, "Best Damage Ratio", hs.DRatio,
             [](const PStats& s) { return fmt(damageRatio(s.dGiven, s.dReceived), 1); });
    return t;
  });
  Debug::print("O GameTables.mHighs", 1);
}

void GameTables::mLows() {
  Debug::print("I GameTables.mLows", 1);
  attempt(lows, "Error in GameTables.mLows: ", [this] {
    const HighScores& hs = scores(g);
    Table t{headings({"Category", "Player", "Score"})};
    countRow(t, g, "Least Frags", hs.LeastFrags, &PStats::frags, true);
    countRow(t, g, "Least Kills", hs.LeastKills, &PStats::kills, true);
    countRow(t, g, "Most Deaths", hs.MostDeaths, &PStats::deaths, true);
    countRow(t, g, "Most Suicides", hs.MostSuicides, &PStats::suicides, true);
    scoreRow(t, g, "Lowest Efficiency", hs.LowEff, effText);
    countRow(t, g, "Most Damage Received", hs.DReceived, &PStats::dReceived, false);
    return t;
  });
  Debug::print("O GameTables.mLows", 1);
}

void GameTables::mKillsHoldingWeapon() {
  Debug::print("I GameTables.mKillsHoldingWeapon", 1);
  attempt(killsHoldingWeapon, "Error in GameTables.mKillsHoldingWeapon: ", [this] {
    return holderTable(
        g, headings({"Weapon", "Player", "Kills"}), kW,
        [this](size_t w) -> const HighScores::List& { return scores(g).KillsHoldingWeapon.at(w); },
        [](const PStats& s, size_t w) { return s.myKills.at(w); }, weaponName);
  });
  Debug::print("O GameTables.mKillsHoldingWeapon", 1);
}

void GameTables::mDeathsByWeapon() {
  Debug::print("I GameTables.mDeathsByWeapon", 1);
  attempt(deathsByWeapon, "Error in GameTables.mDeathsByWeapon: ", [this] {
    return holderTable(
        g, headings({"Opponents's Weapon", "Player", "Deaths"}), kW,
        [this](size_t w) -> const HighScores::List& { return scores(g).DeathsByWeapon.at(w); },
        [](const PStats& s, size_t w) { return s.myDeathsOppW.at(w); }, weaponName);
  });
  Debug::print("O GameTables.mDeathsByWeapon", 1);
}

void GameTables::mDeathsHoldingWeapon() {
  Debug::print("I GameTables.mDeathsHoldingWeapon", 1);
  attempt(deathsHoldingWeapon, "Error in GameTables.mDeathsHoldingWeapon: ", [this] {
    return holderTable(
        g, headings({"Weapon", "Player", "Deaths"}), kW,
        [this](size_t w) -> const HighScores::List& { return scores(g).DeathsHoldingWeapon.at(w); },
        [](const PStats& s, size_t w) { return s.myDeaths.at(w); }, weaponName);
  });
  Debug::print("O GameTables.mDeathsHoldingWeapon", 1);
}

void GameTables::mSuicides() {
  Debug::print("I GameTables.mSuicides", 1);
  attempt(suicides, "Error in GameTables.mSuicides: ", [this] {
    return holderTable(
        g, headings({"Type", "Player", "Suicides"}), kW + Specs::kSuicides,
        [this](size_t k) -> const HighScores::List& {
          return k < kW ? scores(g).WeaponSuicides.at(k) : scores(g).Suicides.at(k - kW);
        },
        [](const PStats& s, size_t k) { return suicideCounts(s).at(k); }, suicideName);
  });
  Debug::print("O GameTables.mSuicides", 1);
}

void GameTables::mPickups() {
  Debug::print("I GameTables.mPickups", 1);
  attempt(pickups, "Error in GameTables.mPickups: ", [this] {
    Table t{headings({"Powerup Type", "Player", "Kills During Use"})};
    for (size_t i = 0; i < Specs::kPickups; ++i) {
      const HighScores::List& list = scores(g).Pickups[i];
      if (list.empty()) continue;
      const int32_t kills = g.byUID(static_cast<size_t>(list[0])).pickups[i].kills;
      t.push_back(
          Row{cell(std::string(Specs::pickups[i]), 3), holders(g, list), cell(str(kills), 1)});
    }
    return t;
  });
  Debug::print("O GameTables.mPickups", 1);
}

void GameTables::mItems() {
  Debug::print("I GameTables.mItems", 1);
  attempt(items, "Error in GameTables.mItems: ", [this] {
    const auto& byType = scores(g).ItemsByType;
    return countTable(headings({"Item Type", "Total Item Pickups"}),
                      std::vector<int32_t>(byType.begin(), byType.end()),
                      [](size_t i) { return Specs::items.at(i); });
  });
  Debug::print("O GameTables.mItems", 1);
}

void GameTables::mGameZBot() {
  Debug::print("I GameTables.mGameZBot", 1);
  attempt(gameZBot, "Error in GameTables.mGameZBot: ", [this] {
    Table t{headings({"Player Name", "IP Address", "Behavior Info"})};
    for (const games::brk::EPZbot& z : g.zbots) {
      t.push_back(Row{cell(esc(z.name), 3), cell(esc(z.ip), 1), cell(esc(z.botInfo), 1)});
    }
    return t;
  });
  Debug::print("O GameTables.mGameZBot", 1);
}

void GameTables::mTeam() {
  Debug::print("I GameTables.mTeam", 1);
  attempt(teamTable, "Error in GameTables.mTeam: ", [this] {
    // A team game needs two teams for a result line.
    const size_t teams = g.teamTotals.size();
    if (teams < 2) {
      throw util::Failure("IndexOutOfBoundsException", "Index: 1, Size: " + std::to_string(teams));
    }
    const Player& a = g.teamTotals[0];
    const Player& b = g.teamTotals[1];
    const bool teamPlay = isTeamPlay(g);
    const int32_t s1 = teamPlay ? a.all.frags : 0;
    const int32_t s2 = teamPlay ? b.all.frags : 0;
    std::string line;
    if (s1 == s2) {
      line = esc(a.name) + " ties " + esc(b.name) + " - " + str(s1) + " to " + str(s2);
    } else {
      const bool first = s1 > s2;
      line = esc((first ? a : b).name) + " defeats " + esc((first ? b : a).name) + " - " +
             str(std::max(s1, s2)) + " to " + str(std::min(s1, s2));
    }
    return Table{Row{cell(line, 12)}};
  });
  Debug::print("O GameTables.mTeam", 1);
}

void GameTables::mPlayerSummary() {
  Debug::print("I GameTables.mPlayerSummary", 1);
  eachPlayer(g, playerSummary, "Error in GameTables.mPlayerSummary: ", [this](const Player& p) {
    const bool teamPlay = isTeamPlay(g);
    Table t;
    summaryHeadings(t, teamPlay, "Efficiency");
    t.push_back(summaryRow(p, teamPlay));
    return t;
  });
  Debug::print("O GameTables.mPlayerSummary", 1);
}

void GameTables::mPlayerWeapons() {
  Debug::print("I GameTables.mPlayerWeapons", 1);
  eachPlayer(g, playerWeapons, "Error in GameTables.mPlayerWeapons: ", [](const Player& p) {
    return weaponTable(p.all);
  });
  attempt(gameWeapons,
          "Error in GameTables.mPlayerWeapons: ", [this] { return weaponTable(g.gameTotals.all); });
  Debug::print("O GameTables.mPlayerWeapons", 1);
}

void GameTables::mPlayerSuicides() {
  Debug::print("I GameTables.mPlayerSuicides", 1);
  eachPlayer(g, playerSuicides, "Error in GameTables.mPlayerSuicides: ", [](const Player& p) {
    return countTable(headings({"Type", "Suicides"}), suicideCounts(p.all), suicideName);
  });
  Debug::print("O GameTables.mPlayerSuicides", 1);
}

void GameTables::mPlayerPlayer() {
  Debug::print("I GameTables.mPlayerPlayer", 1);
  eachPlayer(g, playerPlayer, "Error in GameTables.mPlayerPlayer: ", [this](const Player& p) {
    std::vector<SortVs> keys;
    for (size_t s = 0; s < g.playersByUID.size(); ++s) {
      keys.emplace_back(p.all, static_cast<int32_t>(s));
    }
    util::QuickSort::quickSort(keys, util::KeyComp<SortVs>());
    Table t{headings({"Opponent", "Kills", "Deaths", "Efficiency"})};
    for (const SortVs& k : keys) {
      if (k.kills == 0 && k.deaths == 0) continue;
      t.push_back(Row{playerCell(g.byUID(static_cast<size_t>(k.num))), cell(str(k.kills), 1),
                      cell(str(k.deaths), 1), cell(pct(k.eff), 1)});
    }
    return t;
  });
  Debug::print("O GameTables.mPlayerPlayer", 1);
}

void GameTables::mPlayerPickup() {
  Debug::print("I GameTables.mPlayerPickup", 1);
  eachPlayer(g, playerPickup, "Error in GameTables.mPlayerPickup: ", [this](const Player& p) {
    Table t{headings({"Powerup", "Start Time", "Time Used", "Kills During Use", "Reason Stopped"})};
    for (const PStats& r : p.itemInfo) {
      t.push_back(Row{cell(esc(r.desc), 3), cell(fmt(r.startTime, 1), 1),
                      cell(fmt(r.totalTime, 1), 1), cell(str(r.kills), 1),
                      cell(reasonText(g, r), 1)});
    }
    return t;
  });
  Debug::print("O GameTables.mPlayerPickup", 1);
}

void GameTables::mPlayerItem() {
  Debug::print("I GameTables.mPlayerItem", 1);
  eachPlayer(g, playerItem, "Error in GameTables.mPlayerItem: ", [](const Player& p) {
    return countTable(headings({"Item Type", "Total Item Pickups"}),
                      std::vector<int32_t>(p.all.itemGets.begin(), p.all.itemGets.end()),
                      [](size_t i) { return Specs::items.at(i); });
  });
  Debug::print("O GameTables.mPlayerItem", 1);
}

}  // namespace orvane::programs::ScorexBRK::output
