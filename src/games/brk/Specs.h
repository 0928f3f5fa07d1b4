#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "games/NameTable.h"
#include "games/Ranking.h"
#include "util/Comp.h"

namespace orvane::games::brk {

class Player;

// The fixed name tables of Brakk. Weapons, causes of death, items, power-ups, spree levels and
// game types are stored and counted by their position in these tables; the names appear only
// where a log line is read or a page is written.
class Specs {
 public:
  static constexpr size_t kWeapons = 14;
  static constexpr size_t kSuicides = 11;
  static constexpr size_t kItems = 40;
  static constexpr size_t kPickups = 7;
  static constexpr size_t kSprees = 6;
  static constexpr size_t kGames = 3;

  static const std::array<std::string_view, kWeapons> weapons;
  static const std::array<std::string_view, kSuicides> suicides;
  static const std::array<std::string_view, kItems> items;
  static const std::array<std::string_view, kPickups> pickups;
  static const std::array<std::string_view, kSprees> sprees;
  static const std::array<std::string_view, kGames> games;

  // Name to position. gloc, wloc, iloc and ploc give 0 for an unknown name after a trace line;
  // sloc and sploc give -1 without one.
  static int32_t gloc(std::string_view g);
  static int32_t wloc(std::string_view w);
  static int32_t iloc(std::string_view i);
  static int32_t ploc(std::string_view p);
  static int32_t sloc(std::string_view s);
  static int32_t sploc(std::string_view sp);

  // The first position whose text equals e exactly, or -1.
  template <size_t N>
  static int32_t loc(const std::array<std::string_view, N>& list, std::string_view e) {
    return games::loc(list, e);
  }
};

// Rankings of players: by their whole-match statistics, and by one game type's.
using SortFDS = games::SortFDSOf<Player>;
using SortFDSb = games::SortFDSbOf<Player>;

}  // namespace orvane::games::brk
