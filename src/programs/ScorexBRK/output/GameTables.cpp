#include "programs/ScorexBRK/output/GameTables.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "games/brk/Specs.h"
#include "programs/Scorex/output/SortWeapon.h"
#include "programs/ScorexBRK/output/Cells.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::ScorexBRK::output {

using games::brk::Game;
using games::brk::Player;
using games::brk::PStats;
using games::brk::Specs;
using Scorex::output::kRowLabel;
using Scorex::output::kSectionLine;
using Scorex::output::kValue;
using Scorex::output::SortWeapon;
using util::Debug;

using namespace cells;

namespace {

bool isTeamPlay(const Game& g) {
  return Specs::games.at(static_cast<size_t>(g.gameType)) == "TeamPlay";
}

// The summary's figures after rank and player: the shared ones, then the damage.
std::vector<std::string> summaryFigures(const Player& p, bool teamPlay) {
  const PStats& s = p.all;
  std::vector<std::string> v = Scorex::output::summaryFigures(s, teamPlay, p.isABot);
  v.insert(v.end(), {str(s.dGiven), str(s.dReceived), fmt(damageRatio(s.dGiven, s.dReceived), 3)});
  return v;
}
void summaryHeadings(Table& t, bool teamPlay, const char* eff) {
  damageHeadings(t, Scorex::output::summaryNames(teamPlay, eff));
}

// Every weapon with recorded shots, most frags first, with its accuracy and damage.
Table weaponTable(const PStats& s) {
  Table t;
  damageHeadings(
      t, {"Weapon", "Frags", "Kills", "Deaths", "Suicides", "Eff.", "Hits", "Shots", "Acc."});
  for (const SortWeapon& k : Scorex::output::weaponKeys(s)) {
    const size_t w = static_cast<size_t>(k.num);
    const int32_t hits = s.myHits.at(w);
    const int32_t shots = s.myShots.at(w);
    if (shots == 0) continue;
    std::vector<std::string> v = Scorex::output::weaponFigures(k);
    v.insert(v.end(), {str(hits), str(shots), pct(100.0 * hits / shots), str(s.myDGiven.at(w)),
                       str(s.myDReceived.at(w)),
                       fmt(damageRatio(s.myDGiven.at(w), s.myDReceived.at(w)), 1)});
    t.push_back(Scorex::output::labelledRow(std::string(Specs::weapons.at(w)), std::move(v)));
  }
  return t;
}

}  // namespace

GameTables::GameTables(const Game& theGame) : MatchTables(theGame) {
  buildAll([this] {
    mGameSummary();
    mGameTotals();
    mGameInfo();
    mKillsMatchUp();
    mHighs([this](Table& t) {
      countRow(t, "Most Damage Given", scores().DGiven, &PStats::dGiven, false);
      scoreRow(t, "Best Damage Ratio", scores().DRatio,
               [](const PStats& s) { return fmt(damageRatio(s.dGiven, s.dReceived), 1); });
    });
    mLows([this](Table& t) {
      countRow(t, "Most Damage Received", scores().DReceived, &PStats::dReceived, false);
    });
    mKillsHoldingWeapon();
    mDeathsByWeapon();
    mDeathsHoldingWeapon();
    mSuicides();
    mPickups();
    mItems();
    mGameZBot();
    if (g.teamGame) mTeam();
    mPlayerSummary();
    mPlayerWeapons(weaponTable);
    mPlayerSuicides();
    mPlayerPlayer();
    mPlayerPickup();
    mPlayerItem();
  });
}

void GameTables::mGameSummary() {
  Debug::print("I GameTables.mGameSummary", 1);
  attempt(gameSummary, "Error in GameTables.mGameSummary: ", [this] {
    const bool teamPlay = isTeamPlay(g);
    return rankedBlocks(
        16, [&](Table& t) { summaryHeadings(t, teamPlay, "Eff."); },
        [&](const Player& p) { return summaryFigures(p, teamPlay); });
  });
  Debug::print("O GameTables.mGameSummary", 1);
}

void GameTables::mGameInfo() {
  Debug::print("I GameTables.mGameInfo", 1);
  attempt(gameInfo, "Error in GameTables.mGameInfo: ", [this] {
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
        {"Disabled Items", Scorex::output::nameList(g.disabledItems)}};
    Table t;
    for (const auto& [label, value] : rows)
      t.push_back(Row{cell(label, kRowLabel), cell(value, kValue)});
    return t;
  });
  Debug::print("O GameTables.mGameInfo", 1);
}

void GameTables::mGameZBot() {
  Debug::print("I GameTables.mGameZBot", 1);
  attempt(gameZBot, "Error in GameTables.mGameZBot: ", [this] {
    Table t{headings({"Player Name", "IP Address", "Behavior Info"})};
    for (const games::brk::EPZbot& z : g.zbots) {
      t.push_back(
          Row{cell(esc(z.name), kRowLabel), cell(esc(z.ip), kValue), cell(esc(z.botInfo), kValue)});
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
      throw util::Failure(util::Failure::kIndexOutOfBounds,
                          "Index: 1, Size: " + std::to_string(teams));
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
    return Table{Row{cell(line, kSectionLine)}};
  });
  Debug::print("O GameTables.mTeam", 1);
}

void GameTables::mPlayerSummary() {
  Debug::print("I GameTables.mPlayerSummary", 1);
  eachPlayer(playerSummary, "Error in GameTables.mPlayerSummary: ", [this](const Player& p) {
    const bool teamPlay = isTeamPlay(g);
    Table t;
    summaryHeadings(t, teamPlay, "Efficiency");
    t.push_back(rankedRow(p, [&](const Player& q) { return summaryFigures(q, teamPlay); }));
    return t;
  });
  Debug::print("O GameTables.mPlayerSummary", 1);
}

void GameTables::mPlayerPickup() {
  Debug::print("I GameTables.mPlayerPickup", 1);
  eachPlayer(playerPickup, "Error in GameTables.mPlayerPickup: ", [this](const Player& p) {
    return spellTable(
        headings({"Powerup", "Start Time", "Time Used", "Kills During Use", "Reason Stopped"}), p,
        [](const games::Spell&) { return true; });
  });
  Debug::print("O GameTables.mPlayerPickup", 1);
}

}  // namespace orvane::programs::ScorexBRK::output
