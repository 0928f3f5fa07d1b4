#include "programs/Scorex/output/MatchHtml.h"

#include "programs/Scorex/output/MatchCells.h"

namespace orvane::programs::Scorex::output {

std::string matchPageNumber(int64_t time, const std::string& suffix) {
  return std::to_string(time % 1000000 + 1000000) + suffix;
}

void sections(util::TextWriter& w, const std::vector<Section>& list) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (i > 0) spacing(w);
    const Section& s = list[i];
    tableOrNote(w, *s.table, s.title, s.headingRows, s.emptyNote);
  }
}

void indexOpening(util::TextWriter& w, const std::string& gameName, bool incomplete,
                  const std::optional<Table>* result, const std::optional<Table>& totals,
                  const std::optional<Table>& info, const std::optional<Table>& summary) {
  w.print("<tr><td class=aa>");
  w.println("Game Index for " + TableHtml::escape(gameName));
  if (incomplete) {
    w.println("<br><span class=ak>");
    w.println("Note: This Game's Logfile Was Incomplete See ");
    w.println("<a href=\"../../Help_Using_Scorex.html#logfile\" class=ak>Help</a>");
    w.println(" for details.</span>");
  }
  w.println("</td></tr>");
  w.println("<tr><td valign=top align=center><center>");
  w.println(kSpacer);
  if (result != nullptr && *result) {
    TableHtml::createTable(w, *result, std::nullopt);
    spacing(w);
  }
  TableHtml::createTable(w, totals, "Totals for This Game");
  spacing(w);
  TableHtml::createTable(w, info, "Match Information");
  w.println("<hr noshade width=\"75%\">");
  w.println(
      "<span class=i>You may click on a players name anywhere below<br>to view their individual "
      "stats</span>");
  spacing(w);
  TableHtml::createTable(w, summary, "Game Summary");
  w.println(
      "<span class=h>Rank is based on the highest number of Frags.<br> Tie breakers are in order "
      "of<br>Least Deaths<br>Least Suicides<br>then &quot;coin flip&quot;</span>");
  spacing(w);
  legend(w);
  spacing(w);
}

void indexMiddle(util::TextWriter& w, const std::optional<Table>& matchUp,
                 const std::optional<Table>& weapons, size_t weaponHeadingRows,
                 const std::optional<Table>& highs, const std::optional<Table>& lows) {
  // A match-up left without rows belongs to a match too large to show one.
  if (matchUp && matchUp->empty()) {
    note(w, "The Kills Match Up Is Shown for Games of up to " + std::to_string(kMatchUpPlayers) +
                " Players");
  } else {
    TableHtml::createTable(w, matchUp, "Kills Match Up", "100%");
  }
  spacing(w);
  tableOrNote(w, weapons, "Weapon Specific Information", weaponHeadingRows,
              "There Were No Weapons Used");
  spacing(w);
  w.println("<table><tr><td class=s width=350>High and Low Scores</td></tr></table>");
  spacing(w);
  TableHtml::createTable(w, highs, "Highs");
  spacing(w);
  TableHtml::createTable(w, lows, "Lows");
  spacing(w);
}

void indexClosing(util::TextWriter& w) {
  w.println("</center><p align=center>&nbsp;</p>");
  w.println("</td></tr>");
}

void playerOpening(util::TextWriter& w, const std::string& playerName,
                   const std::optional<Table>& info, const std::optional<Table>& summary) {
  w.print("<tr><td class=aa>");
  w.print("Individual Game Stats for " + TableHtml::cleanString(playerName));
  w.println("</td></tr>");
  w.println("<tr><td>");
  w.println("<center>");
  w.println(kSpacer);
  TableHtml::createTable(w, info, "Match Information");
  spacing(w);
  TableHtml::createTable(w, summary, "Game Summary");
  spacing(w);
}

void playerLegend(util::TextWriter& w) {
  spacing(w);
  legend(w);
  spacing(w);
}

void playerClosing(util::TextWriter& w) {
  w.println(
      "<p align=center>&nbsp;</p><p align=center><a class=\"j\" href=\"./index.html\">Click here "
      "to return to game index.</a></p>");
  w.println(kSpacer);
  w.println("</center>");
  w.println("</td></tr>");
}

}  // namespace orvane::programs::Scorex::output
