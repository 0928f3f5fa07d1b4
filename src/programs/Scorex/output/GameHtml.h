#pragma once

#include <cstdint>
#include <string>

#include "games/Game.h"
#include "programs/Scorex/output/PageFiles.h"

namespace orvane::programs::Scorex::output {

// Writes the pages of one match into a directory of its own. Made for one call.
class GameHtml {
 public:
  GameHtml() = default;
  GameHtml(const GameHtml&) = delete;
  GameHtml& operator=(const GameHtml&) = delete;
  virtual ~GameHtml() = default;

  // dir names the match's page directory, without a trailing "/"; the writer creates it.
  // True when every page of the match was written (a failure is reported by the writer).
  virtual bool writeGame(const games::Game& gm, const std::string& name,
                         const std::string& dir) = 0;

 protected:
  PageFiles files;
};

}  // namespace orvane::programs::Scorex::output
