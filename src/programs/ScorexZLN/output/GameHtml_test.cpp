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
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Golden.h"
#include "TempDir.h"
#include "games/brk/Game.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/settings/config.h"
#include "tools/ZlnLogGenerator.h"
#include "util/Debug.h"
#include "util/Files.h"

namespace orvane::programs::ScorexZLN::output {
namespace {

using games::zln::Game;
using Scorex::output::FrameHtml;
using Scorex::settings::config;
using testing::listing;
using testing::slurp;
using testing::TempDir;
using util::Debug;
using Lines = std::vector<std::string>;

// A match from lines written with "|" for the tabs between fields.
std::unique_ptr<Game> play(std::string lines) {
  std::replace(lines.begin(), lines.end(), '|', '\t');
  return std::make_unique<Game>(lines);
}

// The information lines of a match of game type `type` and class `cls`, on map `map`.
std::string header(const std::string& type, const std::string& cls, bool team,
                   const std::string& map) {
  return "0|info|Absolute_Time|2024.03.01.20.00.00.000.+1\n0|info|Server_ServerName|Zol Arena\n"
         "0|map|Title|" +
         map + "\n0|game|GameName|" + type + "\n0|game|GameClass|Botpack." + cls +
         "\n0|game|TeamGame|" + (team ? "True" : "False") +
         "\n0|game|TimeLimit|20\n0|game|FragLimit|30\n0|game|GoalTeamScore|3\n"
         "0|game|FriendlyFireScale|0.5\n0|game|UseTranslocator|True\n"
         "0|game|TournamentMode|False\n0|game|NetMode|ListenServer\n"
         "0|game|GameMutator|Botpack.LowGrav\n2|game_start\n";
}

// A connection at 1 second: number, name, team (none when negative) and its name, bot or not.
std::string join(int num, const std::string& name, int team = -1, bool bot = false) {
  const std::string n = std::to_string(num);
  std::string s = "1|player|Connect|" + name + "|" + n + "|False\n1|player|IsABot|" + n + "|" +
                  (bot ? "True" : "False") + "\n";
  if (team >= 0) {
    s += "1|player|Team|" + n + "|" + std::to_string(team) + "\n1|player|TeamName|" + n + "|" +
         (team == 0 ? "Red" : "Blue") + "\n";
  }
  return s + "1|player|Skill|" + n + "|2.0\n";
}

// Every match of a regex's first group, in page order.
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
Lines titles(const std::string& page) {
  return found(page, "<td class=s colspan=\\d+>([^<]*)</td>");
}

class ZlnGameHtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    config::reset();
    Debug::reset();
    Debug::setStream(&trace);
    config::homeDir = dir.path();
    config::set(std::nullopt, "ScorexZLN");
    FrameHtml::initZolnar();
    trace.str("");
  }
  void TearDown() override {
    config::reset();
    Debug::reset();
  }
  // Writes the match's pages under the title into a directory below the temporary one.
  std::string write(const games::Game& g, const std::string& name, const std::string& sub = "m") {
    const std::string d = dir.file(sub);
    GameHtml().writeGame(g, name, d);
    return d;
  }

  TempDir dir;
  std::ostringstream trace;
};

struct GoldenMatch {
  const char* type;
  std::string log;
  const char* playerPage;  // the player page kept besides the index page
};

// One match per game type; see the report of each in the comments.
std::vector<GoldenMatch> goldenMatches() {
  return {
      // Ann, holding the Damage Amplifier, draws first blood with two head shots, a double and a
      // multi kill, reaches a killing spree and is killed by the bot Kai; Bob kills himself with
      // a rocket and uses the translocator, Kai falls.
      {"Tournament DeathMatch",
       header("Tournament DeathMatch", "DeathMatchPlus", false, "Deck16") + join(0, "Ann") +
           join(1, "Bob") + join(2, "Kai", -1, true) +
           "3|player|Ping|0|40\n3|player|Ping|1|100\n5|item_get|Body Armor|0\n"
           "6|item_get|Health Vial|1\n7|item_get|Health Vial|0\n"
           "8|item_activate|Damage Amplifier|0\n10|kill|0|Enforcer|1|Enforcer|shot\n"
           "10|headshot|0|1\n11|kill|0|Enforcer|2|Minigun|shot\n"
           "12|kill|0|Sniper Rifle|1|Enforcer|Decapitated\n12|headshot|0|1\n"
           "13|player|Ping|0|60\n15|item_deactivate|Damage Amplifier|0\n"
           "20|kill|0|Flak Cannon|2|Minigun|shredded\n21|kill|0|Flak Cannon|1|Enforcer|shredded\n"
           "25|kill|2|Rocket Launcher|0|Flak Cannon|RocketDeath\n"
           "30|suicide|1|Rocket Launcher|RocketDeath|None\n35|suicide|2|None|Fell|None\n"
           "40|throw_translocator|1\n41|translocate|1\n42|translocate_fail|1\n"
           "121|game_end|fraglimit\n",
       "0.html"},
      // Red (Ann, Cy) against Blue (Bob, the bot Dee): Bob kills the carrier Ann, Cy brings the
      // flag home (Ann assists) and captures again; Ann returns her flag and kills her team
      // mate Cy.
      {"Capture the Flag",
       header("Capture the Flag", "CTFGame", true, "Face") + join(0, "Ann", 0) + join(1, "Bob", 1) +
           join(2, "Cy", 0) + join(3, "Dee", 1, true) +
           "10|flag_taken|0|1\n11|kill|1|Enforcer|0|Enforcer|shot\n11|flag_dropped|0|1\n"
           "12|flag_pickedup|2|1\n13|flag_captured|2|1\n14|flag_taken|1|0\n"
           "15|flag_returned|0|0\n16|flag_taken|2|1\n17|flag_captured|2|1\n"
           "18|kill|2|Enforcer|1|Enforcer|shot\n20|kill|3|Pulse Gun|2|Enforcer|zapped\n"
           "22|teamkill|0|Shock Rifle|2|Enforcer|jolted\n25|item_get|Flak Shells|3\n"
           "61|game_end|timelimit\n",
       "0.html"},
      // Red (Ann, the bot Bob) take the Tower three times, Blue's Cy takes Gate and Tower; Blue
      // has the higher score although Red has more frags.
      {"Domination",
       header("Domination", "Domination", true, "Condemned") + join(0, "Ann", 0) +
           join(1, "Bob", 0, true) + join(2, "Cy", 1) +
           "5|controlpoint_capture|Tower|0\n6|controlpoint_capture|Gate|2\n"
           "7|controlpoint_capture|Tower|2\n8|controlpoint_capture|Tower|0\n"
           "9|controlpoint_capture|Gate|1\n10|kill|0|Shock Rifle|2|Enforcer|jolted\n"
           "12|kill|2|Enforcer|1|Enforcer|shot\n20|dom_score_update|0|12.5\n"
           "20|dom_score_update|1|30\n61|game_end|timelimit\n",
       "0.html"},
      // Red attacks part 2 of AS-Frigate, which Blue (the bot Cy) defends, and succeeds.
      {"Assault",
       header("Assault", "Assault", true, "Frigate") +
           "0|assault_gamecode|AS-Frigate|2\n0|assault_defender|1\n" + join(0, "Ann", 0) +
           join(1, "Bob", 0) + join(2, "Cy", 1, true) +
           "10|kill|0|Rocket Launcher|2|Minigun|RocketDeath\n12|kill|2|Minigun|1|Enforcer|shot\n"
           "14|item_get|ShieldBelt|0\n50|game_end|Assault succeeded\n",
       "0.html"},
      // Red (Ann, Cy) against Blue (the bot Bob): Ann kills Bob three times, Bob kills Cy, Cy
      // kills his team mate Ann.
      {"Tournament Team Game",
       header("Tournament Team Game", "TeamGamePlus", true, "Morpheus") + join(0, "Ann", 0) +
           join(1, "Bob", 1, true) + join(2, "Cy", 0) +
           "10|kill|0|Shock Rifle|1|Enforcer|jolted\n15|kill|0|Shock Rifle|1|Enforcer|jolted\n"
           "20|kill|1|Enforcer|2|Shock Rifle|shot\n25|teamkill|2|Enforcer|0|Shock Rifle|shot\n"
           "30|kill|0|Shock Rifle|1|Enforcer|jolted\n91|game_end|fraglimit\n",
       "2.html"},
      // Ann against the bots Kai and Lux, who turns invisible and leaves; the log stops early.
      {"SinglePlayer",
       header("SinglePlayer", "DeathMatchPlus", false, "Tutorial") + join(0, "Ann") +
           join(1, "Kai", -1, true) + join(2, "Lux", -1, true) +
           "3|game|NetMode|SinglePlayer\n5|item_activate|Invisibility|2\n"
           "10|kill|0|Minigun|1|Enforcer|shot\n14|kill|2|Ripper|0|Minigun|Decapitated\n"
           "18|player|Disconnect|2\n20|kill|0|Minigun|1|Enforcer|shot\n",
       "2.html"},
  };
}

TEST_F(ZlnGameHtmlTest, GoldenPagesOfEveryGameType) {
  const std::string root = std::filesystem::path(__FILE__).parent_path().string() +
                           "/../../../../tests/golden/zln_match_pages/";
  for (const GoldenMatch& m : goldenMatches()) {
    const auto g = play(m.log);
    ASSERT_EQ(games::zln::Specs::games.at(static_cast<size_t>(g->gameType)), m.type);
    std::string sub = m.type;
    std::replace(sub.begin(), sub.end(), ' ', '_');
    const std::string d = write(*g, g->servername + " " + g->map, sub);
    const std::string golden = root + sub + "/";
    for (const std::string file : {"index.html", m.playerPage}) {
      testing::expectGolden(golden + file, slurp(d + "/" + file));
    }
  }
  EXPECT_EQ(trace.str(), "");
}

TEST_F(ZlnGameHtmlTest, OnePagePerPlayerEachWithItsBannerNumber) {
  const auto g = play(goldenMatches()[0].log);
  Debug::setLevel(2);
  const std::string d = write(*g, "Zol Arena Deck16");
  EXPECT_EQ(listing(d), "0.html 1.html 2.html index.html");
  Lines want = {"I GameHtml.writeGame", "I GameHtml.writeGameIndex", "I GameHtml.writeGameBody",
                "O GameHtml.writeGameBody", "O GameHtml.writeGameIndex"};
  for (int p = 0; p < 3; ++p) {
    want.insert(want.end(), {"I GameHtml.writePlayer", "I GameHtml.writePlayerBody",
                             "O GameHtml.writePlayerBody", "O GameHtml.writePlayer"});
  }
  want.push_back("O GameHtml.writeGame");
  EXPECT_EQ(found(trace.str(), "([IO] GameHtml\\.[^\n]*)\n"), want);
  for (auto [file, number] :
       {std::pair{"index.html", "1600000100"}, std::pair{"2.html", "16000002"}}) {
    EXPECT_EQ(found(slurp(d + "/" + file), "page=5\\.1\\.3\\.(\\d+)\""), (Lines{number, number}));
  }

  // The copy of the newest match marks "Last Game" in sidebar and footer.
  const std::string last = write(*g, "Last_Game", "Last_Game");
  for (const char* file : {"index.html", "1.html"}) {
    const std::string page = slurp(last + "/" + file);
    EXPECT_EQ(found(page, "class=\"a\">(?:\xB7&nbsp;)?([^<]*)<"),
              (Lines{"Last Game", "Last Game"}));
    EXPECT_NE(page.find("<title>Scorex for Zolnar Last_Game</title>"), std::string::npos);
  }

  // A match of the other game is refused; nothing is written.
  trace.str("");
  Debug::setLevel(0);
  const games::brk::Game other(
      std::string("1\tPlayer_Connect\tA\t0\tip\n2\tSuicide\t0\tLava\t\t0\n"));
  write(other, "Other", "other");
  EXPECT_EQ(trace.str(), "Error in GameHtml.writeGame: ClassCastException: not a Zolnar match\n");
  EXPECT_EQ(listing(dir.file("other")), "<missing>");
}

