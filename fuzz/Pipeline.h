#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "games/Game.h"
#include "programs/Scorex/output/GameHtml.h"
#include "programs/Scorex/run/Modules.h"
#include "programs/Scorex/run/core.h"
#include "programs/Scorex/settings/config.h"

namespace orvane::fuzz {

// A directory that can never be made ("/dev/null" is no directory): the page writers assemble
// every page whole in memory, and only the final write of each page fails, so the pages are
// built in full and nothing reaches the disk.
inline constexpr const char* kNoDir = "/dev/null/scorex-fuzz";

// Registers the module under its program name, with the program's version in the
// configuration for the frame's init (which reads it). Once per process.
inline void registerModule(const std::string& program, programs::Scorex::run::Module module) {
  resetGlobals();
  programs::Scorex::run::Modules::add(program, std::move(module));
  programs::Scorex::settings::config::set(std::string(kNoDir) + "/none.cfg", program);
}

// Log bytes as a run takes them: decoded by the module, cut into matches and built by the
// driver, then the pages of every valid match written as the driver writes a new match's.
inline void runPipeline(const std::string& program, const uint8_t* data, size_t size) {
  resetGlobals();
  programs::Scorex::settings::config::program = program;
  const programs::Scorex::run::Module* module = programs::Scorex::run::Modules::find(program);
  if (module == nullptr) std::abort();
  programs::Scorex::run::core driver(module);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::unique_ptr<games::Game>> games =
      driver.getGameStats(module->decode(bytes));
  for (const auto& g : games) {
    module->newGameHtml()->writeGame(*g, g->getServerName() + " " + g->getMap(),
                                     std::string(kNoDir) + "/" + std::to_string(g->theTime()));
  }
}

}  // namespace orvane::fuzz
