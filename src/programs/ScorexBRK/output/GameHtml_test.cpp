// The golden pages of kTeamMatch are checked in under tests/golden/match_pages/. After a
// deliberate change of the pages, `make golden` rewrites them; read the difference line by line
// before committing it. Without it the test fails on any difference.
#include "programs/ScorexBRK/output/GameHtml.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Golden.h"
#include "TempDir.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexBRK/output/FrameHtml.h"
#include "util/Debug.h"
#include "util/Files.h"

namespace orvane::programs::ScorexBRK::output {
namespace {

using games::brk::Game;
using Scorex::settings::config;
using testing::listing;
using testing::slurp;
using testing::TempDir;
using util::Debug;
using Lines = std::vector<std::string>;

// A match from lines written with "|" for the tabs between fields.
Game play(std::string lines) {
  std::replace(lines.begin(), lines.end(), '|', '\t');
  return Game(lines);
}

// Every match in a regex's first group, in page order.
Lines found(const std::string& page, const std::string& pattern) {
  Lines out;
  const std::regex re(pattern);
  for (std::sregex_iterator i(page.begin(), page.end(), re), end; i != end; ++i) {
    out.push_back((*i)[1].str());
  }
  return out;
}
Lines notes(const std::string& page) {
  return found(page, "<table><tr><td valign=middle width=250 class=s>([^<]*)</td></tr></table>\n");
}
class GameHtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    config::reset();
    Debug::reset();
    Debug::setStream(&trace);
    config::homeDir = dir.path();
    config::set(std::nullopt, "ScorexBRK");
    FrameHtml::init();
    trace.str("");
  }
  void TearDown() override {
    config::reset();
    Debug::reset();
  }
  // Writes the match's pages under the title into a directory below the temporary one.
  std::string write(const Game& g, const std::string& name, const std::string& sub = "m") {
    const std::string d = dir.file(sub);
    GameHtml().writeGame(g, name, d);
    return d;
  }

  TempDir dir;
  std::ostringstream trace;
};

// Ann kills Bob twice, Cid takes his own life.
const char* const kThree =
    "0|info|hostname|Srv\n0|info|map|m\n1|Player_Connect|Ann|0|ip\n1|Player_Enter|Ann|0\n"
    "1|Player_Connect|Bob|1|ip\n1|Player_Enter|Bob|1\n1|Player_Connect|Cid|2|ip\n"
    "1|Player_Enter|Cid|2\n5|Kill|0|Railgun||0|1|Blaster||0\n6|Player_Respawn|1\n"
    "7|Kill|0|Railgun||0|1|Blaster||0\n8|Suicide|2|Lava||0\n";

TEST_F(GameHtmlTest, OnePagePerPlayerEachWithItsBannerNumber) {
  Game g = play(std::string(kThree) + "9|Game_End|fraglimit\n");
  Debug::setLevel(2);
  const std::string d = write(g, "Srv m");
  // Written through temporary names: nothing else is left in the directory.
  EXPECT_EQ(listing(d), "0.html 1.html 2.html index.html zbot.html");
  Lines want = {"I GameHtml.writeGame"};
  for (auto [file, body] : {std::pair{"GameIndex", "GameBody"}, std::pair{"GameZBot", "ZBotBody"},
                            std::pair{"Player", "PlayerBody"}, std::pair{"Player", "PlayerBody"},
                            std::pair{"Player", "PlayerBody"}}) {
    want.insert(want.end(),
                {std::string("I GameHtml.write") + file, std::string("I GameHtml.write") + body,
                 std::string("O GameHtml.write") + body, std::string("O GameHtml.write") + file});
  }
  want.push_back("O GameHtml.writeGame");
  EXPECT_EQ(found(trace.str(), "([IO] GameHtml\\.[^\n]*)\n"), want);

  struct Case {
    int64_t time;
    const char* index;
    const char* zbot;
    const char* player2;
  };
  for (const Case& c : {Case{1234567890, "1567890100", "156789099", "15678902"},
                        Case{0, "1000000100", "100000099", "10000002"},
                        Case{-1, "999999100", "99999999", "9999992"}}) {
    g.time = c.time;
    const std::string t = write(g, "Srv m", "t" + std::to_string(c.time));
    for (auto [file, number] : {std::pair{"index.html", c.index}, std::pair{"zbot.html", c.zbot},
                                std::pair{"2.html", c.player2}}) {
      const std::string page = slurp(t + "/" + file);
      for (const char* query : {"link=yes&amp;page=5.1.3.", "size=1&amp;page=5.1.3."}) {
        EXPECT_NE(page.find(query + std::string(number) + "\""), std::string::npos) << file;
      }
    }
  }
}

