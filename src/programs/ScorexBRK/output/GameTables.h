#pragma once

#include <optional>
#include <vector>

#include "games/brk/Game.h"
#include "programs/ScorexBRK/output/TableEntry.h"

namespace orvane::programs::ScorexBRK::output {

// The tables of one match's pages, all built from the replayed match when its pages are
// about to be written. A builder that fails leaves its table unset. Made for one writeGame.
class GameTables {
 public:
  explicit GameTables(const games::brk::Game& theGame);

  const games::brk::Game& g;
  std::optional<Table> gameSummary;
  std::optional<Table> gameTotals;
  std::optional<Table> gameInfo;
  std::optional<Table> gameZBot;
  std::optional<Table> killsMatchUp;
  std::optional<Table> highs;
  std::optional<Table> lows;
  std::optional<Table> teamTable;
  std::optional<Table> gameWeapons;
  std::optional<Table> killsHoldingWeapon;
  std::optional<Table> deathsByWeapon;
  std::optional<Table> deathsHoldingWeapon;
  std::optional<Table> suicides;
  std::optional<Table> pickups;
  std::optional<Table> items;
  // Per player number.
  std::vector<std::optional<Table>> playerSummary;
  std::vector<std::optional<Table>> playerWeapons;
  std::vector<std::optional<Table>> playerSuicides;
  std::vector<std::optional<Table>> playerPlayer;
  std::vector<std::optional<Table>> playerPickup;
  std::vector<std::optional<Table>> playerItem;

 private:
  void mGameSummary();
  void mGameTotals();
  void mGameInfo();
  void mKillsMatchUp();
  void mHighs();
  void mLows();
  void mKillsHoldingWeapon();
  void mDeathsByWeapon();
  void mDeathsHoldingWeapon();
  void mSuicides();
  void mPickups();
  void mItems();
  void mGameZBot();
  void mTeam();
  void mPlayerSummary();
  void mPlayerWeapons();
  void mPlayerSuicides();
  void mPlayerPlayer();
  void mPlayerPickup();
  void mPlayerItem();
};

}  // namespace orvane::programs::ScorexBRK::output
