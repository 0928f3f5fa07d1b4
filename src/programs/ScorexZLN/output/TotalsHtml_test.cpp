#include "programs/ScorexZLN/output/TotalsHtml.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "TempDir.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexZLN/PlayerDB.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexZLN::output {
namespace {

using Scorex::settings::config;
using testing::listing;
using testing::slurp;
using util::Debug;

class ZlnTotalsHtml : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
    config::reset();
    config::homeDir = home.path();
    home.mkdir("html");
    config::set(home.write("ScorexZLN.cfg", ""), "ScorexZLN");
    Scorex::output::FrameHtml::initZolnar();
    home.mkdir("data");
  }
  void TearDown() override {
    config::reset();
    Debug::reset();
  }
  testing::TempDir home;
  std::ostringstream trace;
};

// 101 players: two pages of the player list; only the players of this run get their career
// pages written, the others keep theirs. The frame and the main page name Zolnar.
TEST_F(ZlnTotalsHtml, CareerPagesOfThisRunAndListsOfAHundred) {
  Totals totals;
  totals.openPlayerDB();
  for (int32_t uid = 0; uid <= 100; ++uid) {
    HashEntry h("P" + std::to_string(1000 + uid), uid == 100, uid);
    h.modified = uid % 50 == 0;
    totals.plist.put(h);
    games::zln::Player p;
    p.uid = uid;
    totals.storePlayer(p);
  }
  home.write("html/Total_Game_Stats/1.html", "kept");
  totals.rec.RecentGameMap = "Rust<belt>";
  totals.sortPlayers();
  TotalsHtml().writeTotals(totals);
  EXPECT_EQ(trace.str(), "");

  const auto page = [&](const std::string& file) { return slurp(home.file("html/" + file)); };
  const auto has = [](const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  };
  EXPECT_EQ(listing(home.file("html/Total_Game_Stats")),
            "0.html 1.html 100.html 50.html All_Totals.html Bot_Totals.html Human_Totals.html "
            "Player_Index.html Player_Index_0.html Player_Index_1.html Rankings.html "
            "Total_Index.html");
  EXPECT_EQ(page("Total_Game_Stats/1.html"), "kept");
  const std::string index = page("Total_Game_Stats/Player_Index.html");
  EXPECT_TRUE(has(index, "<b>P1000&nbsp;&nbsp;TO&nbsp;&nbsp;P1099</b>"));
  EXPECT_TRUE(has(index, "<b>P1100&nbsp;&nbsp;TO&nbsp;&nbsp;P1100</b>"));
  const std::string last = page("Total_Game_Stats/Player_Index_1.html");
  EXPECT_TRUE(has(last, "href=\"./100.html\"><font") && !has(last, "href=\"./99.html\""));
  EXPECT_TRUE(has(last, "page=5.1.3.101\""));

  const std::string bot = page("Total_Game_Stats/100.html");
  EXPECT_TRUE(has(bot, "<title>Scorex for Zolnar P1100</title>"));
  EXPECT_TRUE(has(bot, ">Career Totals for P1100</td>"));
  EXPECT_TRUE(has(bot, "page=5.1.3.10100\""));
  EXPECT_TRUE(has(page("Total_Game_Stats/All_Totals.html"),
                  "<title>Scorex for Zolnar All&nbsp;Players&nbsp;(Humans&nbsp;and&nbsp;Bots)"));
  const std::string main = page("Scorex_Main.html");
  EXPECT_TRUE(has(main, "Thank you for playing Zolnar&#153;"));
  EXPECT_TRUE(has(main, ">Rust&lt;belt&gt;<br>"));
  // The rankings in page order.
  const std::string rankings = page("Total_Game_Stats/Rankings.html");
  size_t at = 0;
  for (const char* type :
       {"All Game Types Combined", "Tournament DeathMatch", "Tournament Team Game", "Assault",
        "Capture the Flag", "Domination", "Frags per Hour"}) {
    at = rankings.find("&nbsp;" + std::string(type) + " : All-Time Ranking&nbsp", at);
    EXPECT_NE(at, std::string::npos) << type;
  }
}

}  // namespace
}  // namespace orvane::programs::ScorexZLN::output
