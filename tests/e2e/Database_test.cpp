// Runs of ScorexBRK over generated logs build one career database, whatever the runs.
#include <gtest/gtest.h>

#include <regex>

#include "Subprocess.h"
#include "TempDir.h"
#include "tools/BrkLogGenerator.h"

namespace orvane {
namespace {

using testing::RunOptions;
using testing::RunResult;
using testing::slurp;
using testing::TempDir;

const std::vector<std::string> kFiles = {"brk_game.db", "brk_records.db", "brk_hash.db",
                                         "brk_player.db"};

// A home directory with both logs, a configuration that starts no browser and the
// directories of the database and the pages.
void prepare(const TempDir& home) {
  home.mkdir("data");
  home.mkdir("html");
  home.write("ScorexBRK.cfg", "SpawnBrowser\tfalse\n");
  tools::BrkLogOptions a;
  a.seed = 11;
  a.players = 3;
  a.bots = 1;
  a.eventsPerMatch = 80;
  home.write("a.log", tools::generateBrkLog(a));
  // Every generated log starts at the same moment: b skips its first match, which would be
  // a repeat of a's, and goes on with two duels that fall between and after a's matches.
  tools::BrkLogOptions b = a;
  b.seed = 12;
  b.duel = true;
  tools::BrkLogGenerator duels(b);
  duels.nextMatch();
  home.write("b.log", duels.nextMatch() + duels.nextMatch());
}

RunResult run(const TempDir& home, std::vector<std::string> args) {
  RunOptions options;
  options.args = std::move(args);
  options.cwd = home.path();
  options.env["DISPLAY"] = std::nullopt;
  options.env["TZ"] = "UTC";
  return testing::runProgram(SCOREX_BRK, options);
}

std::vector<std::string> files(const TempDir& home) {
  std::vector<std::string> bytes;
  for (const std::string& f : kFiles) bytes.push_back(slurp(home.file("data/" + f)));
  return bytes;
}

// The lines of out that match the pattern, in order.
std::vector<std::string> lines(const std::string& out, const std::string& pattern) {
  std::vector<std::string> found;
  const std::regex re(pattern);
  for (std::sregex_iterator i(out.begin(), out.end(), re), end; i != end; ++i) {
    found.push_back(i->str());
  }
  return found;
}

TEST(Database, RunsBuildOneDatabaseAndRecogniseRepeats) {
  TempDir home;
  prepare(home);
  const RunResult first = run(home, {"a.log"});
  ASSERT_EQ(first.status, 0) << first.out << first.err;
  const RunResult second = run(home, {"b.log"});
  ASSERT_EQ(second.status, 0) << second.out << second.err;
  // One line per new match, counting the players known so far.
  const auto known = lines(first.out + second.out, "Players in DB:[0-9]+\n");
  ASSERT_EQ(known.size(), 5u) << first.out << second.out;
  const std::vector<std::string> built = files(home);
  const std::string& index = built[2];
  ASSERT_GE(index.size(), 8u);
  EXPECT_EQ(known.back(), "Players in DB:" + std::to_string(uint8_t(index[7])) + "\n");
  EXPECT_EQ(built[3].size(), 4824u * (4 + uint8_t(index[7])));
  EXPECT_EQ(built[0].substr(0, 12), std::string("\0\0\0\1\0\0\0\5\0\0\0\5", 12));

  // The same logs again: every match is a repeat and nothing changes.
  const RunResult again = run(home, {"-v", "a.log", "b.log"});
  ASSERT_EQ(again.status, 0) << again.out << again.err;
  EXPECT_EQ(lines(again.out, "Players in DB:").size(), 0u) << again.out;
  EXPECT_EQ(lines(again.out, "[0-9]+ is a Repeat Game, removing\\.\\.\\.\n").size(), 5u)
      << again.out;
  EXPECT_EQ(files(home), built);

  // Both logs in one run give the same bytes as the two runs.
  TempDir once;
  prepare(once);
  const RunResult both = run(once, {"a.log", "b.log"});
  ASSERT_EQ(both.status, 0) << both.out << both.err;
  EXPECT_EQ(lines(both.out, "Players in DB:[0-9]+\n"), known);
  EXPECT_EQ(files(once), built);
}

}  // namespace
}  // namespace orvane
