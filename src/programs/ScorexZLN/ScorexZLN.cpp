#include "programs/ScorexZLN/ScorexZLN.h"

#include "games/qmLog.h"
#include "programs/Scorex/Launcher.h"
#include "programs/Scorex/StandIns.h"

namespace orvane::programs::ScorexZLN {

Scorex::Module ScorexZLN::module() {
  Scorex::Module m;
  // Zolnar writes its logs in 16-bit units; the whole log is one match.
  m.decode = [](std::string bytes) { return games::qmLog::narrow(bytes); };
  m.split = [](std::string_view text) { return std::vector<std::string_view>{text}; };
  // The career database and the pages are not built yet: stand-ins keep the run going.
  m.newTotals = [] { return std::make_unique<Scorex::StandInTotals>(); };
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
