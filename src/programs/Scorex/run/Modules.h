#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "games/Game.h"
#include "programs/Scorex/career/Totals.h"
#include "programs/Scorex/output/GameHtml.h"
#include "programs/Scorex/output/TotalsHtml.h"

namespace orvane::programs::Scorex::run {

// Everything game-specific that the run driver needs, supplied by one game module.
struct Module {
  // The bytes of a log file as the log's text.
  std::function<std::string(std::string bytes)> decode;
  // The log's text cut into the texts of its matches, in log order.
  std::function<std::vector<std::string_view>(std::string_view text)> split;
  // The module's match built from one match text.
  std::function<std::unique_ptr<games::Game>(std::string_view matchText)> newGame;
  // Prepares the module's page chrome for the run's program and version.
  std::function<void()> initFrame;
  // The module's career totals, not yet loaded.
  std::function<std::unique_ptr<career::Totals>()> newTotals;
  // The module's page writers, each made for one call.
  std::function<std::unique_ptr<output::GameHtml>()> newGameHtml;
  std::function<std::unique_ptr<output::TotalsHtml>()> newTotalsHtml;
};

// The game modules by program name ("ScorexBRK", "ScorexZLN"). Each entry point registers its
// module before the run; tests register doubles of their own. Nothing else in the driver
// branches on the program name.
class Modules {
 public:
  static void add(const std::string& program, Module module);
  // The module of that program, or null when none is registered under the name.
  static const Module* find(const std::string& program);
  // Test hook: forget every module.
  static void reset();
};

}  // namespace orvane::programs::Scorex::run
