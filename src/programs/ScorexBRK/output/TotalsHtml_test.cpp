#include "programs/ScorexBRK/output/TotalsHtml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexBRK/PlayerDB.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexBRK::output {
namespace {

using Scorex::output::FrameHtml;
using Scorex::settings::config;
using testing::listing;
using testing::slurp;
using util::Debug;
using Lines = std::vector<std::string>;

// The first group of every match of the pattern, in order.
Lines found(const std::string& text, const std::string& pattern) {
  Lines out;
  const std::regex re(pattern);
  for (std::sregex_iterator i(text.begin(), text.end(), re), end; i != end; ++i) {
    out.push_back((*i)[1].str());
  }
  return out;
}

// The rows of a player list as "target name colour".
Lines rows(const std::string& page) {
  Lines out;
  const std::regex re(
      "width=400><a href=\"\\./([^\"]+)\"><font face=[^>]* color=\"(#[0-9A-F]+)\"><b>([^\n]*)</b>");
  for (std::sregex_iterator i(page.begin(), page.end(), re), end; i != end; ++i) {
    out.push_back((*i)[1].str() + " " + (*i)[3].str() + " " + (*i)[2].str());
  }
  return out;
}

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class TotalsHtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
    configure("");
  }
  void TearDown() override {
    config::reset();
    Debug::reset();
  }
  void configure(const std::string& lines) {
    config::reset();
    config::homeDir = home.path();
    home.write("ScorexBRK.cfg", lines);
    home.mkdir("html");
    config::set(std::nullopt, "ScorexBRK");
    FrameHtml::init();
    home.mkdir("data");
    totals->openPlayerDB();
  }
  // A career player in the index and the store, with career number uid.
  void add(const std::string& name, bool bot, bool modified, int32_t frags = 0) {
    const int32_t uid = static_cast<int32_t>(totals->plist.size());
    HashEntry h(name, bot, uid);
    h.modified = modified;
    h.a_frags = frags;
    totals->plist.put(h);
    games::brk::Player p;
    p.uid = uid;
    totals->storePlayer(p);
  }
  void write() {
    totals->sortPlayers();
    TotalsHtml().writeTotals(*totals);
    EXPECT_FALSE(has(trace.str(), "Error")) << trace.str();
  }
  std::string page(const std::string& file) { return slurp(home.file("html/" + file)); }

  testing::TempDir home;
  std::ostringstream trace;
  std::optional<Totals> totals{std::in_place};
};

// Every player list names its page number; humans are gold, bots blue.
TEST_F(TotalsHtmlTest, PlayerListsHoldAHundredPlayersEach) {
  for (const int n : {100, 101}) {
    SCOPED_TRACE(n);
    totals.emplace();
    configure("");
    // Entered in reverse: the lists follow the names, not the career numbers.
    for (int i = n - 1; i >= 0; --i) {
      add("P" + std::to_string(1000 + i), i % 2 == 1, false);
    }
    write();
    auto row = [&](int i) {
      return std::to_string(n - 1 - i) + ".html P" + std::to_string(1000 + i) +
             (i % 2 == 1 ? " #0080FF" : " #FDD932");
    };
    Lines first;
    for (int i = 0; i < 100; ++i) first.push_back(row(i));
    // Nobody played in this run: no career pages.
    EXPECT_EQ(listing(home.file("html/Total_Game_Stats")),
              std::string("All_Totals.html Bot_Totals.html Human_Totals.html Player_Index.html ") +
                  (n == 100 ? "" : "Player_Index_0.html Player_Index_1.html ") +
                  "Rankings.html Total_Index.html");
    const std::string index = page("Total_Game_Stats/Player_Index.html");
    EXPECT_TRUE(has(index, "page=5.1.3.55\""));
    if (n == 100) {
      EXPECT_EQ(rows(index), first);
      EXPECT_TRUE(has(index, ">Player Name<"));
      EXPECT_TRUE(has(index, "Player Color Legend"));
      continue;
    }
    EXPECT_EQ(rows(index),
              (Lines{"Player_Index_0.html P1000&nbsp;&nbsp;TO&nbsp;&nbsp;P1099 #FDD932",
                     "Player_Index_1.html P1100&nbsp;&nbsp;TO&nbsp;&nbsp;P1100 #FDD932"}));
    EXPECT_TRUE(has(index, ">Player Indexes (100 players each)<"));
    EXPECT_FALSE(has(index, "Player Color Legend"));
    const std::string p0 = page("Total_Game_Stats/Player_Index_0.html");
    const std::string p1 = page("Total_Game_Stats/Player_Index_1.html");
    EXPECT_EQ(rows(p0), first);
    EXPECT_EQ(rows(p1), Lines{row(100)});
    EXPECT_TRUE(has(p0, "page=5.1.3.100\"") && has(p0, "Player Color Legend"));
    EXPECT_TRUE(has(p1, "page=5.1.3.101\"") && has(p1, "Player Color Legend"));
  }
}

