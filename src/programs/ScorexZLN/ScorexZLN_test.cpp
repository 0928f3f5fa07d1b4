#include "programs/ScorexZLN/ScorexZLN.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "programs/Scorex/run/core.h"
#include "programs/Scorex/settings/config.h"

namespace orvane::programs::ScorexZLN {
namespace {

using Scorex::settings::config;

TEST(ScorexZLN, LogsAreReadAsSixteenBitUnits) {
  config::reset();
  Scorex::run::Modules::reset();
  testing::TempDir home;
  config::homeDir = home.path();
  home.write("data/z.log", std::string("a\0b\0c\0d", 7));
  Scorex::run::Modules::add("ScorexZLN", ScorexZLN::module());
  config::set(home.file("none.cfg"), "ScorexZLN");
  Scorex::run::core c(Scorex::run::Modules::find("ScorexZLN"));
  EXPECT_EQ(c.getLogfileData("z.log"), std::optional<std::string>("abc"));
  EXPECT_EQ(Scorex::run::Modules::find("ScorexZLN")->split("x\ny"),
            (std::vector<std::string_view>{"x\ny"}));
  config::reset();
  Scorex::run::Modules::reset();
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN
