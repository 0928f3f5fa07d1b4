#include "programs/Scorex/output/FrameHtml.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <regex>
#include <sstream>

#include "TempDir.h"
#include "programs/Scorex/settings/config.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::output {
namespace {

using Scorex::settings::config;
using util::Debug;

class FrameHtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::config::reset();
    Debug::reset();
    Debug::setStream(&trace);
    settings::config::homeDir = home.path();
    settings::config::set(std::nullopt, "ScorexBRK");
    FrameHtml::init();
    trace.str("");
    Debug::setLevel(3);
  }
  void TearDown() override {
    settings::config::reset();
    Debug::reset();
  }

  std::string sidebar(const std::string& title) {
    util::TextWriter w;
    FrameHtml::writeSidebar(w, title, 0);
    return w.str();
  }
  std::string footer(const std::string& title) {
    util::TextWriter w;
    FrameHtml::writeFooter(w, title, 0);
    return w.str();
  }

  testing::TempDir home;
  std::ostringstream trace;
};

// The entries of a navigation block written with one of the given classes, as "class:text".
std::string marked(const std::string& html, const std::string& classes) {
  const std::regex re("class=\"([" + classes + "])\">(?:\xB7&nbsp;)?([^<]+)");
  std::string found;
  for (std::sregex_iterator i(html.begin(), html.end(), re), end; i != end; ++i) {
    found += (found.empty() ? "" : ",") + (*i)[1].str() + ":" + (*i)[2].str();
  }
  return found;
}

TEST_F(FrameHtmlTest, EveryAddressIsOnTheSiteRelativeToTheLevel) {
  for (const std::string path : {"./", ".././"}) {
    const int level = path == "./" ? 0 : 1;
    util::TextWriter w;
    FrameHtml::writeHeader(w, "T", level);
    FrameHtml::writeSidebar(w, "T", level);
    FrameHtml::writeTop(w, "T", "7", level);
    FrameHtml::writeFooter(w, "T", level);
    const std::string page = w.str();
    const std::regex re("(?:href|src|HREF|background)=\"([^\"]*)\"|this\\.src='([^']*)'");
    int count = 0;
    for (std::sregex_iterator i(page.begin(), page.end(), re), end; i != end; ++i, ++count) {
      const std::string url = (*i)[1].matched ? (*i)[1].str() : (*i)[2].str();
      if (url == "#Top") continue;
      EXPECT_EQ(url.substr(0, path.size()), path) << url;
      EXPECT_TRUE(url.size() > path.size() &&
                  std::isalpha(static_cast<unsigned char>(url[path.size()])))
          << url;
    }
    EXPECT_EQ(count, 50);
  }
}

TEST_F(FrameHtmlTest, LocationMarksOneEntryInSidebarAndFooter) {
  const std::vector<std::array<std::string, 3>> cases = {
      // title, marked in the sidebar, marked in the footer
      {"Main", "b:Main", "a:Main"},
      {"Last_Game", "a:Last Game", "a:Last Game"},
      {"Highest_Score", "a:The Single", "a:Highest Scoring"},
      {"All Players Combined", "a:High Scores", "a:High Scores"},
      {"By Player Name", "a:Player List", "a:Player List"},
      {"All&nbsp;Players&nbsp;(Humans&nbsp;and&nbsp;Bots)", "a:All Totals", "a:All Totals"},
      {"All&nbsp;Humans", "a:Human Totals", "a:Human Totals"},
      {"All&nbsp;Bots", "a:Bot Totals", "a:Bot Totals"},
      {"Rankings", "a:Rankings", "a:Rankings"},
      {"Most Recent", "a:Most Recent", "a:Most Recent"},
      {"Ann's Match", "a:Most Recent", "a:Most Recent"},
      {"rankings", "a:Most Recent", "a:Most Recent"},
      {"Main Event", "a:Most Recent", "a:Most Recent"},
      {"All Humans", "a:Most Recent", "a:Most Recent"},
  };
  for (const auto& [title, side, foot] : cases) {
    const std::string s = sidebar(title);
    const std::string f = footer(title);
    EXPECT_EQ(marked(s, "ab"), side) << title;
    EXPECT_EQ(marked(f, "ab"), foot) << title;
    // The Main link of an unmarked page has its own classes in both blocks.
    const std::string mainLink = "Scorex_Main.html\" class=\"";
    EXPECT_EQ(s.substr(s.find(mainLink) + mainLink.size(), 1) +
                  f.substr(f.find(mainLink) + mainLink.size(), 1),
              title == "Main" ? "ba" : "fc")
        << title;
  }
}