TEST_F(GameHtmlTest, BodiesWrittenBeforeTheirTablesAreReportedFailures) {
  const Game g = play("0|info|map|m\n1|Player_Connect|Ann|0|ip\n3|Suicide|0|Lava||0\n");
  GameHtml html;
  util::TextWriter w;
  html.writeGameBody(w, "m", g);
  html.writeZBotBody(w, "m", g);
  html.writePlayerBody(w, "m", g, 0);
  const std::string failure = ": NullPointerException\n";
  EXPECT_EQ(trace.str(), "Error in GameHtml.writeGameBody" + failure +
                             "Error in GameHtml.writeZBotBody" + failure +
                             "Error in GameHtml.writePlayerBody" + failure);
}

TEST_F(GameHtmlTest, NotesStandInForEmptyTables) {
  // Nobody fires a shot; every player only takes his own life; the log stops without an end.
  const std::string lines =
      "0|info|hostname|Srv\n0|info|map|m\n1|Player_Connect|Ann|0|ip\n1|Player_Enter|Ann|0\n"
      "1|Player_Connect|Bob|1|ip\n1|Player_Enter|Bob|1\n1|Player_Connect|Cid|2|ip\n"
      "1|Player_Enter|Cid|2\n3|Suicide|0|Lava||0\n4|Suicide|1|Fell||0\n5|Suicide|2|Lava||0\n";
  const std::string d = write(play(lines), "Srv m");
  const std::string index = slurp(d + "/index.html");
  EXPECT_EQ(
      notes(index),
      (Lines{"There Were No Weapons Used", "There Were No Kills with a Weapon",
             "There Were No Deaths by a Weapon", "There Were No Deaths While Holding a Weapon",
             "There Were No Kills with a Powerup", "There Were No Items Picked Up"}));
  EXPECT_NE(index.find("<tr><td class=aa>Game Index for Srv m\n<br><span class=ak>\n"
                       "Note: This Game's Logfile Was Incomplete See \n"
                       "<a href=\"../../Help_Using_Scorex.html#logfile\" class=ak>Help</a>\n"
                       " for details.</span>\n</td></tr>\n"),
            std::string::npos);
  const std::string zbot = slurp(d + "/zbot.html");
  EXPECT_EQ(notes(zbot), (Lines{"No Bots Were Detected"}));
  EXPECT_EQ(zbot.find("Incomplete"), std::string::npos);
  for (const char* player : {"0.html", "1.html", "2.html"}) {
    const std::string page = slurp(d + "/" + player);
    EXPECT_EQ(notes(page),
              (Lines{"There Were No Weapons Used", "There Were No Player Specific Kills or Deaths",
                     "There Were No Powerups Used", "There Were No Items Picked Up"}))
        << player;
    EXPECT_EQ(page.find("Incomplete"), std::string::npos) << player;
  }
  // The same match with its end line: no note under the heading.
  const std::string ended =
      slurp(write(play(lines + "9|Game_End|fraglimit\n"), "Srv m", "e") + "/index.html");
  EXPECT_NE(ended.find("<tr><td class=aa>Game Index for Srv m\n</td></tr>\n"), std::string::npos);
  EXPECT_EQ(ended.find("Incomplete"), std::string::npos);
  EXPECT_EQ(trace.str(), "");
}

