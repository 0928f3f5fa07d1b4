// The golden pages of one hand-made match per game type are checked in under
// tests/golden/zln_match_pages/<game type>/. After a deliberate change of the pages, `make
// golden` rewrites them; read the difference line by line before committing it. Without it the
// test fails on any difference.
#include "programs/ScorexZLN/output/GameHtml.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "ConfigReset.h"
#include "Golden.h"
#include "PageText.h"
#include "TempDir.h"
#include "TraceCapture.h"
#include "games/zln/Game.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/settings/config.h"

namespace orvane::programs::ScorexZLN::output {
namespace {

using games::zln::Game;
using Scorex::output::FrameHtml;
using Scorex::settings::config;
using testing::found;
using testing::slurp;
using testing::TempDir;
using Lines = std::vector<std::string>;

// A match from lines written with "|" for the tabs between fields.
std::unique_ptr<Game> play(std::string lines) {
  std::replace(lines.begin(), lines.end(), '|', '\t');
  return std::make_unique<Game>(lines);
}

// A connection at 1 second: number, name and team (0 is Red, 1 Blue).
std::string join(int num, const std::string& name, int team) {
  const std::string n = std::to_string(num);
  return "1|player|Connect|" + name + "|" + n + "|False\n1|player|Team|" + n + "|" +
         std::to_string(team) + "\n1|player|TeamName|" + n + "|" + (team == 0 ? "Red" : "Blue") +
         "\n";
}

class ZlnGameHtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    config::homeDir = dir.path();
    config::set(std::nullopt, "ScorexZLN");
    FrameHtml::initZolnar();
    trace.str("");
  }
  // Writes the match's pages under the title into a directory below the temporary one.
  std::string write(const games::Game& g, const std::string& name, const std::string& sub = "m") {
    const std::string d = dir.file(sub);
    GameHtml().writeGame(g, name, d);
    return d;
  }

  testing::ConfigReset reset;
  TempDir dir;
  testing::TraceCapture trace;
};

// One match per game type, its log beside its golden pages: the index page and one player page.
// Each uses the events of its type (first blood, sprees, flags, control points, the attack,
// team kills, a player who leaves, a log that stops early). Two more give markup, quotes,
// ampersands and ISO-8859-1 letters in every text a log gives: all their pages, escaped; one
// gives weapons, causes and items of no known name ("Unknown") and starts after its end (a
// negative length); one lasts over an hour. No page has a tag but the site's own.
TEST_F(ZlnGameHtmlTest, GoldenPages) {
  const std::string root = std::filesystem::path(__FILE__).parent_path().string() +
                           "/../../../../tests/golden/zln_match_pages/";
  for (const auto& [sub, type, files] : std::vector<std::tuple<std::string, std::string, Lines>>{
           {"Tournament_DeathMatch", "Tournament DeathMatch", {"index.html", "0.html"}},
           {"Capture_the_Flag", "Capture the Flag", {"index.html", "0.html"}},
           {"Domination", "Domination", {"index.html", "0.html"}},
           {"Assault", "Assault", {"index.html", "0.html"}},
           {"Tournament_Team_Game", "Tournament Team Game", {"index.html", "2.html"}},
           {"SinglePlayer", "SinglePlayer", {"index.html", "2.html"}},
           {"Hostile_Domination", "Domination", {"index.html", "0.html", "1.html", "2.html"}},
           {"Hostile_Assault", "Assault", {"index.html", "0.html", "1.html", "2.html"}},
           {"Unknown_Names", "Tournament DeathMatch", {"index.html", "0.html"}},
           {"Long_Match", "Tournament DeathMatch", {"index.html"}}}) {
    const std::string golden = root + sub + "/";
    const Game g(slurp(golden + "log.txt"));
    ASSERT_EQ(games::zln::Specs::games.at(static_cast<size_t>(g.gameType)), type);
    const std::string d = write(g, g.servername + " " + g.map, sub);
    for (const std::string& file : files) {
      const std::string page = slurp(d + "/" + file);
      testing::expectGolden(golden + file, page);
      EXPECT_EQ(testing::foreignTags(page), "") << sub << "/" << file;
    }
  }
  // Only the names no table knows are reported.
  EXPECT_EQ(trace.str(),
            "Error in zln.Specs.wlocAlt: $Blaster$ $zzz$\nError in zln.Specs.wloc: $Zap$ unknown "
            "weapon\nError in zln.Specs.wlocAlt: $Zap$ $Mystery$\nError in zln.Specs.iloc: $Gizmo$ "
            "unknown item\n");
}

// The result lines the golden pages do not show: three teams, a failed attack, no result.
TEST_F(ZlnGameHtmlTest, TeamResults) {
  const std::string teams =
      join(0, "Ann", 0) + join(1, "Bob", 1) +
      "1|player|Connect|Cy|2|False\n1|player|Team|2|2\n1|player|TeamName|2|Green\n";
  const std::string kill = "5|kill|1|Enforcer|0|Enforcer|shot\n";
  for (const auto& [type, lines, result] :
       std::vector<std::tuple<std::string, std::string, std::string>>{
           // Frags; of three teams the first two best are named, the first of a tie first.
           {"Tournament Team Game", teams + kill + "6|kill|2|Enforcer|0|Enforcer|shot\n",
            "Blue ties Green - 1 to 1"},
           // The defenders hold when time runs out; a team without a name or record is numbered.
           {"Assault",
            "0|assault_defender|0\n" + join(0, "Ann", 0) +
                "1|player|Connect|Bob|1|False\n1|player|Team|1|1\n" + kill +
                "9|game_end|timelimit\n",
            "Red defeats Team 1 - the attack failed"},
           {"Tournament Team Game", join(0, "Ann", 0) + "5|suicide|0|None|Fell|None\n", ""}}) {
    const auto g = play("0|game|GameName|" + type + "\n0|game|TeamGame|True\n" + lines);
    EXPECT_EQ(
        found(slurp(write(*g, "m") + "/index.html"), "<tr><td class=s>&nbsp;([^&]*)&nbsp</td>"),
        result.empty() ? Lines{} : Lines{result})
        << type << lines;
  }
  EXPECT_EQ(trace.str(), "");
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN::output
