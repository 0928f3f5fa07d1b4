// Hostile input through the real program: nothing may crash or hang it, each case gets its
// message, and the database is never left damaged.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Home.h"
#include "tools/BrkLogGenerator.h"
#include "tools/ZlnLogGenerator.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::Home;
using testing::RunResult;
using testing::slurp;

// A match of two players with one kill each way, the lines in between given.
std::string duel(const std::string& middle) {
  return "0.0\tinfo\tLog_Standard\tqmLog\n0.0\tinfo\tAbsolute_Time\t2024.03.01.20.00.00.000.+1\n"
         "0.0\tinfo\tmap\tq2dm1\n1\tPlayer_Connect\tAnn\t0\tip\n1\tPlayer_Enter\tAnn\t0\n"
         "1\tPlayer_Connect\tBob\t1\tip\n1\tPlayer_Enter\tBob\t1\n" +
         middle +
         "10\tKill\t0\tRailgun\t\t50\t1\tBlaster\t\t60\n"
         "20\tKill\t1\tShotgun\t\t50\t0\tRailgun\t\t60\n30\tGame_End\tfraglimit\n";
}

// The run ended by itself (no signal, no time-out, no sanitizer's report) with status 0 or 1.
void expectSurvived(const RunResult& r, const std::string& what) {
  EXPECT_FALSE(r.timedOut) << what;
  EXPECT_LT(r.status, 2) << what << "\n" << r.out << r.err;
  EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << what << r.err;
}

TEST(HostileInput, GarbledLinesAndNumbersAtTheLimits) {
  const struct {
    const char* what;
    std::string log;
  } cases[] = {
      {"a 10 MB line", duel(std::string(10 << 20, 'A') + "\n")},
      {"a 10 MB field", duel("5\tChat\t0\t" + std::string(10 << 20, 'x') + "\n")},
      {"NUL bytes",
       duel(std::string("5\tPlayer_Rename\tAnn\tA\0n\t0\t3\n", 28) + std::string("\0\0\0\n", 4))},
      {"lone CRs", duel("5\tChat\t0\thi\r6\tChat\t1\tho\r\r\n")},
      {"32-bit limits",
       duel("5\tKill\t0\tRailgun\t\t2147483647\t1\tBlaster\t\t-2147483648\n"
            "6\tPlayer_Connect\tMax\t2147483647\tip\n6\tPlayer_Enter\tMax\t2147483647\n"
            "7\tKill\t2147483647\tRailgun\t\t2147483647\t-2147483648\tBlaster\t\t0\n"
            "8\tPlayer_Accuracy\t0\tRailgun:2147483647:2147483647:2147483647:2147483647\t"
            "damage:2147483647:-2147483648\n")},
      {"markup in names", duel("5\tPlayer_Rename\tAnn\t<script>\"'&</b>\t0\t3\n")},
  };
  for (const auto& c : cases) {
    const Home home(SCOREX_BRK);
    home.write("in.log", c.log);
    const RunResult r = home.run({"in.log"});
    expectSurvived(r, c.what);
    EXPECT_THAT(r.out, HasSubstr("Players in DB:")) << c.what;
    const std::string index = slurp(home.file("html/Individual_Game_Stats/Last_Game/index.html"));
    EXPECT_EQ(index.find("<script>"), std::string::npos) << c.what;
  }
}

