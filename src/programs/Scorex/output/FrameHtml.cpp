#include "programs/Scorex/output/FrameHtml.h"

#include <array>
#include <exception>
#include <utility>

#include "programs/Scorex/settings/config.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex::output {

std::string FrameHtml::defaultFont;
std::string FrameHtml::defaultSymbol;
std::string FrameHtml::defaultSymbolHref;
std::string FrameHtml::defaultSymbolAlt;
std::string FrameHtml::defaultLogo;
std::string FrameHtml::defaultLogoHref;
std::string FrameHtml::defaultLogoAlt;
std::string FrameHtml::defaultTitleColor;
std::string FrameHtml::defaultBackground;
std::string FrameHtml::TotalsDir;
std::string FrameHtml::GamesDir;
std::string FrameHtml::programTitle;
std::string FrameHtml::BgColor;
std::string FrameHtml::VlinkColor;
std::string FrameHtml::AlinkColor;
std::string FrameHtml::Version;
std::string FrameHtml::gameName;
std::string FrameHtml::modName;
std::string FrameHtml::bannerImage;
std::string FrameHtml::sidebarImage;

namespace {

// The relative way from a page `level` directories deep back to the site root.
std::string rootPath(int level) {
  std::string path;
  for (int i = 0; i < level; ++i) path += "../";
  return path + "./";
}

// The entries of the navigation that a page can mark as current.
enum NavEntry {
  kNoEntry = -1,  // the help and about links, never current
  kMostRecent = 0,
  kMain,
  kLastGame,
  kHighestScore,
  kHighScores,
  kPlayerList,
  kAllTotals,
  kHumanTotals,
  kBotTotals,
  kRankings,
};

// The navigation entry a page marks as current, by its exact title; a title of no entry marks
// "Most Recent".
NavEntry location(const std::string& title) {
  static const std::array<std::pair<const char*, NavEntry>, 9> titles = {{
      {"Main", kMain},
      {"Last_Game", kLastGame},
      {"Highest_Score", kHighestScore},
      {"All Players Combined", kHighScores},
      {"By Player Name", kPlayerList},
      {"All&nbsp;Players&nbsp;(Humans&nbsp;and&nbsp;Bots)", kAllTotals},
      {"All&nbsp;Humans", kHumanTotals},
      {"All&nbsp;Bots", kBotTotals},
      {"Rankings", kRankings},
  }};
  for (const auto& [name, entry] : titles) {
    if (title == name) return entry;
  }
  return kMostRecent;
}

// A link of the navigation: `here` picks the class of the current page's entry.
std::string navLink(const std::string& href, bool here, const char* current, const char* other,
                    const std::string& text) {
  return "<a href=\"" + href + "\" class=\"" + (here ? current : other) + "\">" + text + "</a>";
}

}  // namespace

void FrameHtml::init() {
  defaultFont = "\"Arial, Helvetica, sans-serif\"";
  defaultSymbol = "graphics/kelvo_symbol.gif";
  // Site pages by their path from the root; the frame puts the page's way to the root before
  // them and the quotes around them.
  defaultSymbolHref = "About_Kelvo.html";
  defaultSymbolAlt = "\"Kelvo\"";
  defaultLogo = "graphics/kelvo_logo.gif";
  defaultLogoHref = "About_Kelvo.html";
  defaultLogoAlt = "\"Kelvo\"";
  defaultTitleColor = "\"#FDD932\"";
  defaultBackground = "skins/custom_graphics/background.gif";
  TotalsDir = "Total_Game_Stats";
  GamesDir = "Individual_Game_Stats";
  programTitle = "Scorex for Kelvo Tourney DM for Brakk";
  BgColor = "#FFFFFF";
  VlinkColor = "#000000";
  AlinkColor = "#FF0000";
  Version = Scorex::settings::config::getVersion();
  gameName = "Brakk";
  modName = "Kelvo Tourney DM";
  bannerImage = "graphics/banner_468x60.gif";
  sidebarImage = "skins/custom_graphics/sidebar_120x90.gif";
}

void FrameHtml::initZolnar() {
  init();
  // No mod: the program's own pages take the places of the mod's logo and symbol.
  defaultSymbol = "graphics/Scorex.gif";
  defaultSymbolHref = "About_Orvane.html";
  defaultSymbolAlt = "\"Scorex\"";
  defaultLogo = "graphics/Scorex.gif";
  defaultLogoHref = "About_Orvane.html";
  defaultLogoAlt = "\"Scorex\"";
  programTitle = "Scorex for Zolnar";
  gameName = "Zolnar";
  modName.clear();
  bannerImage = "graphics/zolnar_banner_468x60.gif";
  sidebarImage = "skins/custom_graphics/zolnar_sidebar_120x90.gif";
}

