// Hostile input, hostile file systems and careless set-ups, through the real programs: no run
// crashes or hangs, loses or doubles a match, leaves the database damaged or touches a file
// outside the home.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <regex>
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
using testing::listing;
using ::testing::Not;
using testing::RunResult;
using testing::slurp;

// A Brakk match of Ann (or the one named) and Bob, one kill each way, started at the logged
// time `when` ("2024.03.01.20.00.00.000.+1"), with these lines after the players enter.
std::string brkMatch(const std::string& when, const std::string& middle = "",
                     const std::string& ann = "Ann") {
  return "0.0\tinfo\tLog_Standard\tqmLog\n0.0\tinfo\tAbsolute_Time\t" + when +
         "\n0.0\tinfo\tmap\tq2dm1\n1\tPlayer_Connect\t" + ann + "\t0\tip\n1\tPlayer_Enter\t" + ann +
         "\t0\n1\tPlayer_Connect\tBob\t1\tip\n1\tPlayer_Enter\tBob\t1\n" + middle +
         "10\tKill\t0\tRailgun\t\t50\t1\tBlaster\t\t60\n"
         "20\tKill\t1\tShotgun\t\t50\t0\tRailgun\t\t60\n30\tGame_End\tfraglimit\n";
}

// The match of day `day` of March 2024 at 20:00; kDay1 is the directory of day 1.
std::string brkDay(int day, const std::string& middle = "") {
  return brkMatch("2024.03." + std::to_string(100 + day).substr(1) + ".20.00.00.000.+1", middle);
}

const char* const kDay1 = "1709319600000";

// The database directory after a run that left no log in it.
const std::string kDataFiles =
    ".scorex-run .scorex-tmp brk_game.db brk_hash.db brk_matches.db brk_player.db brk_ratings.db "
    "brk_records.db scorex.timezone";

size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The run ended by itself with status 0 or 1: no signal, time-out or sanitizer's report.
void expectSurvived(const RunResult& r, const std::string& what) {
  EXPECT_FALSE(r.timedOut) << what;
  EXPECT_LT(r.status, 2) << what << "\n" << r.out << r.err;
  EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << what << r.err;
}

// Writes the lock file of a run active now, so that a start hands its logs over to it.
void lockAsActive(const Home& home) {
  const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  home.write("data/" + std::to_string(now.count()) + ".lock", "");
}

// Runs a program on a log in the home under peak_memory: its peak memory in KiB.
long peakKb(const Home& home, const std::string& program, const std::string& log, RunResult& r) {
  r = testing::runProgram(PEAK_MEMORY, home.options({home.file("peak"), program, log}));
  return std::stol("0" + slurp(home.file("peak")));
}

const std::string kRelease = SCOREX_RELEASE_TREE "/";