TEST(HostileInput, OddLocksUnreadableAndVanishedLogs) {
  const Home home(SCOREX_BRK);
  home.write("data/not-a-number.lock", "");
  home.write("data/99999999999999999999.lock", "");
  home.write("data/9223372036854775807.lock", "");  // far in the future: a wrong clock
  home.mkdir("data/folder.log");                    // named like a log, but a directory
  home.write("in.log", duel(""));
  const RunResult r = home.run({"in.log", "gone.log"});
  expectSurvived(r, "locks and logs");
  EXPECT_THAT(r.out, HasSubstr("Players in DB:2\n"));
  EXPECT_THAT(r.out, HasSubstr("Error in core.moveLogFiles: "));
  EXPECT_THAT(r.out, HasSubstr("not-a-number"));
  EXPECT_THAT(r.out, HasSubstr("Error in core.getLogfileData: FileNotFoundException: " +
                               home.file("data/folder.log") + " (Is a directory)\n"));
  EXPECT_FALSE(fs::exists(home.file("data/9223372036854775807.lock")));
  // What could not be read is not marked processed: it stays as it was.
  EXPECT_TRUE(fs::is_directory(home.file("data/folder.log")));
  EXPECT_FALSE(fs::exists(home.file("data/folder.log.del")));
}

// Logs the program may not read, checked as an unprivileged user (as root every file is
// readable): one named on the command line stays where it is, one already queued stays queued
// (never marked processed, so never deleted unread), and once readable it is merged.
TEST(HostileInput, UnreadableLogsStayUntilTheyCanBeRead) {
  Home home(SCOREX_BRK);
  tools::BrkLogOptions o;
  o.matches = 1;
  const char* const logs[] = {"named.log", "data/queued.log", "first.log", "second.log"};
  for (int day = 0; day < 4; ++day) {
    o.seed = static_cast<uint32_t>(day + 1);
    o.startDay = day;
    home.write(logs[day], tools::generateBrkLog(o));
  }
  fs::permissions(home.file("named.log"), fs::perms::none);
  fs::permissions(home.file("data/queued.log"), fs::perms::none);
  if (!home.unprivileged()) GTEST_SKIP() << "no unprivileged user to run as";
  const RunResult r = home.run({"named.log", "first.log"});
  expectSurvived(r, "unreadable logs");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_THAT(r.out, HasSubstr("Error in core.moveLogFiles: IOException: " +
                               home.file("named.log") + " (Permission denied)\n"));
  EXPECT_THAT(r.out, HasSubstr("Error in core.getLogfileData: IOException: " +
                               home.file("data/queued.log") + " (Permission denied)\n"));
  EXPECT_TRUE(fs::exists(home.file("named.log")));
  EXPECT_TRUE(fs::exists(home.file("data/queued.log")));
  EXPECT_FALSE(fs::exists(home.file("data/queued.log.del")));

  // Readable again: the queued log is merged by the next run, with the next new log.
  fs::permissions(home.file("data/queued.log"), fs::perms::owner_read | fs::perms::owner_write);
  const RunResult again = home.run({"second.log"});
  EXPECT_EQ(again.status, 0) << again.out;
  EXPECT_THAT(again.out, HasSubstr(": queued.log\n"));
  EXPECT_THAT(again.out, ::testing::Not(HasSubstr("Error")));
  EXPECT_EQ(testing::listing(home.file("data")).find(".log"), std::string::npos);
  EXPECT_EQ(home.matchDirs().size(), 3u);
}

