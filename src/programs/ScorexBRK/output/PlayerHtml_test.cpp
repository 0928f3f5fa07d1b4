#include "programs/ScorexBRK/output/PlayerHtml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "ConfigReset.h"
#include "Golden.h"
#include "TempDir.h"
#include "TraceCapture.h"
#include "games/brk/Player.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexBRK/output/PlayerTables.h"

namespace orvane::programs::ScorexBRK::output {
namespace {

using games::brk::Player;

class PlayerHtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Scorex::settings::config::set(home.file("none.cfg"), "ScorexBRK");
    Scorex::output::FrameHtml::init();
    trace.str("");
  }
  testing::ConfigReset reset;
  testing::TempDir home;
  testing::TraceCapture trace;
};

// 12 kills, 5 deaths, 2 suicides and a team kill in half an hour; a damage ratio of 1000:300.
Player career(bool bot) {
  Player p;
  std::tie(p.name, p.isABot) = std::tuple("Ann", bot);
  games::brk::PStats& s = p.all;
  std::tie(s.frags, s.kills, s.deaths, s.suicides, s.tkills, s.tdeaths) =
      std::tuple(9, 12, 5, 2, 1, 3);
  std::tie(s.pingTime, s.pingNum, s.teamWins, s.teamLosses, s.uses) = std::tuple(100, 3, 2, 1, 4);
  std::tie(s.totalTime, s.dGiven, s.dReceived) = std::tuple(1800.0, 1000, 300);
  std::tie(p.games[0].frags, p.games[0].deaths, p.games[0].suicides, p.games[0].totalTime) =
      std::tuple(-2, 4, 1, 1800.0);
  p.games[1].frags = 5;  // no time played
  return p;
}

// Golden career pages: Ann as a human on the site, as a bot on a page of the second type, and
// as the body alone; a player without counts, whose escaped name, notes in place of the empty
// tables and banner by the largest career number (without wrapping) they pin.
TEST_F(PlayerHtmlTest, GoldenCareerPages) {
  const std::string golden = std::filesystem::path(__FILE__).parent_path().string() +
                             "/../../../../tests/golden/career_pages/";
  Player none;
  std::tie(none.name, none.uid) = std::tuple("A & B", 2147483647);
  for (const auto& [p, type, file] :
       std::vector<std::tuple<Player, int32_t, std::string>>{{career(false), 1, "human.html"},
                                                             {career(true), 2, "bot.html"},
                                                             {career(false), 3, "body.html"},
                                                             {none, 1, "none.html"}}) {
    testing::expectGolden(golden + file, PlayerHtml().getHtml(p, type, 3));
  }
  EXPECT_EQ(trace.str(), "");
}

// A game type out of range fails the builders that need it; they keep what they built; a body
// written before its tables fails.
TEST_F(PlayerHtmlTest, GameTypeOutOfRangeAndBodyBeforeTables) {
  const PlayerTables wrong(career(false), 1, 5);
  EXPECT_EQ(wrong.pWeapon->size() + wrong.pSuicide->size() + wrong.pItems->size(), 4u);
  util::TextWriter w;
  PlayerHtml().writePlayerTotalsBody(w);
  EXPECT_EQ(trace.str(),
            "Error in PlayerTables.mPWeapon: ArrayIndexOutOfBoundsException: 5\n"
            "Error in PlayerTables.mPSuicide: ArrayIndexOutOfBoundsException: 5\n"
            "Error in PlayerTables.mPItems: ArrayIndexOutOfBoundsException: 5\n"
            "Error in PlayerHtml.writePlayerTotalsBody:NullPointerException\n");
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK::output