TEST(HostileInput, GarbledLinesAndNumbersAtTheLimits) {
  const struct {
    const char* what;
    std::string middle;
  } cases[] = {
      {"a 10 MB line", std::string(10 << 20, 'A') + "\n"},
      {"a 10 MB field", "5\tChat\t0\t" + std::string(10 << 20, 'x') + "\n"},
      {"NUL bytes", std::string("5\tPlayer_Rename\tAnn\tA\0n\t0\t3\n\0\0\0\n", 32)},
      {"lone CRs", "5\tChat\t0\thi\r6\tChat\t1\tho\r\r\n"},
      {"32-bit limits",
       "5\tKill\t0\tRailgun\t\t2147483647\t1\tBlaster\t\t-2147483648\n"
       "6\tPlayer_Connect\tMax\t2147483647\tip\n6\tPlayer_Enter\tMax\t2147483647\n"
       "7\tKill\t2147483647\tRailgun\t\t2147483647\t-2147483648\tBlaster\t\t0\n"
       "8\tPlayer_Accuracy\t0\tRailgun:2147483647:2147483647:2147483647:2147483647\t"
       "damage:2147483647:-2147483648\n"},
      {"markup in names", "5\tPlayer_Rename\tAnn\t<script>\"'&</b>\t0\t3\n"},
  };
  for (const auto& c : cases) {
    const Home home(SCOREX_BRK);
    home.write("in.log", brkDay(1, c.middle));
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
  home.write("in.log", brkDay(1));
  const RunResult r = home.run({"in.log", "gone.log"});
  expectSurvived(r, "locks and logs");
  for (const std::string& line : std::vector<std::string>{
           "Players in DB:2\n", "Error in core.moveLogFiles: ", "not-a-number",
           "Error in core.getLogfileData: FileNotFoundException: " + home.file("data/folder.log") +
               " (Is a directory)\n"}) {
    EXPECT_THAT(r.out, HasSubstr(line));
  }
  // What could not be read is not marked processed: it stays as it was.
  EXPECT_EQ(listing(home.file("data")).find(".del"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(home.file("data/folder.log")));
  EXPECT_FALSE(fs::exists(home.file("data/9223372036854775807.lock")));
}

// Logs the program may not read (as an unprivileged user: root reads all) stay where they are,
// queued ones never marked processed and deleted unread, and once readable are merged.
TEST(HostileInput, UnreadableLogsStayUntilTheyCanBeRead) {
  Home home(SCOREX_BRK);
  const char* const logs[] = {"named.log", "data/queued.log", "first.log", "second.log"};
  for (int day = 0; day < 4; ++day) home.write(logs[day], brkDay(day + 1));
  fs::permissions(home.file("named.log"), fs::perms::none);
  fs::permissions(home.file("data/queued.log"), fs::perms::none);
  if (!home.unprivileged()) GTEST_SKIP() << "no unprivileged user to run as";
  const RunResult r = home.expectRun(0, {"named.log", "first.log"});
  EXPECT_THAT(r.out, HasSubstr("Error in core.moveLogFiles: IOException: " +
                               home.file("named.log") + " (Permission denied)\n"));
  EXPECT_THAT(r.out, HasSubstr("Error in core.getLogfileData: IOException: " +
                               home.file("data/queued.log") + " (Permission denied)\n"));
  EXPECT_TRUE(fs::exists(home.file("named.log")));
  EXPECT_EQ(listing(home.file("data")).find(".del"), std::string::npos);

  // Readable again: the queued log is merged by the next run, with the next new log.
  fs::permissions(home.file("data/queued.log"), fs::perms::owner_read | fs::perms::owner_write);
  const RunResult again = home.expectRun(0, {"second.log"});
  EXPECT_THAT(again.out, HasSubstr(": queued.log\n"));
  EXPECT_EQ(listing(home.file("data")).find(".log"), std::string::npos);
  EXPECT_EQ(home.matchDirs().size(), 3u);
}

// Peak memory on the Release build: the garbled lines stay below a few times their log, a
// match of 2,000 active players below 1 GiB, and a 128 MB log handed over to an active run is
// copied in pieces ("" stands for it).
TEST(HostileInput, MemoryStaysBoundedOnTheReleaseBuild) {
  if (!fs::exists(kRelease + "ScorexBRK") || !fs::exists(kRelease + "ScorexZLN")) {
    GTEST_SKIP() << "no Release build at " << kRelease;
  }
  const size_t ten = 10 << 20;
  const long tenLogs = 3 * (ten >> 10);
  const struct {
    const char* what;
    std::string program;
    std::string log;
    long limitKb;
  } cases[] = {
      {"a 10 MB line", "ScorexBRK", brkDay(1, std::string(ten, 'A') + "\n"), tenLogs},
      {"a 10 MB name of markup", "ScorexBRK",
       brkDay(1, "5\tPlayer_Rename\tAnn\t" + std::string(ten, '<') + "\t0\t3\n"), tenLogs},
      {"a 10 MB line of tabs", "ScorexBRK",
       brkDay(1, "5\tPlayer_Accuracy\t0" + std::string(ten, '\t') + "\n"), tenLogs},
      {"2,000 players", "ScorexBRK",
       tools::generateBrkLog({.matches = 1, .players = 2000, .bots = 10, .eventsPerMatch = 20000}),
       1 << 20},
      {"2,000 players of Zolnar", "ScorexZLN",
       tools::generateZlnLog({.players = 2000, .bots = 10, .eventsPerMatch = 20000}), 1 << 20},
      {"a 128 MB log copied", "ScorexBRK", "", 32 << 10},
  };
  for (const auto& c : cases) {
    const Home home(kRelease + c.program);
    home.write("in.log", c.log);
    if (c.log.empty()) fs::resize_file(home.file("in.log"), 128 << 20);
    if (c.log.empty()) lockAsActive(home);
    RunResult r;
    const long peak = peakKb(home, kRelease + c.program, "in.log", r);
    expectSurvived(r, c.what);
    EXPECT_GT(peak, 0) << c.what;
    EXPECT_LT(peak, c.limitKb) << c.what;
    EXPECT_EQ(r.out.find("Players in DB:20") != std::string::npos, c.limitKb == 1 << 20) << c.what;
    if (c.log.empty()) {
      EXPECT_EQ(r.status, 0) << r.out;
      EXPECT_EQ(fs::file_size(home.file("data/in.log")), 128u << 20);
    }
  }
}

// Peak memory on the Release build grows with one match, not with its log: a run holds its log
// and the match it replays, never a log's matches or a match's lines at once. Each case stays
// within 64 MB plus one log (the commit before held every match of a log: 1.1 GB for the 50 MB
// log, 5.4 GB for the 20,000 matches, 175 MB for the 600,000 lines of one match).
TEST(HostileInput, MemoryGrowsWithOneMatchNotWithTheLog) {
  if (!fs::exists(kRelease + "ScorexBRK") || !fs::exists(kRelease + "ScorexZLN")) {
    GTEST_SKIP() << "no Release build at " << kRelease;
  }
  // The generators of the Release tree write the big logs (a few seconds where this test's
  // own build would take a minute).
  const auto generated = [](const std::string& tool, std::vector<std::string> args) {
    return [tool, args](const Home& home) {
      testing::RunOptions o;
      o.args = args;
      const RunResult g = testing::runProgram(kRelease + tool, o);
      ASSERT_EQ(g.status, 0) << g.err;
      home.write("in.log", g.out);
    };
  };
  std::string respawns;
  for (int i = 0; i < 600000; ++i) respawns += "5\tPlayer_Respawn\t" + std::to_string(i % 2) + "\n";
  const struct {
    const char* what;
    std::string program;
    std::function<void(const Home&)> write;
  } cases[] = {
      {"a 50 MB log", "ScorexBRK", generated("brkgen", {"--seed", "3", "--mb", "50"})},
      {"a 200 MB log", "ScorexBRK", generated("brkgen", {"--seed", "4", "--mb", "200"})},
      {"20,000 tiny matches", "ScorexBRK",
       generated("brkgen", {"--seed", "5", "--matches", "20000", "--events", "5"})},
      {"50,000 matches", "ScorexBRK",
       generated("brkgen", {"--seed", "6", "--matches", "50000", "--events", "3"})},
      {"a match of 600,000 lines", "ScorexBRK",
       [&](const Home& home) { home.write("in.log", brkDay(1, respawns)); }},
      {"a Zolnar match of 300,000 events", "ScorexZLN",
       generated("zlngen", {"--seed", "1", "--type", "DeathMatchPlus", "--players", "16",
                            "--events", "300000"})},
  };
  for (const auto& c : cases) {
    const Home home(kRelease + c.program);
    c.write(home);
    const long logKb = static_cast<long>(fs::file_size(home.file("in.log")) >> 10);
    RunResult r;
    const long peak = peakKb(home, kRelease + c.program, "in.log", r);
    expectSurvived(r, c.what);
    EXPECT_EQ(r.status, 0) << c.what;
    EXPECT_GT(peak, 0) << c.what;
    EXPECT_LT(peak, (64 << 10) + logKb) << c.what;
    EXPECT_FALSE(home.matchDirs().empty()) << c.what;
  }
}

// Database files cut short at and around their boundaries, or with absurd counts: the run goes
// on, keeps the damaged file aside and leaves sound files behind.
TEST(HostileInput, DamagedDatabaseFilesAreKeptAsideAndReplaced) {
  const Home seed(SCOREX_BRK);
  tools::BrkLogOptions o{.seed = 5, .matches = 2, .players = 3, .bots = 1, .eventsPerMatch = 60};
  seed.write("a.log", tools::generateBrkLog(o));
  seed.expectRun(0, {"a.log"});
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
      cuts.emplace_back(files[f], whole.substr(0, n));
    }
    cuts.emplace_back(files[f], std::string("\0\0\0\1\x7f\xff\xff\xff", 8) + whole.substr(8));
  }
  for (const size_t n : {4824 * 5 - 1, 4824 * 5 + 1}) {
    cuts.emplace_back("brk_player.db", slurp(seed.file("data/brk_player.db")).substr(0, n));
  }

  for (const auto& [file, bytes] : cuts) {
    const Home home(SCOREX_BRK);
    for (const std::string& f : files) home.write("data/" + f, slurp(seed.file("data/" + f)));
    home.write("data/" + file, bytes);
    home.write("b.log", next);
    SCOPED_TRACE(file + " of " + std::to_string(bytes.size()) + " bytes");
    expectSurvived(home.run({"b.log"}), "");
    // The next run reads every file without a complaint.
    EXPECT_THAT(home.expectRun(0).out, Not(HasSubstr("Error in Totals.read")));
  }
}

