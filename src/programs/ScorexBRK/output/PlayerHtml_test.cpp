#include "programs/ScorexBRK/output/PlayerHtml.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "games/brk/Player.h"
#include "programs/ScorexBRK/output/PlayerTables.h"
#include "TraceCapture.h"

namespace orvane::programs::ScorexBRK::output {
namespace {

using games::brk::Player;
using Lines = std::vector<std::string>;

// A row as "value/kind" cells joined by " | ", with the spans that differ from 1.
std::string show(const Row& r) {
  std::string s;
  for (const Cell& c : r) {
    const TableEntry& e = c.at(0);
    s += (s.empty() ? "" : " | ") + e.val + "/" + std::to_string(e.type);
    if (e.rowspan != 1) s += " r" + std::to_string(e.rowspan);
    if (e.colspan != 1) s += " c" + std::to_string(e.colspan);
  }
  return s;
}
Lines show(const std::optional<Table>& t) {
  Lines out;
  for (const Row& r : t.value()) out.push_back(show(r));
  return out;
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

class PlayerHtmlTest : public ::testing::Test {
 protected:
  testing::TraceCapture trace;
};

// 12 kills, 5 deaths, 2 suicides and a team kill in half an hour; a damage ratio of 1000:300.
Player career(bool bot) {
  Player p;
  p.name = "Ann";
  p.isABot = bot;
  games::brk::PStats& s = p.all;
  std::tie(s.frags, s.kills, s.deaths, s.suicides, s.tkills, s.tdeaths) =
      std::tuple(9, 12, 5, 2, 1, 3);
  std::tie(s.pingTime, s.pingNum, s.teamWins, s.teamLosses, s.uses) = std::tuple(100, 3, 2, 1, 4);
  std::tie(s.totalTime, s.dGiven, s.dReceived) = std::tuple(1800.0, 1000, 300);
  std::tie(p.games[0].frags, p.games[0].deaths, p.games[0].suicides) = std::tuple(-2, 4, 1);
  p.games[0].totalTime = 1800.0;
  p.games[1].frags = 5;  // no time played
  return p;
}

// The forms of the summary numbers: efficiency and hours to one place, the damage ratio to
// three; a bot has no ping. (The golden career pages of the site tests pin the columns.)
TEST_F(PlayerHtmlTest, SummaryColumnsAndNumberForms) {
  const PlayerTables human(career(false), 1, 3);
  EXPECT_EQ(show(human.pSummary[3]).back(),
            "9/1 | 12/1 | 5/1 | 2/1 | 1/1 | 3/1 | 60.0%/1 | 18.0/1 | 225.0/1 | 33/1 | 2/1 | "
            "1/1 | 4/1 | 0.5/1 | 1000/1 | 300/1 | 3.333/1");
  EXPECT_EQ(show(human.pSummary[0]).back(),
            "-2/1 | 0/1 | 4/1 | 1/1 | 0.0%/1 | -4.0/1 | 300.0/1 | 0/1 | 0/1 | 0/1 | 0/1 | 0.5/1 | "
            "0/1 | 0/1 | 0.000/1");
  const PlayerTables bots(career(true), 2, 3);
  EXPECT_EQ(show(bots.pSummary[3]).back(),
            "9/1 | 12/1 | 5/1 | 2/1 | 1/1 | 3/1 | 60.0%/1 | 18.0/1 | 225.0/1 | N/A/1 | 4/1 | "
            "0.5/1 | 1000/1 | 300/1 | 3.333/1");
  // A game type out of range fails the builders that need it; they keep what they built.
  trace.str("");
  const PlayerTables wrong(career(false), 1, 5);
  EXPECT_EQ(trace.str(),
            "Error in PlayerTables.mPWeapon: ArrayIndexOutOfBoundsException: 5\n"
            "Error in PlayerTables.mPSuicide: ArrayIndexOutOfBoundsException: 5\n"
            "Error in PlayerTables.mPItems: ArrayIndexOutOfBoundsException: 5\n");
  EXPECT_EQ(wrong.pWeapon->size() + wrong.pSuicide->size() + wrong.pItems->size(), 4u);
}

// The career page of a player without counts: notes stand in for the empty tables, the name
// is escaped, the banner names the page by the career number (without wrapping); any page type
// but the site's is the body alone.
TEST_F(PlayerHtmlTest, CareerPageOfAPlayerWithoutCounts) {
  Player p;
  p.name = "A & B";
  p.uid = 2147483647;
  PlayerHtml html;
  const std::string page = html.getHtml(p, 1, 3);
  EXPECT_NE(page.find(" A&nbsp;&amp;&nbsp;B</title>"), std::string::npos);
  EXPECT_EQ(found(page, "page=5\\.1\\.3\\.([0-9]+)\""), (Lines{"2147493647", "2147493647"}));
  EXPECT_EQ(found(page, "class=\"a\">(?:\xB7&nbsp;)?([^<]*)</a>"),
            (Lines{"Player List", "Player List"}));
  EXPECT_EQ(found(page, "<td valign=middle width=250 class=\"s\">([^<]*)<"),
            (Lines{"There Have Been No Weapons Used", "There Have Been No Suicides",
                   "No Items Have Been Collected"}));
  EXPECT_NE(page.find(">Career Totals for A&nbsp;&amp;&nbsp;B</td>"), std::string::npos);
  const std::string body = html.getHtml(career(false), 3, 3);
  EXPECT_EQ(body.rfind("<center>\n", 0), 0u);
  EXPECT_EQ(found(body, "class=s>&nbsp;([^&]*)&nbsp"),
            (Lines{"Career Summary - All Game Types Combined"}));
  util::TextWriter w;
  PlayerHtml().writePlayerTotalsBody(w);
  EXPECT_EQ(trace.str(), "Error in PlayerHtml.writePlayerTotalsBody:NullPointerException\n");
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK::output
