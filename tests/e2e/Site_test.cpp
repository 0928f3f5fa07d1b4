// Two runs of ScorexBRK over generated logs build one whole site: every address leads into
// it, every career player has a page, and the second run rewrites the career pages of its own
// players and no others.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "Subprocess.h"
#include "TempDir.h"
#include "tools/BrkLogGenerator.h"
#include "util/BigEndian.h"

namespace orvane {
namespace e2e {
// Checks every href and src of every page below the site root; returns how many it followed.
int expectAddressesResolve(const std::string& site);
}  // namespace e2e

namespace {

namespace fs = std::filesystem;
using testing::RunResult;
using testing::slurp;
using testing::TempDir;

const std::string kMarker = "left by the first run";

RunResult run(const TempDir& home, std::vector<std::string> logs) {
  testing::RunOptions options;
  options.args = std::move(logs);
  options.cwd = home.path();
  options.env["DISPLAY"] = std::nullopt;
  options.env["TZ"] = "UTC";
  return testing::runProgram(SCOREX_BRK, options);
}

struct Entry {
  std::string name;
  std::string bytes;  // the whole entry: name, bot flag, number, time and counters
};

// The player index by career number.
std::map<int32_t, Entry> readIndex(const std::string& file) {
  const std::string data = slurp(file);
  util::BigEndianReader in(data);
  std::map<int32_t, Entry> entries;
  EXPECT_EQ(in.readInt(), 1);
  for (int32_t n = in.readInt(); n > 0; --n) {
    const size_t start = in.position();
    Entry e{in.readText(), ""};
    in.readBool();
    const int32_t uid = in.readInt();
    in.readBytes(8 + 10 * 4);
    e.bytes = data.substr(start, in.position() - start);
    entries[uid] = e;
  }
  EXPECT_EQ(in.remaining(), 0u);
  return entries;
}

// The career pages of players, by career number.
std::map<int32_t, std::string> careerPages(const std::string& dir) {
  std::map<int32_t, std::string> pages;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (std::regex_match(name, std::regex("-?[0-9]+\\.html"))) {
      pages[std::stoi(name)] = slurp(e.path().string());
    }
  }
  return pages;
}

template <class Map>
std::set<int32_t> keys(const Map& m) {
  std::set<int32_t> out;
  for (const auto& [k, v] : m) out.insert(k);
  return out;
}

// The site as a whole: every address resolves, and every player of the index has a career
// page and a row in the player list.
void expectWholeSite(const std::string& site, const std::map<int32_t, Entry>& index) {
  EXPECT_GT(e2e::expectAddressesResolve(site), 1000);
  EXPECT_EQ(keys(careerPages(site + "/Total_Game_Stats")), keys(index));
  const std::string list = slurp(site + "/Total_Game_Stats/Player_Index.html");
  std::set<int32_t> listed;
  const std::regex row("href=\"\\./(-?[0-9]+)\\.html\"");
  for (std::sregex_iterator i(list.begin(), list.end(), row), end; i != end; ++i) {
    listed.insert(std::stoi((*i)[1].str()));
  }
  EXPECT_EQ(listed, keys(index));
}

TEST(Site, TwoRunsBuildOneSiteAndRewriteOnlyTheirPlayersPages) {
  TempDir home;
  home.mkdir("data");
  home.mkdir("html");
  home.write("ScorexBRK.cfg", "SpawnBrowser\tfalse\n");
  // Humans come from the generator's name pool in order: the first run has the first four
  // and two bots, the second run the first six and no bot.
  tools::BrkLogOptions a;
  a.seed = 21;
  a.matches = 2;
  a.players = 4;
  a.bots = 2;
  a.eventsPerMatch = 80;
  tools::BrkLogOptions b = a;
  b.seed = 22;
  b.players = 3;
  b.bots = 1;
  b.teamPlay = true;
  b.startDay = 1;
  tools::BrkLogOptions c = a;
  c.seed = 23;
  c.players = 6;
  c.bots = 0;
  c.startDay = 2;
  home.write("a.log", tools::generateBrkLog(a));
  home.write("b.log", tools::generateBrkLog(b));
  const std::string third = home.write("c.log", tools::generateBrkLog(c));
  const std::string site = home.file("html");
  const std::string totals = site + "/Total_Game_Stats";

  const RunResult first = run(home, {"a.log", "b.log"});
  ASSERT_EQ(first.status, 0) << first.out << first.err;
  const std::map<int32_t, Entry> before = readIndex(home.file("data/brk_hash.db"));
  expectWholeSite(site, before);
  const std::map<int32_t, std::string> saved = careerPages(totals);
  for (const auto& [uid, text] : saved) {
    home.write("html/Total_Game_Stats/" + std::to_string(uid) + ".html", kMarker);
  }

  const RunResult second = run(home, {"c.log"});
  ASSERT_EQ(second.status, 0) << second.out << second.err;
  const std::map<int32_t, Entry> after = readIndex(home.file("data/brk_hash.db"));
  const std::string log = slurp(third);
  // Who played in the second run: the entries it added or changed.
  std::set<int32_t> played;
  for (const auto& [uid, e] : after) {
    const auto old = before.find(uid);
    if (old != before.end() && old->second.bytes == e.bytes) continue;
    played.insert(uid);
    EXPECT_NE(log.find("\t" + e.name + "\t"), std::string::npos) << e.name;
  }
  std::set<int32_t> rewritten;
  for (const auto& [uid, text] : careerPages(totals)) {
    if (text != kMarker) rewritten.insert(uid);
  }
  EXPECT_EQ(rewritten, played);
  // Partly the same players: some came back, some did not, some are new.
  const auto back = std::count_if(played.begin(), played.end(),
                                  [&](int32_t uid) { return before.count(uid) != 0; });
  EXPECT_GT(back, 0);
  EXPECT_LT(static_cast<size_t>(back), before.size());
  EXPECT_GT(after.size(), before.size());

  // With the first run's pages back in place, the site is whole again.
  for (const auto& [uid, text] : saved) {
    if (rewritten.count(uid) == 0) {
      home.write("html/Total_Game_Stats/" + std::to_string(uid) + ".html", text);
    }
  }
  expectWholeSite(site, after);
  // The main page names the map of the latest match: the last of the third log.
  std::string map;
  const std::regex mapLine("\tinfo\tmap\t([^\n]*)\n");
  for (std::sregex_iterator i(log.begin(), log.end(), mapLine), end; i != end; ++i) {
    map = (*i)[1].str();
  }
  ASSERT_FALSE(map.empty());
  EXPECT_NE(slurp(site + "/Scorex_Main.html").find("class=w>" + map + "<br>"), std::string::npos)
      << map;
}

}  // namespace
}  // namespace orvane
