#include "programs/ScorexBRK/output/GameHtml.h"

#include "programs/Scorex/output/MatchHtml.h"
#include "programs/Scorex/output/PageParts.h"
#include "programs/Scorex/output/TableHtml.h"

namespace orvane::programs::ScorexBRK::output {

using util::TextWriter;
using namespace Scorex::output;  // the shared page parts

namespace {

constexpr MatchTrace kZBotPage = {"I GameHtml.writeGameZBot", "O GameHtml.writeGameZBot",
                                  "Error in GameHtml.writeGameZBot: "};
constexpr MatchTrace kZBotBody = {"I GameHtml.writeZBotBody", "O GameHtml.writeZBotBody",
                                  "Error in GameHtml.writeZBotBody: "};

}  // namespace

bool GameHtml::writeGame(const games::Game& gm, const std::string& name, const std::string& dir) {
  writeMatch<games::brk::Game>(gm, "not a Brakk match", [&](const games::brk::Game& g) {
    Dir = dir;
    tables = std::make_unique<GameTables>(g);
    writeGameIndex(g, name);
    writeGameZBot(g, name);
    for (size_t x = 0; x < g.plist.size(); ++x) writePlayer(g, name, x);
  });
  return files.allWritten();
}

void GameHtml::writeGameIndex(const games::brk::Game& g, const std::string& name) {
  writeMatchPage(files, kIndexPage, true, Dir, "index.html", name, matchPageNumber(g.time, "100"),
                 [&](TextWriter& w) { writeGameBody(w, name, g); });
}

void GameHtml::writeGameZBot(const games::brk::Game& g, const std::string& name) {
  writeMatchPage(files, kZBotPage, true, Dir, "zbot.html", name, matchPageNumber(g.time, "99"),
                 [&](TextWriter& w) { writeZBotBody(w, name, g); });
}

void GameHtml::writePlayer(const games::brk::Game& g, const std::string& name, size_t pnum) {
  writeMatchPage(files, kPlayerPage, false, Dir, std::to_string(pnum) + ".html", name,
                 matchPageNumber(g.time, std::to_string(pnum)),
                 [&](TextWriter& w) { writePlayerBody(w, name, g, pnum); });
}

void GameHtml::writeGameBody(TextWriter& w, const std::string& gameName,
                             const games::brk::Game& g) {
  traced(kIndexBody, [&] {
    const GameTables& t = built(tables);
    indexOpening(w, gameName, g.endType == "Incomplete", g.teamGame ? &t.teamTable : nullptr,
                 t.gameTotals, t.gameInfo, t.gameSummary);
    indexMiddle(w, t.killsMatchUp, t.gameWeapons, 2, t.highs, t.lows);
    sections(w, indexSections(t, {}));
    indexClosing(w);
  });
}

void GameHtml::writeZBotBody(TextWriter& w, const std::string& gameName, const games::brk::Game&) {
  traced(kZBotBody, [&] {
    w.print("<tr><td class=aa>");
    w.println("ZBot List for " + TableHtml::escape(gameName));
    w.println("</td></tr>");
    w.println("<tr><td valign=top align=center><center>");
    w.println(kSpacer);
    tableOrNote(w, built(tables).gameZBot, "ZBot List", 1, "No Bots Were Detected");
    w.println("</center>");
    w.println("</td></tr>");
  });
}

void GameHtml::writePlayerBody(TextWriter& w, const std::string&, const games::brk::Game& g,
                               size_t pnum) {
  traced(kPlayerBody, [&] {
    const GameTables& t = built(tables);
    playerOpening(w, g.plist.at(pnum).name, t.gameInfo, t.playerSummary.at(pnum));
    sections(w, {{&t.playerWeapons.at(pnum), "Weapon Specific Information", 2,
                  "There Were No Weapons Used"},
                 {&t.playerSuicides.at(pnum), "Suicide Breakdown", 1, "There Were No Suicides"}});
    playerLegend(w);
    sections(w, playerSections(t, pnum, {}));
    playerClosing(w);
  });
}

}  // namespace orvane::programs::ScorexBRK::output
