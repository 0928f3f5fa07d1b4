#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "games/brk/Game.h"
#include "games/qmLog.h"
#include "tools/BrkLogGenerator.h"
#include "util/Debug.h"
#include "util/Wrap.h"

namespace orvane::games::brk {
namespace {

using tools::BrkLogOptions;
using util::Debug;

constexpr std::string_view kMarker = "0.0\tinfo\tLog_Standard\tqmLog";

class GeneratedLogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }

  // Replays every match of the log, checks what holds for any valid match, and returns how
  // many were valid.
  static int replay(const std::string& log) {
    int valid = 0;
    for (const std::string_view text : qmLog::split(log, kMarker)) {
      const Game g(text);
      if (!g.isValid()) continue;
      ++valid;
      const size_t n = g.plist.size();
      EXPECT_EQ(g.playersByRank.size(), n);
      EXPECT_EQ(g.playersByUID.size(), n);
      std::vector<int32_t> byRank = g.playersByRank;
      std::sort(byRank.begin(), byRank.end());
      std::vector<int32_t> numbers(n);
      std::iota(numbers.begin(), numbers.end(), 0);
      EXPECT_EQ(byRank, numbers);
      int32_t kills = 0;
      for (size_t i = 0; i < n && g.playersByRank.size() == n; ++i) {
        EXPECT_EQ(g.byRank(i).rank, static_cast<int32_t>(i + 1));
        if (i > 0) {
          EXPECT_GE(g.byRank(i - 1).all.frags, g.byRank(i).all.frags);
        }
        EXPECT_EQ(g.plist[i].uid, static_cast<int32_t>(i));
        util::addTo(kills, g.plist[i].all.kills);
      }
      EXPECT_EQ(g.gameTotals.all.kills, kills);
      EXPECT_EQ(g.gameTotals.all.uses, static_cast<int32_t>(n));
      EXPECT_TRUE(g.endType == "Incomplete" || g.endType == "Fraglimit hit" ||
                  g.endType == "Timelimit hit")
          << g.endType;
      EXPECT_NE(g.hs, nullptr);
    }
    return valid;
  }

  std::ostringstream trace;
};

TEST_F(GeneratedLogsTest, EveryMatchReplaysWithConsistentTotals) {
  // seed, matches, humans, bots, events, team play, duel, malformed lines
  const BrkLogOptions cases[] = {
      {1, 4, 4, 2, 300, false, false, false}, {2, 4, 5, 3, 300, true, false, false},
      {3, 3, 1, 1, 200, false, true, false},  {4, 6, 4, 2, 300, false, false, true},
      {5, 6, 6, 4, 400, true, false, true},   {6, 2, 12, 4, 1500, true, false, true},
      {7, 3, 0, 0, 50, false, false, false},
  };
  for (const BrkLogOptions& o : cases) {
    SCOPED_TRACE("seed " + std::to_string(o.seed));
    const std::string log = tools::generateBrkLog(o);
    EXPECT_EQ(qmLog::split(log, kMarker).size(), static_cast<size_t>(o.matches));
    // A line that stops the reading keeps the events before it, so every match with players
    // stays valid; one without a kill or suicide line is not.
    EXPECT_EQ(replay(log), o.players + o.bots == 0 ? 0 : o.matches);
  }
}

TEST(BrkLogGenerator, SameSeedSameBytesAndEveryEventKind) {
  const BrkLogOptions o{9, 3, 5, 3, 2000, true, false, true};
  const std::string log = tools::generateBrkLog(o);
  EXPECT_EQ(tools::generateBrkLog(o), log);
  BrkLogOptions other = o;
  other.seed = 10;
  EXPECT_NE(tools::generateBrkLog(other), log);

  // The whole log is the generator's matches, one after the other.
  tools::BrkLogGenerator gen(o);
  const std::string first = gen.nextMatch();
  EXPECT_EQ(log.substr(0, first.size()), first);
  EXPECT_EQ(first.substr(0, kMarker.size()), kMarker);
  const std::string second = gen.nextMatch();
  const auto started = [](const std::string& m) {
    const size_t at = m.find("\tAbsolute_Time\t") + 15;
    return m.substr(at, 23);
  };
  EXPECT_EQ(started(first), "2026.03.14.20.15.09.123");
  EXPECT_GT(started(second), started(first));

  // Every keyword of the log format, bots, and the malformed line ends.
  std::istringstream kinds(
      "Item_Pickup Kill Player_Respawn Suicide Item_Use Item_Expire info Player_Connect "
      "Player_Enter Observe Player_Leave Chat Player_Rename Player_Reconnect Item_Drop Fratricide "
      "Chasecam Autocam Player_Accuracy Game_Init Game_Start Game_End Vote Player_Team_Join "
      "Player_Team_Leave Team_Rename Player_ZBOT IS_A_BOT");
  for (std::string k; kinds >> k;) EXPECT_NE(log.find("\t" + k), std::string::npos) << k;
  EXPECT_NE(log.find("\r\n"), std::string::npos);
  EXPECT_NE(log.find("\rworld"), std::string::npos);
  BrkLogOptions clean = o;
  clean.malformed = false;
  EXPECT_EQ(tools::generateBrkLog(clean).find('\r'), std::string::npos);
}

