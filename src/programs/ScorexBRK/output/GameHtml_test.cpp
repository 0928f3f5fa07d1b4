// The golden pages of kTeamMatch are checked in under tests/golden/match_pages/. After a
// deliberate change of the pages, `make golden` rewrites them; read the difference line by line
// before committing it. Without it the test fails on any difference.
#include "programs/ScorexBRK/output/GameHtml.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "ConfigReset.h"
#include "Golden.h"
#include "PageText.h"
#include "TempDir.h"
#include "TraceCapture.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/settings/config.h"

namespace orvane::programs::ScorexBRK::output {
namespace {

using games::brk::Game;
using Scorex::settings::config;
using testing::found;
using testing::listing;
using testing::slurp;
using Lines = std::vector<std::string>;

// A match from lines written with "|" for the tabs between fields.
Game play(std::string lines) {
  std::replace(lines.begin(), lines.end(), '|', '\t');
  return Game(lines);
}

class GameHtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    config::homeDir = dir.path();
    config::set(dir.file("none.cfg"), "ScorexBRK");
    Scorex::output::FrameHtml::init();
    trace.str("");
  }
  // Writes the match's pages under the title into a directory below the temporary one.
  std::string write(const Game& g, const std::string& name, const std::string& sub = "m") {
    const std::string d = dir.file(sub);
    GameHtml().writeGame(g, name, d);
    return d;
  }

  testing::ConfigReset reset;
  testing::TempDir dir;
  testing::TraceCapture trace;
};

// The kills match-up has a cell per pair of players: up to kMatchUpPlayers it is the grid,
// above it a note, and the player pages are written either way.
TEST_F(GameHtmlTest, KillsMatchUpOfAVeryLargeMatchIsANote) {
  for (const size_t n : {Scorex::output::kMatchUpPlayers, Scorex::output::kMatchUpPlayers + 1}) {
    std::string players = "0|info|map|m\n";
    std::string kills;  // each player kills the next
    for (size_t i = 0; i < n; ++i) {
      const std::string num = std::to_string(i);
      players +=
          "1|Player_Connect|P" + num + "|" + num + "|ip\n1|Player_Enter|P" + num + "|" + num + "\n";
      kills += "5|Kill|" + num + "|Railgun||0|" + std::to_string((i + 1) % n) + "|Blaster||0\n";
    }
    const std::string d =
        write(play(players + kills + "9|Game_End|fraglimit\n"), "m", std::to_string(n));
    const std::string index = slurp(d + "/index.html");
    const bool grid = n <= Scorex::output::kMatchUpPlayers;
    EXPECT_EQ(index.find(">Kills Match Up</td>") != std::string::npos, grid) << n;
    EXPECT_EQ(index.find("Is Shown for Games of up to 256 Players</td>") == std::string::npos,
              grid);
    EXPECT_TRUE(std::filesystem::exists(d + "/" + std::to_string(n - 1) + ".html")) << n;
  }
  EXPECT_EQ(trace.str(), "");
}

// Ann (Red) kills Bob; Cy kills Ann and his team mate Bob (Blue).
const std::string kTeams =
    "0|info|match_mode|TeamPlay\n1|Player_Connect|Ann|0|ip\n1|Player_Team_Join|Ann|0|Red|0\n"
    "1|Player_Enter|Ann|0\n1|Player_Connect|Bob|1|ip\n1|Player_Team_Join|Bob|1|Blue|0\n"
    "1|Player_Enter|Bob|1\n1|Player_Connect|Cy|2|ip\n1|Player_Team_Join|Cy|2|Blue|0\n"
    "1|Player_Enter|Cy|2\n5|Kill|0|Railgun||0|1|Railgun||0\n6|Player_Respawn|1\n"
    "7|Fratricide|2|Railgun||0|1|Railgun||0\n8|Player_Respawn|1\n"
    "9|Kill|2|Shotgun||0|0|Railgun||0\n10|Player_Respawn|0\n";