// A match is known by its time stamp. Zones logged as clocks or by name are read; a match with
// no readable time is not merged, with a line naming its log and line (stamped 0, every later
// such match was a repeat of the first). Control bytes of log names reach the trace as \xNN (a
// planted escape sequence cannot drive the admin's terminal); names in page headings are
// escaped as in page titles.
TEST(HostileFiles, MatchTimesInEveryCommonFormOrNotAtAllAndHostileNamesShownHarmlessly) {
  const Home home(SCOREX_BRK);
  const std::string noTime =
      std::regex_replace(brkMatch("x"), std::regex("0.0\tinfo\tAbsolute_Time\tx\n"), "");
  const std::string evil = "a-evil\x1B]0;owned\x07\x1B[2J.log";
  home.write(evil, brkMatch("2024.03.01.20.00.00.000.+05:30", "", "Ann Lee"));
  home.write("b.log", brkMatch("2024.03.01.20.00.00.000.UTC") + noTime);
  home.write("c.log", brkMatch("2024.03.02.20.00.00.000.PST"));
  home.write("d.log",
             brkMatch("2024.03.03.20.00.00.000.") + brkMatch("2024.03.04.20.00.00.000.+1:5"));
  const RunResult r = home.expectRun(0, {evil, "b.log", "c.log", "d.log"});
  EXPECT_EQ(home.matchDirs(), (std::vector<std::string>{"1709303400000", "1709323200000"}));
  EXPECT_EQ(r.out.find('\x1B'), std::string::npos) << r.out;
  EXPECT_THAT(r.out, HasSubstr("a-evil\\x1B]0;owned\\x07\\x1B[2J.log"));
  EXPECT_THAT(slurp(home.file("html/Total_Game_Stats/0.html")),
              HasSubstr(">Career Totals for Ann&nbsp;Lee</td>"));
  for (const char* where : {"b.log line 11", "c.log line 1", "d.log line 1", "d.log line 11"}) {
    EXPECT_THAT(r.out, HasSubstr(std::string("Error in core.getGameStats: ") + where +
                                 ": the match there has no readable start time (Absolute_Time); "
                                 "it is not merged\n"));
  }
}

