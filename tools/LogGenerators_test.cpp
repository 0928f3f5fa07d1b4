#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "games/qmLog.h"
#include "tools/BrkLogGenerator.h"
#include "tools/ZlnLogGenerator.h"
#include "util/Files.h"

namespace orvane::tools {
namespace {

using Names = std::vector<std::string>;

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

// Every Brakk keyword turns up, bots too; lines a server should not write only when asked for.
TEST(LogGenerators, EveryBrakkKeywordAndMalformedLinesOnlyWhenAsked) {
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

// Every Zolnar event kind turns up, objectives in their own game type only, team kills in team
// games only; lines a server should not write come when asked for.
TEST(LogGenerators, EveryZolnarEventKindEachObjectiveInItsGameType) {
  std::map<std::string, std::set<std::string>> typesOf;  // by keyword or "player" sub-keyword
  for (const char* type : {"Tournament DeathMatch", "Capture the Flag", "Domination", "Assault",
                           "Tournament Team Game", "SinglePlayer"}) {
    const std::string text = generateZlnText({3, 4, 2, 300, type});
    const games::TokenLines lines = games::qmLog::parse(text);
    for (size_t i = 0; i < lines.size(); ++i)
      typesOf[std::string(lines[i][1] == "player" ? lines[i][2] : lines[i][1])].insert(type);
  }
  EXPECT_EQ(typesOf.size(), 38u);  // all 29 keywords but "player", and its 9 sub-keywords
  for (const char* k : {"flag_taken", "dom_score_update", "assault_defender", "teamkill"}) {
    EXPECT_EQ(typesOf[k].size(), std::string(k) == "teamkill" ? 4u : 1u) << k;
  }
  EXPECT_NE(generateZlnText({5, 4, 2, 300, "Assault", true}).find("\tplayer\tHover\t"),
            std::string::npos);
}

// The players each match (or log) seats before it starts: the name in `field` of the lines
// whose fields 1 and 2 are `keyword` and `sub` (any when empty).
Names seated(const std::string& text, const std::string& start, const char* keyword,
             const char* sub, size_t field) {
  const std::string head = text.substr(0, text.find(start));
  const games::TokenLines lines = games::qmLog::parse(head);  // views into head
  Names names;
  for (size_t i = 0; i < lines.size(); ++i) {
    const games::TokenList l = lines[i];
    if (l.size() > field && l[1] == keyword && (*sub == 0 || l[2] == sub) && l[2] != "Lurker")
      names.emplace_back(l[field]);
  }
  return names;
}

// Matches or logs seat distinct players of fixed pools (the same for every seed), a number
// within the range (or a duel), and every name of both pools, and no other, comes back again.
void expectRecurringPools(const std::vector<Names>& seatings, const Names& humans,
                          std::set<std::string> pool, size_t fewest, size_t most) {
  pool.insert(humans.begin(), humans.end());
  std::map<std::string, int> seen;
  for (const Names& names : seatings) {
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_TRUE(names.size() == 2 || (names.size() >= fewest && names.size() <= most));
    for (const std::string& name : names) ++seen[name];
  }
  EXPECT_EQ(seen.size(), pool.size());
  for (const auto& [name, n] : seen) EXPECT_TRUE(pool.count(name) == 1 && n >= 3) << name;
}

TEST(LogGenerators, PoolsSeatRecurringPlayers) {
  // seed, matches, humans, bots, events, team play, duel, malformed, start day, name pools,
  // most players, mixed modes, varied lengths
  const BrkLogOptions b{4, 100, 5, 1, 40, false, false, false, 0, 30, 4, 14, true, true};
  const std::string log = generateBrkLog(b);
  std::vector<Names> matches;
  for (const std::string_view match : games::qmLog::split(log, "0.0\tinfo\tLog_"))
    matches.push_back(seated(std::string(match), "\tGame_Start", "Player_Connect", "", 2));
  expectRecurringPools(matches, humanPoolNames(b.humanPool),
                       {botName(0), botName(1), botName(2), botName(3)}, 6, 14);
  for (const char* mode : {"\tRegularDM\n", "\tTeamPlay\n", "\t1-vs-1\n"})
    EXPECT_NE(log.find(mode), std::string::npos) << mode;  // the modes mix
  // seed, humans, bots, events, game type, malformed, start day, name pools, most players, varied
  ZlnLogOptions z{1, 5, 1, 60, "Capture the Flag", false, 0, 20, 3, 12, true};
  std::vector<Names> logs;
  for (z.seed = 1; z.seed <= 30; ++z.seed)
    logs.push_back(seated(generateZlnText(z), "\tgame_start\n", "player", "Connect", 3));
  expectRecurringPools(logs, humanPoolNames(z.humanPool), {"Grunt0", "Wraith1", "Cyclops2"}, 6, 12);
}

// Who killed whom in a log: kills and deaths by name, and every name the players connect or
// rename to, and whether it is a bot's.
struct Fights {
  std::map<std::string, int> kills;
  std::map<std::string, int> deaths;
  std::map<std::string, bool> bots;
};
Fights fights(const std::string& text, bool brakk) {
  const games::TokenLines lines = games::qmLog::parse(text);
  std::map<std::string_view, std::string> byNumber;
  Fights f;
  for (size_t i = 0; i < lines.size(); ++i) {
    const games::TokenList l = lines[i];
    const std::string_view k = l[1] == "player" && l.size() > 2 ? l[2] : l[1];
    if (k == "Player_Connect" && l[2] != "Lurker") {
      f.bots[byNumber[l[3]] = l[2]] = l[4] == "IS_A_BOT";
    } else if (k == "Connect") {
      f.bots[byNumber[l[4]] = l[3]] = false;
    } else if (k == "IsABot") {
      f.bots[byNumber[l[3]]] = l[4] == "True";
    } else if (k == "Player_Rename" || k == "Rename") {
      std::string& name = byNumber[brakk ? l[4] : l.back()];
      const bool bot = f.bots[name];
      f.bots[name = l[3]] = bot;
    } else if (k == "Kill" || k == "kill") {
      const std::string& killer = byNumber[l[2]];
      const std::string& victim = byNumber[l[brakk ? 6 : 4]];
      if (killer != victim) ++f.kills[killer], ++f.deaths[victim];
    }
  }
  return f;
}

// The skill lines list every player the log names, bots as bots, and no other; the more
// skilled half kills clearly more per death than the other.
void expectSkillDecides(const std::string& text, bool brakk, const SkillTable& table) {
  Fights f = fights(text, brakk);
  std::map<std::string, bool> listed;
  std::vector<std::pair<double, std::string>> ranked;
  std::istringstream lines(skillLines(table));
  for (std::string name, bot, skill; std::getline(lines, name, '\t') &&
                                     std::getline(lines, bot, '\t') &&
                                     std::getline(lines, skill);) {
    listed[name] = bot == "1";
    ranked.emplace_back(std::strtod(skill.c_str(), nullptr), name);
  }
  EXPECT_EQ(listed, f.bots);
  std::sort(ranked.begin(), ranked.end());
  std::array<double, 2> kills{}, deaths{};  // of the less and the more skilled half
  for (size_t i = 0; i < ranked.size(); ++i) {
    kills.at(i * 2 / ranked.size()) += f.kills[ranked[i].second];
    deaths.at(i * 2 / ranked.size()) += f.deaths[ranked[i].second];
  }
  EXPECT_GT(kills[1] / deaths[1], 2 * kills[0] / deaths[0])
      << kills[1] << "/" << deaths[1] << " " << kills[0] << "/" << deaths[0];
}

TEST(LogGenerators, HiddenSkillsDecideFightsAlikeForTheSameSeed) {
  // seed, matches, humans, bots, events, team play, duel, malformed, start day, name pools,
  // most players, mixed modes, varied lengths, skill spread
  const BrkLogOptions b{3, 60, 6, 1, 200, false, false, false, 0, 20, 3, 0, true, false, 1.5};
  SkillTable skills, again;
  const std::string log = generateBrkLog(b, &skills);
  expectSkillDecides(log, true, skills);
  EXPECT_EQ(generateBrkLog(b, &again), log);
  EXPECT_EQ(skillLines(again), skillLines(skills));
  // One match a Zolnar log: logs of one skill seed give a player one skill.
  ZlnLogOptions z{1, 8, 1, 300, "Tournament Team Game", false, 0, 20, 3, 0, false, 1.5, 9};
  std::string text;
  skills.clear();
  for (z.seed = 1; z.seed <= 40; ++z.seed) {
    if (z.seed > 20) z.gameType = "Tournament DeathMatch";
    text += generateZlnText(z, &again);
    for (const auto& [name, p] : again)
      EXPECT_EQ(skills.try_emplace(name, p).first->second.skill, p.skill) << name;
  }
  expectSkillDecides(text, false, skills);
}

}  // namespace
}  // namespace orvane::tools