TEST_F(GeneratedLogsTest, HostileNumbersDoNotTrap) {
  const std::string maxKill =
      "1e308\tKill\t2147483647\tRailgun\t0\t2147483647\t-2147483648\tBlaster\t0\t2147483647\n";
  const std::string maxAccuracy =
      "1e308\tPlayer_Accuracy\t2147483647\tRailgun:2147483647:2147483647:2147483647:2147483647"
      "\tdmg:2147483647:2147483647\n";
  const std::string log =
      std::string(kMarker) +
      "\n"
      "0.0\tinfo\tAbsolute_Time\t2026.03.14.20.15.09.123.+1e308\n"
      "0.0\tinfo\tAbsolute_Time\t99999.99.99.99.99.99.999.-2147483647\n"
      "0.0\tinfo\tmatch_mode\tTeamPlay\n"
      "1e308\tPlayer_Connect\tMax\t2147483647\t1.2.3.4\ts\n"
      "-1e308\tPlayer_Enter\tMax\t2147483647\n"
      "0.0\tPlayer_Connect\tMin\t-2147483648\tIS_A_BOT\ts\n"
      "0.0\tPlayer_Enter\tMin\t-2147483648\n"
      "0.0\tPlayer_Connect\tNeg\t-5\t1.2.3.4\tn\n"
      "1e308\tPlayer_Respawn\t-5\n"
      "0.0\tPlayer_Team_Join\tMax\t2147483647\tRed\t2147483647\n"
      "0.0\tPlayer_Team_Join\tMin\t-2147483648\tRed\t-2147483648\n"
      "0.0\tPlayer_Team_Join\tMax\t2147483647\tBlue\t-2147483648\n" +
      maxKill + maxKill + maxKill +
      "-1e308\tFratricide\t-2147483648\tBFG10K\t0\t-2147483648\t2147483647\tHook\t0\t-2147483648\n"
      "1e308\tSuicide\t-5\tLava\t0\t2147483647\n"
      "1e308\tItem_Pickup\tQuad\t0\t-2147483648\t2147483647\n"
      "1e308\tItem_Use\tQuad\t0\t2147483647\t2147483647\n"
      "-1e308\tItem_Expire\tQuad\t0\t2147483647\n" +
      maxAccuracy + maxAccuracy +
      "1e308\tPlayer_Leave\tMax\t2147483647\n"
      "1e308\tPlayer_Reconnect\tMax\t-2147483648\tx\n"
      "1e308\tPlayer_Connect\tMax\t-2147483648\t1.2.3.4\ts\n"
      "1e308\tPlayer_Rename\tMin\tMin2\t-2147483648\t2147483647\ts\n"
      "1e308\tObserve\tNeg\t-5\t2147483647\n"
      "1e308\tPlayer_Accuracy\t-1\tdmg:1:1\n"
      "1e308\tKill\t-1\tRailgun\t0\t0\t-5\tRailgun\t0\t0\n"
      "1e308\tGame_Start\n";
  EXPECT_EQ(replay(log), 1);
  // Max's Red record is idle and dropped; his Blue record scored and was hit by the team kill.
  const Game g(log);
  EXPECT_EQ(g.endType, "Incomplete");
  ASSERT_EQ(g.plist.size(), 3u);
  EXPECT_EQ(g.byRank(0).name + g.byRank(1).name + g.byRank(2).name, "MaxNegMin");
  EXPECT_EQ(g.byRank(0).all.kills, 3);
  EXPECT_EQ(g.byRank(0).all.dGiven, -2);    // two reports of 2147483647
  EXPECT_EQ(g.byRank(2).all.pingTime, -3);  // 3 x 2147483647 - 2147483648
  EXPECT_EQ(g.byRank(2).all.pingNum, 4);
}

}  // namespace
}  // namespace orvane::games::brk