// A log offered again by a run in another time zone (cron in one, by hand in another) is a
// repeat: the home keeps its first run's zone. A run that merges nothing (repeats only, or
// nothing waiting) rewrites neither the database nor the all-time pages.
TEST(HostileFiles, RepeatsInAnotherTimeZoneAndEmptyRunsWriteNothing) {
  const Home home(SCOREX_BRK);
  home.write("a.log", brkDay(1));
  home.expectRun(0, {"a.log"}, {{"TZ", "America/New_York"}});
  EXPECT_EQ(slurp(home.file("data/scorex.timezone")), "America/New_York\n");
  auto inodes = [&home] {
    std::string ids;
    for (const char* f : {"data/brk_game.db", "data/brk_records.db", "data/brk_hash.db",
                          "data/brk_player.db", "html/Scorex_Main.html"}) {
      struct stat st {};
      ids += std::to_string(::stat(home.file(f).c_str(), &st) == 0 ? st.st_ino : 0) + " ";
    }
    return ids;
  };
  const std::string before = inodes();
  EXPECT_THAT(home.expectRun(0, {"a.log"}, {{"TZ", "Asia/Tokyo"}}).out,
              HasSubstr("Dates are read in this home's time zone America/New_York (from " +
                        home.file("data/scorex.timezone") + "), not in Asia/Tokyo\n"));
  home.expectRun(0);
  EXPECT_EQ(inodes(), before);
  EXPECT_EQ(home.matchDirs().size(), 1u);
}

