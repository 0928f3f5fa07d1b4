#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "games/brk/Player.h"
#include "programs/ScorexBRK/output/PlayerTables.h"
#include "util/TextWriter.h"

namespace orvane::programs::ScorexBRK::output {

// Writes the text of one career page (a player's, or a summary player's) in the frame of the
// all-time pages. Owned by the all-time page writer for one run.
class PlayerHtml {
 public:
  std::string getHtml(const games::brk::Player& thePlayer, int32_t type, int32_t gType);
  std::string writePlayerTotals();
  void writePlayerTotalsBody(util::TextWriter& w);

 private:
  std::unique_ptr<PlayerTables> tables;
  const games::brk::Player* p = nullptr;
  int32_t OutputType = 1;
  int32_t GameType = 3;
};

}  // namespace orvane::programs::ScorexBRK::output
