#include "programs/ScorexZLN/output/GameTables.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "util/Debug.h"
#include "util/Numbers.h"
#include "util/Wrap.h"

namespace orvane::programs::ScorexZLN::output {

using games::zln::Game;
using games::zln::Player;
using games::zln::PStats;
using games::zln::Specs;
using util::Debug;

using namespace Scorex::output::cells;
using Scorex::output::kHeading;
using Scorex::output::kSectionLine;
using Scorex::output::labelledRow;
using Scorex::output::nameList;
using Scorex::output::SortWeapon;
using Scorex::output::summaryFigures;
using Scorex::output::summaryNames;

namespace {

Row headingRow(const std::vector<std::string>& names) {
  Row r;
  for (const std::string& n : names) r.push_back(cell(n, kHeading));
  return r;
}
// Label and value rows.
Table labelled(const std::vector<std::pair<const char*, std::string>>& rows) {
  Table t;
  for (const auto& [label, value] : rows) t.push_back(labelledRow(label, {value}));
  return t;
}
// A setting as logged; one the log did not give shows as "N/A".
std::string setting(const std::string& v) { return v.empty() ? "N/A" : esc(v); }
// Minutes and seconds ("20:05"), the fraction of a second cut off.
std::string clock(double seconds) {
  const int64_t all = util::truncToInt(seconds);
  const int64_t a = all < 0 ? -all : all;
  const std::string s = std::to_string(a % 60);
  return (all < 0 ? "-" : "") + std::to_string(a / 60) + (s.size() < 2 ? ":0" : ":") + s;
}

std::vector<std::string> texts(const std::vector<int32_t>& counts) {
  std::vector<std::string> v;
  for (int32_t n : counts) v.push_back(str(n));
  return v;
}
bool anyCount(const std::vector<int32_t>& counts) {
  return std::any_of(counts.begin(), counts.end(), [](int32_t n) { return n != 0; });
}

bool isSpree(const games::Spell& spell) {
  return std::find(Specs::sprees.begin(), Specs::sprees.end(), spell.desc) != Specs::sprees.end();
}

// Every weapon with kills, deaths or suicides, most frags first.
Table weaponTable(const PStats& s) {
  Table t{headings({"Weapon", "Frags", "Kills", "Deaths", "Suicides", "Eff."})};
  for (const SortWeapon& k : Scorex::output::weaponKeys(s)) {
    if (k.kills == 0 && k.deaths == 0 && k.suicides == 0) continue;
    t.push_back(labelledRow(std::string(MatchNames::weapon(static_cast<size_t>(k.num))),
                            Scorex::output::weaponFigures(k)));
  }
  return t;
}

}  // namespace

// The builders run in the order of the index page's tables, then of the player pages'.
GameTables::GameTables(const Game& theGame) : MatchTables(theGame) {
  buildAll([this] {
    if (g.teamGame) mTeam();
    mGameTotals();
    mGameInfo();
    mGameSummary();
    if (isType("Assault")) mAssault();
    if (isType("Capture the Flag")) mFlags();
    if (isType("Domination")) mControlPoints();
    mSpecialEvents();
    mKillsMatchUp();
    mPlayerWeapons(weaponTable);
    mHighs([this](Table& t) {
      const games::zln::HighScores& hs = scores();
      countRow(t, "Most Head Shots", hs.MostHS, &PStats::headShots, true);
      countRow(t, "Most Flag Captures", hs.MostFC, &PStats::flagCaptures, true);
      countRow(t, "Most Flag Returns", hs.MostFR, &PStats::flagReturns, true);
      countRow(t, "Most Flag Assists", hs.MostFA, &PStats::flagAssists, true);
      countRow(t, "Most Flag Carrier Kills", hs.MostFK, &PStats::flagKills, true);
      countRow(t, "Most Flag Pickups", hs.MostFP, &PStats::flagPickups, true);
      countRow(t, "Most Control Point Captures", hs.MostCPCs, &PStats::controlPointCaptures, true);
    });
    mLows([this](Table& t) {
      countRow(t, "Most Flag Drops", scores().MostFD, &PStats::flagDrops, true);
    });
    mKillsHoldingWeapon();
    mDeathsByWeapon();
    mDeathsHoldingWeapon();
    mSuicides();
    mSprees();
    mPickups();
    mItems();
    mPlayerSummary();
    mPlayerSuicides();
    mPlayerPlayer();
    mPlayerSprees();
    mPlayerPickup();
    mPlayerItem();
  });
}

bool GameTables::isType(std::string_view name) const {
  return g.gameType >= 0 && static_cast<size_t>(g.gameType) < Specs::kGames &&
         Specs::games[static_cast<size_t>(g.gameType)] == name;
}

std::string GameTables::teamName(int32_t t) const {
  for (const Player& team : g.teamTotals) {
    if (team.uid == t && !team.name.empty()) return esc(team.name);
  }
  return "Team " + str(t);
}

template <class Figures>
void GameTables::countsByPlayer(std::optional<Table>& table, PerPlayer& perPlayer, Row heading,
                                int32_t columns, Figures figures, const char* error) {
  const auto cellTexts = [&](const Player& p) { return texts(figures(p)); };
  attempt(table, error, [&] {
    if (!anyCount(figures(g.gameTotals))) return Table{heading};
    return rankedBlocks(
        columns, [&](Table& t) { t.push_back(heading); }, cellTexts);
  });
  eachPlayer(perPlayer, error, [&](const Player& p) {
    Table t{heading};
    if (anyCount(figures(p))) t.push_back(rankedRow(p, cellTexts));
    return t;
  });
}

void GameTables::mGameSummary() {
  Debug::print("I GameTables.mGameSummary", 1);
  attempt(gameSummary, "Error in GameTables.mGameSummary: ", [this] {
    const std::vector<const char*> names = summaryNames(g.teamGame, "Eff.");
    return rankedBlocks(
        static_cast<int32_t>(names.size()),
        [&](Table& t) {
          t.push_back(headingRow({names.begin(), names.end()}));
        },
        [this](const Player& p) { return summaryFigures(p.all, g.teamGame, p.isABot); });
  });
  Debug::print("O GameTables.mGameSummary", 1);
}

void GameTables::mGameInfo() {
  Debug::print("I GameTables.mGameInfo", 1);
  attempt(gameInfo, "Error in GameTables.mGameInfo: ", [this] {
    // The game type as counted, and as logged where the log named it otherwise.
    std::string type(Specs::games.at(static_cast<size_t>(g.gameType)));
    if (!g.gameString.empty() && g.gameString != type) type += " (" + esc(g.gameString) + ")";
    return labelled({{"Match Date", esc(g.date)},
                     {"Match Name", esc(g.servername)},
                     {"Game", "Zolnar"},
                     {"Game Type", type},
                     {"Game Class", g.gameClass.empty() ? "None" : esc(g.gameClass)},
                     {"Mutators", nameList(g.gameMutator)},
                     {"Map", esc(g.map)},
                     {"Timelimit", esc(g.timelimit)},
                     {"Fraglimit", esc(g.fraglimit)},
                     {"Goal Team Score", setting(g.goalTeamScore)},
                     {"Friendly Fire", setting(g.friendlyFire)},
                     {"Translocator", setting(g.useTranslocator)},
                     {"Tournament Mode", setting(g.tournamentMode)},
                     {"Net Mode", setting(g.netMode)},
                     {"Game Length", clock(g.gameLength)},
                     {"No. Players", std::to_string(g.plist.size())}});
  });
  Debug::print("O GameTables.mGameInfo", 1);
}

// The result by the game type's rule: in Assault whether the attack succeeded; otherwise the
// best two teams by points (Domination), captures (Capture the Flag) or frags.
void GameTables::mTeam() {
  Debug::print("I GameTables.mTeam", 1);
  attempt(teamTable, "Error in GameTables.mTeam: ", [this]() -> std::optional<Table> {
    std::string line;
    if (isType("Assault")) {
      const int32_t defender = g.assaultDefender;
      const int32_t attacker = defender == 1 ? 0 : 1;
      const bool won = g.assaultSucceeded;
      line = teamName(won ? attacker : defender) + " defeats " +
             teamName(won ? defender : attacker) +
             (won ? " - the attack succeeded" : " - the attack failed");
    } else {
      const std::vector<Player>& teams = g.teamTotals;
      if (teams.size() < 2) return std::nullopt;
      const bool points = isType("Domination");
      const auto score = [&](const Player& t) -> double {
        return points ? t.all.score : isType("Capture the Flag") ? t.all.flagCaptures : t.all.frags;
      };
      const auto text = [&](const Player& t) {
        return points ? fmt(t.all.score) : str(util::truncToInt(score(t)));
      };
      // The first team with the highest score wins, as the match books it.
      size_t best = 0;
      for (size_t i = 1; i < teams.size(); ++i)
        best = score(teams[i]) > score(teams[best]) ? i : best;
      size_t second = best == 0 ? 1 : 0;
      for (size_t i = 0; i < teams.size(); ++i) {
        if (i != best && score(teams[i]) > score(teams[second])) second = i;
      }
      const Player& a = teams[best];
      const Player& b = teams[second];
      line = teamName(a.uid) + (score(a) == score(b) ? " ties " : " defeats ") + teamName(b.uid) +
             " - " + text(a) + " to " + text(b);
    }
    return Table{Row{cell(line, kSectionLine)}};
  });
  Debug::print("O GameTables.mTeam", 1);
}

void GameTables::mAssault() {
  Debug::print("I GameTables.mAssault", 1);
  attempt(assault, "Error in GameTables.mAssault: ", [this] {
    const int32_t defender = g.assaultDefender;
    return labelled({{"Assault Code", g.assaultCode.empty() ? "None" : esc(g.assaultCode)},
                     {"Part", str(g.assaultPart)},
                     {"Defending Team", teamName(defender)},
                     {"Attacking Team", teamName(defender == 1 ? 0 : 1)},
                     {"Attack", g.assaultSucceeded ? "Succeeded" : "Failed"}});
  });
  Debug::print("O GameTables.mAssault", 1);
}

void GameTables::mFlags() {
  Debug::print("I GameTables.mFlags", 1);
  countsByPlayer(
      flags, playerFlags,
      headings({"Rank", "Player", "Captures", "Takes", "Pickups", "Drops", "Returns", "Assists",
                "Carrier<br>Kills"}),
      9,
      [](const Player& p) {
        const PStats& s = p.all;
        return std::vector<int32_t>{s.flagCaptures, s.flagTakens,  s.flagPickups, s.flagDrops,
                                    s.flagReturns,  s.flagAssists, s.flagKills};
      },
      "Error in GameTables.mFlags: ");
  Debug::print("O GameTables.mFlags", 1);
}

// Captures per player and point, the points in order of their first capture. Team records and
// the match totals do not count by point: theirs are their players' sums.
void GameTables::mControlPoints() {
  Debug::print("I GameTables.mControlPoints", 1);
  std::vector<std::string> names = {"Rank", "Player"};
  for (const std::string& point : g.cpName) names.push_back(esc(point));
  names.push_back("Total");
  countsByPlayer(
      controlPoints, playerControlPoints, headingRow(names), static_cast<int32_t>(names.size()),
      [this](const Player& who) {
        std::vector<int32_t> counts(g.cpName.size(), 0);
        const bool team = std::any_of(g.teamTotals.begin(), g.teamTotals.end(),
                                      [&](const Player& t) { return &t == &who; });
        for (const Player& p : g.plist) {
          if (&who != &g.gameTotals && (team ? p.team != who.uid : &p != &who)) continue;
          for (size_t i = 0; i < counts.size() && i < p.cpc.size(); ++i) {
            util::addTo(counts[i], p.cpc[i]);
          }
        }
        counts.push_back(who.all.controlPointCaptures);
        return counts;
      },
      "Error in GameTables.mControlPoints: ");
  Debug::print("O GameTables.mControlPoints", 1);
}

void GameTables::mSpecialEvents() {
  Debug::print("I GameTables.mSpecialEvents", 1);
  countsByPlayer(
      specialEvents, playerSpecialEvents,
      headings({"Rank", "Player", "First<br>Blood", "Head<br>Shots", "Double<br>Kills",
                "Multi<br>Kills", "Ultra<br>Kills", "Monster<br>Kills", "Translocations",
                "Translocator<br>Throws", "Failed<br>Translocations"}),
      11,
      [](const Player& p) {
        const PStats& s = p.all;
        return std::vector<int32_t>{s.firstBlood, s.headShots, s.dKills,     s.muKills,  s.uKills,
                                    s.moKills,    s.trans,     s.transThrow, s.transFail};
      },
      "Error in GameTables.mSpecialEvents: ");
  Debug::print("O GameTables.mSpecialEvents", 1);
}

void GameTables::mSprees() {
  Debug::print("I GameTables.mSprees", 1);
  attempt(sprees, "Error in GameTables.mSprees: ", [this] {
    return entryHolders(headings({"Spree Type", "Player", "Sprees"}), scores().Sprees,
                        MatchNames::spree,
                        [](const Player& p, size_t i) { return p.sprees.at(i).uses; });
  });
  Debug::print("O GameTables.mSprees", 1);
}

void GameTables::mPlayerSummary() {
  Debug::print("I GameTables.mPlayerSummary", 1);
  eachPlayer(playerSummary, "Error in GameTables.mPlayerSummary: ", [this](const Player& p) {
    const std::vector<const char*> names = summaryNames(g.teamGame, "Efficiency");
    return Table{headingRow({names.begin(), names.end()}), rankedRow(p, [this](const Player& q) {
                   return summaryFigures(q.all, g.teamGame, q.isABot);
                 })};
  });
  Debug::print("O GameTables.mPlayerSummary", 1);
}

void GameTables::mPlayerSprees() {
  Debug::print("I GameTables.mPlayerSprees", 1);
  eachPlayer(playerSprees, "Error in GameTables.mPlayerSprees: ", [this](const Player& p) {
    return spellTable(headings({"Spree", "Start Time", "Time", "Kills", "Reason Stopped"}), p,
                      isSpree);
  });
  Debug::print("O GameTables.mPlayerSprees", 1);
}

void GameTables::mPlayerPickup() {
  Debug::print("I GameTables.mPlayerPickup", 1);
  eachPlayer(playerPickup, "Error in GameTables.mPlayerPickup: ", [this](const Player& p) {
    return spellTable(
        headings({"Powerup", "Start Time", "Time Used", "Kills During Use", "Reason Stopped"}), p,
        [](const games::Spell& spell) { return !isSpree(spell); });
  });
  Debug::print("O GameTables.mPlayerPickup", 1);
}

}  // namespace orvane::programs::ScorexZLN::output
