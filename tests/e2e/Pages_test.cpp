// Runs of ScorexBRK write every new match's pages, the all-time pages and the site's static
// files, and every address in the written site leads to a file of the site.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "Subprocess.h"
#include "TempDir.h"
#include "tools/BrkLogGenerator.h"

namespace orvane {
namespace e2e {

namespace fs = std::filesystem;
using testing::slurp;

// Every href and src of every page below the site root must name a file of the site (an
// anchor in it, when one is given); returns how many were followed. Shared with the site test.
int expectAddressesResolve(const std::string& site) {
  int followed = 0;
  // Quoted either way: the banner's fallback image is set in a script within an attribute.
  const std::regex address("(?:href|src)=[\"']([^\"']*)[\"']", std::regex::icase);
  for (const auto& e : fs::recursive_directory_iterator(site)) {
    const std::string name = e.path().filename().string();
    EXPECT_NE(name.rfind(".saving-", 0), 0u) << e.path();
    if (e.path().extension() != ".html") continue;
    const std::string page = slurp(e.path().string());
    for (std::sregex_iterator i(page.begin(), page.end(), address), end; i != end; ++i) {
      std::string target = (*i)[1].str();
      EXPECT_EQ(target.find(':'), std::string::npos) << e.path() << ": " << target;
      std::string anchor;
      if (const size_t hash = target.find('#'); hash != std::string::npos) {
        anchor = target.substr(hash + 1);
        target.erase(hash);
      }
      target = target.substr(0, target.find('?'));
      fs::path file = e.path();
      if (!target.empty()) {
        file = (e.path().parent_path() / target).lexically_normal();
        EXPECT_TRUE(fs::is_regular_file(file)) << e.path() << ": " << (*i)[1].str();
        EXPECT_NE(file.lexically_relative(site).string().rfind("..", 0), 0u)
            << e.path() << ": " << (*i)[1].str();
      }
      if (!anchor.empty()) {
        EXPECT_NE(slurp(file.string()).find("name=\"" + anchor + "\""), std::string::npos)
            << e.path() << ": " << (*i)[1].str();
      }
      ++followed;
    }
  }
  return followed;
}

}  // namespace e2e

namespace {

namespace fs = std::filesystem;
using e2e::expectAddressesResolve;
using testing::listing;
using testing::RunResult;
using testing::slurp;
using testing::TempDir;

RunResult run(const TempDir& home, const std::string& log) {
  testing::RunOptions options;
  options.args = {log};
  options.cwd = home.path();
  options.env["DISPLAY"] = std::nullopt;
  options.env["TZ"] = "UTC";
  return testing::runProgram(SCOREX_BRK, options);
}

size_t newMatches(const RunResult& r) {
  const std::regex re("Players in DB:[0-9]+\n");
  return static_cast<size_t>(
      std::distance(std::sregex_iterator(r.out.begin(), r.out.end(), re), std::sregex_iterator()));
}

// The names of a match directory with n players: the player pages, "index.html", "zbot.html".
std::string matchFiles(int n) {
  std::vector<std::string> names = {"index.html", "zbot.html"};
  for (int i = 0; i < n; ++i) names.push_back(std::to_string(i) + ".html");
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
  return joined;
}

// Checks one match directory against the player count its index page shows.
void expectMatchPages(const std::string& dir) {
  const std::string index = slurp(dir + "/index.html");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(
      index, m, std::regex("No\\. Players&nbsp</td>\n<td class=w>&nbsp;([0-9]+)&nbsp")))
      << dir;
  EXPECT_EQ(listing(dir), matchFiles(std::stoi(m[1].str()))) << dir;
}

// The match directories by name: beside the list of recent matches and the two copies, every
// name is a match time.
std::vector<std::string> matchDirs(const std::string& games) {
  std::vector<std::string> dirs;
  for (const auto& e : fs::directory_iterator(games)) {
    const std::string name = e.path().filename().string();
    if (name == "Recent_Index.html") {
      EXPECT_TRUE(e.is_regular_file());
      continue;
    }
    if (name == "Last_Game" || name == "Highest_Score") continue;
    EXPECT_TRUE(e.is_directory()) << name;
    EXPECT_TRUE(std::regex_match(name, std::regex("-?[0-9]+"))) << name;
    dirs.push_back(name);
  }
  return dirs;
}

TEST(Pages, NewMatchesGetTheirPagesAndEveryAddressLeadsIntoTheSite) {
  TempDir home;
  home.mkdir("data");
  home.mkdir("html");
  home.write("ScorexBRK.cfg", "SpawnBrowser\tfalse\n");
  tools::BrkLogOptions o;
  o.seed = 31;
  o.players = 3;
  o.bots = 1;
  o.eventsPerMatch = 80;
  o.teamPlay = true;
  tools::BrkLogGenerator log(o);
  home.write("a.log", log.nextMatch() + log.nextMatch());
  const RunResult first = run(home, "a.log");
  ASSERT_EQ(first.status, 0) << first.out << first.err;

  const std::string site = home.file("html");
  const std::string games = site + "/Individual_Game_Stats";
  for (const char* file :
       {"skins/skin.css", "processing.html", "Help_Using_Scorex.html", "graphics/Scorex.gif"}) {
    EXPECT_TRUE(fs::is_regular_file(site + "/" + file)) << file;
  }
  size_t matches = newMatches(first);
  EXPECT_EQ(matchDirs(games).size(), matches) << first.out;

  // A customised skin survives the next run, which adds a later match.
  const std::string skin = "td.w { color: red; }\n";
  home.write("html/skins/skin.css", skin);
  home.write("b.log", log.nextMatch());
  const RunResult second = run(home, "b.log");
  ASSERT_EQ(second.status, 0) << second.out << second.err;
  EXPECT_EQ(slurp(site + "/skins/skin.css"), skin);
  matches += newMatches(second);
  EXPECT_EQ(matches, 3u) << first.out << second.out;

  const std::vector<std::string> dirs = matchDirs(games);
  EXPECT_EQ(dirs.size(), matches);
  for (const std::string& dir : dirs) expectMatchPages(games + "/" + dir);
  expectMatchPages(games + "/Last_Game");
  expectMatchPages(games + "/Highest_Score");
  EXPECT_GT(expectAddressesResolve(site), 1000);
}

}  // namespace
}  // namespace orvane
