#include "programs/Scorex/output/TotalsPages.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/output/PageParts.h"
#include "programs/Scorex/output/TableHtml.h"
#include "programs/Scorex/settings/config.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"

namespace orvane::programs::Scorex::output {

using util::Debug;
using util::TextWriter;

namespace {

// A heading row in white on dark blue, as the all-time pages open.
void headingRow(TextWriter& w, const std::string& font, const std::string& text) {
  w.println("<tr><td align=center bgcolor=\"#100078\"><font face=" + font +
            " size=4 color=\"#FFFFFF\"><b>" + text + "</b></font></td></tr>");
}

// One entry of a main-page menu: a cell of class "w" holding a link of class "w".
void menuEntry(TextWriter& w, const std::string& href, const std::string& text) {
  w.println("<tr><td class=w align=center><a href=\"" + href + "\" class=w>" + text +
            "</a></td></tr>");
}

// One all-time page, in the directory subDir of the site (the root when empty).
template <class Body>
void writePage(PageFiles& files, const std::string& mainDir, const std::string& subDir,
               const std::string& file, const std::string& title, const std::string& number,
               int level, Body body) {
  std::string dir = mainDir;
  if (!subDir.empty()) {
    dir += subDir + "/";
    makeDirs(dir);
  }
  writeFramedPage(files, dir + file, title, number, level, body);
}

// A page of ready tables, centred one below the other under a heading cell.
void tablesBody(TextWriter& w, const char* heading, const std::vector<TitledTable>& shown) {
  w.println(std::string("<tr><td class=aa>") + heading + "</td></tr>");
  w.println("<tr><td valign=top align=center><center>");
  for (const auto& [table, title] : shown) {
    w.println(kSpacer);
    TableHtml::createTable(w, *table, title ? std::optional<std::string>(title) : std::nullopt);
  }
  w.println(kSpacer);
  w.println("</center></td></tr>");
}

}  // namespace

TotalsPages::TotalsPages()
    : MainDir(settings::config::qmHtmlDir()), NumRecentGames(settings::config::numGamesToSave()) {}

void TotalsPages::writeMain(int32_t frags, const std::string& map, const std::string& date) {
  try {
    Debug::print("I TotalsHtml.writeMain", 2);
    writePage(files, MainDir, "", "Scorex_Main.html", "Main", "51", 0,
              [&](TextWriter& w) { writeMainBody(w, frags, map, date); });
    Debug::print("O TotalsHtml.writeMain", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in TotalsHtml.writeMain: ", e);
  }
}

void TotalsPages::writeMainBody(TextWriter& w, int32_t frags, const std::string& map,
                                const std::string& date) {
  try {
    Debug::print("I TotalsHtml.writeMainBody", 2);
    const std::string font = "<font face=" + defaultFont;
    w.println("<tr><td>&nbsp;</td></tr>");
    w.println("<tr><td height=342 valign=top align=center><center>");
    w.println(font + " size=3 color=\"#FDD932\"><b>Total Frags Logged to Date: </b></font>");
    w.println("<table border=0 cellpadding=8><tr><td bgcolor=\"#100078\" align=center>" + font +
              " size=6 color=\"#FDD932\"><b>" + std::to_string(frags) +
              "</b></font></td></tr></table>");
    w.println(font + " size=2 color=\"#FFFFFF\"><i>And Still Counting!</i></font>");
    w.println(kSpacer);
    w.println("<table border=0 cellpadding=4 width=300>");
    w.println("<tr><td class=r>Last Game Logged</td></tr>");
    w.println(
        "<tr><td class=w align=center><a href=\"./Individual_Game_Stats/Last_Game/"
        "index.html\" class=w>" +
        TableHtml::escape(map) + "<br>" + TableHtml::escape(date) + "</a></td></tr>");
    w.println("</table>");
    w.println(kSpacer);
    w.println("<table border=0 cellpadding=0><tr><td valign=top>");
    w.println("<table border=0 cellpadding=3 width=220>");
    w.println("<tr><td class=r>Choose to view<br> Individual Game Stats<br> by</td></tr>");
    menuEntry(w, "./Individual_Game_Stats/Last_Game/index.html", "Last Game Logged");
    menuEntry(w, "./Individual_Game_Stats/Recent_Index.html", "Most Recent Games Logged");
    menuEntry(w, "./Individual_Game_Stats/Highest_Score/index.html",
              "The Single Highest Scoring Game of All Time");
    w.println("<tr><td class=g>&nbsp;</td></tr>");
    w.println("</table></td><td width=20>&nbsp;</td><td valign=top>");
    w.println("<table border=0 cellpadding=3 width=220>");
    w.println("<tr><td class=r>Choose to view<br> All-Time Game Stats<br> by</td></tr>");
    menuEntry(w, "./Total_Game_Stats/All_Totals.html", "All Totals");
    menuEntry(w, "./Total_Game_Stats/Human_Totals.html", "Human Totals");
    menuEntry(w, "./Total_Game_Stats/Bot_Totals.html", "Bot Totals");
    menuEntry(w, "./Total_Game_Stats/Rankings.html", "Rankings");
    menuEntry(w, "./Total_Game_Stats/Total_Index.html", "High Scores");
    menuEntry(w, "./Total_Game_Stats/Player_Index.html", "Player List");
    w.println("</table></td></tr></table>");
    // The modern site beside this one, when it is written (its directory is a plain path that a
    // link holds as it is).
    if (!settings::config::modernSite().empty()) {
      w.println(kSpacer);
      w.println(
          "<table border=0 cellpadding=3 width=460><tr><td class=w align=center><a href=\"./" +
          settings::config::modernSite() +
          "index.html\" class=w>Skill Ratings, Match History and Search, on Any Screen"
          "</a></td></tr></table>");
    }
    w.println(kSpacer);
    // The game the site is for, as the frame names it.
    w.println("<span class=i>Thank you for playing " + FrameHtml::gameName +
              "&#153; and for using <font color=\"#FDD932\"><b>Scorex&#153;</b></font>.<br>");
    w.println("Have Fun and Happy Fraggin!</span>");
    w.println("</center></td></tr>");
    Debug::print("O TotalsHtml.writeMainBody", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in TotalsHtml.writeMainBody: ", e);
  }
}

void TotalsPages::writeRecent(const career::TotalsBase& t) {
  try {
    Debug::print("I TotalsHtml.writeRecent", 2);
    writePage(files, MainDir, GamesDir, "Recent_Index.html", "Most Recent", "52", 1,
              [&](TextWriter& w) { writeRecentBody(w, t); });
    Debug::print("O TotalsHtml.writeRecent", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in TotalsHtml.writeRecent: ", e);
  }
}

void TotalsPages::writeRecentBody(TextWriter& w, const career::TotalsBase& t) {
  try {
    Debug::print("I TotalsHtml.writeRecentBody", 2);
    headingRow(w, defaultFont, "Most Recent Games Logged<br>");
    const size_t n =
        std::min(t.gameDateList.size(), static_cast<size_t>(std::max(NumRecentGames, 0)));
    w.println("<tr><td valign=top align=center><center>");
    w.println(kSpacer);
    w.println("<table border=0 cellpadding=2>");
    w.println("<tr><td class=s colspan=3>" + std::to_string(n) +
              " Most Recent<br> <font size=1>(Click below to view a game)</font></td></tr>");
    w.println("<tr><td class=r>Date</td><td class=r>Game Type</td><td class=r>Map</td></tr>");
    for (size_t i = 0; i < n && i < t.gameList.size(); ++i) {
      w.println("<tr><td bgcolor=\"#000000\"><a href=\"./" + std::to_string(t.gameList[i]) +
                "/index.html\"><font color=\"#FFFFFF\">&nbsp;" +
                TableHtml::escape(t.gameDateList[i]) + "&nbsp;</font></a></td>");
      w.println("<td bgcolor=\"#C0C0C0\">&nbsp;" + TableHtml::escape(t.gameTypeList.at(i)) +
                "&nbsp;</td>");
      w.println("<td bgcolor=\"#C0C0C0\">&nbsp;" + TableHtml::escape(t.gameMapList.at(i)) +
                "&nbsp;</td></tr>");
    }
    w.println("</table></center>");
    w.println(
        "<span class=h>See <a href=\"../Help_Using_Scorex.html\" class=\"h\">Help Using "
        "Scorex</a> for details on how to increase the max number of games kept at one "
        "time.</span>");
    w.println(kSpacer);
    w.println("</td></tr>");
    Debug::print("O TotalsHtml.writeRecentBody", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in TotalsHtml.writeRecentBody: ", e);
  }
}

void TotalsPages::writeRecords(const std::vector<TitledTable>& shown) {
  try {
    Debug::print("I TotalsHtml.writeRecords", 2);
    writePage(files, MainDir, TotalsDir, "Total_Index.html", "All Players Combined", "53", 1,
              [&](TextWriter& w) { writeRecordsBody(w, shown); });
    Debug::print("O TotalsHtml.writeRecords", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in TotalsHtml.writeRecords: ", e);
  }
}

void TotalsPages::writeRecordsBody(TextWriter& w, const std::vector<TitledTable>& shown) {
  try {
    Debug::print("I TotalsHtml.writeRecordsBody", 2);
    tablesBody(w, "All Time High Scores", shown);
    Debug::print("O TotalsHtml.writeRecordsBody", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in TotalsHtml.writeRecordsBody: ", e);
  }
}

void TotalsPages::writeRankings(const std::vector<const std::optional<Table>*>& shown) {
  try {
    Debug::print("I TotalsHtml.writeRankings", 2);
    writePage(files, MainDir, TotalsDir, "Rankings.html", "Rankings", "54", 1,
              [&](TextWriter& w) { writeRankingsBody(w, shown); });
    Debug::print("O TotalsHtml.writeRankings", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in TotalsHtml.writeRankings: ", e);
  }
}

void TotalsPages::writeRankingsBody(TextWriter& w,
                                    const std::vector<const std::optional<Table>*>& shown) {
  try {
    Debug::print("I TotalsHtml.writeRankingsBody", 2);
    std::vector<TitledTable> untitled;
    for (const std::optional<Table>* table : shown) untitled.push_back({table, nullptr});
    tablesBody(w, "Career Rankings", untitled);
    Debug::print("O TotalsHtml.writeRankingsBody", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in TotalsHtml.writeRankingsBody: ", e);
  }
}

void TotalsPages::writePlayerList(const std::vector<ListedPlayer>& names) {
  try {
    Debug::print("I TotalsHtml.writePlayerList", 2);
    const int32_t n = static_cast<int32_t>(names.size());
    const int32_t pages = (n - 1) / 100;
    if (pages != 0) {
      for (int32_t page = 0; page <= pages; ++page) {
        writePage(files, MainDir, TotalsDir, "Player_Index_" + std::to_string(page) + ".html",
                  "By Player Name", std::to_string(page + 100), 1,
                  [&](TextWriter& w) { writePlayerListBody(w, names, page * 100, 100, true); });
      }
    }
    writePage(files, MainDir, TotalsDir, "Player_Index.html", "By Player Name", "55", 1,
              [&](TextWriter& w) { writePlayerListBody(w, names, 0, 100, pages == 0); });
    Debug::print("O TotalsHtml.writePlayerList", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in TotalsHtml.writePlayerList: ", e);
  }
}

void TotalsPages::writePlayerListBody(TextWriter& w, const std::vector<ListedPlayer>& names,
                                      int32_t firstPlayer, int32_t maxPlayers, bool isPlayerList) {
  try {
    Debug::print("I TotalsHtml.writePlayerListBody", 2);
    const int32_t n = static_cast<int32_t>(names.size());
    headingRow(w, defaultFont, "All-Time Total Game Stats by Player Name");
    w.println("<tr><td height=342 valign=top align=center><center>");
    w.println(kSpacer);
    w.println("<table border=0 cellpadding=2 width=400>");
    w.println(
        "<tr><td class=s>Detailed Player Statistics<br> <font size=1>(Click below to view a "
        "player)</font></td></tr>");
    w.println(std::string("<tr><td class=r>") +
              (isPlayerList ? "Player Name" : "Player Indexes (100 players each)") + "</td></tr>");
    const std::string font = "<font face=" + defaultFont + " size=2 color=";
    if (isPlayerList) {
      const int32_t end = std::min(firstPlayer + maxPlayers, n);
      for (int32_t x = firstPlayer; x < end; ++x) {
        const ListedPlayer& h = names.at(static_cast<size_t>(x));
        w.println("<tr><td bgcolor=\"#000000\" width=400><a href=\"./" + std::to_string(h.uid) +
                  ".html\">" + font + (h.isABot ? "\"#0080FF\"" : "\"#FDD932\"") + "><b>" +
                  TableHtml::cleanString(h.name) + "</b></font></a></td></tr>");
      }
    } else if (n > 0) {
      for (int32_t page = 0; page <= (n - 1) / maxPlayers; ++page) {
        const int32_t first = page * 100;
        const int32_t last = std::min(page * 100 + maxPlayers - 1, n - 1);
        w.println("<tr><td bgcolor=\"#000000\" width=400><a href=\"./Player_Index_" +
                  std::to_string(page) + ".html\">" + font + "\"#FDD932\"><b>" +
                  TableHtml::cleanString(names.at(static_cast<size_t>(first)).name) +
                  "&nbsp;&nbsp;TO&nbsp;&nbsp;" +
                  TableHtml::cleanString(names.at(static_cast<size_t>(last)).name) +
                  "</b></font></a></td></tr>");
      }
    }
    w.println("</table>");
    w.println(kSpacer);
    if (isPlayerList) legend(w);
    w.println("</center></td></tr>");
    Debug::print("O TotalsHtml.writePlayerListBody", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in TotalsHtml.writePlayerListBody: ", e);
  }
}

void TotalsPages::writeCareerPage(const std::string& file, const std::string& text) {
  files.write(MainDir + TotalsDir + "/" + file, text);
}

}  // namespace orvane::programs::Scorex::output
