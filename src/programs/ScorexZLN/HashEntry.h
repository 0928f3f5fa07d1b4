#pragma once

#include <array>
#include <cstdint>

#include "programs/Scorex/career/HashEntryCore.h"
#include "programs/Scorex/career/PlayerIndex.h"
#include "util/BigEndian.h"

namespace orvane::programs::ScorexZLN {

// A career player as Zolnar's player index lists him: identity and the career figures of the
// rankings, so that the lists need no player store. The a_ prefix stands for all game types on
// the first three counters and for Assault on a_wins and a_losses.
//
// Bytes (65 plus the name's characters):
//   text name, bool isABot, int uid, double time, then 12 ints: a_frags, a_deaths,
//   a_suicides, dm_frags, dm_deaths, dm_suicides (Tournament DeathMatch), t_wins, t_losses
//   (Tournament Team Game), a_wins, a_losses (Assault), cpc (control points captured in
//   Domination), ctf (the flag score in Capture the Flag)
class HashEntry final : public Scorex::career::HashEntryCore<HashEntry> {
 public:
  using HashEntryCore::HashEntryCore;
  explicit HashEntry(util::BigEndianReader& in) { readDB(in); }

  // The counters in file order.
  static constexpr std::array<int32_t HashEntry::*, 12> counters() {
    return {&HashEntry::a_frags,  &HashEntry::a_deaths,  &HashEntry::a_suicides,
            &HashEntry::dm_frags, &HashEntry::dm_deaths, &HashEntry::dm_suicides,
            &HashEntry::t_wins,   &HashEntry::t_losses,  &HashEntry::a_wins,
            &HashEntry::a_losses, &HashEntry::cpc,       &HashEntry::ctf};
  }

  int32_t t_wins = 0;
  int32_t t_losses = 0;
  int32_t a_wins = 0;
  int32_t a_losses = 0;
  int32_t cpc = 0;
  int32_t ctf = 0;
};

using PlayerIndex = Scorex::career::PlayerIndex<HashEntry>;

}  // namespace orvane::programs::ScorexZLN
