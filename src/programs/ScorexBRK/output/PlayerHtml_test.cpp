#include "programs/ScorexBRK/output/PlayerHtml.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "games/brk/Player.h"
#include "programs/ScorexBRK/output/PlayerTables.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexBRK::output {
namespace {

using games::brk::Player;
using Scorex::output::Cell;
using Scorex::output::Row;
using Scorex::output::TableEntry;
using util::Debug;
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
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  std::ostringstream trace;
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

TEST_F(PlayerHtmlTest, SummaryColumnsAndNumberForms) {
  const PlayerTables human(career(false), 1, 3);
  EXPECT_EQ(show(human.pSummary[3]),
            (Lines{"Career Summary - All Game Types Combined/12 c17",
                   "Frags/2 r2 | Kills/2 r2 | Deaths/2 r2 | Suicides/2 r2 | TK/2 r2 | TD/2 r2 | "
                   "Eff/2 r2 | Avg FPH/2 r2 | Avg TTL/2 r2 | Ping/2 r2 | Wins/2 r2 | Losses/2 r2 | "
                   "Games/2 r2 | Hours/2 r2 | Damage/2 c3",
                   "Given/2 | Rec./2 | G/R/2",
                   "9/1 | 12/1 | 5/1 | 2/1 | 1/1 | 3/1 | 60.0%/1 | 18.0/1 | 225.0/1 | 33/1 | 2/1 | "
                   "1/1 | 4/1 | 0.5/1 | 1000/1 | 300/1 | 3.333/1"}));
  EXPECT_EQ(show(human.pSummary[0]).back(),
            "-2/1 | 0/1 | 4/1 | 1/1 | 0.0%/1 | -4.0/1 | 300.0/1 | 0/1 | 0/1 | 0/1 | 0/1 | 0.5/1 | "
            "0/1 | 0/1 | 0.000/1");
  EXPECT_EQ(show(human.pSummary[1]).back(),
            "5/1 | 0/1 | 0/1 | 0/1 | 0/1 | 0/1 | 0.0%/1 | 0.0/1 | 0.0/1 | 0/1 | 0/1 | 0/1 | 0/1 | "
            "0.0/1 | 0/1 | 0/1 | 0.000/1");

  // A summary player: no won/lost columns; a bot shows no ping.
  const PlayerTables bots(career(true), 2, 3);
  EXPECT_EQ(show(bots.pSummary[3]).back(),
            "9/1 | 12/1 | 5/1 | 2/1 | 1/1 | 3/1 | 60.0%/1 | 18.0/1 | 225.0/1 | N/A/1 | 4/1 | "
            "0.5/1 | 1000/1 | 300/1 | 3.333/1");

  // Only the team game type and the combined summary count team kills and deaths.
  for (auto [t, type, title, columns] : {std::tuple{0, 1, "Career Summary - RegularDM/12 c15", 13},
                                         {1, 1, "Career Summary - TeamPlay/12 c17", 15},
                                         {2, 1, "Career Summary - 1-vs-1/12 c15", 13},
                                         {0, 2, "Summary - RegularDM/12 c13", 11},
                                         {1, 2, "Summary - TeamPlay/12 c15", 13},
                                         {3, 2, "Summary - All Game Types Combined/12 c15", 13}}) {
    const PlayerTables& tables = type == 1 ? human : bots;
    const Table& summary = tables.pSummary.at(static_cast<size_t>(t)).value();
    EXPECT_EQ(show(summary[0]), title);
    EXPECT_EQ(summary[1].size(), static_cast<size_t>(columns)) << title;
  }
}

TEST_F(PlayerHtmlTest, WeaponSuicideAndItemRows) {
  Player p;
  games::brk::PStats& s = p.all;
  std::tie(s.myKills[8], s.myDeaths[8], s.myHits[8], s.myShots[8]) = std::tuple(3, 1, 1, 4);
  std::tie(s.myDGiven[8], s.myDReceived[8]) = std::tuple(250, 100);
  s.myDeaths[0] = 2;     // the weapon without a name
  s.myWSuicides[4] = 1;  // Grenade Launcher: frags -1
  s.myShots[10] = 2;     // Shotgun: shots only
  s.myHits[2] = 5;       // Blaster: hits and damage without a shot give no row
  s.myDGiven[2] = 40;
  s.mySuicides[7] = 2;  // Lava
  std::tie(s.itemGets[23], s.itemGets[24]) = std::tuple(1, 3);
  const PlayerTables t(p, 1, 3);
  const Lines weapons = show(t.pWeapon);
  EXPECT_EQ(
      Lines(weapons.begin() + 2, weapons.end()),
      (Lines{"Railgun/3 | 3/1 | 3/1 | 1/1 | 0/1 | 75.0%/1 | 1/1 | 4/1 | 25.0%/1 | 250/1 | "
             "100/1 | 2.5/1",
             "Shotgun/3 | 0/1 | 0/1 | 0/1 | 0/1 | 0.0%/1 | 0/1 | 2/1 | 0.0%/1 | 0/1 | 0/1 | 0.0/1",
             "/3 | 0/1 | 0/1 | 2/1 | 0/1 | 0.0%/1 | 0/1 | 0/1 | 0.0%/1 | 0/1 | 0/1 | 0.0/1",
             "Grenade Launcher/3 | -1/1 | 0/1 | 0/1 | 1/1 | 0.0%/1 | 0/1 | 0/1 | 0.0%/1 | 0/1 | "
             "0/1 | 0.0/1"}));
  EXPECT_EQ(show(t.pSuicide),
            (Lines{"Type/2 | Suicides/2", "Lava/3 | 2/1", "Grenade Launcher/3 | 1/1"}));
  EXPECT_EQ(show(t.pItems),
            (Lines{"Item Type/2 | Total Collected/2", "Shells/3 | 3/1", "Slugs/3 | 1/1"}));
  EXPECT_FALSE(t.pSprees);

  // Which block each table shows, by page type and game type: {type, gType, rows of the
  // weapon, suicide and item tables}; only "all" holds counts here.
  for (auto [type, g, w, su, it] :
       {std::tuple{1, 0, 2u, 1u, 1u}, {2, 0, 2u, 1u, 1u}, {3, 0, 6u, 3u, 1u}, {3, 3, 6u, 3u, 3u}}) {
    const PlayerTables b(p, type, g);
    EXPECT_EQ(std::tuple(b.pWeapon->size(), b.pSuicide->size(), b.pItems->size()),
              std::tuple(w, su, it))
        << type << " " << g;
  }
}

TEST_F(PlayerHtmlTest, EveryPowerupByKills) {
  Player p;
  const int kills[] = {0, 5, 2, 6, 1, 3, 4};
  for (size_t i = 0; i < 7; ++i) p.pickups[i].kills = kills[i];
  games::brk::PStats& invulnerability = p.pickups[1];
  std::tie(invulnerability.uses, invulnerability.totalTime) = std::tuple(2, 90.0);
  std::tie(invulnerability.deaths, invulnerability.suicides) = std::tuple(1, 1);
  auto unused = [](const char* name, const char* k) {
    return std::string(name) + "/3 | 0/1 | 0.0/1 | " + k + "/1 | 0/1 | 0.0/1 | 0.0/1 | 0.0/1";
  };
  EXPECT_EQ(show(PlayerTables(p, 1, 3).pPickups),
            (Lines{"Powerup/2 | # of Uses/2 | Time (minutes)/2 | Kills/2 | Deaths+Suicides/2 | "
                   "Kills/Use/2 | Kills/Hour/2 | TTL(sec)/2",
                   unused("Regen_Rune", "6"),
                   "Invulnerability/3 | 2/1 | 1.5/1 | 5/1 | 2/1 | 2.5/1 | 200.0/1 | 30.0/1",
                   unused("Vampire_Rune", "4"), unused("Resist_Rune", "3"),
                   unused("Strength_Rune", "2"), unused("Haste_Rune", "1"), unused("Quad", "0")}));
}

TEST_F(PlayerHtmlTest, TraceAndFailingBuildersKeepWhatTheyBuilt) {
  Debug::setLevel(1);
  const PlayerTables t(career(false), 1, 5);
  std::string want = "I PlayerTables\n";
  for (const char* b : {"mPSummary", "mPSummary", "mPSummary", "mPSummary", "mPWeapon", "mPSuicide",
                        "mPPickups", "mPItems"}) {
    want += std::string("I PlayerTables.") + b + "\n";
    if (std::string(b) != "mPSummary" && std::string(b) != "mPPickups") {
      want += std::string("Error in PlayerTables.") + b + ": ArrayIndexOutOfBoundsException: 5\n";
    }
    want += std::string("O PlayerTables.") + b + "\n";
  }
  EXPECT_EQ(trace.str(), want + "O PlayerTables\n");
  EXPECT_EQ(std::tuple(t.pWeapon->size(), t.pSuicide->size(), t.pItems->size()),
            std::tuple(2u, 1u, 1u));

  trace.str("");
  util::TextWriter w;
  PlayerHtml().writePlayerTotalsBody(w);
  EXPECT_EQ(trace.str(), "Error in PlayerHtml.writePlayerTotalsBody:NullPointerException\n");
}

// The body's own lines: table cells are left out, table titles and notes kept.
std::string skeleton(const std::string& page) {
  std::string out;
  const std::regex cellLine("(</tr>)?(<tr>)?<td [^>]*class=[a-z]+>&nbsp;.*</td>");
  std::istringstream in(page.substr(page.find("<tr><td class=aa")));
  for (std::string line; std::getline(in, line) && line.rfind("<tr><td align=center", 0) != 0;) {
    if (!std::regex_match(line, cellLine)) out += line + "\n";
  }
  return out;
}

TEST_F(PlayerHtmlTest, CareerPageOfAPlayerWithoutCounts) {
  Player p;
  p.name = "A & B";
  p.uid = 7;
  Debug::setLevel(2);
  PlayerHtml html;
  const std::string page = html.getHtml(p, 1, 3);
  const std::string tables =
      std::regex_replace(trace.str(), std::regex("[IO] PlayerTables[^\n]*\n"), "");
  EXPECT_EQ(tables,
            "I PlayerHtml.getHtml\nI PlayerHtml.writePlayerTotals: 7 A & B\n"
            "I PlayerHtml.writePlayerTotalsBody\nO PlayerHtml.writePlayerTotalsBody\n"
            "O PlayerHtml.writePlayerTotals\nO PlayerHtml.getHtml\n");
  EXPECT_NE(page.find(" A&nbsp;&amp;&nbsp;B</title>"), std::string::npos);
  EXPECT_EQ(found(page, "page=5\\.1\\.3\\.([0-9]+)\""), (Lines{"10007", "10007"}));
  EXPECT_EQ(found(page, "class=\"a\">(?:\xB7&nbsp;)?([^<]*)</a>"),
            (Lines{"Player List", "Player List"}));

  const std::string next = "</center><center>\n<p align=center>&nbsp;</p>\n";
  const std::string table = "<table border=0 cellpadding=0>\n";
  const std::string summary = table + "</tr></table>\n";
  auto note = [&](const char* text) {
    return next + "<table><tr><td valign=middle width=250 class=\"s\">" + text +
           "</td></tr></table>\n";
  };
  EXPECT_EQ(
      skeleton(page),
      "<tr><td class=aa valign=middle>Career Totals for A&nbsp;&amp;&nbsp;B</td></tr>\n<tr><td>\n"
      "<center>\n<p align=center>&nbsp;</p>\n" +
          summary + note("There Have Been No Weapons Used") + note("There Have Been No Suicides") +
          next + table +
          "<tr><td class=s colspan=8>Total Powerups Used</td></tr>\n</tr></table>\n" +
          note("No Items Have Been Collected") + next + summary + next + summary + next + summary +
          "</center>\n<p align=center>&nbsp;</p>\n</td></tr>\n");

  p.uid = 2147483647;
  EXPECT_EQ(found(html.getHtml(p, 1, 3), "page=5\\.1\\.3\\.([0-9]+)\"").at(0), "2147493647");
  // Any other page type is the body alone, with only the combined summary.
  const std::string body = html.getHtml(career(false), 3, 3);
  EXPECT_EQ(body.rfind("<center>\n", 0), 0u);
  EXPECT_EQ(found(body, "class=s>&nbsp;([^&]*)&nbsp"),
            (Lines{"Career Summary - All Game Types Combined"}));
}

TEST_F(PlayerHtmlTest, SummaryPlayersMarkTheirOwnEntry) {
  for (auto [name, entry] : {std::pair{"All Players (Humans and Bots)", "All Totals"},
                             {"All Humans", "Human Totals"},
                             {"All Bots", "Bot Totals"}}) {
    Player p = career(false);
    p.name = name;
    p.all.myKills[8] = 1;
    p.all.mySuicides[7] = 1;
    p.all.itemGets[1] = 1;
    const std::string page = PlayerHtml().getHtml(p, 2, 3);
    EXPECT_EQ(found(page, "class=\"a\">(?:\xB7&nbsp;)?([^<]*)</a>"), (Lines{entry, entry}));
    // The heading escapes the name as the title does: blanks become "&nbsp;".
    std::string heading = name;
    for (size_t b; (b = heading.find(' ')) != std::string::npos;) heading.replace(b, 1, "&nbsp;");
    EXPECT_NE(page.find(">Cumulative Totals for " + heading + "</td></tr>"), std::string::npos);
    EXPECT_EQ(found(page, "<tr><td class=s colspan=[0-9]+>([^<]*)</td></tr>"),
              (Lines{"Weapon Specific Totals", "Suicide Totals", "Total Powerups Used",
                     "Total Items Collected"}));
    EXPECT_EQ(found(page, "class=s>&nbsp;([^&]*)&nbsp"),
              (Lines{"Summary - All Game Types Combined", "Summary - RegularDM",
                     "Summary - TeamPlay", "Summary - 1-vs-1"}));
    EXPECT_EQ(page.find("Wins"), std::string::npos);
  }
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK::output