// The kills match-up has a cell per pair of players: up to kMatchUpPlayers it is the grid,
// above it a note, and the player pages are written either way.
TEST_F(GameHtmlTest, KillsMatchUpOfAVeryLargeMatchIsANote) {
  for (const size_t n : {Scorex::output::kMatchUpPlayers, Scorex::output::kMatchUpPlayers + 1}) {
    std::string lines = "0|info|map|m\n";
    for (size_t i = 0; i < n; ++i) {
      const std::string num = std::to_string(i);
      lines +=
          "1|Player_Connect|P" + num + "|" + num + "|ip\n1|Player_Enter|P" + num + "|" + num + "\n";
    }
    for (size_t i = 0; i < n; ++i) {
      lines += "5|Kill|" + std::to_string(i) + "|Railgun||0|" + std::to_string((i + 1) % n) +
               "|Blaster||0\n";
    }
    const std::string d = write(play(lines + "9|Game_End|fraglimit\n"), "m", std::to_string(n));
    const std::string index = slurp(d + "/index.html");
    const bool grid = n <= Scorex::output::kMatchUpPlayers;
    EXPECT_EQ(index.find(">Kills Match Up</td>") != std::string::npos, grid) << n;
    const Lines all = notes(index);
    EXPECT_EQ(std::count(all.begin(), all.end(),
                         "The Kills Match Up Is Shown for Games of up to 256 Players"),
              grid ? 0 : 1)
        << n;
    EXPECT_TRUE(std::filesystem::exists(d + "/" + std::to_string(n - 1) + ".html")) << n;
  }
  EXPECT_EQ(trace.str(), "");
}

TEST_F(GameHtmlTest, HeadingsAndTheMarkedNavigationEntry) {
  std::string lines = kThree;
  lines.replace(lines.find("Cid|2|ip"), 3, "<Zed> Q");
  const Game g = play(lines);
  const std::string recent = slurp(write(g, "Srv m") + "/2.html");
  EXPECT_NE(
      recent.find("\n<tr><td class=aa>Individual Game Stats for &lt;Zed&gt;&nbsp;Q</td></tr>\n"
                  "<tr><td>\n<center>\n"),
      std::string::npos);
  EXPECT_EQ(found(recent, "class=\"a\">(?:\xB7&nbsp;)?([^<]*)<"),
            (Lines{"Most Recent", "Most Recent"}));
  // The copy of the newest match marks "Last Game" in sidebar and footer.
  const std::string last = write(g, "Last_Game", "Last_Game");
  for (const char* file : {"index.html", "zbot.html", "0.html"}) {
    const std::string page = slurp(last + "/" + file);
    EXPECT_EQ(found(page, "class=\"a\">(?:\xB7&nbsp;)?([^<]*)<"), (Lines{"Last Game", "Last Game"}))
        << file;
    EXPECT_NE(page.find("<title>Scorex for Kelvo Tourney DM for Brakk Last_Game</title>"),
              std::string::npos);
  }
}

TEST_F(GameHtmlTest, UnwritablePageLeavesNoFileAndTheOthersAreWritten) {
  const Game g = play(std::string(kThree) + "9|Game_End|fraglimit\n");
  const std::string d = dir.file("m");
  write(g, "Old");
  std::filesystem::remove(d + "/1.html");
  dir.mkdir("m/1.html");  // a directory in the way
  write(g, "New");
  EXPECT_EQ(trace.str(),
            "Error in GameHtml.writePlayer: IOException: " + d + "/1.html (Is a directory)\n");
  EXPECT_EQ(listing(d), "0.html 1.html 2.html index.html zbot.html");
  EXPECT_TRUE(std::filesystem::is_directory(d + "/1.html"));
  EXPECT_EQ(listing(d + "/1.html"), "");
  // The pages after it are still written, and earlier pages are replaced.
  for (const char* file : {"index.html", "zbot.html", "0.html", "2.html"}) {
    const std::string page = slurp(d + "/" + file);
    EXPECT_NE(page.find("<title>Scorex for Kelvo Tourney DM for Brakk New</title>"),
              std::string::npos)
        << file;
    EXPECT_TRUE(page.ends_with("\n</tr> </table> </body> </html>\n")) << file;
  }
}

