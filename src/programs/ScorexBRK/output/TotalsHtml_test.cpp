// The all-time pages are written by one writer both modules share; it is tested once, here.
#include "programs/ScorexBRK/output/TotalsHtml.h"

#include <gtest/gtest.h>

#include <regex>

#include "ConfigReset.h"
#include "PageText.h"
#include "TempDir.h"
#include "TraceCapture.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexBRK/ScorexBRK.h"

namespace orvane::programs::ScorexBRK::output {
namespace {

using Scorex::settings::config;
using testing::found;
using testing::listing;
using Lines = std::vector<std::string>;

class TotalsHtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    config::homeDir = home.path();
    home.mkdir("html");
    home.mkdir("data");
    config::set(home.write("my.cfg", "Max_Most_Recent\t2\n"), "ScorexBRK");
    programs::ScorexBRK::ScorexBRK::module().initFrame();
    totals.openPlayerDB();
  }
  // A career player in the index and the store, with the next career number.
  void add(const std::string& name, bool bot, bool modified, int32_t frags = 0) {
    programs::ScorexBRK::Totals::Entry h(name, bot, static_cast<int32_t>(totals.plist.size()));
    h.modified = modified;
    h.a_frags = frags;
    programs::ScorexBRK::Totals::Player p;
    p.uid = h.uid;
    totals.plist.put(h);
    totals.storePlayer(p);
  }
  void write() {
    totals.sortPlayers();
    programs::ScorexBRK::ScorexBRK::module().newTotalsHtml()->writeTotals(totals);
  }
  std::string page(const std::string& file) { return testing::slurp(home.file("html/" + file)); }

  testing::ConfigReset reset;
  testing::TempDir home;
  testing::TraceCapture trace;
  programs::ScorexBRK::Totals totals;
};

// A hundred players a list page; only the players of this run get their career pages
// rewritten. Humans are gold, bots blue. (The golden site pages of the whole-program tests pin
// the frames of the main, index and career pages and the escaping of every text on them.)
TEST_F(TotalsHtmlTest, ListsOfAHundredAndCareerPagesOfThisRun) {
  for (int i = 100; i >= 0; --i) {  // the lists follow the names, not the career numbers
    add(i == 0 ? "a<b" : "P" + std::to_string(1000 + i), i == 2, i % 50 == 0);
  }
  home.write("html/Total_Game_Stats/1.html", "kept");
  totals.gameList = {300, 200, 100};
  totals.gameDateList = {"3", "2"};
  totals.gameTypeList = totals.gameMapList = {"T", "R"};
  write();
  EXPECT_EQ(trace.str(), "");
  EXPECT_EQ(listing(home.file("html/Total_Game_Stats")),
            "0.html 1.html 100.html 50.html All_Totals.html Bot_Totals.html Human_Totals.html "
            "Player_Index.html Player_Index_0.html Player_Index_1.html Rankings.html "
            "Total_Index.html");
  EXPECT_EQ(page("Total_Game_Stats/1.html"), "kept");
  const std::string rows =
      "width=400><a href=\"\\./([^\"]+)\"><font face=[^>]* color=\"(#[0-9A-F]+)\"><b>([^\n]*)</b>";
  const auto list = [&](const std::string& file) {
    std::string out;
    const std::string text = page("Total_Game_Stats/" + file);
    const std::regex re(rows);
    for (std::sregex_iterator i(text.begin(), text.end(), re), end; i != end; ++i) {
      out += (*i)[1].str() + " " + (*i)[3].str() + " " + (*i)[2].str() + "\n";
    }
    return out;
  };
  EXPECT_EQ(list("Player_Index.html"),
            "Player_Index_0.html P1001&nbsp;&nbsp;TO&nbsp;&nbsp;P1100 #FDD932\n"
            "Player_Index_1.html a&lt;b&nbsp;&nbsp;TO&nbsp;&nbsp;a&lt;b #FDD932\n");
  EXPECT_EQ(list("Player_Index_1.html"), "100.html a&lt;b #FDD932\n");
  EXPECT_EQ(list("Player_Index_0.html").substr(0, 66),
            "99.html P1001 #FDD932\n98.html P1002 #0080FF\n97.html P1003 #FDD932\n");
  EXPECT_EQ(found(page("Total_Game_Stats/Player_Index_1.html"), "page=5\\.1\\.3\\.([0-9]+)\""),
            (Lines{"101", "101"}));
  // The recent matches are the kept two.
  EXPECT_EQ(found(page("Individual_Game_Stats/Recent_Index.html"),
                  "<a href=\"\\./(-?[0-9]+)/index\\.html\""),
            (Lines{"300", "200"}));
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK::output
