// Hostile input through the real program: nothing may crash or hang it, each case gets its
// message, and the database is never left damaged.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Subprocess.h"
#include "TempDir.h"
#include "tools/BrkLogGenerator.h"
#include "tools/ZlnLogGenerator.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using testing::listing;
using testing::RunOptions;
using testing::RunResult;
using testing::slurp;
using testing::TempDir;

const std::string kHead =
    "0.0\tinfo\tLog_Standard\tqmLog\n0.0\tinfo\tAbsolute_Time\t2024.03.01.20.00.00.000.+1\n"
    "0.0\tinfo\tmap\tq2dm1\n";

void prepare(const TempDir& home) {
  home.mkdir("data");
  home.mkdir("html");
  home.write("ScorexBRK.cfg", "SpawnBrowser\tfalse\n");
}

RunOptions options(const TempDir& home, std::vector<std::string> args) {
  RunOptions o;
  o.args = std::move(args);
  o.cwd = home.path();
  o.env["DISPLAY"] = std::nullopt;
  o.env["TZ"] = "UTC";
  o.timeoutMs = 120000;
  return o;
}
RunResult run(const TempDir& home, std::vector<std::string> args) {
  return testing::runProgram(SCOREX_BRK, options(home, std::move(args)));
}

// A match of two players with one kill each way, the lines in between given.
std::string duel(const std::string& middle) {
  return kHead +
         "1\tPlayer_Connect\tAnn\t0\tip\n1\tPlayer_Enter\tAnn\t0\n"
         "1\tPlayer_Connect\tBob\t1\tip\n1\tPlayer_Enter\tBob\t1\n" +
         middle +
         "10\tKill\t0\tRailgun\t\t50\t1\tBlaster\t\t60\n"
         "20\tKill\t1\tShotgun\t\t50\t0\tRailgun\t\t60\n30\tGame_End\tfraglimit\n";
}

// The run ended by itself (no signal, no time-out) and merged the match it should.
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
    TempDir home;
    prepare(home);
    home.write("in.log", c.log);
    const RunResult r = run(home, {"in.log"});
    expectSurvived(r, c.what);
    EXPECT_NE(r.out.find("Players in DB:"), std::string::npos) << c.what << r.out;
    const std::string index = slurp(home.file("html/Individual_Game_Stats/Last_Game/index.html"));
    EXPECT_EQ(index.find("<script>"), std::string::npos) << c.what;
  }
}

TEST(HostileInput, OddLocksUnreadableAndVanishedLogs) {
  TempDir home;
  prepare(home);
  home.write("data/not-a-number.lock", "");
  home.write("data/99999999999999999999.lock", "");
  home.write("data/9223372036854775807.lock", "");  // far in the future: a wrong clock
  home.mkdir("data/folder.log");                    // named like a log, but a directory
  home.write("in.log", duel(""));
  const RunResult r = run(home, {"in.log", "gone.log"});
  expectSurvived(r, "locks and logs");
  EXPECT_NE(r.out.find("Players in DB:2\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Error in core.moveLogFiles: "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("not-a-number"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Error in core.getLogfileData: FileNotFoundException: " +
                       home.file("data/folder.log") + " (Is a directory)\n"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(fs::exists(home.file("data/9223372036854775807.lock")));
  // What could not be read is not marked processed: it stays as it was.
  EXPECT_TRUE(fs::is_directory(home.file("data/folder.log")));
  EXPECT_FALSE(fs::exists(home.file("data/folder.log.del")));
}

// Logs the program may not read, checked as an unprivileged user (as root every file is
// readable): one named on the command line stays where it is, one already queued stays queued
// (never marked processed, so never deleted unread), and once readable it is merged.
TEST(HostileInput, UnreadableLogsStayUntilTheyCanBeRead) {
  TempDir home;
  prepare(home);
  tools::BrkLogOptions o;
  o.matches = 1;
  auto log = [&](int day) {
    o.seed = static_cast<uint32_t>(day + 1);
    o.startDay = day;
    return tools::generateBrkLog(o);
  };
  home.write("named.log", log(0));
  home.write("data/queued.log", log(1));
  home.write("first.log", log(2));
  home.write("second.log", log(3));
  fs::permissions(home.file("named.log"), fs::perms::none);
  fs::permissions(home.file("data/queued.log"), fs::perms::none);
  RunOptions first = options(home, {"named.log", "first.log"});
  // The program runs from a copy in the home: the build tree may lie where the other user
  // cannot go.
  const std::string program = home.file("ScorexBRK");
  fs::copy_file(SCOREX_BRK, program);
  if (geteuid() == 0) {
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) GTEST_SKIP() << "no unprivileged user to run as";
    first.uid = static_cast<int>(nobody->pw_uid);
    first.gid = static_cast<int>(nobody->pw_gid);
    for (const auto& e : fs::recursive_directory_iterator(home.path())) {
      ASSERT_EQ(lchown(e.path().c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    ASSERT_EQ(chown(home.path().c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  }
  const RunResult r = testing::runProgram(program, first);
  expectSurvived(r, "unreadable logs");
  EXPECT_EQ(r.status, 0) << r.out;
  for (const std::string& line :
       {"Error in core.moveLogFiles: IOException: " + home.file("named.log") +
            " (Permission denied)\n",
        "Error in core.getLogfileData: IOException: " + home.file("data/queued.log") +
            " (Permission denied)\n"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
  }
  EXPECT_TRUE(fs::exists(home.file("named.log")));
  EXPECT_TRUE(fs::exists(home.file("data/queued.log")));
  EXPECT_FALSE(fs::exists(home.file("data/queued.log.del")));

  // Readable again: the queued log is merged by the next run, with the next new log.
  fs::permissions(home.file("data/queued.log"), fs::perms::owner_read | fs::perms::owner_write);
  RunOptions second = first;
  second.args = {"second.log"};
  const RunResult again = testing::runProgram(program, second);
  EXPECT_EQ(again.status, 0) << again.out;
  EXPECT_NE(again.out.find(": queued.log\n"), std::string::npos) << again.out;
  EXPECT_EQ(again.out.find("Error"), std::string::npos) << again.out;
  EXPECT_EQ(listing(home.file("data")).find(".log"), std::string::npos);
  size_t matches = 0;
  for (const auto& e : fs::directory_iterator(home.file("html/Individual_Game_Stats"))) {
    const std::string name = e.path().filename().string();
    matches += e.is_directory() && name != "Last_Game" && name != "Highest_Score";
  }
  EXPECT_EQ(matches, 3u);
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
    bool zolnar;
    std::string log;
    long limitKb;
  } cases[] = {
      {"a 10 MB line", false, duel(std::string(ten, 'A') + "\n"), 3 * (ten >> 10)},
      {"a 10 MB name of markup", false,
       duel("5\tPlayer_Rename\tAnn\t" + std::string(ten, '<') + "\t0\t3\n"), 3 * (ten >> 10)},
      {"a 10 MB line of tabs", false, duel("5\tPlayer_Accuracy\t0" + std::string(ten, '\t') + "\n"),
       3 * (ten >> 10)},
      {"2,000 players", false, tools::generateBrkLog(crowd), 1 << 20},
      {"2,000 players of Zolnar", true, tools::generateZlnLog(zlnCrowd), 1 << 20},
  };
  for (const auto& c : cases) {
    TempDir home;
    prepare(home);
    home.write("ScorexZLN.cfg", "SpawnBrowser\tfalse\n");
    home.write("in.log", c.log);
    const std::string report = home.file("peak");
    const RunResult r =
        testing::runProgram(PEAK_MEMORY, options(home, {report, c.zolnar ? zln : brk, "in.log"}));
    expectSurvived(r, c.what);
    EXPECT_LT(std::stol("0" + slurp(report)), c.limitKb) << c.what;
    EXPECT_GT(std::stol("0" + slurp(report)), 0) << c.what;
    if (c.limitKb == 1 << 20) {
      EXPECT_NE(r.out.find("Players in DB:20"), std::string::npos) << c.what << r.out;
    }
  }
}

// Database files cut short at and around their boundaries, or with absurd lengths and
// counts: the run goes on, keeps the damaged file aside, and leaves sound files behind.
TEST(HostileInput, DamagedDatabaseFilesAreKeptAsideAndReplaced) {
  TempDir seed;
  prepare(seed);
  tools::BrkLogOptions o;
  o.seed = 5;
  o.matches = 2;
  o.players = 3;
  o.bots = 1;
  o.eventsPerMatch = 60;
  seed.write("a.log", tools::generateBrkLog(o));
  ASSERT_EQ(run(seed, {"a.log"}).status, 0);
  o.seed = 6;
  o.startDay = 1;
  const std::string next = tools::generateBrkLog(o);

  const std::string absurd = std::string("\0\0\0\1\x7f\xff\xff\xff", 8);
  struct Cut {
    std::string file;
    std::string bytes;
  };
  std::vector<Cut> cuts;
  for (const char* file : {"brk_game.db", "brk_records.db", "brk_hash.db"}) {
    const std::string whole = slurp(seed.file(std::string("data/") + file));
    for (size_t n : {size_t{3}, size_t{4}, size_t{5}, size_t{8}, size_t{9}, size_t{20},
                     whole.size() / 2, whole.size() - 1}) {
      cuts.push_back({file, whole.substr(0, std::min(n, whole.size()))});
    }
    cuts.push_back({file, absurd + whole.substr(std::min<size_t>(8, whole.size()))});
  }
  const std::string store = slurp(seed.file("data/brk_player.db"));
  cuts.push_back({"brk_player.db", store.substr(0, 4824 * 5 - 1)});
  cuts.push_back({"brk_player.db", store.substr(0, 4824 * 5 + 1)});

  for (const Cut& c : cuts) {
    TempDir home;
    prepare(home);
    for (const char* f : {"brk_game.db", "brk_records.db", "brk_hash.db", "brk_player.db"}) {
      fs::copy_file(seed.file(std::string("data/") + f), home.file(std::string("data/") + f));
    }
    home.write("data/" + c.file, c.bytes);
    home.write("b.log", next);
    const std::string what = c.file + " of " + std::to_string(c.bytes.size()) + " bytes";
    const RunResult r = run(home, {"b.log"});
    expectSurvived(r, what);
    // The next run reads every file without a complaint.
    const RunResult after = run(home, {});
    EXPECT_EQ(after.status, 0) << what;
    EXPECT_EQ(after.out.find("Error in Totals.read"), std::string::npos) << what << after.out;
  }
}

}  // namespace
}  // namespace orvane
