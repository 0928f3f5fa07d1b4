#include "programs/ScorexBRK/ScorexBRK.h"

#include <gtest/gtest.h>

#include <sstream>

#include "TempDir.h"
#include "games/brk/Game.h"
#include "programs/Scorex/run/core.h"
#include "programs/Scorex/settings/config.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexBRK {
namespace {

using Scorex::settings::config;
using util::Debug;

const std::string kTime = "0.0\tinfo\tAbsolute_Time\t2024.03.01.20.00.00.000.+1\n";
const std::string kMarker = "0.0\tinfo\tLog_Standard\tqmLog\n" + kTime;
const std::string kPlayers =
    "1.0\tPlayer_Connect\tAnn\t0\t1.2.3.4\n"
    "1.0\tPlayer_Connect\tBob\t1\t1.2.3.5\n";
const std::string kKill = "10.0\tKill\t0\tRailgun\t\t50\t1\t\t\t60\n";
const std::string kSuicide = "11.0\tSuicide\t1\tLava\t\t40\n";

class ScorexBRKLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    config::reset();
    Scorex::run::Modules::reset();
    Debug::reset();
    Debug::setStream(&trace);
    config::homeDir = home.path();
    home.write("data/.keep", "");
    Scorex::run::Modules::add("ScorexBRK", ScorexBRK::module());
    config::set(std::nullopt, "ScorexBRK");
    trace.str("");
  }
  void TearDown() override {
    config::reset();
    Scorex::run::Modules::reset();
    Debug::reset();
  }
  // The kills and suicides replayed in each valid match of a waiting log.
  std::vector<int32_t> eventCounts(const std::string& name, const std::string& bytes) {
    home.write("data/" + name, bytes);
    Scorex::run::core c(Scorex::run::Modules::find("ScorexBRK"));
    std::vector<int32_t> counts;
    for (const auto& g : c.getGameStats(c.getLogfileData(name), name)) {
      const auto& all = dynamic_cast<const games::brk::Game&>(*g).gameTotals.all;
      counts.push_back(all.kills + all.suicides);
    }
    return counts;
  }
  testing::TempDir home;
  std::ostringstream trace;
};

TEST_F(ScorexBRKLogTest, SplitsAtEveryMarkerAndKeepsValidMatches) {
  // A head with a kill of its own, a match with a kill, one without, one with a suicide.
  const std::string log = kTime + "5.0\tinfo\tmap\tq2dm1\n" + kPlayers + kKill + kMarker +
                          kPlayers + kKill + kKill + kMarker + kPlayers + kMarker + kPlayers +
                          kSuicide;
  EXPECT_EQ(eventCounts("a.log", log), (std::vector<int32_t>{1, 2, 1}));
  EXPECT_EQ(trace.str(), "");
}

TEST_F(ScorexBRKLogTest, HeadWithoutKillsIsDropped) {
  EXPECT_EQ(eventCounts("b.log", "1.0\tChat\thello\n" + kMarker + kPlayers + kSuicide),
            (std::vector<int32_t>{1}));
  EXPECT_EQ(eventCounts("c.log", "1.0\tno marker\n"), std::vector<int32_t>{});
  EXPECT_EQ(trace.str(), "Unknown Event: no marker\n");
  // A line without a keyword is a failure, which keeps the (empty) match: without a time
  // stamp, it is not merged.
  EXPECT_EQ(eventCounts("e.log", "no marker, no keyword\n"), std::vector<int32_t>{});
  EXPECT_NE(trace.str().find("\nError in core.getGameStats: e.log line 1: the match there has no "
                             "readable start time (Absolute_Time); it is not merged\n"),
            std::string::npos)
      << trace.str();
}

TEST_F(ScorexBRKLogTest, MalformedLinesAreReportedAndTheLogGoesOn) {
  const std::string log = kMarker + kPlayers + "1.0\tkill\t0\n" + "2.0\tKill\t0\tRailgun\n" +
                          "3.0\tPlayer_Respawn\tx\n" + kSuicide + kMarker + kPlayers + kKill +
                          "12.0\tKill\tx\tRailgun\t\t50\t1\t\t\t60\n" + kKill + kMarker + kPlayers +
                          kKill;
  EXPECT_EQ(eventCounts("d.log", log), (std::vector<int32_t>{1, 1, 1}));
  EXPECT_EQ(trace.str(),
            "Unknown Event: kill\nBad 'Kill' Event\nInvalid 'Player Respawn' Event\n"
            "Error in EventList.parse: NumberFormatException: For input string: \"x\"\n");
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK
