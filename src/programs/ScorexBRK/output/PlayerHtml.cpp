#include "programs/ScorexBRK/output/PlayerHtml.h"

#include <exception>
#include <optional>
#include <string>

#include "programs/Scorex/output/PageParts.h"
#include "programs/ScorexBRK/output/FrameHtml.h"
#include "programs/ScorexBRK/output/TableHtml.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::ScorexBRK::output {

using util::Debug;
using util::TextWriter;
using namespace Scorex::output;  // the shared page parts

namespace {

void nextBlock(TextWriter& w) {
  w.println("</center><center>");
  w.println(kSpacer);
}

}  // namespace

std::string PlayerHtml::getHtml(const games::brk::Player& thePlayer, int32_t type, int32_t gType) {
  try {
    Debug::print("I PlayerHtml.getHtml", 2);
    p = &thePlayer;
    OutputType = type;
    GameType = gType;
    tables = std::make_unique<PlayerTables>(thePlayer, type, gType);
    std::string page = writePlayerTotals();
    Debug::print("O PlayerHtml.getHtml", 2);
    return page;
  } catch (const std::exception& e) {
    Debug::print("Error in PlayerHtml.getHtml: " + util::failureText(e), 0);
  }
  return "";
}

std::string PlayerHtml::writePlayerTotals() {
  TextWriter w;
  try {
    if (p == nullptr) throw util::Failure("NullPointerException", "");
    Debug::print("I PlayerHtml.writePlayerTotals: " + std::to_string(p->uid) + " " + p->name, 2);
    const std::string number = std::to_string(int64_t{p->uid} + 10000);
    if (OutputType == 1 || OutputType == 2) {
      w.reserve(64 * 1024);
      const std::string n = TableHtml::cleanString(p->name);
      // A player's page belongs to the player list; a summary player's page is its own entry.
      const std::string place = OutputType == 1 ? std::string("By Player Name") : n;
      FrameHtml::writeHeader(w, n, 1);
      FrameHtml::writeSidebar(w, place, 1);
      FrameHtml::writeTop(w, n, number, 1);
      writePlayerTotalsBody(w);
      FrameHtml::writeFooter(w, place, 1);
    } else {
      writePlayerTotalsBody(w);
    }
    Debug::print("O PlayerHtml.writePlayerTotals", 2);
  } catch (const std::exception& e) {
    Debug::print("Error in PlayerHtml.writePlayerTotals: " + util::failureText(e), 0);
  }
  return w.str();
}

void PlayerHtml::writePlayerTotalsBody(TextWriter& w) {
  try {
    Debug::print("I PlayerHtml.writePlayerTotalsBody", 2);
    if (p == nullptr || !tables) throw util::Failure("NullPointerException", "");
    const PlayerTables& t = *tables;
    const bool framed = OutputType == 1 || OutputType == 2;
    if (framed) {
      w.print("<tr><td class=aa valign=middle>");
      w.print((OutputType == 1 ? "Career Totals for " : "Cumulative Totals for ") +
              TableHtml::escape(p->name));
      w.println("</td></tr>");
      w.println("<tr><td>");
    }
    w.println("<center>");
    w.println(kSpacer);
    TableHtml::createTable(w, t.pSummary[3], std::nullopt);
    nextBlock(w);
    tableOrNote(w, t.pWeapon, "Weapon Specific Totals", 2, "There Have Been No Weapons Used",
                "\"s\"");
    nextBlock(w);
    tableOrNote(w, t.pSuicide, "Suicide Totals", 1, "There Have Been No Suicides", "\"s\"");
    nextBlock(w);
    TableHtml::createTable(w, t.pPickups, "Total Powerups Used");
    nextBlock(w);
    tableOrNote(w, t.pItems, "Total Items Collected", 1, "No Items Have Been Collected", "\"s\"");
    if (OutputType < 3) {
      for (size_t g = 0; g < 3; ++g) {
        nextBlock(w);
        TableHtml::createTable(w, t.pSummary[g], std::nullopt);
      }
    }
    w.println("</center>");
    w.println(kSpacer);
    if (framed) w.println("</td></tr>");
    Debug::print("O PlayerHtml.writePlayerTotalsBody", 2);
  } catch (const std::exception& e) {
    Debug::print("Error in PlayerHtml.writePlayerTotalsBody:" + util::failureText(e), 0);
  }
}

}  // namespace orvane::programs::ScorexBRK::output
