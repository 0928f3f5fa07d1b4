#include "tools/BrkLogGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tools/ZlnLogGenerator.h"

namespace orvane::tools {
namespace {

std::string sample(const std::string& name) {
  std::ifstream in(std::string(SCOREX_SOURCE_DIR) + "/examples/logs/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> f;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) f.push_back(field);
  return f;
}

// The name a player connected under before any rename in the match ("Ada'_x" was "Ada").
std::string unrenamed(std::string name) {
  for (;;) {
    if (name.ends_with("'")) {
      name.pop_back();
    } else if (name.ends_with("_x")) {
      name.resize(name.size() - 2);
    } else {
      return name;
    }
  }
}

// The sample logs were written with the options the README names; new options at their
// defaults must not change a byte of them.
TEST(LogGenerators, DefaultOptionsStillWriteTheSampleLogs) {
  BrkLogOptions day1{21, 4, 5, 2, 250, false, false, false, 0};
  BrkLogOptions day2{22, 3, 4, 2, 200, true, false, false, 1};
  BrkLogOptions day3{23, 2, 2, 0, 120, false, true, false, 2};
  EXPECT_EQ(generateBrkLog(day1), sample("brakk-day1.log"));
  EXPECT_EQ(generateBrkLog(day2), sample("brakk-day2.log"));
  EXPECT_EQ(generateBrkLog(day3), sample("brakk-day3.log"));
  const char* const files[] = {"zolnar-1-dm.log", "zolnar-2-ctf.log", "zolnar-3-dom.log",
                               "zolnar-4-as.log", "zolnar-5-tdm.log", "zolnar-6-sp.log"};
  const char* const types[] = {"Tournament DeathMatch", "Capture the Flag", "Domination", "Assault",
                               "Tournament Team Game",  "SinglePlayer"};
  for (int n = 1; n <= 6; ++n) {
    ZlnLogOptions o;
    o.seed = static_cast<uint32_t>(30 + n);
    o.gameType = types[n - 1];
    o.players = 4;
    o.bots = 3;
    o.eventsPerMatch = 250;
    o.startDay = n - 1;
    EXPECT_EQ(generateZlnLog(o), sample(files[n - 1])) << files[n - 1];
  }
}

TEST(LogGenerators, PoolNamesAreFixedDistinctAndPlain) {
  const std::vector<std::string> pool = humanPoolNames(400);
  const std::vector<std::string> small = humanPoolNames(25);
  ASSERT_EQ(pool.size(), 400u);
  EXPECT_TRUE(std::equal(small.begin(), small.end(), pool.begin()));
  EXPECT_EQ(std::set<std::string>(pool.begin(), pool.end()).size(), pool.size());
  int accented = 0;
  for (const std::string& name : pool) {
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.find_first_of("\t\n\r'_ "), std::string::npos) << name;
    accented += name.find_first_of("\xE4\xE5\xE9\xF6\xF8\xFC") != std::string::npos ? 1 : 0;
  }
  EXPECT_GT(accented, 10);
  EXPECT_LT(accented, 200);
}

// Matches seat distinct players of the pools, a count within the range, and the names come
// back match after match; the modes mix; the same options give the same bytes.
TEST(LogGenerators, BrakkPoolsSeatRecurringPlayersAcrossMatches) {
  BrkLogOptions o{4, 100, 5, 1, 40, false, false, false, 0};
  o.humanPool = 30;
  o.botPool = 4;
  o.maxPlayers = 14;
  o.mixModes = true;
  o.varyEvents = true;
  const std::string log = generateBrkLog(o);
  EXPECT_EQ(generateBrkLog(o), log);
  BrkLogOptions other = o;
  other.seed = 5;
  EXPECT_NE(generateBrkLog(other), log);

  const std::vector<std::string> pool = humanPoolNames(o.humanPool);
  const std::set<std::string> humans(pool.begin(), pool.end());
  const std::set<std::string> bots = {botName(0), botName(1), botName(2), botName(3)};
  std::map<std::string, int> matchesOf;
  std::map<std::string, int> modes;
  int matches = 0;
  std::set<std::string> seated;  // the current match's players before Game_Start
  bool started = false;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> f = fields(line);
    if (f.size() >= 4 && f[1] == "info" && f[2] == "match_mode") {
      ++modes[f[3]];
      ++matches;
      seated.clear();
      started = false;
    }
    if (f.size() >= 2 && f[1] == "Game_Start") {
      const size_t n = seated.size();
      EXPECT_TRUE(n == 2 || (n >= 6 && n <= 14)) << n;
      for (const std::string& name : seated) ++matchesOf[name];
      started = true;
    }
    if (f.size() < 6 || f[1] != "Player_Connect" || f[2] == "Lurker") continue;
    const std::string name = unrenamed(f[2]);
    EXPECT_EQ((f[4] == "IS_A_BOT" ? bots : humans).count(name), 1u) << name;
    if (!started) {
      EXPECT_TRUE(seated.insert(name).second) << "seated twice: " << name;
    }
  }
  EXPECT_EQ(matches, 100);
  EXPECT_GT(modes["RegularDM"], 40);
  EXPECT_GT(modes["TeamPlay"], 25);
  EXPECT_GT(modes["1-vs-1"], 0);
  EXPECT_GE(matchesOf.size(), 30u);
  for (const auto& [name, n] : matchesOf) EXPECT_GE(n, 3) << name;
}

}  // namespace
}  // namespace orvane::tools
