#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/brk/Player.h"
#include "games/brk/Specs.h"
#include "programs/Scorex/output/CareerTables.h"
#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/output/TableEntry.h"

namespace orvane::programs::ScorexBRK::output {

using Scorex::output::Table;

// The tables of one career page: the shared ones (four summaries with damage, suicides,
// power-ups, items) and the weapons with their hits and damage, for a page of any
// CareerPageType. Made for one page.
class PlayerTables final
    : public Scorex::output::CareerTablesCore<PlayerTables, games::brk::Player, games::brk::Specs> {
 public:
  PlayerTables(const games::brk::Player& thePlayer, int32_t type, int32_t gType);

  // The page's blocks: the combined summary and the weapons, then the shared ones.
  std::vector<Scorex::output::CareerBlock> blocks() const;

  std::optional<Table> pWeapon;

 private:
  friend CareerTablesCore;

  void buildTables(int32_t gType);
  void mPWeapon(int32_t g);
  // Only the team game type counts team kills apart.
  static bool teamColumns(const std::string& name) { return name == "TeamPlay"; }
  // The damage given and received closes the summary, under one heading over three columns.
  static void summaryHeadings(Table& t, const std::vector<const char*>& names);
  static void summaryValues(std::vector<std::string>& v, const games::brk::PStats& s);
  static std::string_view weaponName(size_t w) { return games::brk::Specs::weapons.at(w); }
  static std::string_view suicideName(size_t k) {
    return Scorex::output::cells::suicideNameOf<games::brk::Specs>(k);
  }
  static std::string_view itemName(size_t i) { return games::brk::Specs::items.at(i); }
};

}  // namespace orvane::programs::ScorexBRK::output
