#include "programs/ScorexZLN/ScorexZLN.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "programs/Scorex/config.h"
#include "programs/Scorex/core.h"

namespace orvane::programs::ScorexZLN {
namespace {

using Scorex::config;

TEST(ScorexZLN, LogsAreReadAsSixteenBitUnits) {
  config::reset();
  Scorex::Modules::reset();
  testing::TempDir home;
  config::homeDir = home.path();
  home.write("data/z.log", std::string("a\0b\0c\0d", 7));
  Scorex::Modules::add("ScorexZLN", ScorexZLN::module());
  config::set(home.file("none.cfg"), "ScorexZLN");
  Scorex::core c;
  EXPECT_EQ(c.getLogfileData("z.log"), std::optional<std::string>("abc"));
  EXPECT_EQ(Scorex::Modules::find("ScorexZLN")->split("x\ny"),
            (std::vector<std::string_view>{"x\ny"}));
  config::reset();
  Scorex::Modules::reset();
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN
