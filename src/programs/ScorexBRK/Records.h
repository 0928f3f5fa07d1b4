#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "games/brk/Game.h"
#include "games/brk/Player.h"
#include "games/brk/Specs.h"
#include "programs/ScorexBRK/CareerRecord.h"
#include "programs/ScorexBRK/GameRecord.h"
#include "programs/ScorexBRK/PlayerIndex.h"
#include "util/BigEndian.h"

namespace orvane::programs::ScorexBRK {

// The all-time records: best single-match and best career values, overall, per weapon, per
// cause of suicide and per game type, each naming its holder; and the map and date of the
// newest match. Owned by the career totals and saved inside the records file.
//
// Block bytes: text RecentGameMap, text RecentGameDate, GameRecord gMostFrags, gMostKills,
// gMostDeaths, gMostSuicides, CareerRecord cMostFrags, cMostKills, cMostDeaths, cMostSuicides;
// per weapon w: GameRecord gKillsHoldingWeapon, gDeathsByWeapon, gDeathsHoldingWeapon,
// gWeaponSuicides, then CareerRecord cKillsHoldingWeapon, cDeathsByWeapon,
// cDeathsHoldingWeapon, cWeaponSuicides; per cause c: GameRecord gSuicides, CareerRecord
// cSuicides; per game type t: CareerRecord cMostWins, cMostLosses (148 records).
class Records {
 public:
  using Player = games::brk::Player;
  using Specs = games::brk::Specs;

  Records();
  // Reads the block; reading stops at the first damaged record (reported by the record).
  explicit Records(util::BigEndianReader& in);
  void writeDB(util::BigEndianWriter& out) const;

  void addRecentGame(const games::brk::Game& g);
  // p is the career player just merged and stored.
  void updateCareerRecords(const Player& p);
  // Single-match records of every player of the match, in player-number order.
  void updateGameRecords(const games::brk::Game& gm, const PlayerIndex& index);

  std::string RecentGameMap;
  std::string RecentGameDate;
  GameRecord gMostFrags;
  GameRecord gMostKills;
  GameRecord gMostDeaths;
  GameRecord gMostSuicides;
  std::array<GameRecord, Specs::kWeapons> gKillsHoldingWeapon;
  std::array<GameRecord, Specs::kWeapons> gDeathsByWeapon;
  std::array<GameRecord, Specs::kWeapons> gDeathsHoldingWeapon;
  std::array<GameRecord, Specs::kSuicides> gSuicides;
  std::array<GameRecord, Specs::kWeapons> gWeaponSuicides;
  CareerRecord cMostFrags;
  CareerRecord cMostKills;
  CareerRecord cMostDeaths;
  CareerRecord cMostSuicides;
  std::array<CareerRecord, Specs::kWeapons> cKillsHoldingWeapon;
  std::array<CareerRecord, Specs::kWeapons> cDeathsByWeapon;
  std::array<CareerRecord, Specs::kWeapons> cDeathsHoldingWeapon;
  std::array<CareerRecord, Specs::kSuicides> cSuicides;
  std::array<CareerRecord, Specs::kWeapons> cWeaponSuicides;
  std::array<CareerRecord, Specs::kGames> cMostWins;
  std::array<CareerRecord, Specs::kGames> cMostLosses;

 private:
  void utHighs(const Player& p);
  void utKills(const Player& p);
  void utDeaths(const Player& p);
  void utDeathsOppW(const Player& p);
  void utWSuicides(const Player& p);
  void utSuicides(const Player& p);
  void ugHighs(const Player& p);
  void ugKills(const Player& p);
  void ugDeaths(const Player& p);
  void ugDeathsOppW(const Player& p);
  void ugWSuicides(const Player& p);
  void ugSuicides(const Player& p);
  // The career number of a match player, from the index; throws when he is not there.
  int32_t getCareerUID(const Player& p) const;
  // The single-match record that p's value v would set in the match being merged.
  GameRecord matchRecord(const Player& p, int32_t v) const;

  // Set by updateGameRecords for its own duration.
  const games::brk::Game* g = nullptr;
  const PlayerIndex* plist = nullptr;
};

}  // namespace orvane::programs::ScorexBRK
