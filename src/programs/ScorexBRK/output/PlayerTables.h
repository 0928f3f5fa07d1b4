#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "games/brk/Player.h"
#include "programs/ScorexBRK/output/TableEntry.h"

namespace orvane::programs::ScorexBRK::output {

// The tables of one career page: four summaries (one per game type, then all combined), the
// weapons, suicides, power-ups and items. Page type 1 is a real player's page, 2 a summary
// player's. Made for one page.
class PlayerTables {
 public:
  PlayerTables(const games::brk::Player& thePlayer, int32_t type, int32_t gType);

  const games::brk::Player& p;
  int32_t OutputType;
  std::optional<Table> pWeapon;
  std::optional<Table> pSuicide;
  std::optional<Table> pSprees;  // never built
  std::optional<Table> pPickups;
  std::optional<Table> pItems;
  std::array<std::optional<Table>, 4> pSummary;

 private:
  void mPSummary(int32_t t);
  void mPWeapon(int32_t g);
  void mPSuicide(int32_t g);
  void mPPickups();
  void mPItems(int32_t g);
};

}  // namespace orvane::programs::ScorexBRK::output