// Only the players of this run get their career pages rewritten; names are escaped.
TEST_F(TotalsHtmlTest, CareerPagesOfThisRunAndEscapedNames) {
  add("a<b", false, true);
  add("R&D", true, false);
  add("Mr \"Q\" >", false, true);
  home.write("html/Total_Game_Stats/1.html", "kept");
  home.write("html/Total_Game_Stats/2.html", "stale");
  write();
  EXPECT_EQ(rows(page("Total_Game_Stats/Player_Index.html")),
            (Lines{"2.html Mr&nbsp;&quot;Q&quot;&nbsp;&gt; #FDD932", "1.html R&amp;D #0080FF",
                   "0.html a&lt;b #FDD932"}));
  EXPECT_EQ(page("Total_Game_Stats/1.html"), "kept");
  EXPECT_TRUE(has(page("Total_Game_Stats/0.html"),
                  "<title>" + FrameHtml::programTitle + " a&lt;b</title>"));
  EXPECT_TRUE(has(page("Total_Game_Stats/2.html"), "page=5.1.3.10002\""));
}

TEST_F(TotalsHtmlTest, RecentPageShowsAtMostTheConfiguredMatches) {
  totals->gameList = {300, 200, 100};
  totals->gameDateList = {"3 <d>", "2", "1"};
  totals->gameTypeList = {"TeamPlay", "R&D", "1-vs-1"};
  totals->gameMapList = {"q&a", "m2", "m1"};
  const std::string row3 =
      "./300/index.html\"><font color=\"#FFFFFF\">&nbsp;3 &lt;d&gt;&nbsp;</font></a></td>\n"
      "<td bgcolor=\"#C0C0C0\">&nbsp;TeamPlay&nbsp;</td>\n"
      "<td bgcolor=\"#C0C0C0\">&nbsp;q&amp;a&nbsp;</td></tr>";
  struct Case {
    const char* config;
    const char* title;
    Lines targets;
  };
  for (const Case& c :
       {Case{"Max_Most_Recent\t10\n",
             "3 Most Recent<br> ",
             {"./300/index.html", "./200/index.html", "./100/index.html"}},
        Case{
            "Max_Most_Recent\t2\n", "2 Most Recent<br> ", {"./300/index.html", "./200/index.html"}},
        Case{"Max_Most_Recent\t0\n", "0 Most Recent<br> ", {}}}) {
    SCOPED_TRACE(c.config);
    configure(c.config);
    write();
    const std::string recent = page("Individual_Game_Stats/Recent_Index.html");
    EXPECT_TRUE(has(recent, ">" + std::string(c.title) + "<font size=1>"));
    EXPECT_EQ(found(recent, "<a href=\"(\\./-?[0-9]+/index\\.html)\""), c.targets);
    EXPECT_EQ(has(recent, row3), !c.targets.empty());
  }
}

TEST_F(TotalsHtmlTest, MainPageShowsTheFragsAndTheLastMatch) {
  totals->allStats.all.frags = 123456;
  totals->rec.RecentGameMap = "q&a<1>";
  totals->rec.RecentGameDate = "2026 \"x\"";
  write();
  const std::string main = page("Scorex_Main.html");
  EXPECT_TRUE(has(main, "><b>123456</b></font>"));
  EXPECT_TRUE(has(main,
                  "<a href=\"./Individual_Game_Stats/Last_Game/index.html\" class=w>"
                  "q&amp;a&lt;1&gt;<br>2026 &quot;x&quot;</a>"));
}

