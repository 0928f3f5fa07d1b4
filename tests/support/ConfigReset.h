#pragma once

#include "Home.h"
#include "programs/Scorex/settings/config.h"

namespace orvane::testing {

// The run's configuration (settings::config) at its start-up defaults for the object's life,
// and again when it goes, so that no test sees the settings of another.
struct ConfigReset {
  using config = programs::Scorex::settings::config;
  ConfigReset() { config::reset(); }
  ConfigReset(const ConfigReset&) = delete;
  ConfigReset& operator=(const ConfigReset&) = delete;
  ~ConfigReset() { config::reset(); }
  // The configuration as a run of the home's program sets it: the home as its directory and
  // the home's configuration file (see Home::configure) read afresh.
  void load(const Home& home) const {
    config::reset();
    config::homeDir = home.path();
    config::set(home.configFile(), home.name());
  }
};

}  // namespace orvane::testing
