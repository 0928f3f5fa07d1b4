#include "programs/ScorexZLN/ScorexZLN.h"

#include "games/qmLog.h"
#include "games/zln/Game.h"
#include "programs/Scorex/Launcher.h"
#include "programs/Scorex/StandIns.h"
#include "programs/ScorexZLN/Totals.h"

namespace orvane::programs::ScorexZLN {

Scorex::Module ScorexZLN::module() {
  Scorex::Module m;
  // Zolnar writes its logs in 16-bit units; the whole log is one match.
  m.decode = [](std::string bytes) { return games::qmLog::narrow(bytes); };
  m.split = [](std::string_view text) { return std::vector<std::string_view>{text}; };
  m.newGame = [](std::string_view text) -> std::unique_ptr<games::Game> {
    return std::make_unique<games::zln::Game>(text);
  };
  m.newTotals = [] { return std::make_unique<Totals>(); };
  // The pages are not built yet: stand-ins keep the run going.
  m.newGameHtml = [] { return std::make_unique<Scorex::StandInGameHtml>(); };
  m.newTotalsHtml = [] { return std::make_unique<Scorex::StandInTotalsHtml>(); };
  return m;
}

int ScorexZLN::main(const std::vector<std::string>& args) {
  static const Scorex::EntryStyle kStyle = {"ScorexZLN",
                                            "The default config file is './ScorexZLN.cfg'", true};
  Scorex::Modules::add(kStyle.program, module());
  return Scorex::Launcher::main(args, kStyle);
}

}  // namespace orvane::programs::ScorexZLN
