#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "games/NameTable.h"

namespace orvane::games {

// The spree levels a life climbs with its kills, lowest first: the name and the kills that
// reach it.
struct SpreeLevel {
  std::string_view name;
  int32_t kills;
};

inline constexpr std::array<SpreeLevel, 6> kSpreeLadder = {{{"Killing Spree", 5},
                                                            {"Rampage", 9},
                                                            {"Dominating", 14},
                                                            {"Brutalizing", 19},
                                                            {"Unstoppable", 25},
                                                            {"Godlike", 50}}};

// The highest level that `kills` reach among the levels the game counts (those in its spree
// table); empty below the first. A level the game does not count leaves the life at the highest
// counted level below it.
template <size_t N>
std::string_view spreeName(const std::array<std::string_view, N>& table, int32_t kills) {
  for (size_t level = kSpreeLadder.size(); level-- > 0;) {
    const SpreeLevel& s = kSpreeLadder[level];
    if (kills >= s.kills && loc(table, s.name) >= 0) return s.name;
  }
  return {};
}

}  // namespace orvane::games
