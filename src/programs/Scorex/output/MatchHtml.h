#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "games/Game.h"
#include "programs/Scorex/output/PageParts.h"
#include "programs/Scorex/output/TableEntry.h"
#include "programs/Scorex/output/TableHtml.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/TextWriter.h"

// What both games' match page writers share: the writing of a match directory's pages and the
// parts of their bodies that are alike.
namespace orvane::programs::Scorex::output {

// The tables a page body needs, built by writeGame; a body written without them is a failure
// (reported by its writer), never a read through a null pointer.
template <class Tables>
const Tables& built(const std::unique_ptr<Tables>& tables) {
  if (!tables) throw util::Failure(util::Failure::kNullPointer, "");
  return *tables;
}

// The trace lines of one step of a page writer, each a whole line: on entry, on exit, and the
// prefix of a failure.
struct MatchTrace {
  const char* enter;
  const char* leave;
  const char* error;
};
inline constexpr MatchTrace kWriteGame = {"I GameHtml.writeGame", "O GameHtml.writeGame",
                                          "Error in GameHtml.writeGame: "};
inline constexpr MatchTrace kIndexPage = {"I GameHtml.writeGameIndex", "O GameHtml.writeGameIndex",
                                          "Error in GameHtml.writeGameIndex: "};
inline constexpr MatchTrace kIndexBody = {"I GameHtml.writeGameBody", "O GameHtml.writeGameBody",
                                          "Error in GameHtml.writeGameBody: "};
inline constexpr MatchTrace kPlayerPage = {"I GameHtml.writePlayer", "O GameHtml.writePlayer",
                                           "Error in GameHtml.writePlayer: "};
inline constexpr MatchTrace kPlayerBody = {"I GameHtml.writePlayerBody",
                                           "O GameHtml.writePlayerBody",
                                           "Error in GameHtml.writePlayerBody: "};

// Runs work between the trace's entry and exit lines (level 2); a failure is traced and ends
// only this step.
template <class Work>
void traced(const MatchTrace& trace, Work work) {
  try {
    util::Debug::print(trace.enter, 2);
    work();
    util::Debug::print(trace.leave, 2);
  } catch (const std::exception& e) {
    util::Debug::report(trace.error, e);
  }
}

// Writes a match's pages with pages(match) when gm is a match of the game Game; any other is a
// failure of writeGame.
template <class Game, class Pages>
void writeMatch(const games::Game& gm, const char* otherGame, Pages pages) {
  traced(kWriteGame, [&] {
    const auto* g = dynamic_cast<const Game*>(&gm);
    if (g == nullptr) throw util::Failure(util::Failure::kClassCast, otherGame);
    pages(*g);
  });
}

// The banner's page number: (time modulo 1000000) + 1000000, then the page's own suffix.
std::string matchPageNumber(int64_t time, const std::string& suffix);

// Writes the page dir + "/" + file of a match titled name (as logged), two levels below the
// site root, with body(w) inside the frame, through files. The first pages of a directory
// create it.
template <class Body>
void writeMatchPage(PageFiles& files, const MatchTrace& trace, bool createsDir,
                    const std::string& dir, const std::string& file, const std::string& name,
                    const std::string& number, Body body) {
  traced(trace, [&] {
    if (createsDir) makeDirs(dir + "/");
    writeFramedPage(files, dir + "/" + file, TableHtml::escape(name), number, 2, body);
  });
}

// A table with its title, or its note when it holds no more than its heading rows.
struct Section {
  const std::optional<Table>* table;
  const char* title;
  size_t headingRows;
  const char* emptyNote;
};
// The sections one after another, with space between them.
void sections(util::TextWriter& w, const std::vector<Section>& list);

// The ranked tables at the end of a match's index page: weapons and suicides, then the game's
// own (own), then power-ups and items. Tables is the game's GameTables.
template <class Tables>
std::vector<Section> indexSections(const Tables& t, const std::vector<Section>& own) {
  std::vector<Section> list = {
      {&t.killsHoldingWeapon, "Most Kills with a Weapon", 1, "There Were No Kills with a Weapon"},
      {&t.deathsByWeapon, "Most Deaths by Weapon Type", 1, "There Were No Deaths by a Weapon"},
      {&t.deathsHoldingWeapon, "Most Deaths While Holding a Weapon", 1,
       "There Were No Deaths While Holding a Weapon"},
      {&t.suicides, "Most Suicides by Type", 1, "There Were No Suicides"}};
  list.insert(list.end(), own.begin(), own.end());
  list.push_back(
      {&t.pickups, "Most Kills with a Powerup", 1, "There Were No Kills with a Powerup"});
  list.push_back({&t.items, "Items Picked up by Type", 1, "There Were No Items Picked Up"});
  return list;
}
// The tables after the legend on player pnum's page: his opponents, then the game's own (own),
// then his power-ups and items.
template <class Tables>
std::vector<Section> playerSections(const Tables& t, size_t pnum, const std::vector<Section>& own) {
  std::vector<Section> list = {{&t.playerPlayer.at(pnum), "Player Specific Kills and Deaths", 1,
                                "There Were No Player Specific Kills or Deaths"}};
  list.insert(list.end(), own.begin(), own.end());
  list.push_back({&t.playerPickup.at(pnum), "Powerups", 1, "There Were No Powerups Used"});
  list.push_back(
      {&t.playerItem.at(pnum), "Items Picked Up By Type", 1, "There Were No Items Picked Up"});
  return list;
}

// The top of a match's index page: its heading (with a note when the log ended early), the
// team result when there is one (result may be null), the match's totals and information, the
// summary and the colour legend, each followed by space.
void indexOpening(util::TextWriter& w, const std::string& gameName, bool incomplete,
                  const std::optional<Table>* result, const std::optional<Table>& totals,
                  const std::optional<Table>& info, const std::optional<Table>& summary);
// The kills match-up, the weapons (with their number of heading rows), the highs and the lows,
// each followed by space.
void indexMiddle(util::TextWriter& w, const std::optional<Table>& matchUp,
                 const std::optional<Table>& weapons, size_t weaponHeadingRows,
                 const std::optional<Table>& highs, const std::optional<Table>& lows);
void indexClosing(util::TextWriter& w);

// The top of a player's page: the heading with the player's name (as logged), the match's
// information and the player's summary, each followed by space.
void playerOpening(util::TextWriter& w, const std::string& playerName,
                   const std::optional<Table>& info, const std::optional<Table>& summary);
// The colour legend between two sections of a player's page.
void playerLegend(util::TextWriter& w);
// The link back to the match's index page, and the end of the page's body.
void playerClosing(util::TextWriter& w);

}  // namespace orvane::programs::Scorex::output
