#include "programs/ScorexBRK/ScorexBRK.h"

#include "games/brk/Game.h"
#include "games/qmLog.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/output/StaticFiles.h"
#include "programs/Scorex/run/Launcher.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexBRK/Totals.h"
#include "programs/ScorexBRK/output/GameHtml.h"
#include "programs/ScorexBRK/output/TotalsHtml.h"

namespace orvane::programs::ScorexBRK {

namespace {

// Every match of a Brakk log begins with this line (without its line end).
constexpr std::string_view kMarker = "0.0\tinfo\tLog_Standard\tqmLog";

}  // namespace

Scorex::run::Module ScorexBRK::module() {
  Scorex::run::Module m;
  m.decode = [](std::string bytes) { return bytes; };
  m.split = [](std::string_view text) { return games::qmLog::split(text, kMarker); };
  m.newGame = [](std::string_view text) -> std::unique_ptr<games::Game> {
    return std::make_unique<games::brk::Game>(text);
  };
  m.newTotals = [] { return std::make_unique<Totals>(); };
  m.newGameHtml = [] { return std::make_unique<output::GameHtml>(); };
  // The frame's settings, and the site's static files wherever they are missing.
  m.initFrame = [] {
    Scorex::output::FrameHtml::init();
    Scorex::output::StaticFiles::install(Scorex::settings::config::qmHtmlDir());
  };
  m.newTotalsHtml = [] { return std::make_unique<output::TotalsHtml>(); };
  return m;
}

int ScorexBRK::main(const std::vector<std::string>& args) {
  static const Scorex::run::EntryStyle kStyle = {
      "ScorexBRK", "The default config file is 'ScorexBRK.cfg'", false};
  Scorex::run::Modules::add(kStyle.program, module());
  return Scorex::run::Launcher::main(args, kStyle);
}

}  // namespace orvane::programs::ScorexBRK
