#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "games/brk/Game.h"
#include "games/brk/Specs.h"
#include "programs/Scorex/output/MatchTables.h"
#include "programs/Scorex/output/TableEntry.h"
#include "programs/ScorexBRK/output/Cells.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::output::Cell;
using Scorex::output::Row;
using Scorex::output::Table;
using Scorex::output::TableEntry;

// Brakk's names on its match pages, as its tables hold them.
struct MatchNames {
  using Specs = games::brk::Specs;
  static std::string_view weapon(size_t w) { return cells::weaponName(w); }
  static std::string_view suicide(size_t k) { return cells::suicideName(k); }
  static std::string_view item(size_t i) { return Specs::items.at(i); }
  static std::string_view pickup(size_t i) { return Specs::pickups.at(i); }
};

// The tables of one match's pages, all built from the replayed match when its pages are
// about to be written. A builder that fails leaves its table unset. Made for one writeGame.
class GameTables final : public Scorex::output::MatchTables<games::brk::Game, MatchNames> {
 public:
  explicit GameTables(const games::brk::Game& theGame);

  std::optional<Table> gameSummary;
  std::optional<Table> gameInfo;
  std::optional<Table> gameZBot;
  std::optional<Table> teamTable;
  // Per player number.
  PerPlayer playerSummary;

 private:
  void mGameSummary();
  void mGameInfo();
  void mGameZBot();
  void mTeam();
  void mPlayerSummary();
  void mPlayerPickup();
};

}  // namespace orvane::programs::ScorexBRK::output
