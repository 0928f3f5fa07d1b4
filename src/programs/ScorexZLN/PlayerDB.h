#pragma once

#include <cstdint>

#include "games/zln/PStats.h"
#include "games/zln/Player.h"
#include "games/zln/Specs.h"
#include "programs/Scorex/store/PlayerDBCore.h"
#include "util/BigEndian.h"

namespace orvane::programs::ScorexZLN {

// The player store of Zolnar, "zln_player.db": every career player's statistics in a slot of
// 6028 bytes. One per process, open from the loading of the career totals to their saving.
//
// Player record: nine statistics blocks (all, vsHumans, vsBots, games[0..5]), of 664 bytes
// with the flag tail for all, vsHumans, vsBots and games[1] (Capture the Flag), of 636 bytes
// without it for the others; then three power-up blocks (pickups[0..2], offset 5836) and five
// spree blocks (sprees[0..4], offset 5908) of 24 bytes.
// Statistics block: double totalTime; ints kills, deaths, tkills, tdeaths, suicides, items,
// pingTime, pingNum, uses, teamWins, teamLosses, controlPointCaptures, headShots, dKills,
// muKills, uKills, moKills, firstBlood, trans, transThrow, transFail (offset 92); per weapon w
// (offset 92 + 20 w) five ints myKills, myKillsOppW, myDeaths, myDeathsOppW, myWSuicides;
// mySuicides[9] at 472; itemGets[32] at 508; the flag tail at 636: ints flagCaptures,
// flagDrops, flagPickups, flagReturns, flagAssists, flagKills, flagTakens.
// Power-up and spree block: double totalTime; ints uses, kills, deaths, suicides.
class PlayerDB final : public Scorex::store::PlayerDBCore<PlayerDB, games::zln::Player> {
 public:
  static constexpr int32_t kEntrySize = 6028;

  // ctf selects the flag tail.
  static void pstatsToBytes(const games::zln::PStats& s, util::BigEndianWriter& dos, bool ctf);
  // A block with the flag tail also gets its flag score: 7 per capture, 5 per flag-carrier
  // kill, 1 per frag.
  static void bytesToPStats(games::zln::PStats& s, util::BigEndianReader& dis, bool ctf);

  // The blocks of a player record in record order: the nine statistics blocks, with the flag
  // tail for all, vsHumans, vsBots and Capture the Flag, then the three power-up and the five
  // spree blocks. Writing and reading share it, so they cannot disagree.
  template <class P, class Stats, class Spells>
  static void forEachBlock(P& p, const Stats& stats, const Spells& spells) {
    for (auto* s : {&p.all, &p.vsHumans, &p.vsBots}) stats(*s, true);
    const auto ctf = games::zln::Specs::loc(games::zln::Specs::games, "Capture the Flag");
    for (size_t t = 0; t < p.games.size(); ++t) stats(p.games[t], t == static_cast<size_t>(ctf));
    for (auto& s : p.pickups) spells(s);
    for (auto& s : p.sprees) spells(s);
  }
};

}  // namespace orvane::programs::ScorexZLN