// Pages that cannot be written: the run saves nothing, ends with status 1 and leaves its logs
// queued; the next run that can write does the whole job.
TEST(HostileFiles, PagesThatCannotBeWrittenKeepTheRunFromSaving) {
  Home home(SCOREX_BRK);
  home.expectRun(0);  // the site's static files and an empty database
  if (!home.unprivileged()) GTEST_SKIP() << "no unprivileged user to run as";
  home.write("a.log", brkDay(1));
  home.handOver(home.file("a.log"));
  const std::string db = slurp(home.file("data/brk_game.db"));
  fs::permissions(home.file("html"),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_THAT(home.expectRun(1, {"a.log"}).out,
              HasSubstr("Error in core.go: pages could not be written into " + home.file("html/") +
                        "; nothing was saved, the logs stay queued for the next run\n"));
  EXPECT_EQ(slurp(home.file("data/brk_game.db")), db);
  EXPECT_EQ(slurp(home.file("data/a.log")), brkDay(1));

  fs::permissions(home.file("html"), fs::perms::owner_write, fs::perm_options::add);
  home.expectRun(0);
  EXPECT_EQ(home.matchDirs().size(), 1u);
  EXPECT_FALSE(fs::exists(home.file("data/a.log")));
  EXPECT_THAT(slurp(home.file("html/Individual_Game_Stats/Recent_Index.html")), HasSubstr("q2dm1"));
}

// Neither the clean-up of old matches nor the match pages go through a link planted in the place
// of an old match, "Highest_Score", "Last_Game" or the new match: the link goes, what it names
// stays whole, the pages go into a real directory; an admin's own folder stays. Temporary files
// live in a staging directory per tree: what a dead writer left there (or beside a database
// file) goes, a staging directory planted as a link is replaced without being followed; a file
// that a writer beside the run (without its lock) still holds stays.
TEST(HostileFiles, PlantedLinksAreNeverFollowedAndDeadWritersLeftoversGo) {
  const Home home(SCOREX_BRK);
  const std::string games = home.file("html/Individual_Game_Stats/");
  home.write("html/Individual_Game_Stats/Old matches/index.html", "mine");
  home.write("victim/index.html", "precious");
  home.write("victim/0.html", "precious");
  for (const std::string name : {"1000", "Highest_Score", "Last_Game", kDay1}) {
    fs::create_directory_symlink(home.file("victim"), games + name);
  }
  home.write("data/.scorex-tmp/.saving-brk_game.db.0123456789abcdef", "half");
  home.write("data/.saving-brk_hash.db.4242", "half");
  fs::create_directory_symlink(home.file("victim"), home.file("html/.scorex-tmp"));
  home.write("a.log", brkDay(1));
  home.expectRun(0, {"a.log"});
  EXPECT_EQ(listing(home.file("victim")), "0.html index.html");
  EXPECT_EQ(slurp(home.file("victim/index.html")) + slurp(home.file("victim/0.html")),
            "preciousprecious");
  EXPECT_EQ(listing(games),
            std::string(kDay1) + " Highest_Score Last_Game Old matches Recent_Index.html");
  for (const std::string name : {kDay1, "Highest_Score", "Last_Game"}) {
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(games + name))) << name;
    EXPECT_EQ(listing(games + name), "0.html 1.html index.html zbot.html") << name;
  }
  EXPECT_EQ(slurp(games + "Old matches/index.html"), "mine");
  EXPECT_EQ(listing(home.file("data/.scorex-tmp")), "");
  EXPECT_EQ(listing(home.file("data")), kDataFiles);
  EXPECT_FALSE(fs::exists(fs::symlink_status(home.file("html/.scorex-tmp"))));

  // A start taking a log in beside the run holds the staging directory while it copies.
  const std::string copying = home.write("data/.scorex-tmp/.incoming-1-0.part", "copying");
  const int held = ::open(home.file("data/.scorex-tmp").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(::flock(held, LOCK_SH), 0);
  home.expectRun(0);
  EXPECT_EQ(slurp(copying), "copying");
  ::close(held);
  home.expectRun(0);
  EXPECT_EQ(listing(home.file("data/.scorex-tmp")), "");
}

// Links planted as database files: a dangling one never gets its target created, one to a file
// is neither read, kept aside as damaged nor saved over; the run saves nothing and keeps its
// log, and once the links are gone the next run counts the match.
TEST(HostileFiles, LinksInTheDatabaseDirectoryAreNeverFollowed) {
  const Home home(SCOREX_BRK);
  home.write("victim/keep", "secret");
  for (const std::string name : {"brk_player.db", ".scorex-run"}) {
    fs::create_symlink(home.file("victim/" + name), home.file("data/" + name));
  }
  fs::create_symlink(home.file("victim/keep"), home.file("data/brk_game.db"));
  home.write("a.log", brkDay(1));
  home.expectRun(1, {"a.log"});
  EXPECT_EQ(listing(home.file("victim")), "keep");
  fs::remove(home.file("data/brk_player.db"));
  fs::remove(home.file("data/.scorex-run"));
  home.expectRun(1);
  EXPECT_EQ(slurp(home.file("victim/keep")), "secret");
  EXPECT_EQ(listing(home.file("data")).find("damaged"), std::string::npos);
  fs::remove(home.file("data/brk_game.db"));
  EXPECT_EQ(count(home.expectRun(0).out, "Now Processing log 1 of 1: a.log"), 1u);
  EXPECT_EQ(listing(home.file("victim")), "keep");
}

// Intake takes in only what the queue processes: other files stay where they are, even in
// "delete" mode, and a log never takes a name of the database's own files. A log whose name
// leaves no room for ".del" (named or put straight into the queue) would be read at every run:
// it is queued under a shorter name, with a counter where that is taken. A stale ".tmp" beside
// a log of its name takes a counter name.
TEST(HostileFiles, OnlyLogsAreTakenInAndUnderNamesThatCanBeMarked) {
  const Home home(SCOREX_BRK, "LogFileHandling\tdelete\n");
  const std::string longest(251, 'n');  // with ".log", 255 bytes: the usual longest name
  const std::string spool[] = {"a.log", ".hidden.log", "scorex.journal.log", longest + ".log",
                               longest.substr(1) + ".log"};  // the last two shortened the same
  for (int day = 0; day < 5; ++day) home.write("spool/" + spool[day], brkDay(day + 1));
  home.write("data/" + std::string(249, 'q') + ".log", brkDay(6));
  home.write("spool/notes.txt", "notes");
  home.write("spool/README", "readme");
  home.write("other/brk_game.db", brkDay(7));
  home.write("other/scorex.journal", "junk");
  const RunResult r = home.expectRun(0, {"spool", "other/brk_game.db", "other/scorex.journal"});
  EXPECT_EQ(count(r.out, "Not a log, left where it is: "), 4u) << r.out;
  EXPECT_EQ(count(r.out, " (name too long): "), 3u) << r.out;
  EXPECT_THAT(r.out, HasSubstr("Log queued as " + longest.substr(6) + "-1.log (name too long): "));
  EXPECT_THAT(r.out, HasSubstr("Log queued as _.hidden.log (name reserved): " +
                               home.file("spool/.hidden.log") + "\n"));
  EXPECT_THAT(r.out, HasSubstr(": _scorex.journal.log\n"));
  EXPECT_EQ(listing(home.file("spool")) + "|" + listing(home.file("other")),
            "README notes.txt|brk_game.db scorex.journal");
  EXPECT_EQ(listing(home.file("data")), kDataFiles);
  EXPECT_EQ(home.matchDirs().size(), 6u);
  EXPECT_THAT(home.run().out, Not(HasSubstr("Now Processing")));

  // In "save" mode the spool keeps x.log; a stale x.tmp that appears beside it is taken in.
  home.configure("");
  home.write("save/x.log", brkDay(8));
  home.expectRun(0, {"save"});
  const std::string tmp = home.write("save/x.tmp", brkDay(9));
  fs::last_write_time(tmp, fs::file_time_type::clock::now() - std::chrono::hours(3));
  home.expectRun(0, {"save"});
  EXPECT_EQ(listing(home.file("save")), "x-1.log x.log");
  EXPECT_EQ(home.matchDirs().size(), 8u);
}

// "move" mode keeps every original: a name taken in SaveDir gets a counter. Without SaveDir
// the log stays where it was, with an error; its copy taken in is processed all the same.
TEST(HostileFiles, MoveModeKeepsEveryOriginal) {
  const Home home(SCOREX_BRK, "LogFileHandling\tmove\nSaveDir\tsaved\n");
  home.write("saved/a.log", "kept");
  home.write("spool/a.log", brkDay(1));
  home.expectRun(0, {"spool"});
  EXPECT_EQ(listing(home.file("spool")) + "|" + listing(home.file("saved")), "|a-1.log a.log");
  EXPECT_EQ(slurp(home.file("saved/a.log")), "kept");
  EXPECT_EQ(slurp(home.file("saved/a-1.log")), brkDay(1));

  fs::remove_all(home.file("saved"));
  home.write("spool/b.log", brkDay(2));
  EXPECT_THAT(home.expectRun(0, {"spool"}).out,
              HasSubstr("Error in core.moveLogFiles: FileNotFoundException: SaveDir " +
                        home.file("saved/") + " (No such file or directory): " +
                        home.file("spool/b.log") + " was not moved\n"));
  EXPECT_EQ(listing(home.file("spool")), "b.log");
  EXPECT_EQ(home.matchDirs().size(), 2u);
}

// Directories that would mix the database, the site and the saved logs, or publish the
// database or the saved logs (players' addresses) with the site, are refused before anything
// is taken in or written. SaveDir is used in "move" mode only.
TEST(HostileFiles, DirectoriesThatMixOrPublishAreRefusedAtStart) {
  const std::string move = "LogFileHandling\tmove\n";
  const std::string one = " are one directory: ";
  const std::string publish = " lies inside HTMLDirectory, which would publish it: ";
  const struct {
    std::string config;
    std::string error;  // the directory, relative to the home, follows
    std::string dir;
  } cases[] = {
      {"DBDir\tsite\nHTMLDirectory\tsite/\n", "DBDir and HTMLDirectory" + one, "site"},
      {"DBDir\tlink\n", "DBDir and HTMLDirectory" + one, "html"},
      {"DBDir\thtml/data/\n", "DBDir" + publish, "html/data"},
      {move + "SaveDir\tdata/../data\n", "SaveDir and DBDir" + one, "data"},
      {move + "SaveDir\thtml\n", "SaveDir and HTMLDirectory" + one, "html"},
      {move + "SaveDir\thtml/old\n", "SaveDir" + publish, "html/old"},
      {"SaveDir\tdata\n", "", ""},
  };
  for (const auto& c : cases) {
    const Home home(SCOREX_BRK, c.config);
    fs::create_directory_symlink("html", home.file("link"));
    home.write("spool/a.log", brkDay(1));
    const RunResult r = home.expectRun(c.error.empty() ? 0 : 1, {"spool"});
    if (c.error.empty()) continue;
    EXPECT_THAT(r.out, HasSubstr("Error in qmsToplvl.go: ConfigurationException: " + c.error +
                                 fs::canonical(home.path()).string() + "/" + c.dir + "\n"))
        << c.config;
    EXPECT_EQ(listing(home.file("html")) + "|" + listing(home.file("data")) + "|" +
                  listing(home.file("spool")),
              "||a.log")
        << c.config;
  }
}

