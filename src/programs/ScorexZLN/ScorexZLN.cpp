#include "programs/ScorexZLN/ScorexZLN.h"

#include <utility>

#include "games/qmLog.h"
#include "games/zln/Game.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/output/StaticFiles.h"
#include "programs/Scorex/run/Launcher.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexZLN/Totals.h"
#include "programs/ScorexZLN/output/GameHtml.h"
#include "programs/ScorexZLN/output/TotalsHtml.h"

namespace orvane::programs::ScorexZLN {

Scorex::run::Module ScorexZLN::module() {
  Scorex::run::Module m;
  // Zolnar writes its logs in 16-bit units; the whole log is one match.
  m.decode = [](std::string bytes) { return games::qmLog::narrow(std::move(bytes)); };
  m.split = [](std::string_view text) { return std::vector<std::string_view>{text}; };
  m.newGame = [](std::string_view text) -> std::unique_ptr<games::Game> {
    return std::make_unique<games::zln::Game>(text);
  };
  m.newTotals = [] { return std::make_unique<Totals>(); };
  m.newGameHtml = [] { return std::make_unique<output::GameHtml>(); };
  // The frame's settings, and the site's static files wherever they are missing.
  m.initFrame = [] {
    Scorex::output::FrameHtml::initZolnar();
    Scorex::output::StaticFiles::install(Scorex::settings::config::qmHtmlDir());
  };
  m.newTotalsHtml = [] { return std::make_unique<output::TotalsHtml>(); };
  return m;
}

int ScorexZLN::main(const std::vector<std::string>& args) {
  static const Scorex::run::EntryStyle kStyle = {
      "ScorexZLN", "The default config file is './ScorexZLN.cfg'", true};
  Scorex::run::Modules::add(kStyle.program, module());
  return Scorex::run::Launcher::main(args, kStyle);
}

}  // namespace orvane::programs::ScorexZLN
