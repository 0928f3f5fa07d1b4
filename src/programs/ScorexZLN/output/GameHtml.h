#pragma once

#include <cstdint>
#include <string>

#include "games/zln/Game.h"
#include "programs/Scorex/GameHtml.h"

namespace orvane::programs::ScorexZLN::output {

// Writes one Zolnar match's directory of pages: "index.html" and one page per player
// ("<player number>.html"). Made for one call of writeGame.
class GameHtml final : public Scorex::GameHtml {
 public:
  void writeGame(const games::Game& gm, const std::string& name, const std::string& dir,
                 int32_t type) override;
};

}  // namespace orvane::programs::ScorexZLN::output