// Input that is no regular file, or too large, neither blocks a run nor fills its memory: a
// FIFO or a device named like a log, or a log above MaxLogSize, is refused with an error and
// stays where it is, in a spool (in every mode) as in the queue. A copy taken in keeps the
// original's permissions.
TEST(HostileFiles, OnlyRegularLogsOfBoundedSizeAreTakenInOrRead) {
  const Home home(SCOREX_BRK, "MaxLogSize\t100000\n");
  home.write("spool/a.log", brkDay(1));
  ASSERT_EQ(::mkfifo(home.file("spool/fifo.log").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", home.file("spool/zero.log"));
  ASSERT_EQ(::mkfifo(home.file("data/fifo.log").c_str(), 0644), 0);
  for (const char* big : {"spool/big.log", "data/big.log"}) {
    home.write(big, "");
    fs::resize_file(home.file(big), 100001);
  }
  const RunResult r = home.expectRun(0, {"spool"});
  const std::string tooLarge = " (too large: 100001 bytes, the limit is 100000)\n";
  const std::string irregular = " (Not a regular file)\n";
  for (const std::string& line :
       {"moveLogFiles: IOException: " + home.file("spool/big.log") + tooLarge,
        "moveLogFiles: IOException: " + home.file("spool/fifo.log") + irregular,
        "moveLogFiles: IOException: " + home.file("spool/zero.log") + irregular,
        "getLogfileData: IOException: " + home.file("data/big.log") + tooLarge,
        "getLogfileData: IOException: " + home.file("data/fifo.log") + irregular}) {
    EXPECT_THAT(r.out, HasSubstr("Error in core." + line));
  }
  EXPECT_EQ(home.matchDirs().size(), 1u);
  EXPECT_EQ(listing(home.file("data")),
            ".scorex-run .scorex-tmp big.log brk_game.db brk_hash.db brk_matches.db brk_player.db "
            "brk_ratings.db brk_records.db fifo.log scorex.timezone");

  // Moved rather than copied, the logs are checked first; the default limit is 1 GiB.
  fs::rename(home.file("spool/big.log"), home.file("spool/huge.log"));
  fs::resize_file(home.file("spool/huge.log"), (int64_t{1} << 30) + 1);
  home.configure("LogFileHandling\tdelete\n");
  const RunResult moved = home.run({"spool"});
  EXPECT_FALSE(moved.timedOut);
  EXPECT_THAT(moved.out, HasSubstr(home.file("spool/huge.log") +
                                   " (too large: 1073741825 bytes, the limit is 1073741824)\n"));
  EXPECT_EQ(count(moved.out, irregular), 3u) << moved.out;
  EXPECT_EQ(listing(home.file("spool")), "fifo.log huge.log zero.log");

  // Handed over to an active run, a private log's copy waits in the queue, private too.
  lockAsActive(home);
  const std::string secret = home.write("secret.log", brkDay(2));
  fs::permissions(secret, fs::perms::owner_read | fs::perms::owner_write);
  home.configure("");
  home.expectRun(0, {"secret.log"});
  EXPECT_EQ(fs::status(home.file("data/secret.log")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace orvane