TEST_F(ZlnGameHtmlTest, NotesTeamsAndTheIncompleteLog) {
  // Two players only fall to their deaths; the log stops without its end.
  const std::string falls =
      join(0, "Ann") + join(1, "Bob") + "3|suicide|0|None|Fell|None\n4|suicide|1|None|Fell|None\n";
  const std::string log =
      header("Tournament DeathMatch", "DeathMatchPlus", false, "Deck16") + falls;
  const std::string d = write(*play(log), "Srv m");
  const std::string index = slurp(d + "/index.html");
  // No team: no result line and no team banner.
  EXPECT_EQ(titles(index), (Lines{"Totals for This Game", "Match Information", "Game Summary",
                                  "Kills Match Up", "Highs", "Lows", "Most Suicides by Type"}));
  EXPECT_EQ(index.find("<td class=s>"), std::string::npos);
  EXPECT_EQ(index.find("Team: "), std::string::npos);
  EXPECT_EQ(notes(index),
            (Lines{"There Were No Special Events", "There Were No Weapons Used",
                   "There Were No Kills with a Weapon", "There Were No Deaths by a Weapon",
                   "There Were No Deaths While Holding a Weapon", "There Were No Sprees",
                   "There Were No Kills with a Powerup", "There Were No Items Picked Up"}));
  EXPECT_NE(index.find("<tr><td class=aa>Game Index for Srv m\n<br><span class=ak>\n"
                       "Note: This Game's Logfile Was Incomplete See \n"
                       "<a href=\"../../Help_Using_Scorex.html#logfile\" class=ak>Help</a>\n"
                       " for details.</span>\n</td></tr>\n"),
            std::string::npos);
  for (const char* player : {"0.html", "1.html"}) {
    const std::string page = slurp(d + "/" + player);
    EXPECT_EQ(notes(page),
              (Lines{"There Were No Special Events", "There Were No Weapons Used",
                     "There Were No Player Specific Kills or Deaths", "There Were No Sprees",
                     "There Were No Powerups Used", "There Were No Items Picked Up"}))
        << player;
    EXPECT_EQ(page.find("Incomplete"), std::string::npos) << player;
  }
  const std::string ended =
      slurp(write(*play(log + "9|game_end|fraglimit\n"), "Srv m", "e") + "/index.html");
  EXPECT_NE(ended.find("<tr><td class=aa>Game Index for Srv m\n</td></tr>\n"), std::string::npos);

  // Capture the flag with one team has no result and no flag event; domination without a
  // capture still has its result.
  const std::string ctf = slurp(
      write(*play(header("Capture the Flag", "CTFGame", true, "Face") + join(0, "Ann", 0) +
                  join(1, "Bob", 0) + "3|suicide|0|None|Fell|None\n4|suicide|1|None|Fell|None\n"),
            "Srv m", "ctf") +
      "/index.html");
  EXPECT_EQ(ctf.find("<td class=s>"), std::string::npos);
  EXPECT_EQ(notes(ctf).at(0), "There Were No Flag Events");
  const std::string dom = slurp(
      write(*play(header("Domination", "Domination", true, "Cond") + join(0, "Ann", 0) +
                  join(1, "Bob", 1) + "3|suicide|0|None|Fell|None\n4|suicide|1|None|Fell|None\n"),
            "Srv m", "dom") +
      "/0.html");
  EXPECT_EQ(notes(dom).at(0), "There Were No Control Point Captures");
  EXPECT_EQ(trace.str(), "");
}

