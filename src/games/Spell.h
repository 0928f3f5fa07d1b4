#pragma once

#include <cstdint>
#include <string>

namespace orvane::games {

// A finished spell of a player (a power-up holding, or a life that reached a spree) as the
// match pages list it: what it was, when it ran, its kills and why it ended. Its whole
// statistics block goes into the player's spree or power-up totals the moment it ends, so a
// match keeps these few figures per spell, not a block of every counter.
struct Spell {
  std::string desc;
  double startTime = 0;
  double totalTime = 0;
  int32_t kills = 0;
  std::string reasonStopped;
  // Of a spell ended by a suicide: the first cause with a count, weapons first, then the
  // causes that are no weapon; -1 for none.
  int32_t suicideCause = -1;
  // Of a spell ended by a death: the killer's player number and the first weapon a death was
  // against; -1 for none.
  int32_t killer = -1;
  int32_t killerWeapon = -1;
};

}  // namespace orvane::games
