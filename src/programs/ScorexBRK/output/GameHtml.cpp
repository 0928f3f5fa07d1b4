#include "programs/ScorexBRK/output/GameHtml.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "programs/Scorex/output/PageParts.h"
#include "programs/ScorexBRK/output/FrameHtml.h"
#include "programs/ScorexBRK/output/TableHtml.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"

namespace orvane::programs::ScorexBRK::output {

using util::Debug;
using util::TextWriter;
using namespace Scorex::output;  // the shared page parts

namespace {

// The banner's page number: (time modulo 1000000) + 1000000, then the page's own suffix.
std::string pageNumber(const games::brk::Game& g, const std::string& suffix) {
  return std::to_string(g.time % 1000000 + 1000000) + suffix;
}

void report(const char* prefix, const std::exception& e) {
  Debug::print(prefix + util::failureText(e), 0);
}

}  // namespace

void GameHtml::writeGame(const games::Game& gm, const std::string& name, const std::string& dir,
                         int32_t type) {
  try {
    Debug::print("I GameHtml.writeGame", 2);
    const auto* g = dynamic_cast<const games::brk::Game*>(&gm);
    if (g == nullptr) throw util::Failure("ClassCastException", "not a Brakk match");
    Dir = dir;
    // Only the standard frame exists: any other output type is written as type 1.
    OutputType = 1;
    (void)type;
    tables = std::make_unique<GameTables>(*g);
    writeGameIndex(*g, name);
    writeGameZBot(*g, name);
    for (size_t x = 0; x < g->plist.size(); ++x) writePlayer(*g, name, x);
    Debug::print("O GameHtml.writeGame", 2);
  } catch (const std::exception& e) {
    report("Error in GameHtml.writeGame: ", e);
  }
}

void GameHtml::writeGameIndex(const games::brk::Game& g, const std::string& name) {
  try {
    Debug::print("I GameHtml.writeGameIndex", 2);
    makeDirs(Dir + "/");
    writeFramedPage(Dir + "/index.html", TableHtml::escape(name), pageNumber(g, "100"), 2,
                    [&](TextWriter& w) { writeGameBody(w, name, g); });
    Debug::print("O GameHtml.writeGameIndex", 2);
  } catch (const std::exception& e) {
    report("Error in GameHtml.writeGameIndex: ", e);
  }
}

void GameHtml::writeGameZBot(const games::brk::Game& g, const std::string& name) {
  try {
    Debug::print("I GameHtml.writeGameZBot", 2);
    makeDirs(Dir + "/");
    writeFramedPage(Dir + "/zbot.html", TableHtml::escape(name), pageNumber(g, "99"), 2,
                    [&](TextWriter& w) { writeZBotBody(w, name, g); });
    Debug::print("O GameHtml.writeGameZBot", 2);
  } catch (const std::exception& e) {
    report("Error in GameHtml.writeGameZBot: ", e);
  }
}

void GameHtml::writePlayer(const games::brk::Game& g, const std::string& name, size_t pnum) {
  try {
    Debug::print("I GameHtml.writePlayer", 2);
    writeFramedPage(Dir + "/" + std::to_string(pnum) + ".html", TableHtml::escape(name),
                    pageNumber(g, std::to_string(pnum)), 2,
                    [&](TextWriter& w) { writePlayerBody(w, name, g, pnum); });
    Debug::print("O GameHtml.writePlayer", 2);
  } catch (const std::exception& e) {
    report("Error in GameHtml.writePlayer: ", e);
  }
}

void GameHtml::writeGameBody(TextWriter& w, const std::string& gameName,
                             const games::brk::Game& g) {
  try {
    Debug::print("I GameHtml.writeGameBody", 2);
    const GameTables& t = *tables;
    w.print("<tr><td class=aa>");
    w.println("Game Index for " + TableHtml::escape(gameName));
    if (g.endType == "Incomplete") {
      w.println("<br><span class=ak>");
      w.println("Note: This Game's Logfile Was Incomplete See ");
      w.println("<a href=\"../../Help_Using_Scorex.html#logfile\" class=ak>Help</a>");
      w.println(" for details.</span>");
    }
    w.println("</td></tr>");
    w.println("<tr><td valign=top align=center><center>");
    w.println(kSpacer);
    if (g.teamGame && t.teamTable) {
      TableHtml::createTable(w, t.teamTable, std::nullopt);
      spacing(w);
    }
    TableHtml::createTable(w, t.gameTotals, "Totals for This Game");
    spacing(w);
    TableHtml::createTable(w, t.gameInfo, "Match Information");
    w.println("<hr noshade width=\"75%\">");
    w.println(
        "<span class=i>You may click on a players name anywhere below<br>to view their "
        "individual stats</span>");
    spacing(w);
    TableHtml::createTable(w, t.gameSummary, "Game Summary");
    w.println(
        "<span class=h>Rank is based on the highest number of Frags.<br> Tie breakers are in "
        "order of<br>Least Deaths<br>Least Suicides<br>then &quot;coin flip&quot;</span>");
    spacing(w);
    legend(w);
    spacing(w);
    TableHtml::createTable(w, t.killsMatchUp, "Kills Match Up", "100%");
    spacing(w);
    tableOrNote(w, t.gameWeapons, "Weapon Specific Information", 2, "There Were No Weapons Used");
    spacing(w);
    w.println("<table><tr><td class=s width=350>High and Low Scores</td></tr></table>");
    spacing(w);
    TableHtml::createTable(w, t.highs, "Highs");
    spacing(w);
    TableHtml::createTable(w, t.lows, "Lows");
    spacing(w);
    tableOrNote(w, t.killsHoldingWeapon, "Most Kills with a Weapon", 1,
                "There Were No Kills with a Weapon");
    spacing(w);
    tableOrNote(w, t.deathsByWeapon, "Most Deaths by Weapon Type", 1,
                "There Were No Deaths by a Weapon");
    spacing(w);
    tableOrNote(w, t.deathsHoldingWeapon, "Most Deaths While Holding a Weapon", 1,
                "There Were No Deaths While Holding a Weapon");
    spacing(w);
    tableOrNote(w, t.suicides, "Most Suicides by Type", 1, "There Were No Suicides");
    spacing(w);
    tableOrNote(w, t.pickups, "Most Kills with a Powerup", 1, "There Were No Kills with a Powerup");
    spacing(w);
    tableOrNote(w, t.items, "Items Picked up by Type", 1, "There Were No Items Picked Up");
    w.println("</center><p align=center>&nbsp;</p>");
    w.println("</td></tr>");
    Debug::print("O GameHtml.writeGameBody", 2);
  } catch (const std::exception& e) {
    report("Error in GameHtml.writeGameBody: ", e);
  }
}

void GameHtml::writeZBotBody(TextWriter& w, const std::string& gameName, const games::brk::Game&) {
  try {
    Debug::print("I GameHtml.writeZBotBody", 2);
    w.print("<tr><td class=aa>");
    w.println("ZBot List for " + TableHtml::escape(gameName));
    w.println("</td></tr>");
    w.println("<tr><td valign=top align=center><center>");
    w.println(kSpacer);
    tableOrNote(w, tables->gameZBot, "ZBot List", 1, "No Bots Were Detected");
    w.println("</center>");
    w.println("</td></tr>");
    Debug::print("O GameHtml.writeZBotBody", 2);
  } catch (const std::exception& e) {
    report("Error in GameHtml.writeZBotBody: ", e);
  }
}

void GameHtml::writePlayerBody(TextWriter& w, const std::string&, const games::brk::Game& g,
                               size_t pnum) {
  try {
    Debug::print("I GameHtml.writePlayerBody", 2);
    const GameTables& t = *tables;
    auto at = [pnum](const std::vector<std::optional<Table>>& v) -> const std::optional<Table>& {
      return v.at(pnum);
    };
    w.print("<tr><td class=aa>");
    w.print("Individual Game Stats for " + TableHtml::cleanString(g.plist.at(pnum).name));
    w.println("</td></tr>");
    w.println("<tr><td>");
    w.println("<center>");
    w.println(kSpacer);
    TableHtml::createTable(w, t.gameInfo, "Match Information");
    spacing(w);
    TableHtml::createTable(w, at(t.playerSummary), "Game Summary");
    spacing(w);
    tableOrNote(w, at(t.playerWeapons), "Weapon Specific Information", 2,
                "There Were No Weapons Used");
    spacing(w);
    tableOrNote(w, at(t.playerSuicides), "Suicide Breakdown", 1, "There Were No Suicides");
    spacing(w);
    legend(w);
    spacing(w);
    tableOrNote(w, at(t.playerPlayer), "Player Specific Kills and Deaths", 1,
                "There Were No Player Specific Kills or Deaths");
    spacing(w);
    tableOrNote(w, at(t.playerPickup), "Powerups", 1, "There Were No Powerups Used");
    spacing(w);
    tableOrNote(w, at(t.playerItem), "Items Picked Up By Type", 1, "There Were No Items Picked Up");
    w.println(
        "<p align=center>&nbsp;</p><p align=center><a class=\"j\" href=\"./index.html\">Click "
        "here to return to game index.</a></p>");
    w.println(kSpacer);
    w.println("</center>");
    w.println("</td></tr>");
    Debug::print("O GameHtml.writePlayerBody", 2);
  } catch (const std::exception& e) {
    report("Error in GameHtml.writePlayerBody: ", e);
  }
}

}  // namespace orvane::programs::ScorexBRK::output
