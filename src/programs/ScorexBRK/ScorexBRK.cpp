#include "programs/ScorexBRK/ScorexBRK.h"

#include "programs/Scorex/Launcher.h"

namespace orvane::programs::ScorexBRK {

int ScorexBRK::main(const std::vector<std::string>& args) {
  static const Scorex::EntryStyle kStyle = {"ScorexBRK",
                                            "The default config file is 'ScorexBRK.cfg'", false};
  return Scorex::Launcher::main(args, kStyle);
}

}  // namespace orvane::programs::ScorexBRK
