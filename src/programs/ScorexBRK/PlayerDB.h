#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "games/brk/PStats.h"
#include "games/brk/Player.h"
#include "programs/Scorex/SlotStore.h"
#include "util/BigEndian.h"

namespace orvane::programs::ScorexBRK {

// The player store of Brakk, "brk_player.db": every career player's statistics in a slot of
// 4824 bytes. One per process, open from the loading of the career totals to their saving.
//
// Player record: six statistics blocks of 776 bytes (all, vsHumans, vsBots, games[0..2]), then
// seven power-up blocks of 24 bytes (pickups[0..6]).
// Statistics block: double totalTime; ints kills, deaths, tkills, tdeaths, suicides, hits,
// shots, items, pingTime, pingNum, uses, teamWins, teamLosses, dGiven, dReceived (offset 68);
// per weapon w (offset 68 + 36 w) nine ints myKills, myKillsOppW, myDeaths, myDeathsOppW,
// myWSuicides, myHits, myShots, myDGiven, myDReceived; mySuicides[11] at 572; itemGets[40] at
// 616. Power-up block: double totalTime; ints uses, kills, deaths, suicides.
class PlayerDB {
 public:
  static constexpr int32_t kEntrySize = 4824;
  static constexpr int32_t kBlockSize = 776;
  static constexpr int32_t kPickupSize = 24;

  static bool open(const std::string& path);
  static void close();
  // The career player with this number (statistics only; the index has the name), or none.
  static std::optional<games::brk::Player> getPlayer(int32_t uid);
  static void putPlayer(const games::brk::Player& p);
  // True when the store is open and was not refused.
  static bool usable();

  static std::optional<std::string> playerToBytes(const games::brk::Player& p);
  static std::optional<games::brk::Player> bytesToPlayer(const std::string& b);
  static void pickupsToBytes(const games::brk::PStats& s, util::BigEndianWriter& dos);
  static void bytesToPickups(games::brk::PStats& s, util::BigEndianReader& dis);
  static void pstatsToBytes(const games::brk::PStats& s, util::BigEndianWriter& dos);
  static void bytesToPStats(games::brk::PStats& s, util::BigEndianReader& dis);

  // The store itself, for tests and the reliability layer.
  static Scorex::SlotStore& store();
};

}  // namespace orvane::programs::ScorexBRK
