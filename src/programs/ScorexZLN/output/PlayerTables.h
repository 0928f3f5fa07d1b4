#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/zln/Player.h"
#include "games/zln/Specs.h"
#include "programs/Scorex/output/CareerTables.h"
#include "programs/Scorex/output/TableEntry.h"

namespace orvane::programs::ScorexZLN::output {

using Scorex::output::Table;

// The tables of one Zolnar career page, one or more for every block of the player record: the
// summaries (one per game type, then all combined), the kills against humans and against bots,
// the team objectives (flags and control points), the special events (first blood, head shots,
// kill chains, translocations), the weapons, suicides, power-ups, killing sprees and items.
// For a page of any CareerPageType. Made for one page.
class PlayerTables final
    : public Scorex::output::CareerTablesCore<PlayerTables, games::zln::Player, games::zln::Specs> {
 public:
  PlayerTables(const games::zln::Player& thePlayer, int32_t type, int32_t gType);

  // The page's blocks: the combined summary, the opponents, objectives, events and weapons,
  // then the shared ones.
  std::vector<Scorex::output::CareerBlock> blocks() const;

  std::optional<Table> pOpponents;
  std::optional<Table> pObjectives;
  std::optional<Table> pEvents;
  std::optional<Table> pWeapon;

  // Row labels; a weapon, cause or item without a name is "Unknown".
  static std::string_view weaponName(size_t w);
  static std::string_view suicideName(size_t k);
  static std::string_view itemName(size_t i);

 private:
  friend CareerTablesCore;

  void buildTables(int32_t gType);
  void mPOpponents();
  void mPObjectives();
  void mPEvents();
  void mPWeapon(int32_t g);
  // A Tournament DeathMatch counts a team kill as a kill; every other type has team kills.
  static bool teamColumns(const std::string& name) { return name != "Tournament DeathMatch"; }
  static void summaryHeadings(Table& t, const std::vector<const char*>& names);
  static void summaryValues(std::vector<std::string>&, const games::zln::PStats&) {}
};

}  // namespace orvane::programs::ScorexZLN::output