// Peak memory on the Release build: the garbled lines stay below a few times their log, a
// match of 2,000 active players below 1 GiB.
TEST(HostileInput, MemoryStaysBoundedOnTheReleaseBuild) {
  const std::string brk = SCOREX_RELEASE_TREE "/ScorexBRK";
  const std::string zln = SCOREX_RELEASE_TREE "/ScorexZLN";
  if (!fs::exists(brk) || !fs::exists(zln)) GTEST_SKIP() << "no Release build at " << brk;
  tools::BrkLogOptions crowd;
  crowd.matches = 1;
  crowd.players = 2000;
  crowd.bots = 10;
  crowd.eventsPerMatch = 20000;
  tools::ZlnLogOptions zlnCrowd;
  zlnCrowd.players = 2000;
  zlnCrowd.bots = 10;
  zlnCrowd.eventsPerMatch = 20000;
  const size_t ten = 10 << 20;
  const struct {
    const char* what;
    std::string program;
    std::string log;
    long limitKb;
  } cases[] = {
      {"a 10 MB line", brk, duel(std::string(ten, 'A') + "\n"), 3 * (ten >> 10)},
      {"a 10 MB name of markup", brk,
       duel("5\tPlayer_Rename\tAnn\t" + std::string(ten, '<') + "\t0\t3\n"), 3 * (ten >> 10)},
      {"a 10 MB line of tabs", brk, duel("5\tPlayer_Accuracy\t0" + std::string(ten, '\t') + "\n"),
       3 * (ten >> 10)},
      {"2,000 players", brk, tools::generateBrkLog(crowd), 1 << 20},
      {"2,000 players of Zolnar", zln, tools::generateZlnLog(zlnCrowd), 1 << 20},
  };
  for (const auto& c : cases) {
    const Home home(c.program);
    home.write("in.log", c.log);
    const std::string report = home.file("peak");
    const RunResult r =
        testing::runProgram(PEAK_MEMORY, home.options({report, c.program, "in.log"}));
    expectSurvived(r, c.what);
    EXPECT_LT(std::stol("0" + slurp(report)), c.limitKb) << c.what;
    EXPECT_GT(std::stol("0" + slurp(report)), 0) << c.what;
    if (c.limitKb == 1 << 20) {
      EXPECT_THAT(r.out, HasSubstr("Players in DB:20")) << c.what;
    }
  }
}

// Database files cut short at and around their boundaries, or with absurd lengths and
// counts: the run goes on, keeps the damaged file aside, and leaves sound files behind.
TEST(HostileInput, DamagedDatabaseFilesAreKeptAsideAndReplaced) {
  const Home seed(SCOREX_BRK);
  tools::BrkLogOptions o;
  o.seed = 5;
  o.matches = 2;
  o.players = 3;
  o.bots = 1;
  o.eventsPerMatch = 60;
  seed.write("a.log", tools::generateBrkLog(o));
  ASSERT_EQ(seed.run({"a.log"}).status, 0);
  o.seed = 6;
  o.startDay = 1;
  const std::string next = tools::generateBrkLog(o);

  const std::vector<std::string> files = {"brk_game.db", "brk_records.db", "brk_hash.db",
                                          "brk_player.db"};
  std::vector<std::pair<std::string, std::string>> cuts;  // file, bytes
  for (size_t f = 0; f < 3; ++f) {
    const std::string whole = slurp(seed.file("data/" + files[f]));
    for (size_t n : {size_t{3}, size_t{4}, size_t{5}, size_t{8}, size_t{9}, size_t{20},
                     whole.size() / 2, whole.size() - 1}) {
      cuts.emplace_back(files[f], whole.substr(0, std::min(n, whole.size())));
    }
    const std::string absurd("\0\0\0\1\x7f\xff\xff\xff", 8);
    cuts.emplace_back(files[f], absurd + whole.substr(std::min<size_t>(8, whole.size())));
  }
  const std::string store = slurp(seed.file("data/brk_player.db"));
  cuts.emplace_back("brk_player.db", store.substr(0, 4824 * 5 - 1));
  cuts.emplace_back("brk_player.db", store.substr(0, 4824 * 5 + 1));

  for (const auto& [file, bytes] : cuts) {
    const Home home(SCOREX_BRK);
    for (const std::string& f : files) home.write("data/" + f, slurp(seed.file("data/" + f)));
    home.write("data/" + file, bytes);
    home.write("b.log", next);
    const std::string what = file + " of " + std::to_string(bytes.size()) + " bytes";
    expectSurvived(home.run({"b.log"}), what);
    // The next run reads every file without a complaint.
    const RunResult after = home.run();
    EXPECT_EQ(after.status, 0) << what;
    EXPECT_THAT(after.out, ::testing::Not(HasSubstr("Error in Totals.read"))) << what;
  }
}

}  // namespace
}  // namespace orvane
