#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "games/NameTable.h"
#include "games/Ranking.h"
#include "util/Comp.h"

namespace orvane::games::zln {

class Player;

// The fixed name tables of Zolnar. Weapons, causes of death, items, power-ups, spree levels and
// game types are stored and counted by their position in these tables; the names appear only
// where a log line is read or a page is written.
class Specs {
 public:
  static constexpr size_t kWeapons = 19;
  static constexpr size_t kSuicides = 9;
  static constexpr size_t kItems = 32;
  static constexpr size_t kPickups = 3;
  static constexpr size_t kSprees = 5;
  static constexpr size_t kGames = 6;

  static const std::array<std::string_view, kWeapons> weapons;
  static const std::array<std::string_view, kSuicides> suicides;
  static const std::array<std::string_view, kItems> items;
  static const std::array<std::string_view, kPickups> pickups;
  static const std::array<std::string_view, kSprees> sprees;
  static const std::array<std::string_view, kGames> games;

  // Name to position. gloc, wloc, iloc and ploc give 0 for an unknown name after a trace line;
  // gloc counts "Challenge DeathMatch" and "Last Man Standing" as "Tournament DeathMatch".
  // sploc gives -1 without a trace line.
  static int32_t gloc(std::string_view g);
  static int32_t wloc(std::string_view w);
  static int32_t iloc(std::string_view i);
  static int32_t ploc(std::string_view p);
  static int32_t sploc(std::string_view sp);

  // The weapon a kill is booked to, from the weapon name w and the damage type v of the log:
  // the damage type decides where it names the weapon, otherwise it qualifies w. An unmatched
  // pair is traced and booked to w, or to 0 when w is not a weapon.
  static int32_t wlocALT(std::string_view w, std::string_view v);

  // The cause of a suicide from the damage type s; the weapon name i does not change it. A
  // damage type that names no cause gives 0, and the caller then books the suicide to a weapon.
  static int32_t sloc(std::string_view s, std::string_view i);

  // The first position whose text equals e exactly, or -1.
  template <size_t N>
  static int32_t loc(const std::array<std::string_view, N>& list, std::string_view e) {
    return games::loc(list, e);
  }
};

// Rankings of players: by their whole-match statistics, and by one game type's.
using SortFDS = games::SortFDSOf<Player>;
using SortFDSb = games::SortFDSbOf<Player>;

// Ranks players by their score first, then as SortFDS does.
class SortSFDS final : public util::Comp<const Player*> {
 public:
  int32_t compare(const Player* const& a, const Player* const& b) const override;
};

}  // namespace orvane::games::zln
