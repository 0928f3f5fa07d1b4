#include "tools/ZlnLogGenerator.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "games/qmLog.h"
#include "tools/BrkLogGenerator.h"

namespace orvane::tools {
namespace {

// Every event kind turns up, objectives in their own game type only, team kills in team games
// only; lines a server should not write come when asked for.
TEST(ZlnLogGenerator, EveryEventKindEachObjectiveInItsGameType) {
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

// Logs of different seeds seat distinct players of the same pools, so careers grow from log to
// log.
TEST(ZlnLogGenerator, PoolsSeatRecurringPlayersAcrossLogs) {
  // seed, humans, bots, events, game type, malformed, start day, name pools, most players, varied
  ZlnLogOptions o{1, 5, 1, 60, "Capture the Flag", false, 0, 20, 3, 12, true};
  std::map<std::string, int> logsOf;
  for (o.seed = 1; o.seed <= 30; ++o.seed) {
    const std::string text = generateZlnText(o);
    const std::string head = text.substr(0, text.find("\tgame_start\n"));
    const games::TokenLines lines = games::qmLog::parse(head);  // views into head
    std::set<std::string> seated;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i][1] != "player" || lines[i][2] != "Connect") continue;
      EXPECT_TRUE(seated.insert(std::string(lines[i][3])).second) << lines[i][3];
    }
    EXPECT_TRUE(seated.size() >= 6 && seated.size() <= 12) << seated.size();
    for (const std::string& name : seated) ++logsOf[name];
  }
  std::set<std::string> allowed = {"Grunt0", "Wraith1", "Cyclops2"};
  for (const std::string& name : humanPoolNames(o.humanPool)) allowed.insert(name);
  EXPECT_EQ(logsOf.size(), allowed.size());  // every name of both pools, and no other
  for (const auto& [name, n] : logsOf) EXPECT_TRUE(allowed.count(name) == 1 && n >= 3) << name;
}

}  // namespace
}  // namespace orvane::tools