// Ann (Red, with a quad) and the bot Borg (Blue) fight; Cy starts in Blue, is killed by his
// team mate, kills Ann, changes to Red and is renamed Cyrus there, picks up a rune and dies
// holding it. The log stops without its end line.
const char* const kTeamMatch =
    "0.0|info|Log_Standard|qmLog\n0.0|info|Absolute_Time|2003.11.15.20.45.10.250.+1\n"
    "0.0|info|hostname|Frag Palace\n0.0|info|map|q2dm1\n0.0|info|timelimit|20\n"
    "0.0|info|fraglimit|30\n0.0|info|match_mode|TeamPlay\n0.0|info|dmflags|1044\n"
    "0.0|info|hook_status|on\n0.0|info|runes_status|off\n"
    "0.0|info|disabled_items|BFG10K|Quad|Invulnerability|Silencer\n"
    "1.0|Player_Connect|Ann|0|10.0.0.1|s1\n1.0|Player_Team_Join|Ann|0|Red|30\n"
    "1.0|Player_Enter|Ann|0\n1.0|Player_Connect|Borg|1|IS_A_BOT\n"
    "1.0|Player_Team_Join|Borg|1|Blue|0\n1.0|Player_Enter|Borg|1\n"
    "2.0|Player_Connect|Cy|2|10.0.0.3\n2.0|Player_Team_Join|Cy|2|Blue|50\n"
    "2.0|Player_Enter|Cy|2\n5.0|Item_Pickup|Railgun||0|30\n6.0|Item_Use|Quad||0|30\n"
    "10.0|Kill|0|Railgun||30|1|Blaster||0\n11.0|Player_Respawn|1\n14.0|Item_Expire|Quad||0\n"
    "15.0|Fratricide|1|Blaster||0|2|Shotgun||50\n16.0|Player_Respawn|2\n"
    "20.0|Kill|2|Shotgun||60|0|Railgun||40\n21.0|Player_Respawn|0\n"
    "30.0|Player_Team_Join|Cy|2|Red|60\n31.0|Player_Rename|Cy|Cyrus|2|70\n"
    "33.0|Item_Pickup|Shells||2|70\n36.0|Item_Use|Strength_Rune||2|70\n"
    "40.0|Kill|1|Blaster||0|2|Shotgun||70\n41.0|Player_Respawn|2\n"
    "45.0|Suicide|0|Rocket Launcher||40\n46.0|Player_Respawn|0\n"
    "50.0|Player_Accuracy|0|Railgun:1:3:100:0|Rocket Launcher:0:2:0:25|d:100:125\n"
    "50.0|Player_Accuracy|1|Blaster:2:9:160:100|d:160:100\n"
    "50.0|Player_Accuracy|2|Shotgun:1:4:60:160|d:60:160\n"
    "55.0|Player_ZBOT|Borg|1|10.0.0.2|aim pattern 98%\n60.0|Item_Pickup|Shells||0|40\n";

TEST_F(GameHtmlTest, GoldenPagesOfATeamMatch) {
  const Game g = play(kTeamMatch);
  const std::string d = write(g, g.servername + " " + g.map, std::to_string(g.time));
  const std::string golden = std::filesystem::path(__FILE__).parent_path().string() +
                             "/../../../../tests/golden/match_pages/";
  EXPECT_EQ(listing(d), "0.html 1.html 2.html 3.html index.html zbot.html");
  for (const char* file : {"index.html", "zbot.html", "0.html", "1.html", "2.html", "3.html"}) {
    testing::expectGolden(golden + file, slurp(d + "/" + file));
  }
  EXPECT_EQ(trace.str(), "");
}

