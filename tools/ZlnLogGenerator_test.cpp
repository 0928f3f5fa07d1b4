#include "tools/ZlnLogGenerator.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "games/qmLog.h"
#include "tools/BrkLogGenerator.h"

namespace orvane::tools {
namespace {

using games::qmLog;

// Each keyword, and each "player" sub-keyword, with the fields its line needs at least.
const std::map<std::string, size_t> kKeywords = [] {
  const std::pair<size_t, std::vector<std::string>> byCount[] = {
      {2, {"game_start"}},
      {3,
       {"flag_returned_timeout", "throw_translocator", "translocate", "translocate_gib",
        "translocate_fail", "info", "game_end", "assault_timelimit", "assault_defender",
        "assault_attacker"}},
      {4,
       {"item_get", "item_activate", "player", "item_deactivate", "headshot", "dom_score_update",
        "controlpoint_capture", "flag_taken", "flag_dropped", "flag_captured", "flag_pickedup",
        "flag_returned", "map", "game", "typing", "assault_gamecode"}},
      {6, {"suicide"}},
      {7, {"kill", "teamkill"}}};
  std::map<std::string, size_t> table;
  for (const auto& [count, keywords] : byCount) {
    for (const std::string& k : keywords) table[k] = count;
  }
  return table;
}();
const std::map<std::string, size_t> kPlayerKeywords = {
    {"Ping", 5}, {"Connect", 6}, {"IsABot", 5},   {"Disconnect", 4}, {"Rename", 5},
    {"Team", 5}, {"TeamID", 5},  {"TeamName", 5}, {"Skill", 5}};
const char* const kTypes[] = {"Tournament DeathMatch", "Capture the Flag", "Domination", "Assault",
                              "Tournament Team Game",  "SinglePlayer"};

// Events that only one game type logs, by the start of their name.
const std::pair<std::string, std::string> kObjectives[] = {{"flag_", "Capture the Flag"},
                                                           {"assault_", "Assault"},
                                                           {"dom_", "Domination"},
                                                           {"controlpoint_", "Domination"}};

ZlnLogOptions options(uint32_t seed, const std::string& type) {
  ZlnLogOptions o;
  o.seed = seed;
  o.gameType = type;
  return o;
}

TEST(ZlnLogGenerator, SameOptionsGiveTheSameBytes) {
  EXPECT_EQ(generateZlnLog(options(7, "Domination")), generateZlnLog(options(7, "Domination")));
  EXPECT_NE(generateZlnText(options(7, "Domination")), generateZlnText(options(8, "Domination")));
}

TEST(ZlnLogGenerator, EncodesEveryByteAsALittleEndianUnit) {
  EXPECT_EQ(encodeUtf16le("A\xF6\n"), std::string("A\0\xF6\0\n\0", 6));
  EXPECT_EQ(encodeUtf16le(""), "");
}

// Every line of every game type is a known event with the fields its layout needs; the
// objective events belong to their game type only; all events turn up across a few matches.
TEST(ZlnLogGenerator, EveryGameTypeWritesWellFormedEventsOfEveryKind) {
  std::set<std::string> seen;
  for (const std::string type : kTypes) {
    for (uint32_t seed = 1; seed <= 3; ++seed) {
      SCOPED_TRACE(type + " seed " + std::to_string(seed));
      const std::string text = generateZlnText(options(seed, type));
      EXPECT_EQ(qmLog::narrow(generateZlnLog(options(seed, type))), text);
      EXPECT_NE(text.find("\tgame\tGameName\t" + type + "\n"), std::string::npos);
      const games::TokenLines lines = qmLog::parse(text);
      ASSERT_GT(lines.size(), 300u);
      for (size_t i = 0; i < lines.size(); ++i) {
        const games::TokenList l = lines[i];
        ASSERT_GE(l.size(), 2u) << i;
        const std::string keyword(l[1]);
        const auto k = kKeywords.find(keyword);
        ASSERT_NE(k, kKeywords.end()) << keyword;
        ASSERT_GE(l.size(), k->second) << keyword;
        std::string event = keyword;
        if (keyword == "player") {
          const auto p = kPlayerKeywords.find(std::string(l[2]));
          ASSERT_NE(p, kPlayerKeywords.end()) << l[2];
          ASSERT_GE(l.size(), p->second) << l[2];
          event += " " + p->first;
        }
        seen.insert(event);
        for (const auto& [prefix, owner] : kObjectives) {
          if (event.starts_with(prefix)) {
            EXPECT_EQ(type, owner) << event;
          }
        }
        if (event == "teamkill" || event.starts_with("player Team")) {
          EXPECT_NE(type, "Tournament DeathMatch");
          EXPECT_NE(type, "SinglePlayer");
        }
      }
    }
  }
  std::set<std::string> all;
  for (const auto& [keyword, fields] : kKeywords) all.insert(keyword);
  for (const auto& [sub, fields] : kPlayerKeywords) all.insert("player " + sub);
  all.erase("player");
  seen.erase("player");
  EXPECT_EQ(seen, all);
}

TEST(ZlnLogGenerator, ConnectsThePlayersAndBotsAndStartsOnTheGivenDay) {
  ZlnLogOptions o = options(3, "Capture the Flag");
  o.players = 3;
  o.bots = 2;
  o.startDay = 18;
  const std::string text = generateZlnText(o);
  const std::string head = text.substr(0, text.find("\tgame_start\n"));
  EXPECT_NE(head.find("0.00\tinfo\tAbsolute_Time\t2026.04.01.20."), std::string::npos);
  size_t connects = 0, bots = 0;
  const games::TokenLines lines = qmLog::parse(head);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i][1] != "player") continue;
    connects += lines[i][2] == "Connect" ? 1 : 0;
    bots += lines[i][2] == "IsABot" && lines[i][4] == "True" ? 1 : 0;
  }
  EXPECT_EQ(connects, 5u);
  EXPECT_EQ(bots, 2u);
}