// Each page's frame title, page number and the navigation entry it marks, in sidebar and
// footer alike.
TEST_F(TotalsHtmlTest, EveryPageInItsPlaceAndFrame) {
  add("Ann", false, true);
  add("Bot", true, true, 5);
  Debug::setLevel(2);
  write();
  // The pages in order, then the career pages by frags: the bot first.
  Lines want = {"I TotalsHtml.writeTotals"};
  for (const char* op : {"Main", "Recent", "Records", "Rankings", "PlayerList"}) {
    const std::string o = op;
    want.insert(want.end(), {"I TotalsHtml.write" + o, "I TotalsHtml.write" + o + "Body",
                             "O TotalsHtml.write" + o + "Body", "O TotalsHtml.write" + o});
  }
  for (const char* uid : {"-3", "-2", "-1", "1", "0"}) {
    want.insert(want.end(), {std::string("I TotalsHtml.writePlayerTotals: ") + uid,
                             "O TotalsHtml.writePlayerTotals"});
  }
  want.push_back("O TotalsHtml.writeTotals");
  EXPECT_EQ(found(trace.str(), "([IO] TotalsHtml\\.[^\n]*)\n"), want);
  EXPECT_EQ(listing(home.file("html")), "Individual_Game_Stats Scorex_Main.html Total_Game_Stats");
  EXPECT_EQ(listing(home.file("html/Individual_Game_Stats")), "Recent_Index.html");
  EXPECT_EQ(listing(home.file("html/Total_Game_Stats")),
            "0.html 1.html All_Totals.html Bot_Totals.html Human_Totals.html Player_Index.html "
            "Rankings.html Total_Index.html");
  struct Case {
    const char* file;
    const char* title;
    const char* number;
    const char* marked;
  };
  for (const Case& c : {
           Case{"Scorex_Main.html", "Main", "51", "Scorex_Main.html"},
           Case{"Individual_Game_Stats/Recent_Index.html", "Most Recent", "52",
                "Individual_Game_Stats/Recent_Index.html"},
           Case{"Total_Game_Stats/Total_Index.html", "All Players Combined", "53",
                "Total_Game_Stats/Total_Index.html"},
           Case{"Total_Game_Stats/Rankings.html", "Rankings", "54",
                "Total_Game_Stats/Rankings.html"},
           Case{"Total_Game_Stats/Player_Index.html", "By Player Name", "55",
                "Total_Game_Stats/Player_Index.html"},
           Case{"Total_Game_Stats/All_Totals.html",
                "All&nbsp;Players&nbsp;(Humans&nbsp;and&nbsp;Bots)", "9997",
                "Total_Game_Stats/All_Totals.html"},
           Case{"Total_Game_Stats/Human_Totals.html", "All&nbsp;Humans", "9998",
                "Total_Game_Stats/Human_Totals.html"},
           Case{"Total_Game_Stats/Bot_Totals.html", "All&nbsp;Bots", "9999",
                "Total_Game_Stats/Bot_Totals.html"},
           Case{"Total_Game_Stats/1.html", "Bot", "10001", "Total_Game_Stats/Player_Index.html"},
       }) {
    SCOPED_TRACE(c.file);
    const std::string text = page(c.file);
    EXPECT_EQ(found(text, "<title>([^<]*)</title>"),
              Lines{FrameHtml::programTitle + " " + c.title});
    EXPECT_EQ(found(text, "page=5\\.1\\.3\\.([0-9]+)\""), (Lines{c.number, c.number}));
    Lines marked;
    for (const std::string& href : found(text, "<a href=\"([^\"]*)\" class=\"[ab]\"")) {
      const std::filesystem::path from = std::filesystem::path(c.file).parent_path();
      marked.push_back((from / href).lexically_normal().generic_string());
    }
    EXPECT_EQ(marked, (Lines{c.marked, c.marked}));
  }
  const std::string rankings = page("Total_Game_Stats/Rankings.html");
  EXPECT_TRUE(has(rankings, "<td class=aa>Career Rankings</td>"));
  EXPECT_TRUE(has(page("Total_Game_Stats/Total_Index.html"), "All Time High Scores"));
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK::output
