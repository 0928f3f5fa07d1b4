#include "programs/ScorexZLN/output/GameHtml.h"

#include <optional>
#include <vector>

#include "programs/Scorex/output/MatchHtml.h"
#include "programs/Scorex/output/PageParts.h"
#include "util/Failure.h"

namespace orvane::programs::ScorexZLN::output {

using util::TextWriter;
using namespace Scorex::output;  // the shared page parts

namespace {

// The game type's own tables and the special events: the whole match's on the index page
// (no player number), one player's on his page.
std::vector<Section> ownSections(const GameTables& t, std::optional<size_t> pnum) {
  const auto pick = [pnum](const std::optional<Table>& match, const GameTables::PerPlayer& each) {
    return pnum ? &each.at(*pnum) : &match;
  };
  std::vector<Section> s;
  if (!pnum && t.isType("Assault")) s.push_back({&t.assault, "Assault", 0, ""});
  if (t.isType("Capture the Flag")) {
    s.push_back({pick(t.flags, t.playerFlags), "Capture the Flag", 1, "There Were No Flag Events"});
  }
  if (t.isType("Domination")) {
    s.push_back({pick(t.controlPoints, t.playerControlPoints), "Control Points", 1,
                 "There Were No Control Point Captures"});
  }
  s.push_back({pick(t.specialEvents, t.playerSpecialEvents), "Special Events", 1,
               "There Were No Special Events"});
  return s;
}

}  // namespace

bool GameHtml::writeGame(const games::Game& gm, const std::string& name, const std::string& dir) {
  writeMatch<games::zln::Game>(gm, "not a Zolnar match", [&](const games::zln::Game& g) {
    Dir = dir;
    tables = std::make_unique<GameTables>(g);
    writeGameIndex(g, name);
    for (size_t x = 0; x < g.plist.size(); ++x) writePlayer(g, name, x);
  });
  return files.allWritten();
}

void GameHtml::writeGameIndex(const games::zln::Game& g, const std::string& name) {
  writeMatchPage(files, kIndexPage, true, Dir, "index.html", name, matchPageNumber(g.time, "100"),
                 [&](TextWriter& w) { writeGameBody(w, name, g); });
}

void GameHtml::writePlayer(const games::zln::Game& g, const std::string& name, size_t pnum) {
  writeMatchPage(files, kPlayerPage, false, Dir, std::to_string(pnum) + ".html", name,
                 matchPageNumber(g.time, std::to_string(pnum)),
                 [&](TextWriter& w) { writePlayerBody(w, name, g, pnum); });
}

void GameHtml::writeGameBody(TextWriter& w, const std::string& gameName,
                             const games::zln::Game& g) {
  traced(kIndexBody, [&] {
    const GameTables& t = built(tables);
    indexOpening(w, gameName, g.endType == "Incomplete", g.teamGame ? &t.teamTable : nullptr,
                 t.gameTotals, t.gameInfo, t.gameSummary);
    sections(w, ownSections(t, std::nullopt));
    spacing(w);
    indexMiddle(w, t.killsMatchUp, t.gameWeapons, 1, t.highs, t.lows);
    sections(w, indexSections(t, {{&t.sprees, "Most Sprees by Type", 1, "There Were No Sprees"}}));
    indexClosing(w);
  });
}

void GameHtml::writePlayerBody(TextWriter& w, const std::string&, const games::zln::Game& g,
                               size_t pnum) {
  traced(kPlayerBody, [&] {
    const GameTables& t = built(tables);
    playerOpening(w, g.plist.at(pnum).name, t.gameInfo, t.playerSummary.at(pnum));
    std::vector<Section> own = ownSections(t, pnum);
    own.push_back({&t.playerWeapons.at(pnum), "Weapon Specific Information", 1,
                   "There Were No Weapons Used"});
    own.push_back({&t.playerSuicides.at(pnum), "Suicide Breakdown", 1, "There Were No Suicides"});
    sections(w, own);
    playerLegend(w);
    sections(w, playerSections(t, pnum,
                               {{&t.playerSprees.at(pnum), "Sprees", 1, "There Were No Sprees"}}));
    playerClosing(w);
  });
}

}  // namespace orvane::programs::ScorexZLN::output
