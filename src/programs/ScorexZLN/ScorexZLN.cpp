#include "programs/ScorexZLN/ScorexZLN.h"

#include "programs/Scorex/Launcher.h"

namespace orvane::programs::ScorexZLN {

int ScorexZLN::main(const std::vector<std::string>& args) {
  static const Scorex::EntryStyle kStyle = {"ScorexZLN",
                                            "The default config file is './ScorexZLN.cfg'", true};
  return Scorex::Launcher::main(args, kStyle);
}

}  // namespace orvane::programs::ScorexZLN
