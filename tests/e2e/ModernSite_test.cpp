// The modern site from a real run: every match and player of the archive gets its page, every
// link of every page leads to a file of the site (or to the classic pages beside it), and the
// archive's kills by victim and weapon add up to the match counts.
#include "programs/Scorex/modern/ModernSite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "Home.h"
#include "programs/Scorex/rating/RatingBook.h"
#include "programs/Scorex/store/MatchArchive.h"
#include "tools/BrkLogGenerator.h"
#include "util/BigEndian.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using programs::Scorex::rating::RatingBook;
using programs::Scorex::store::ArchivedMatch;
using programs::Scorex::store::MatchArchive;
using testing::Home;
using testing::slurp;

TEST(ModernSite, EveryArchivedMatchAndPlayerHasItsPageAndEveryLinkLeadsSomewhere) {
  const Home home(SCOREX_BRK);
  tools::BrkLogOptions o{.seed = 7,
                         .matches = 8,
                         .players = 4,
                         .bots = 1,
                         .eventsPerMatch = 80,
                         .humanPool = 7,
                         .botPool = 2,
                         .maxPlayers = 6,
                         .mixModes = true};
  home.write("a.log", tools::generateBrkLog(o));
  home.expectRun(0, {"a.log"});

  const std::string archive = home.file("data/brk_matches.db");
  std::vector<ArchivedMatch> matches;
  ASSERT_TRUE(MatchArchive::forEach(archive, [&](ArchivedMatch&& m) { matches.push_back(m); }));
  ASSERT_EQ(matches.size(), 8u);
  std::set<int32_t> careers;
  for (const ArchivedMatch& m : matches) {
    for (const auto& p : m.players) {
      careers.insert(p.uid);
      int32_t byVictim = 0;
      int32_t byWeapon = 0;
      for (const auto& [at, n] : p.victims) {
        EXPECT_GE(at, 0);
        EXPECT_LT(at, static_cast<int32_t>(m.players.size()));
        byVictim += n;
      }
      for (const auto& [at, n] : p.weaponKills) {
        EXPECT_LT(at, static_cast<int32_t>(m.weapons.size()));
        byWeapon += n;
      }
      EXPECT_EQ(byVictim, p.kills + p.teamKills) << p.name << " in " << m.time;
      EXPECT_EQ(byWeapon, p.kills) << p.name << " in " << m.time;
    }
  }

  RatingBook book({});
  const std::string bytes = slurp(home.file("data/brk_ratings.db"));
  util::BigEndianReader in(bytes);
  book.read(in);
  programs::Scorex::modern::SiteInput site{.program = "ScorexBRK",
                                           .archivePath = archive,
                                           .archive = nullptr,
                                           .ratings = &book,
                                           .minMatches = 10,
                                           .pageDir = home.file("html/"),
                                           .siteDir = home.file("html/live/"),
                                           .newMatches = {}};
  for (const ArchivedMatch& m : matches) site.newMatches.insert(m.time);
  ASSERT_TRUE(programs::Scorex::modern::writeModernSite(site));

  const std::string live = home.file("html/live/");
  for (const ArchivedMatch& m : matches) {
    const std::string page = slurp(live + "matches/" + std::to_string(m.time) + ".html");
    EXPECT_NE(page.find("Individual_Game_Stats/" + std::to_string(m.time) + "/index.html"),
              std::string::npos);
  }
  for (const int32_t uid : careers) {
    EXPECT_TRUE(fs::is_regular_file(live + "players/" + std::to_string(uid) + ".html")) << uid;
  }
  const std::regex link(R"re((?:href|src)="([^"#]+)")re");
  size_t pages = 0;
  for (const auto& e : fs::recursive_directory_iterator(live)) {
    if (e.path().extension() != ".html") continue;
    ++pages;
    const std::string text = slurp(e.path().string());
    EXPECT_EQ(text.find("http"), std::string::npos) << e.path();
    for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
      const fs::path target = e.path().parent_path() / (*it)[1].str();
      EXPECT_TRUE(fs::is_regular_file(target)) << e.path() << " links to " << (*it)[1];
    }
  }
  EXPECT_GT(pages, 8u + careers.size());
}

}  // namespace
}  // namespace orvane
