#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "games/zln/Game.h"
#include "games/zln/Specs.h"
#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/output/MatchTables.h"
#include "programs/Scorex/output/TableEntry.h"

namespace orvane::programs::ScorexZLN::output {

using Scorex::output::Cell;
using Scorex::output::Row;
using Scorex::output::Table;
using Scorex::output::TableEntry;

// Zolnar's names on its match pages: a weapon, cause or item that the log did not name shows
// as "Unknown".
struct MatchNames {
  using Specs = games::zln::Specs;
  static std::string_view weapon(size_t w) { return known(Specs::weapons.at(w)); }
  static std::string_view suicide(size_t k) {
    return known(Scorex::output::cells::suicideNameOf<Specs>(k));
  }
  static std::string_view item(size_t i) { return known(Specs::items.at(i)); }
  static std::string_view pickup(size_t i) { return Specs::pickups.at(i); }
  static std::string_view spree(size_t i) { return Specs::sprees.at(i); }

 private:
  static std::string_view known(std::string_view name) { return name.empty() ? "Unknown" : name; }
};

// The tables of one Zolnar match's pages, all built from the replayed match when its pages are
// about to be written: besides the tables both games share, the game type's own (flags,
// control points, assault), the special events and the sprees. A builder that fails leaves its
// table unset. Made for one writeGame.
class GameTables final : public Scorex::output::MatchTables<games::zln::Game, MatchNames> {
 public:
  explicit GameTables(const games::zln::Game& theGame);

  // Whether the match's game type has this name.
  bool isType(std::string_view name) const;

  std::optional<Table> gameSummary;
  std::optional<Table> gameInfo;
  std::optional<Table> teamTable;      // a team game's result, when there is one
  std::optional<Table> assault;        // Assault only
  std::optional<Table> flags;          // Capture the Flag only
  std::optional<Table> controlPoints;  // Domination only
  std::optional<Table> specialEvents;
  std::optional<Table> sprees;
  // Per player number.
  PerPlayer playerSummary;
  PerPlayer playerFlags;          // Capture the Flag only
  PerPlayer playerControlPoints;  // Domination only
  PerPlayer playerSpecialEvents;
  PerPlayer playerSprees;

 private:
  void mGameSummary();
  void mGameInfo();
  void mTeam();
  void mAssault();
  void mFlags();
  void mControlPoints();
  void mSpecialEvents();
  void mSprees();
  void mPlayerSummary();
  void mPlayerSprees();
  void mPlayerPickup();

  // The name of team number t: its record's, or "Team " + t for a team without a name.
  std::string teamName(int32_t t) const;
  // A table of counts per player in rank order (team blocks in a team game) and their totals,
  // figures(player) giving a player's or a total's counts; one per player number in perPlayer.
  // Tables where every count is 0 keep only their heading.
  template <class Figures>
  void countsByPlayer(std::optional<Table>& table, PerPlayer& perPlayer, Row heading,
                      int32_t columns, Figures figures, const char* error);
};

}  // namespace orvane::programs::ScorexZLN::output