void FrameHtml::writeHeader(util::TextWriter& w, const std::string& title, int level) {
  // The trace text is intended as it stands (no space after the colon).
  util::Debug::print("I FrameHtml.writeHeader:" + title, 3);
  try {
    const std::string path = rootPath(level);
    w.print("<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=");
    w.println("\"text/html; charset=iso-8859-1\">");
    w.println("<link REL=\"stylesheet\" HREF=\"" + path + "skins/skin.css\" TYPE=\"text/css\">");
    w.println("<title>" + programTitle + " " + title + "</title>");
    w.print("</head>\n<body background=\"");
    w.println(path + "skins/custom_graphics/background.gif\" class=bck>\n");
    util::Debug::print("O FrameHtml.writeHeader", 3);
  } catch (const std::exception& e) {
    util::Debug::report("Error in FrameHtml.writeHeader: ", e);
  }
}

void FrameHtml::writeSidebar(util::TextWriter& w, const std::string& title, int level) {
  util::Debug::print("I FrameHtml.writeSidebar: " + title, 3);
  try {
    const std::string path = rootPath(level);
    const NavEntry loc = location(title);
    w.println("<table border=0 cellpadding=0 cellspacing=0 width=614>");
    w.println("<tr>\n<td valign=top rowspan=4 height=300 width=142>");
    w.println("<a href=\"" + path + defaultSymbolHref + "\"><img src=\"" + path + defaultSymbol +
              "\" width=106 height=106 border=0 alt=" + defaultSymbolAlt + "></a><br>");
    w.println("<a href=\"" + path + "Scorex_Main.html\" class=\"" + (loc == kMain ? "b\"" : "f\"") +
              ">Main</a><br>");

    // A navigation entry below a directory: the current page's entry is marked with class "a".
    auto entry = [&](const std::string& dir, const char* target, NavEntry here, const char* text) {
      w.println("<a href=\"" + path + dir + target + "class=\"" + (loc == here ? "a\"" : "e\"") +
                text);
    };
    w.println("<span class=\"l\"><br>Individual<br>Game Stats<br></span>");
    entry(GamesDir, "/Last_Game/index.html\" ", kLastGame, ">\xB7&nbsp;Last Game</a><br>");
    entry(GamesDir, "/Recent_Index.html\" ", kMostRecent, ">\xB7&nbsp;Most Recent</a><br>");
    entry(GamesDir, "/Highest_Score/index.html\" ", kHighestScore,
          ">\xB7&nbsp;The Single<br>&nbsp;&nbsp;Highest Scoring<br> &nbsp;"
          "&nbsp;Game of All Time</a><br>");

    w.println("<span class=\"l\"><br>All-Time Stats<br></span>");
    entry(TotalsDir, "/All_Totals.html\" ", kAllTotals, ">\xB7&nbsp;All Totals</a><br>");
    entry(TotalsDir, "/Human_Totals.html\" ", kHumanTotals, ">\xB7&nbsp;Human Totals</a><br>");
    entry(TotalsDir, "/Bot_Totals.html\" ", kBotTotals, ">\xB7&nbsp;Bot Totals</a><br>");
    entry(TotalsDir, "/Rankings.html\" ", kRankings, ">\xB7&nbsp;Rankings</a><br>");
    entry(TotalsDir, "/Total_Index.html\" ", kHighScores, ">\xB7&nbsp;High Scores</a><br>");
    entry(TotalsDir, "/Player_Index.html\" ", kPlayerList, ">\xB7&nbsp;Player List</a><br><p>");

    w.println("<p>");
    w.println("<a href=\"" + path +
              "Help_Using_Scorex.html\" class=\"f\">Help Using<br>Scorex&#153<br></a>");
    w.println("<a href=\"" + path +
              "About_Omniscore.html\" class=\"f\">Omniscore<br>Online Stats<br></a>");
    w.println("<span class=\"l\"><br>About<br></span>");
    if (!modName.empty()) {
      w.println("<a href=\"" + path + "About_Kelvo.html\" class=\"e\">\xB7&nbsp;Kelvo</a><br>");
    }
    w.println("<a href=\"" + path + "About_Orvane.html\" class=\"e\">\xB7&nbsp;Orvane</a><br>");
    w.println("<img src=\"" + path + sidebarImage + "\" width=120 height=90 border=0><br>");
    w.println(
        "<img src=\"" + path +
        "skins/custom_graphics/skin_credit_88x31.gif\" width=88 height=31 hspace=12 border=0>");
    w.println("</p></td>");
    util::Debug::print("O FrameHtml.writeSidebar", 3);
  } catch (const std::exception& e) {
    util::Debug::report("Error in FrameHtml.writeSidebar: ", e);
  }
}

