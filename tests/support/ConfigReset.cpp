#include "ConfigReset.h"

#include "programs/Scorex/settings/config.h"

namespace orvane::testing {

using programs::Scorex::settings::config;

ConfigReset::ConfigReset() { config::reset(); }

ConfigReset::~ConfigReset() { config::reset(); }

void ConfigReset::load(const Home& home) const {
  config::reset();
  config::homeDir = home.path();
  config::set(home.configFile(), home.name());
}

}  // namespace orvane::testing