TEST_F(FrameHtmlTest, TracesEntryAndExitAtLevelThree) {
  util::TextWriter w;
  FrameHtml::writeHeader(w, "T", 0);
  FrameHtml::writeSidebar(w, "T", 0);
  FrameHtml::writeTop(w, "T", "1", 0);
  FrameHtml::writeFooter(w, "T", 0);
  EXPECT_EQ(trace.str(),
            "I FrameHtml.writeHeader:T\nO FrameHtml.writeHeader\n"
            "I FrameHtml.writeSidebar: T\nO FrameHtml.writeSidebar\n"
            "I FrameHtml.writeTop:T\nO FrameHtml.writeTop\n"
            "I FrameHtml.writeFooter:T\nO FrameHtml.writeFooter\n");
  trace.str("");
  Debug::setLevel(2);
  FrameHtml::writeFooter(w, "T", 0);
  EXPECT_EQ(trace.str(), "");
}

TEST_F(FrameHtmlTest, WholeFrameOfAMatchDirectoryPage) {
  util::TextWriter w;
  FrameHtml::writeHeader(w, "Rankings", 2);
  FrameHtml::writeSidebar(w, "Rankings", 2);
  FrameHtml::writeTop(w, "Rankings", "1567890100", 2);
  FrameHtml::writeFooter(w, "Rankings", 2);
  // "@" stands for the middle dot, the byte 0xB7.
  std::string golden = R"(<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">
<link REL="stylesheet" HREF="../.././skins/skin.css" TYPE="text/css">
<title>Scorex for Kelvo Tourney DM for Brakk Rankings</title>
</head>
<body background="../.././skins/custom_graphics/background.gif" class=bck>

<table border=0 cellpadding=0 cellspacing=0 width=614>
<tr>
<td valign=top rowspan=4 height=300 width=142>
<a href="../.././About_Kelvo.html"><img src="../.././graphics/kelvo_symbol.gif" width=106 height=106 border=0 alt="Kelvo"></a><br>
<a href="../.././Scorex_Main.html" class="f">Main</a><br>
<span class="l"><br>Individual<br>Game Stats<br></span>
<a href="../.././Individual_Game_Stats/Last_Game/index.html" class="e">@&nbsp;Last Game</a><br>
<a href="../.././Individual_Game_Stats/Recent_Index.html" class="e">@&nbsp;Most Recent</a><br>
<a href="../.././Individual_Game_Stats/Highest_Score/index.html" class="e">@&nbsp;The Single<br>&nbsp;&nbsp;Highest Scoring<br> &nbsp;&nbsp;Game of All Time</a><br>
<span class="l"><br>All-Time Stats<br></span>
<a href="../.././Total_Game_Stats/All_Totals.html" class="e">@&nbsp;All Totals</a><br>
<a href="../.././Total_Game_Stats/Human_Totals.html" class="e">@&nbsp;Human Totals</a><br>
<a href="../.././Total_Game_Stats/Bot_Totals.html" class="e">@&nbsp;Bot Totals</a><br>
<a href="../.././Total_Game_Stats/Rankings.html" class="a">@&nbsp;Rankings</a><br>
<a href="../.././Total_Game_Stats/Total_Index.html" class="e">@&nbsp;High Scores</a><br>
<a href="../.././Total_Game_Stats/Player_Index.html" class="e">@&nbsp;Player List</a><br><p>
<p>
<a href="../.././Help_Using_Scorex.html" class="f">Help Using<br>Scorex&#153<br></a>
<a href="../.././About_Omniscore.html" class="f">Omniscore<br>Online Stats<br></a>
<span class="l"><br>About<br></span>
<a href="../.././About_Kelvo.html" class="e">@&nbsp;Kelvo</a><br>
<a href="../.././About_Orvane.html" class="e">@&nbsp;Orvane</a><br>
<img src="../.././skins/custom_graphics/sidebar_120x90.gif" width=120 height=90 border=0><br>
<img src="../.././skins/custom_graphics/skin_credit_88x31.gif" width=88 height=31 hspace=12 border=0>
</p></td>
<td valign=top height=20><p align=center><a name="Top"></a><a href="../.././About_Orvane.html"><img src="../.././graphics/Scorex.gif" width=180 height=60 border=0 alt="Scorex"></a><br>
<strong><font face="Arial, Helvetica, sans-serif" size=2><a href="../.././About_Kelvo.html">Kelvo Tourney DM</a> by <a href="../.././About_Kelvo.html"><img src="../.././graphics/kelvo_logo.gif" width=128 height=56 border=0 align=middle alt="Kelvo"></a> for <a href="../.././Help_Using_Scorex.html">Brakk</a></font></strong><br>
<a href="../.././About_Omniscore.html?link=yes&amp;page=5.1.3.1567890100"><img src="../.././graphics/banner_468x60.gif?image=yes&amp;size=1&amp;page=5.1.3.1567890100" width=468 height=60 border=0 onError="this.src='../.././graphics/white.gif'"></a><br>
</p><p align=center>&nbsp;</p></td></tr>
<tr><td align=center valign=top height=173>
<a href="../.././About_Kelvo.html"><img src="../.././graphics/kelvo_logo.gif" width=128 height=56 border=0 alt="Kelvo"></a>
<hr noshade width="75%">
<p><span class="i">
<strong><font face="Arial, Helvetica, sans-serif" size=1><a href="../.././Scorex_Main.html" class="c">Main</a>
<br>Individual Game Stats: | <a href="../.././Individual_Game_Stats/Last_Game/index.html" class="c">Last Game</a> | <a href="../.././Individual_Game_Stats/Recent_Index.html" class="c">Most Recent</a> | <a href="../.././Individual_Game_Stats/Highest_Score/index.html" class="c">Highest Scoring</a>
<br>All-Time Stats: | <a href="../.././Total_Game_Stats/All_Totals.html" class="c">All Totals</a> | <a href="../.././Total_Game_Stats/Human_Totals.html" class="c">Human Totals</a> | <a href="../.././Total_Game_Stats/Bot_Totals.html" class="c">Bot Totals</a> | <a href="../.././Total_Game_Stats/Rankings.html" class="a">Rankings</a>
<br><a href="../.././Total_Game_Stats/Total_Index.html" class="c">High Scores</a> | <a href="../.././Total_Game_Stats/Player_Index.html" class="c">Player List</a>
<br><a href="../.././Help_Using_Scorex.html" class="c">Help Using Scorex&#153</a> | <a href="../.././About_Omniscore.html" class="c">Omniscore Online Stats</a>
</font></strong></span></p>
<hr noshade width="75%">
<a href="../.././About_Orvane.html"><img src="../.././graphics/orvane_88x31.gif" width=88 height=31 border=0 alt="Orvane"></a>
</td> </tr>
<tr> <td height=50 width=142><a href="#Top" class="f">Back to Top</a></td>
<td align=center valign=top height=50 class=p>
This page was created by Ver. 1.1 of <a href="../.././About_Orvane.html" class="p">Scorex&#153</a> by Orvane. <a href="../.././Legal_Terms.html" class="p">terms</a>
</td></tr>
<tr><td height=7><img src="../.././graphics/white.gif" width=140 height=5></td>
<td height=7><img src="../.././graphics/white.gif" width=470 height=5></td>
</tr> </table> </body> </html>
)";
  std::replace(golden.begin(), golden.end(), '@', '\xB7');
  EXPECT_EQ(w.str(), golden);
}