void FrameHtml::writeTop(util::TextWriter& w, const std::string& title,
                         const std::string& pageNumber, int level) {
  // The trace text is intended as it stands (no space after the colon).
  util::Debug::print("I FrameHtml.writeTop:" + title, 3);
  try {
    const std::string path = rootPath(level);
    w.print("<td valign=top height=20><p align=center><a name=\"");
    w.print("Top\"></a>");
    w.println("<a href=\"" + path + "About_Orvane.html\"><img src=\"" + path +
              "graphics/Scorex.gif\" width=180 height=60 border=0 alt=\"Scorex\"></a><br>");
    const std::string game = "<a href=\"" + path + "Help_Using_Scorex.html\">" + gameName + "</a>";
    if (modName.empty()) {
      w.println("<strong><font face=" + defaultFont + " size=2>for " + game +
                "</font></strong><br>");
    } else {
      w.println("<strong><font face=" + defaultFont + " size=2><a href=\"" + path +
                defaultLogoHref + "\">" + modName + "</a> by <a href=\"" + path + defaultLogoHref +
                "\"><img src=\"" + path + defaultLogo +
                "\" width=128 height=56 border=0 align=middle alt=" + defaultLogoAlt +
                "></a> for " + game + "</font></strong><br>");
    }
    // The banner keeps its advertising queries but is served from the site itself.
    w.println("<a href=\"" + path + "About_Omniscore.html?link=yes&amp;page=5.1.3." + pageNumber +
              "\"><img src=\"" + path + bannerImage + "?image=yes&amp;size=1&amp;page=5.1.3." +
              pageNumber + "\" width=468 height=60 border=0 onError=\"this.src='" + path +
              "graphics/white.gif'\"></a><br>");
    w.println("</p><p align=center>&nbsp;</p></td></tr>");
    util::Debug::print("O FrameHtml.writeTop", 3);
  } catch (const std::exception& e) {
    util::Debug::report("Error in FrameHtml.writeTop: ", e);
  }
}

void FrameHtml::writeFooter(util::TextWriter& w, const std::string& title, int level) {
  // The trace text is intended as it stands (no space after the colon).
  util::Debug::print("I FrameHtml.writeFooter:" + title, 3);
  try {
    const std::string path = rootPath(level);
    const NavEntry loc = location(title);
    auto link = [&](const std::string& target, NavEntry here, const std::string& text) {
      return navLink(path + target, loc == here, "a", "c", text);
    };
    const std::string games = GamesDir + "/";
    const std::string totals = TotalsDir + "/";
    w.println("<tr><td align=center valign=top height=173>");
    w.println("<a href=\"" + path + defaultLogoHref + "\"><img src=\"" + path + defaultLogo +
              "\" width=128 height=56 border=0 alt=" + defaultLogoAlt + "></a>");
    w.println("<hr noshade width=\"75%\">");
    w.println("<p><span class=\"i\">");
    w.println("<strong><font face=" + defaultFont + " size=1>" +
              link("Scorex_Main.html", kMain, "Main"));
    w.println("<br>Individual Game Stats: | " +
              link(games + "Last_Game/index.html", kLastGame, "Last Game") + " | " +
              link(games + "Recent_Index.html", kMostRecent, "Most Recent") + " | " +
              link(games + "Highest_Score/index.html", kHighestScore, "Highest Scoring"));
    w.println("<br>All-Time Stats: | " +
              link(totals + "All_Totals.html", kAllTotals, "All Totals") + " | " +
              link(totals + "Human_Totals.html", kHumanTotals, "Human Totals") + " | " +
              link(totals + "Bot_Totals.html", kBotTotals, "Bot Totals") + " | " +
              link(totals + "Rankings.html", kRankings, "Rankings"));
    w.println("<br>" + link(totals + "Total_Index.html", kHighScores, "High Scores") + " | " +
              link(totals + "Player_Index.html", kPlayerList, "Player List"));
    w.println("<br>" + link("Help_Using_Scorex.html", kNoEntry, "Help Using Scorex&#153") + " | " +
              link("About_Omniscore.html", kNoEntry, "Omniscore Online Stats"));
    w.println("</font></strong></span></p>");
    w.println("<hr noshade width=\"75%\">");
    w.println("<a href=\"" + path + "About_Orvane.html\"><img src=\"" + path +
              "graphics/orvane_88x31.gif\" width=88 height=31 border=0 alt=\"Orvane\"></a>");
    w.println("</td> </tr>");
    w.println("<tr> <td height=50 width=142><a href=\"#Top\" class=\"f\">Back to Top</a></td>");
    w.println("<td align=center valign=top height=50 class=p>");
    w.println("This page was created by Ver. " + Version + " of <a href=\"" + path +
              "About_Orvane.html\" class=\"p\">Scorex&#153</a> by Orvane. <a href=\"" + path +
              "Legal_Terms.html\" class=\"p\">terms</a>");
    w.println("</td></tr>");
    w.println("<tr><td height=7><img src=\"" + path +
              "graphics/white.gif\" width=140 height=5></td>");
    w.println("<td height=7><img src=\"" + path + "graphics/white.gif\" width=470 height=5></td>");
    w.println("</tr> </table> </body> </html>");
    util::Debug::print("O FrameHtml.writeFooter", 3);
  } catch (const std::exception& e) {
    util::Debug::report("Error in FrameHtml.writeFooter: ", e);
  }
}

}  // namespace orvane::programs::Scorex::output
