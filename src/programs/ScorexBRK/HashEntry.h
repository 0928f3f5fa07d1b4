#pragma once

#include <array>
#include <cstdint>

#include "programs/Scorex/career/HashEntryCore.h"
#include "programs/Scorex/career/PlayerIndex.h"
#include "util/BigEndian.h"

namespace orvane::programs::ScorexBRK {

// One entry of the player index: a career player's identity and the summary figures that the
// rankings and player lists need without opening the player store.
//
// Bytes (57 plus the name's characters):
//   text name, bool isABot, int uid, double time, then 10 ints: a_frags, a_deaths,
//   a_suicides, dm_frags, dm_deaths, dm_suicides, t_wins, t_losses, o_wins, o_losses
class HashEntry final : public Scorex::career::HashEntryCore<HashEntry> {
 public:
  using HashEntryCore::HashEntryCore;
  explicit HashEntry(util::BigEndianReader& in) { readDB(in); }

  // The counters in file order.
  static constexpr std::array<int32_t HashEntry::*, 10> counters() {
    return {&HashEntry::a_frags,  &HashEntry::a_deaths,  &HashEntry::a_suicides,
            &HashEntry::dm_frags, &HashEntry::dm_deaths, &HashEntry::dm_suicides,
            &HashEntry::t_wins,   &HashEntry::t_losses,  &HashEntry::o_wins,
            &HashEntry::o_losses};
  }

  int32_t t_wins = 0;
  int32_t t_losses = 0;
  int32_t o_wins = 0;
  int32_t o_losses = 0;
};

using PlayerIndex = Scorex::career::PlayerIndex<HashEntry>;

}  // namespace orvane::programs::ScorexBRK
