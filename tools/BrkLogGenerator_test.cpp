#include "tools/BrkLogGenerator.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "games/qmLog.h"
#include "tools/ZlnLogGenerator.h"
#include "util/Files.h"

namespace orvane::tools {
namespace {

std::string sample(const std::string& name) {
  return util::readWholeFile(std::string(SCOREX_SOURCE_DIR) + "/examples/logs/" + name);
}

// The same options give the same bytes on every platform; options added later leave the sample
// logs (written with the options the README names) alone at their defaults.
TEST(LogGenerators, DefaultOptionsStillWriteTheSampleLogs) {
  EXPECT_EQ(generateBrkLog({21, 4, 5, 2, 250, false, false, false, 0}), sample("brakk-day1.log"));
  EXPECT_EQ(generateBrkLog({22, 3, 4, 2, 200, true, false, false, 1}), sample("brakk-day2.log"));
  EXPECT_EQ(generateBrkLog({23, 2, 2, 0, 120, false, true, false, 2}), sample("brakk-day3.log"));
  const std::pair<const char*, const char*> zln[] = {
      {"dm", "Tournament DeathMatch"}, {"ctf", "Capture the Flag"},
      {"dom", "Domination"},           {"as", "Assault"},
      {"tdm", "Tournament Team Game"}, {"sp", "SinglePlayer"}};
  for (int n = 0; n < 6; ++n) {
    EXPECT_EQ(generateZlnLog({static_cast<uint32_t>(31 + n), 4, 3, 250, zln[n].second, false, n}),
              sample("zolnar-" + std::to_string(n + 1) + "-" + zln[n].first + ".log"));
  }
}

// Every keyword turns up, bots too; lines a server should not write only when asked for.
TEST(BrkLogGenerator, EveryEventKindAndMalformedLinesOnlyWhenAsked) {
  const std::string log = generateBrkLog({9, 3, 5, 3, 2000, true, false, true});
  std::istringstream kinds(
      "Item_Pickup Kill Player_Respawn Suicide Item_Use Item_Expire info Player_Connect "
      "Player_Enter Observe Player_Leave Chat Player_Rename Player_Reconnect Item_Drop Fratricide "
      "Chasecam Autocam Player_Accuracy Game_Init Game_Start Game_End Vote Player_Team_Join "
      "Player_Team_Leave Team_Rename Player_ZBOT IS_A_BOT");
  for (std::string k; kinds >> k;) EXPECT_NE(log.find("\t" + k), std::string::npos) << k;
  EXPECT_TRUE(log.find("\r\n") != std::string::npos && log.find("\rworld") != std::string::npos);
  EXPECT_EQ(generateBrkLog({9, 3, 5, 3, 2000, true, false, false}).find('\r'), std::string::npos);
}

// Matches seat distinct players of fixed pools (the same for every seed), a number within the
// range, and the same players come back match after match; the modes mix.
TEST(BrkLogGenerator, PoolsSeatRecurringPlayersAcrossMatches) {
  // seed, matches, humans, bots, events, team play, duel, malformed, start day, name pools,
  // most players, mixed modes, varied lengths
  const BrkLogOptions o{4, 100, 5, 1, 40, false, false, false, 0, 30, 4, 14, true, true};
  std::set<std::string> names = {botName(0), botName(1), botName(2), botName(3)};
  for (const std::string& name : humanPoolNames(o.humanPool)) names.insert(name);
  std::map<std::string, int> matchesOf, modes;
  const std::string log = generateBrkLog(o);
  for (const std::string_view match : games::qmLog::split(log, "0.0\tinfo\tLog_")) {
    const std::string head(match.substr(0, match.find("\tGame_Start")));
    const games::TokenLines lines = games::qmLog::parse(head);  // views into head
    std::set<std::string> seated;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].size() < 4) continue;
      if (lines[i][2] == "match_mode") ++modes[std::string(lines[i][3])];
      if (lines[i][1] != "Player_Connect" || lines[i][2] == "Lurker") continue;
      EXPECT_TRUE(seated.insert(std::string(lines[i][2])).second) << lines[i][2];
    }
    EXPECT_TRUE(seated.size() == 2 || (seated.size() >= 6 && seated.size() <= 14));
    for (const std::string& name : seated) ++matchesOf[name];
  }
  EXPECT_TRUE(modes["RegularDM"] > 40 && modes["TeamPlay"] > 25 && modes["1-vs-1"] > 0);
  EXPECT_EQ(matchesOf.size(), names.size());  // every name of both pools, and no other
  for (const auto& [name, n] : matchesOf) EXPECT_TRUE(names.count(name) == 1 && n >= 3) << name;
}

}  // namespace
}  // namespace orvane::tools