// In TeamPlay the frags of the teams decide; in any other mode of a team game both count as
// 0; with one team, or none, there is no result. A page that cannot be written is reported
// and leaves no file; the others are written.
TEST_F(GameHtmlTest, TeamResultByTheFragsOfTeamPlayAndAnUnwritablePage) {
  const std::string kill = "20|Kill|1|Railgun||0|0|Railgun||0\n21|Player_Respawn|0\n";
  const std::string one =
      "0|info|match_mode|TeamPlay\n1|Player_Connect|A|0|ip\n1|Player_Enter|A|0\n";
  for (const auto& [lines, result] : std::vector<std::pair<std::string, std::string>>{
           {kTeams + kill + kill, "Blue defeats Red - 2 to 1"},
           {kTeams + kill, "Red ties Blue - 1 to 1"},
           {kTeams + "20|info|match_mode|RegularDM\n", "Red ties Blue - 0 to 0"},
           {one + "1|Player_Team_Join|A|0|Red|0\n2|Suicide|0|Lava||0\n", ""},
           {one + "2|Suicide|0|Lava||0\n", ""}}) {
    const std::string index = slurp(write(play(lines + "61|Game_End|x\n"), "m") + "/index.html");
    EXPECT_EQ(found(index, "<tr><td class=s>&nbsp;([^&]*)&nbsp</td>"),
              result.empty() ? Lines{} : Lines{result});
  }
  EXPECT_EQ(trace.str(),
            "Error in GameTables.mTeam: IndexOutOfBoundsException: Index: 1, Size: 1\n"
            "Error in GameTables.mTeam: IndexOutOfBoundsException: Index: 1, Size: 0\n");
  trace.str("");
  const std::string d = dir.file("t");
  write(play(kTeams), "Old", "t");
  std::filesystem::remove(d + "/1.html");
  dir.mkdir("t/1.html");  // a directory in the way
  write(play(kTeams), "New", "t");
  EXPECT_EQ(trace.str(),
            "Error in GameHtml.writePlayer: IOException: " + d + "/1.html (Is a directory)\n");
  EXPECT_EQ(listing(d) + "|" + listing(d + "/1.html"),
            "0.html 1.html 2.html index.html zbot.html|");
  const std::string page = slurp(d + "/2.html");
  EXPECT_TRUE(page.find("Brakk New</title>") != std::string::npos && page.ends_with("</html>\n"));
}

// Golden pages of three matches, their logs beside them, none with a tag but the site's own:
//   match_pages: Ann (Red, with a quad) and the bot Borg (Blue) fight; Cy starts in Blue, is
//     killed by his team mate, kills Ann, changes to Red and is renamed Cyrus there, picks up a
//     rune and dies holding it. The log stops without its end line.
//   match_pages_notes: the copy of the newest match ("Last_Game"), in which nobody fires a shot
//     and the one player only takes his own life: notes stand in for the empty tables.
//   match_pages_hostile: markup, quotes and ampersands in every text a log gives (server, map,
//     disabled items, player and team names, renames, items, the ZBot report), escaped.
TEST_F(GameHtmlTest, GoldenPages) {
  const std::string root =
      std::filesystem::path(__FILE__).parent_path().string() + "/../../../../tests/golden/";
  for (const auto& [sub, name, files] : std::vector<std::tuple<std::string, std::string, Lines>>{
           {"match_pages", "", {"0.html", "1.html", "2.html", "3.html", "index.html", "zbot.html"}},
           {"match_pages_notes", "Last_Game", {"0.html", "index.html", "zbot.html"}},
           {"match_pages_hostile",
            "",
            {"0.html", "1.html", "2.html", "index.html", "zbot.html"}}}) {
    const Game g(slurp(root + sub + "/log.txt"));
    const std::string d = write(g, name.empty() ? g.servername + " " + g.map : name, sub);
    std::string all;
    for (const std::string& file : files) {
      const std::string page = slurp(d + "/" + file);
      testing::expectGolden(root + sub + "/" + file, page);
      EXPECT_EQ(testing::foreignTags(page), "") << sub << "/" << file;
      all += (all.empty() ? "" : " ") + file;
    }
    EXPECT_EQ(listing(d), all);
  }
  EXPECT_EQ(trace.str(), "");
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK::output
