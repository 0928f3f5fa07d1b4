// Runs of ScorexZLN over generated logs of every game type build one career database.
#include <gtest/gtest.h>

#include <regex>

#include "Subprocess.h"
#include "TempDir.h"
#include "tools/ZlnLogGenerator.h"

namespace orvane {
namespace {

using testing::RunOptions;
using testing::RunResult;
using testing::slurp;
using testing::TempDir;

const std::vector<std::string> kTypes = {
    "Tournament DeathMatch", "Capture the Flag", "Domination", "Assault",
    "Tournament Team Game",  "SinglePlayer"};
const std::vector<std::string> kFiles = {"zln_game.db", "zln_records.db", "zln_hash.db",
                                         "zln_player.db"};

// A home with one log per game type, each a day after the one before.
std::vector<std::string> prepare(const TempDir& home) {
  home.mkdir("data");
  home.mkdir("html");
  home.write("ScorexZLN.cfg", "SpawnBrowser\tfalse\n");
  std::vector<std::string> logs;
  for (size_t i = 0; i < kTypes.size(); ++i) {
    tools::ZlnLogOptions o;
    o.seed = static_cast<uint32_t>(40 + i);
    o.gameType = kTypes[i];
    o.startDay = static_cast<int>(i);
    o.players = 3;
    o.bots = 2;
    o.eventsPerMatch = 120;
    logs.push_back("m" + std::to_string(i) + ".log");
    home.write(logs.back(), tools::generateZlnLog(o));
  }
  return logs;
}

RunResult run(const TempDir& home, std::vector<std::string> args) {
  RunOptions options;
  options.args = std::move(args);
  options.cwd = home.path();
  options.env["DISPLAY"] = std::nullopt;
  options.env["TZ"] = "UTC";
  return testing::runProgram(SCOREX_ZLN, options);
}

std::vector<std::string> files(const TempDir& home) {
  std::vector<std::string> bytes;
  for (const std::string& f : kFiles) bytes.push_back(slurp(home.file("data/" + f)));
  return bytes;
}

uint32_t intAt(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(b.at(at + i));
  return v;
}

size_t count(const std::string& out, const std::string& pattern) {
  const std::regex re(pattern);
  return static_cast<size_t>(
      std::distance(std::sregex_iterator(out.begin(), out.end(), re), std::sregex_iterator()));
}

TEST(ZlnDatabase, EveryGameTypeIsMergedOnceIntoTheFourFiles) {
  TempDir home;
  std::vector<std::string> logs = prepare(home);
  const RunResult first = run(home, logs);
  ASSERT_EQ(first.status, 0) << first.out << first.err;
  EXPECT_EQ(count(first.out, "Players in DB:[0-9]+\n"), kTypes.size()) << first.out;
  const std::vector<std::string> built = files(home);
  const std::string& game = built[0];
  const std::string& records = built[1];
  const std::string& index = built[2];
  ASSERT_GE(game.size(), 16u);
  EXPECT_EQ(intAt(game, 4), kTypes.size());  // six time stamps
  ASSERT_GE(records.size(), 44u);
  EXPECT_EQ(intAt(records, 4), kTypes.size());  // totalGamesPlayed
  // One match of each game type; the single-player match is not counted twice under its own.
  for (size_t t = 0; t < kTypes.size(); ++t) EXPECT_EQ(intAt(records, 20 + 4 * t), 1u) << t;
  const uint32_t players = intAt(index, 4);
  EXPECT_GT(players, 4u);
  EXPECT_EQ(built[3].size(), 6028u * (4 + players));

  // The same logs again: all repeats, and nothing changes.
  logs.insert(logs.begin(), "-v");
  const RunResult again = run(home, logs);
  ASSERT_EQ(again.status, 0) << again.out << again.err;
  EXPECT_EQ(count(again.out, "Players in DB:"), 0u) << again.out;
  EXPECT_EQ(count(again.out, "is a Repeat Game, removing"), kTypes.size()) << again.out;
  EXPECT_EQ(files(home), built);
}

}  // namespace
}  // namespace orvane