TEST_F(FrameHtmlTest, ZolnarFrameNamesItsGameAndNoMod) {
  settings::config::set(std::nullopt, "ScorexZLN");
  FrameHtml::initZolnar();
  util::TextWriter w;
  FrameHtml::writeHeader(w, "Main", 0);
  FrameHtml::writeSidebar(w, "Main", 0);
  FrameHtml::writeTop(w, "Main", "51", 0);
  FrameHtml::writeFooter(w, "Main", 0);
  const std::string page = w.str();
  EXPECT_NE(page.find("<title>Scorex for Zolnar Main</title>"), std::string::npos);
  EXPECT_NE(page.find("for <a href=\"./Help_Using_Scorex.html\">Zolnar</a>"), std::string::npos);
  EXPECT_NE(page.find("graphics/zolnar_banner_468x60.gif?image=yes"), std::string::npos);
  EXPECT_NE(page.find("skins/custom_graphics/zolnar_sidebar_120x90.gif"), std::string::npos);
  EXPECT_NE(page.find("Ver. 1.00 of"), std::string::npos);
  for (const char* brakk : {"Kelvo", "kelvo", "Brakk", "/banner_468x60", "/sidebar_120x90"}) {
    EXPECT_EQ(page.find(brakk), std::string::npos) << brakk;
  }
}

}  // namespace
}  // namespace orvane::programs::Scorex::output