TEST_F(ZlnGameHtmlTest, HostileTextsFromTheLogStayText) {
  const std::string who =
      "1|player|Connect|<script>alert(\"x\")</script>|0|False\n1|player|IsABot|0|False\n"
      "1|player|Team|0|0\n1|player|TeamName|0|<blink>Red</blink>\n1|player|Skill|0|1\n"
      "1|player|Connect|A&B|1|False\n1|player|IsABot|1|True\n1|player|Team|1|1\n"
      "1|player|TeamName|1|Blue \"B\"\n1|player|Skill|1|1\n"
      "1|player|Connect|Jos\xE9|2|False\n1|player|IsABot|2|False\n1|player|Team|2|1\n"
      "1|player|Skill|2|1\n2|player|Rename|\"quoted\xE9 name\" 'q'|2\n3|item_activate|<embed>|0\n"
      "4|kill|0|Enforcer|1|Enforcer|shot\n5|kill|2|Sniper Rifle|0|Enforcer|Decapitated\n"
      "6|controlpoint_capture|<i>Tower & \"Gate\"</i>|0\n7|suicide|1|None|Fell|None\n"
      "8|dom_score_update|0|5\n9|game_end|<end>\n";
  const std::string settings =
      "0|info|Server_ServerName|Srv <iframe src=\"evil\">\n0|map|Title|<marquee>m&m\xE9</marquee>\n"
      "0|game|GameClass|Botpack.<b>Cls</b>\n0|game|TeamGame|True\n"
      "0|game|GameMutator|Evil.<script>mut</script>\n0|game|NetMode|\"net\"&<n>\n"
      "0|game|TimeLimit|<t>\n0|game|FragLimit|\"frag\"\n0|game|GoalTeamScore|<g>\n"
      "0|game|FriendlyFireScale|&ff<\n0|game|UseTranslocator|<u>\n0|game|TournamentMode|<tm>\n";
  static const std::set<std::string> kOwnTags = {
      "html", "head", "meta", "link", "title", "body",   "b",    "table",  "tr", "td",
      "a",    "img",  "br",   "p",    "span",  "strong", "font", "center", "hr"};
  for (const char* type : {"Domination", "Assault"}) {
    const auto g = play(std::string("0|game|GameName|") + type + "\n" + settings +
                        "0|assault_gamecode|<b>AS-\"Code\"&</b>|1\n0|assault_defender|0\n" + who);
    const std::string d = write(*g, g->servername + " " + g->map, type);
    ASSERT_EQ(listing(d), "0.html 1.html 2.html index.html");
    std::string all;
    for (const std::string file : {"index.html", "0.html", "1.html", "2.html"}) {
      const std::string page = slurp(d + "/" + file);
      for (const std::string& tag : found(page, "</?([A-Za-z]+)")) {
        EXPECT_TRUE(kOwnTags.count(tag)) << type << " " << file << ": <" << tag;
      }
      for (const char* raw :
           {"<script",  "alert(\"x\")", "<iframe",    "\"evil\"", "<marquee", "m&m",
            "A&B",      "<blink",       "Blue \"B\"", "\"quoted", "<embed",   "<i>",
            "& \"Gate", "AS-\"Code\"",  "<b>Cls",     "\"net\"",  "<t>",      "\"frag\"",
            "<g>",      "&ff",          "<u>",        "<tm>",     "<end>"}) {
        EXPECT_EQ(page.find(raw), std::string::npos) << type << " " << file << ": " << raw;
      }
      all += page;
    }
    const std::string match =
        "Srv &lt;iframe src=&quot;evil&quot;&gt; &lt;marquee&gt;m&amp;m\xE9&lt;/marquee&gt;";
    Lines escaped = {"<title>Scorex for Zolnar " + match + "</title>",
                     "Game Index for " + match + "\n",
                     "Individual Game Stats for &lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;<",
                     "class=t>&nbsp;A&amp;B&nbsp</a>",
                     "class=z>&nbsp;&quot;quoted\xE9&nbsp;name&quot;&nbsp;'q'&nbsp</a>",
                     "&nbsp;Team: &lt;blink&gt;Red&lt;/blink&gt;&nbsp",
                     "&nbsp;&lt;embed&gt;&nbsp",
                     "&nbsp;Killed by &quot;quoted\xE9 name&quot; 'q' with a Sniper Rifle&nbsp",
                     "&nbsp;&lt;b&gt;Cls&lt;/b&gt;&nbsp",
                     "&nbsp;&lt;script&gt;mut&lt;/script&gt;&nbsp",
                     "&nbsp;&quot;net&quot;&amp;&lt;n&gt;&nbsp",
                     "&nbsp;&amp;ff&lt;&nbsp"};
    if (std::string(type) == "Domination") {
      escaped.push_back("&nbsp;&lt;i&gt;Tower &amp; &quot;Gate&quot;&lt;/i&gt;&nbsp");
      escaped.push_back(
          "&nbsp;&lt;blink&gt;Red&lt;/blink&gt; defeats Blue &quot;B&quot; - 5.0 to 0.0&nbsp");
    } else {
      escaped.push_back("&nbsp;&lt;b&gt;AS-&quot;Code&quot;&amp;&lt;/b&gt;&nbsp");
      escaped.push_back(
          "&nbsp;Blue &quot;B&quot; defeats &lt;blink&gt;Red&lt;/blink&gt; - the attack "
          "succeeded&nbsp");
    }
    for (const std::string& e : escaped) EXPECT_NE(all.find(e), std::string::npos) << type << e;
  }
}

// Generated matches of every game type, sound and garbled, give every page without a failure.
TEST_F(ZlnGameHtmlTest, GeneratedMatchesOfEveryGameTypeWriteWholePages) {
  for (const std::string type : {"Tournament DeathMatch", "Capture the Flag", "Domination",
                                 "Assault", "Tournament Team Game", "SinglePlayer"}) {
    for (uint32_t seed = 1; seed <= 3; ++seed) {
      tools::ZlnLogOptions o;
      o.seed = seed;
      o.gameType = type;
      o.malformed = seed == 3;
      const Game g(tools::generateZlnText(o));
      trace.str("");
      const std::string where = type + " seed " + std::to_string(seed);
      const std::string d = write(g, "Generated", "g" + std::to_string(seed) + type);
      EXPECT_EQ(trace.str(), "") << where;
      std::string want = "index.html";
      for (size_t p = 0; p < g.plist.size(); ++p) want += " " + std::to_string(p) + ".html";
      Lines files;
      for (const auto& entry : std::filesystem::directory_iterator(d)) {
        const std::string page = slurp(entry.path().string());
        EXPECT_TRUE(page.ends_with("\n</tr> </table> </body> </html>\n")) << where;
        files.push_back(entry.path().filename().string());
      }
      EXPECT_EQ(files.size(), g.plist.size() + 1) << where;
    }
  }
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN::output