TEST(ZlnLogGenerator, MalformedLogsHoldBadLinesAndStillDecode) {
  ZlnLogOptions o = options(5, "Assault");
  o.malformed = true;
  const std::string text = generateZlnText(o);
  EXPECT_EQ(qmLog::narrow(generateZlnLog(o)), text);
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  EXPECT_NE(text.find("\tplayer\tHover\t"), std::string::npos);
  EXPECT_NE(text.find("\tfalse"), std::string::npos);  // only "False" means no bot
}

// Logs of different seeds seat distinct players of the same pools, so careers grow from log to
// log; the player count stays within its range; the same options give the same bytes.
TEST(ZlnLogGenerator, PoolsSeatRecurringPlayersAcrossLogs) {
  ZlnLogOptions o = options(1, "Capture the Flag");
  o.players = 5;
  o.bots = 1;
  o.maxPlayers = 12;
  o.humanPool = 20;
  o.botPool = 3;
  o.varyEvents = true;
  o.eventsPerMatch = 60;
  const std::vector<std::string> pool = humanPoolNames(o.humanPool);
  std::set<std::string> allowed(pool.begin(), pool.end());
  allowed.insert({"Grunt0", "Wraith1", "Cyclops2"});
  std::map<std::string, int> logsOf;
  std::set<size_t> counts;
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    o.seed = seed;
    const std::string text = generateZlnText(o);
    EXPECT_EQ(generateZlnText(o), text);
    std::set<std::string> seated;
    const std::string head = text.substr(0, text.find("\tgame_start\n"));
    const games::TokenLines lines = qmLog::parse(head);  // views into head
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i][1] != "player" || lines[i][2] != "Connect") continue;
      const std::string name(lines[i][3]);
      EXPECT_EQ(allowed.count(name), 1u) << name;
      EXPECT_TRUE(seated.insert(name).second) << "seated twice: " << name;
    }
    EXPECT_GE(seated.size(), 6u);
    EXPECT_LE(seated.size(), 12u);
    counts.insert(seated.size());
    for (const std::string& name : seated) ++logsOf[name];
  }
  EXPECT_GT(counts.size(), 3u);
  EXPECT_EQ(logsOf.size(), 23u);  // every name of both pools
  for (const auto& [name, n] : logsOf) EXPECT_GE(n, 3) << name;
}

}  // namespace
}  // namespace orvane::tools
