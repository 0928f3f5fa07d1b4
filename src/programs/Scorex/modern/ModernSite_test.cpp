// The modern site's texts, dates and charts, and a whole site written twice from one archive.
#include "programs/Scorex/modern/ModernSite.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include "TempDir.h"
#include "programs/Scorex/modern/Html.h"
#include "programs/Scorex/modern/Svg.h"

namespace orvane::programs::Scorex::modern {
namespace {

namespace fs = std::filesystem;
using testing::slurp;
using testing::TempDir;

TEST(ModernSite, HostileNamesBecomeEscapedUtf8) {
  const std::string name = "<b>\xE9t\xE9\x01\x7F\x85&\"'";
  EXPECT_EQ(Html::text(name), "&lt;b&gt;\xC3\xA9t\xC3\xA9???&amp;&quot;&#39;");
  EXPECT_EQ(Html::json("a\"\\</script>\xFF\n"), "\"a\\\"\\\\\\u003c/script\\u003e\xC3\xBF?\"");
  EXPECT_EQ(Html::slug("Tournament DeathMatch"), "tournament-deathmatch");
  EXPECT_EQ(Html::slug("1-vs-1"), "1-vs-1");
  EXPECT_EQ(Html::slug("../\xE9x"), "----x");
}

TEST(ModernSite, DatesAreUtcDaysOfTheCivilCalendar) {
  EXPECT_EQ(Html::date(0), "1970-01-01");
  EXPECT_EQ(Html::date(-1), "1969-12-31");
  EXPECT_EQ(Html::date(951782400000), "2000-02-29");
  EXPECT_EQ(Html::date(951868799999), "2000-02-29");
  EXPECT_EQ(Html::date(1709251200000), "2024-03-01");
  EXPECT_EQ(Html::date(4107542400000), "2100-03-01");
  // Hostile stamps give some date, without overflow.
  EXPECT_FALSE(Html::date(INT64_MIN).empty());
  EXPECT_FALSE(Html::date(INT64_MAX).empty());
}

TEST(ModernSite, ChartsOfNoOrOnePointDrawNoNonsense) {
  const std::string none = Svg::lineChart("c1", "History", "caption", {});
  EXPECT_NE(none.find("<title id=\"c1\">History</title>"), std::string::npos);
  EXPECT_NE(none.find("No data yet"), std::string::npos);
  EXPECT_EQ(none.find("polyline"), std::string::npos);
  const std::string one = Svg::lineChart("c2", "History", "caption", {{"2024-03-01", 3.5}});
  EXPECT_NE(one.find("<circle"), std::string::npos);
  EXPECT_NE(one.find(">2024-03-01</text>"), std::string::npos);
  EXPECT_NE(one.find(">2.50</text>"), std::string::npos);  // y runs from 2.5 to 4.5
  const std::string odd =
      Svg::barChart("c3", "Weapons", "caption", {{"a", std::nan("")}, {"b", -3}, {"c", 1e300}});
  for (const std::string& s : {none, one, odd}) {
    EXPECT_EQ(s.find("nan"), std::string::npos) << s;
    EXPECT_EQ(s.find("inf"), std::string::npos) << s;
  }
}

store::ArchivedMatch match(int64_t time, const std::string& map, const std::string& a,
                           const std::string& b) {
  store::ArchivedMatch m;
  m.time = time;
  m.server = "srv";
  m.map = map;
  m.gameType = "RegularDM";
  m.length = 300;
  m.winner = a;
  m.weapons = {"Rail<gun>"};
  m.categories = {0, 1};
  for (int32_t i = 0; i < 2; ++i) {
    store::ArchivedPlayer p;
    p.uid = i + 1;
    p.name = i == 0 ? a : b;
    p.rank = i + 1;
    p.kills = p.frags = 3 - i;
    p.deaths = 1 + i;
    p.time = 300;
    p.victims = {{1 - i, 3 - i}, {7, 1}, {-1, 2}};  // two out of range: ignored
    p.weaponKills = {{0, 3 - i}, {5, 1}};
    p.rated = true;
    p.ratings.assign(2, rating::RatingChange{{25, 8}, {i == 0 ? 27.0 : 23.0, 7.5}});
    m.players.push_back(p);
  }
  return m;
}

std::map<std::string, std::pair<std::string, ino_t>> snapshot(const std::string& dir) {
  std::map<std::string, std::pair<std::string, ino_t>> files;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    if (!e.is_regular_file()) continue;
    struct stat st {};
    ::stat(e.path().c_str(), &st);
    files[e.path().string()] = {slurp(e.path().string()), st.st_ino};
  }
  return files;
}

TEST(ModernSite, WritesOnlyWhatChangedAndTheSameBytesTwice) {
  const TempDir home;
  const std::string archivePath = home.file("brk_matches.db");
  store::MatchArchive archive;
  archive.add(match(1709251200000, "DM-<Deck>", "Ann\xE9", "<script>alert(1)</script>"));
  {
    std::string bytes = archive.header();
    for (const std::string& s : archive.takeNew()) bytes += s;
    home.write("brk_matches.db", bytes);
    archive.saved();
  }
  rating::RatingBook book({"Overall", "RegularDM", "TeamPlay", "1-vs-1"});
  book.rate({{1, "Ann\xE9", false, 0, 1, 1.0}, {2, "<script>alert(1)</script>", false, 1, 2, 1.0}},
            {0, 1});

  SiteInput in{.program = "ScorexBRK",
               .archivePath = archivePath,
               .archive = &archive,
               .ratings = &book,
               .minMatches = 10,
               .pageDir = home.path() + "/",
               .siteDir = home.path() + "/live/",
               .newMatches = {1709251200000}};
  ASSERT_TRUE(writeModernSite(in));
  const std::string live = home.path() + "/live/";
  for (const char* f :
       {"index.html", "leaderboards/index.html", "leaderboards/overall.html",
        "leaderboards/1-vs-1.html", "players/1.html", "players/2.html",
        "matches/1709251200000.html", "maps/index.html", "maps/dm--deck-.html", "assets/site.css",
        "assets/site.js", "assets/search-index.js", "data/players.json", "data/leaderboards.json",
        "data/matches/1709251200000.json"}) {
    EXPECT_TRUE(fs::is_regular_file(live + f)) << f;
  }
  const std::string player = slurp(live + "players/2.html");
  EXPECT_EQ(player.find("<script>alert"), std::string::npos);
  EXPECT_NE(player.find("<h1>&lt;script&gt;alert(1)&lt;/script&gt;</h1>"), std::string::npos);
  EXPECT_NE(slurp(live + "players/1.html").find("<h1>Ann\xC3\xA9</h1>"), std::string::npos);
  EXPECT_NE(slurp(live + "data/matches/1709251200000.json").find("\"victims\":[[1,3]]"),
            std::string::npos);

  // Again, and again with a new match: unchanged files keep their bytes and inodes.
  const auto first = snapshot(live);
  in.newMatches.clear();
  ASSERT_TRUE(writeModernSite(in));
  EXPECT_EQ(snapshot(live), first);

  archive.add(match(1709337600000, "DM-Other", "Bob", "Ann\xE9"));
  in.newMatches = {1709337600000};
  ASSERT_TRUE(writeModernSite(in));
  const auto second = snapshot(live);
  EXPECT_EQ(second.at(live + "matches/1709251200000.html"),
            first.at(live + "matches/1709251200000.html"));
  EXPECT_EQ(second.at(live + "assets/site.css"), first.at(live + "assets/site.css"));
  EXPECT_NE(second.at(live + "index.html"), first.at(live + "index.html"));
  EXPECT_TRUE(second.count(live + "matches/1709337600000.html"));
}

// A long career's older matches lie on pages of 50 that a new match leaves alone; only the
// page before a new one gets its link to it.
TEST(ModernSite, FullHistoryPagesStayAsTheyAre) {
  const TempDir home;
  store::MatchArchive archive;
  rating::RatingBook book({"Overall", "RegularDM", "TeamPlay", "1-vs-1"});
  SiteInput in{.program = "ScorexBRK",
               .archivePath = home.file("brk_matches.db"),
               .archive = &archive,
               .ratings = &book,
               .pageDir = home.path() + "/",
               .siteDir = home.path() + "/live/",
               .newMatches = {}};
  const std::string players = home.path() + "/live/players/";
  const auto play = [&](int from, int to) {
    in.newMatches.clear();
    for (int i = from; i < to; ++i) {
      const int64_t t = 1709251200000 + int64_t{i} * 3600000;
      archive.add(match(t, "DM-Deck", "Ann", "Bob"));
      in.newMatches.insert(t);
    }
    ASSERT_TRUE(writeModernSite(in));
  };
  play(0, 120);
  auto before = snapshot(players);
  EXPECT_TRUE(before.count(players + "1-2.html"));
  EXPECT_FALSE(before.count(players + "1-3.html"));
  play(120, 121);
  auto after = snapshot(players);
  EXPECT_EQ(after.at(players + "1-1.html"), before.at(players + "1-1.html"));
  EXPECT_EQ(after.at(players + "1-2.html"), before.at(players + "1-2.html"));
  EXPECT_NE(after.at(players + "1.html"), before.at(players + "1.html"));

  play(121, 151);  // 151 matches: a third full page of 50
  after = snapshot(players);
  EXPECT_EQ(after.at(players + "1-1.html"), before.at(players + "1-1.html"));
  EXPECT_NE(after.at(players + "1-2.html"), before.at(players + "1-2.html"));
  EXPECT_NE(after.at(players + "1-3.html").first.find("matches 101 to 150"), std::string::npos);
  EXPECT_NE(after.at(players + "1-2.html").first.find("href=\"1-3.html\">Newer"),
            std::string::npos);
}

}  // namespace
}  // namespace orvane::programs::Scorex::modern
