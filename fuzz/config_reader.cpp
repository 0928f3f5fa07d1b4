// Configuration file bytes through the reader a run starts with, then every setting read back
// as the run reads it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "programs/Scorex/settings/config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvane;
  using programs::Scorex::settings::config;
  fuzz::resetGlobals();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::ScratchDir::write("scorex.cfg", bytes);
  config::homeDir = fuzz::ScratchDir::path();
  config::set(config::homeDir + "/scorex.cfg", "ScorexBRK");
  std::string all = config::qmDir() + config::qmDBDir() + config::qmHtmlDir() +
                    config::qmSaveDir() + config::qmLogHandling() + config::getVersion();
  for (const int32_t n :
       {config::numGamesToSave(), config::getRankAll(), config::getRankDM(), config::getRankTG(),
        config::getRankCTF(), config::getRankDom(), config::getRankA(), config::getRank1v1()}) {
    all += std::to_string(n);
  }
  all.push_back(config::logTmpFiles() ? 't' : 'f');
  all.push_back(config::spawnBrowser() ? 't' : 'f');
  return 0;
}
