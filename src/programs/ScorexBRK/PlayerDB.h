#pragma once

#include <cstdint>

#include "games/brk/PStats.h"
#include "games/brk/Player.h"
#include "programs/Scorex/store/PlayerDBCore.h"
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
class PlayerDB final : public Scorex::store::PlayerDBCore<PlayerDB, games::brk::Player> {
 public:
  static constexpr int32_t kEntrySize = 4824;
  static constexpr int32_t kBlockSize = 776;

  static void pstatsToBytes(const games::brk::PStats& s, util::BigEndianWriter& dos);
  static void bytesToPStats(games::brk::PStats& s, util::BigEndianReader& dis);

  // The blocks of a player record in record order: the six statistics blocks, then the seven
  // power-up blocks. Writing and reading share it, so they cannot disagree.
  template <class P, class Stats, class Spells>
  static void forEachBlock(P& p, const Stats& stats, const Spells& spells) {
    for (auto* s : {&p.all, &p.vsHumans, &p.vsBots}) stats(*s);
    for (auto& g : p.games) stats(g);
    for (auto& s : p.pickups) spells(s);
  }
};

}  // namespace orvane::programs::ScorexBRK
