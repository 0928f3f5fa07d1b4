#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "games/brk/Game.h"
#include "programs/Scorex/output/GameHtml.h"
#include "programs/ScorexBRK/output/GameTables.h"
#include "util/TextWriter.h"

namespace orvane::programs::ScorexBRK::output {

// Writes one match's directory of pages: "index.html", "zbot.html" and one page per player
// ("<player number>.html"), each assembled in memory and written in one piece. Made for one
// call of writeGame.
class GameHtml final : public Scorex::output::GameHtml {
 public:
  bool writeGame(const games::Game& gm, const std::string& name, const std::string& dir) override;

  void writeGameIndex(const games::brk::Game& g, const std::string& name);
  void writeGameZBot(const games::brk::Game& g, const std::string& name);
  void writePlayer(const games::brk::Game& g, const std::string& name, size_t pnum);
  void writeGameBody(util::TextWriter& w, const std::string& gameName, const games::brk::Game& g);
  void writeZBotBody(util::TextWriter& w, const std::string& gameName, const games::brk::Game& g);
  void writePlayerBody(util::TextWriter& w, const std::string& gameName, const games::brk::Game& g,
                       size_t pnum);

 private:
  std::string Dir;
  std::unique_ptr<GameTables> tables;
};

}  // namespace orvane::programs::ScorexBRK::output