TEST_F(GameHtmlTest, HostileTextsFromTheLogStayText) {
  const Game g = play(
      "0|info|hostname|Srv <iframe src=\"evil\">\n0|info|map|<marquee>m&m</marquee>\n"
      "0|info|match_mode|TeamPlay\n0|info|disabled_items|<u>Quad</u>|A&B|\"x\"|Slugs\n"
      "1|Player_Connect|<script>alert(\"x\")</script>|0|ip\n"
      "1|Player_Team_Join|<script>alert(\"x\")</script>|0|<blink>Red</blink>|0\n"
      "1|Player_Enter|<script>alert(\"x\")</script>|0\n1|Player_Connect|A&B|1|IS_A_BOT\n"
      "1|Player_Team_Join|A&B|1|Blue \"B\"|0\n1|Player_Enter|A&B|1\n"
      "1|Player_Connect|Cy|2|ip\n1|Player_Team_Join|Cy|2|Blue \"B\"|0\n1|Player_Enter|Cy|2\n"
      "2|Player_Rename|Cy|\"quoted name\"|2|0\n3|Item_Use|<embed>||0|0\n"
      "4|Kill|0|Railgun||0|1|Blaster||0\n5|Player_Respawn|1\n6|Kill|2|Shotgun||0|0|Railgun||0\n"
      "7|Player_Respawn|0\n8|Suicide|1|Lava||0\n9|Team_Rename|<blink>Red</blink>|<s>Red & Co</s>\n"
      "10|Player_ZBOT|<script>alert(\"x\")</script>|0|\"1.2.3.4\"&<x>|<img src=x onerror=y>\n"
      "11|Player_Accuracy|0|Railgun:1:2:100:0|d:100:0\n12|Game_End|fraglimit\n");
  const std::string d = write(g, g.servername + " " + g.map);
  ASSERT_EQ(listing(d), "0.html 1.html 2.html index.html zbot.html");
  static const std::set<std::string> kOwnTags = {
      "html", "head", "meta", "link", "title", "body",   "b",    "table",  "tr", "td",
      "a",    "img",  "br",   "p",    "span",  "strong", "font", "center", "hr"};
  std::string all;
  for (const std::string file : {"index.html", "zbot.html", "0.html", "1.html", "2.html"}) {
    const std::string page = slurp(d + "/" + file);
    for (const std::string& tag : found(page, "</?([A-Za-z]+)")) {
      EXPECT_TRUE(kOwnTags.count(tag)) << file << ": <" << tag;
    }
    for (const char* raw : {"<script", "alert(\"x\")", "<iframe", "src=\"evil\"", "<marquee", "m&m",
                            "<u>", "A&B", "\"x\"", "<blink", "Blue \"B\"", "\"quoted", "<embed",
                            "<s>", "& Co", "\"1.2.3.4\"", "&<x>", "<img src=x"}) {
      EXPECT_EQ(page.find(raw), std::string::npos) << file << ": " << raw;
    }
    all += page;
  }
  const std::string match =
      "Srv &lt;iframe src=&quot;evil&quot;&gt; &lt;marquee&gt;m&amp;m&lt;/marquee&gt;";
  for (const std::string& escaped :
       {"<title>Scorex for Kelvo Tourney DM for Brakk " + match + "</title>",
        "Game Index for " + match + "\n", "ZBot List for " + match + "\n",
        std::string("Individual Game Stats for &lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;<"),
        std::string("class=t>&nbsp;A&amp;B&nbsp</a>"),
        std::string("class=z>&nbsp;&quot;quoted&nbsp;name&quot;&nbsp</a>"),
        std::string("&nbsp;Killed by &quot;quoted name&quot; with a Shotgun&nbsp"),
        std::string("&nbsp;&lt;u&gt;Quad&lt;/u&gt;, A&amp;B, &quot;x&quot;, <br>Slugs&nbsp"),
        std::string("&nbsp;Team: &lt;s&gt;Red &amp; Co&lt;/s&gt;&nbsp"),
        std::string(
            "&nbsp;&lt;s&gt;Red &amp; Co&lt;/s&gt; defeats Blue &quot;B&quot; - 1 to 0&nbsp"),
        std::string("&nbsp;&lt;embed&gt;&nbsp"),
        std::string("&nbsp;&quot;1.2.3.4&quot;&amp;&lt;x&gt;&nbsp"),
        std::string("&nbsp;&lt;img src=x onerror=y&gt;&nbsp")}) {
    EXPECT_NE(all.find(escaped), std::string::npos) << escaped;
  }
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK::output
