// Hostile file systems and careless set-ups, through the real programs: no match is lost or
// counted twice, and no file outside the home is touched, whatever the admin or another user
// of the machine left in the way.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "Home.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::Home;
using testing::listing;
using testing::RunResult;
using testing::slurp;

// A Brakk match of two players with one kill each way, started at the logged time `when`
// ("2024.03.01.20.00.00.000.+1"), the players' names given.
std::string brkMatch(const std::string& when, const std::string& a = "Ann",
                     const std::string& b = "Bob") {
  return "0.0\tinfo\tLog_Standard\tqmLog\n0.0\tinfo\tAbsolute_Time\t" + when +
         "\n0.0\tinfo\tmap\tq2dm1\n1\tPlayer_Connect\t" + a + "\t0\tip\n1\tPlayer_Enter\t" + a +
         "\t0\n1\tPlayer_Connect\t" + b + "\t1\tip\n1\tPlayer_Enter\t" + b +
         "\t1\n10\tKill\t0\tRailgun\t\t50\t1\tBlaster\t\t60\n"
         "20\tKill\t1\tShotgun\t\t50\t0\tRailgun\t\t60\n30\tGame_End\tfraglimit\n";
}

// The match of day `day` of March 2024 (a distinct time stamp per day).
std::string brkDay(int day) {
  return brkMatch("2024.03." + std::to_string(100 + day).substr(1) + ".20.00.00.000.+1");
}

// The match directory of brkDay(1).
const char* const kDay1 = "1709319600000";

// The database directory after a run that left no log in it.
const std::string kDataFiles =
    ".scorex-run .scorex-tmp brk_game.db brk_hash.db brk_player.db brk_records.db scorex.timezone";

size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Log names and texts reach the trace: control bytes there are written as \xNN, so that a
// planted escape sequence cannot drive the admin's terminal. Names in page headings are
// escaped as in page titles.
TEST(HostileFiles, TraceAndHeadingsShowHostileTextsHarmlessly) {
  const Home home(SCOREX_BRK);
  const std::string name = "evil\x1B]0;owned\x07\x1B[2J.log";
  home.write(name, brkMatch("2024.03.01.20.00.00.000.+1", "Ann Lee", "Bob"));
  const RunResult r = home.run({name});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find('\x1B'), std::string::npos) << r.out;
  EXPECT_THAT(r.out, HasSubstr("evil\\x1B]0;owned\\x07\\x1B[2J.log"));
  std::string pages;
  for (const auto& e : fs::directory_iterator(home.file("html/Total_Game_Stats"))) {
    pages += slurp(e.path().string());
  }
  EXPECT_THAT(pages, HasSubstr(">Career Totals for Ann&nbsp;Lee</td>"));
}

// A match is known by its time stamp. Zones logged as clocks or by name are read; a match
// whose time cannot be read (or that logs none) is not merged, with a line naming its log and
// line, instead of being stamped 0, which made every later such match a repeat of the first.
TEST(HostileFiles, MatchTimesInEveryCommonFormOrNotAtAll) {
  const Home home(SCOREX_BRK);
  std::string noTime = brkMatch("x");
  noTime.erase(noTime.find("0.0\tinfo\tAbsolute_Time"),
               std::string("0.0\tinfo\tAbsolute_Time\tx\n").size());
  home.write("a.log", brkMatch("2024.03.01.20.00.00.000.+05:30"));
  home.write("b.log", brkMatch("2024.03.01.20.00.00.000.UTC") + noTime);
  home.write("c.log", brkMatch("2024.03.02.20.00.00.000.PST"));
  home.write("d.log",
             brkMatch("2024.03.03.20.00.00.000.") + brkMatch("2024.03.04.20.00.00.000.+1:5"));
  const RunResult r = home.run({"a.log", "b.log", "c.log", "d.log"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(home.matchDirs(), (std::vector<std::string>{"1709303400000", "1709323200000"}));
  for (const char* where : {"b.log line 11", "c.log line 1", "d.log line 1", "d.log line 11"}) {
    EXPECT_THAT(r.out, HasSubstr(std::string("Error in core.getGameStats: ") + where +
                                 ": the match there has no readable start time (Absolute_Time); "
                                 "it is not merged\n"));
  }
}

// The same log offered again by a run in another time zone (cron in one, by hand in another)
// is a repeat: the home keeps the zone of its first run.
TEST(HostileFiles, TheHomesTimeZoneHoldsWhateverTheRunsZone) {
  const Home home(SCOREX_BRK);
  home.write("a.log", brkDay(1));
  ASSERT_EQ(home.run({"a.log"}, {{"TZ", "America/New_York"}}).status, 0);
  EXPECT_EQ(slurp(home.file("data/scorex.timezone")), "America/New_York\n");
  const std::string db = slurp(home.file("data/brk_game.db"));
  const RunResult again = home.run({"a.log"}, {{"TZ", "Asia/Tokyo"}});
  EXPECT_EQ(again.status, 0) << again.out;
  EXPECT_THAT(again.out,
              HasSubstr("Dates are read in this home's time zone America/New_York (from " +
                        home.file("data/scorex.timezone") + "), not in Asia/Tokyo\n"));
  EXPECT_EQ(home.matchDirs().size(), 1u);
  EXPECT_EQ(slurp(home.file("data/brk_game.db")), db);
}

// Pages that cannot be written (a page directory the program may not write, or a full one):
// the run saves nothing, ends with status 1 and leaves its logs queued, and the next run that
// can write does the whole job.
TEST(HostileFiles, PagesThatCannotBeWrittenKeepTheRunFromSaving) {
  Home home(SCOREX_BRK);
  ASSERT_EQ(home.run().status, 0);  // the site's static files and an empty database
  if (!home.unprivileged()) GTEST_SKIP() << "no unprivileged user to run as";
  home.write("a.log", brkDay(1));
  home.handOver(home.file("a.log"));
  const std::string db = slurp(home.file("data/brk_game.db"));
  fs::permissions(home.file("html"),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const RunResult r = home.run({"a.log"});
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_THAT(r.out,
              HasSubstr("Error in core.go: pages could not be written into " + home.file("html/") +
                        "; nothing was saved, the logs stay queued for the next run\n"));
  EXPECT_EQ(slurp(home.file("data/brk_game.db")), db);
  EXPECT_EQ(slurp(home.file("data/a.log")), brkDay(1));

  fs::permissions(home.file("html"), fs::perms::owner_write, fs::perm_options::add);
  const RunResult next = home.run();
  EXPECT_EQ(next.status, 0) << next.out;
  EXPECT_EQ(home.matchDirs().size(), 1u);
  EXPECT_FALSE(fs::exists(home.file("data/a.log")));
  EXPECT_THAT(slurp(home.file("html/Individual_Game_Stats/Recent_Index.html")), HasSubstr("q2dm1"));
}

// A run that merged nothing (nothing waiting, or only repeats) leaves the database files and
// the all-time pages as they are: a cron run every few minutes must not rewrite them.
TEST(HostileFiles, ARunThatMergesNothingWritesNothing) {
  const Home home(SCOREX_BRK);
  home.write("a.log", brkDay(1));
  ASSERT_EQ(home.run({"a.log"}).status, 0);
  auto inodes = [&home] {
    std::vector<ino_t> ids;
    for (const char* f : {"data/brk_game.db", "data/brk_records.db", "data/brk_hash.db",
                          "data/brk_player.db", "html/Scorex_Main.html"}) {
      struct stat st {};
      EXPECT_EQ(::stat(home.file(f).c_str(), &st), 0) << f;
      ids.push_back(st.st_ino);
    }
    return ids;
  };
  const std::vector<ino_t> before = inodes();
  EXPECT_EQ(home.run({"a.log"}).status, 0);
  EXPECT_EQ(home.run().status, 0);
  EXPECT_EQ(inodes(), before);
}

// Neither the clean-up of old matches nor the match pages go through a link planted in the
// match-page directory: a link in the place of an old match, of "Highest_Score", "Last_Game" or
// of the new match goes itself, what it names stays whole, and the pages go into a real
// directory. What is no match (an admin's own folder) stays.
TEST(HostileFiles, MatchPagesAndTheirCleanUpNeverFollowPlantedLinks) {
  const Home home(SCOREX_BRK);
  const std::string games = home.file("html/Individual_Game_Stats/");
  home.write("html/Individual_Game_Stats/Old matches/index.html", "mine");
  home.write("victim/index.html", "precious");
  home.write("victim/0.html", "precious");
  for (const std::string name : {"1000", "Highest_Score", "Last_Game", kDay1}) {
    fs::create_directory_symlink(home.file("victim"), games + name);
  }
  home.write("a.log", brkDay(1));
  const RunResult r = home.run({"a.log"});
  EXPECT_EQ(r.status, 0) << r.out;
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
}

// A dangling link planted in the place of the player store or of the lock file never gets its
// target created: the store is refused, the run saves nothing and keeps its log, and once the
// links are gone the next run counts the match.
TEST(HostileFiles, LinksInTheDatabaseDirectoryAreNeverFollowed) {
  const Home home(SCOREX_BRK);
  home.write("victim/keep", "secret");
  for (const std::string name : {"brk_player.db", ".scorex-run"}) {
    fs::create_symlink(home.file("victim/" + name), home.file("data/" + name));
  }
  // A link to an existing file is neither read (nor kept aside as damaged) nor saved over.
  fs::create_symlink(home.file("victim/keep"), home.file("data/brk_game.db"));
  home.write("a.log", brkDay(1));
  const RunResult r = home.run({"a.log"});
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_EQ(listing(home.file("victim")), "keep");
  EXPECT_EQ(slurp(home.file("victim/keep")), "secret");
  for (const std::string name : {"brk_player.db", ".scorex-run"}) {
    fs::remove(home.file("data/" + name));
  }
  EXPECT_EQ(home.run().status, 1);
  EXPECT_EQ(slurp(home.file("victim/keep")), "secret");
  EXPECT_EQ(listing(home.file("data")).find("damaged"), std::string::npos);
  fs::remove(home.file("data/brk_game.db"));
  const RunResult again = home.run();
  EXPECT_EQ(again.status, 0) << again.out;
  EXPECT_EQ(count(again.out, "Now Processing log 1 of 1: a.log"), 1u) << again.out;
  EXPECT_EQ(listing(home.file("victim")), "keep");
}

// Temporary files are written in a staging directory per tree: what a dead writer left there (or
// an earlier version beside a database file) is removed by the next run, a staging directory
// planted as a link is replaced without being followed, and the site keeps none after a run. A
// file that a writer working beside the run (without its lock) still holds stays.
TEST(HostileFiles, TemporaryFilesOfDeadWritersGoAndLiveOnesStay) {
  const Home home(SCOREX_BRK);
  home.write("data/.scorex-tmp/.saving-brk_game.db.0123456789abcdef", "half");
  home.write("data/.saving-brk_hash.db.4242", "half");
  home.write("victim/keep", "");
  fs::create_directory_symlink(home.file("victim"), home.file("html/.scorex-tmp"));
  home.write("a.log", brkDay(1));
  const RunResult r = home.run({"a.log"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(listing(home.file("data/.scorex-tmp")), "");
  EXPECT_FALSE(fs::exists(home.file("data/.saving-brk_hash.db.4242")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(home.file("html/.scorex-tmp"))));
  EXPECT_EQ(listing(home.file("victim")), "keep");

  // A start taking a log in beside the run holds the staging directory while it copies.
  const std::string copying = home.write("data/.scorex-tmp/.incoming-1-0.part", "copying");
  const int held = ::open(home.file("data/.scorex-tmp").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_SH), 0);
  EXPECT_EQ(home.run().status, 0);
  EXPECT_EQ(slurp(copying), "copying");
  ::close(held);
  EXPECT_EQ(home.run().status, 0);
  EXPECT_EQ(listing(home.file("data/.scorex-tmp")), "");
}

// A log whose name leaves no room for the ending ".del" could never be marked processed and
// would be read at every run: it is queued under a shorter name (a counter where that is
// taken), whether it is named on the command line or put straight into the queue.
TEST(HostileFiles, LogNamesTooLongToMarkProcessedAreShortened) {
  const Home home(SCOREX_BRK);
  const std::string longest(251, 'n');  // with ".log", 255 bytes: the usual longest name
  home.write("spool/" + longest + ".log", brkDay(1));
  home.write("spool/" + longest.substr(1) + ".log", brkDay(2));  // shortened the same
  home.write("data/" + std::string(249, 'q') + ".log", brkDay(3));
  const RunResult r = home.run({"spool"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(count(r.out, " (name too long): "), 3u) << r.out;
  EXPECT_THAT(r.out, HasSubstr("Log queued as " + longest.substr(6) + "-1.log (name too long): "));
  EXPECT_EQ(home.matchDirs().size(), 3u);
  EXPECT_EQ(listing(home.file("data")), kDataFiles);
  EXPECT_THAT(home.run().out, ::testing::Not(HasSubstr("Now Processing")));
}

// Intake takes in only what the queue processes: other files stay where they are, even in
// "delete" mode, and a log never takes a name of the database's own files. A stale ".tmp"
// beside a log of its name takes a counter name.
TEST(HostileFiles, OnlyLogsAreTakenInAndNeverUnderTheDatabasesNames) {
  const Home home(SCOREX_BRK, "LogFileHandling\tdelete\n");
  home.write("spool/a.log", brkDay(1));
  home.write("spool/.hidden.log", brkDay(2));
  home.write("spool/scorex.journal.log", brkDay(3));
  home.write("spool/notes.txt", "notes");
  home.write("spool/README", "readme");
  home.write("other/brk_game.db", brkDay(4));
  home.write("other/scorex.journal", "junk");
  const RunResult r = home.run({"spool", "other/brk_game.db", "other/scorex.journal"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(count(r.out, "Not a log, left where it is: "), 4u) << r.out;
  EXPECT_THAT(r.out, HasSubstr("Log queued as _.hidden.log (name reserved): " +
                               home.file("spool/.hidden.log") + "\n"));
  EXPECT_THAT(r.out, HasSubstr(": _scorex.journal.log\n"));
  EXPECT_EQ(listing(home.file("spool")), "README notes.txt");
  EXPECT_EQ(listing(home.file("other")), "brk_game.db scorex.journal");
  EXPECT_EQ(listing(home.file("data")), kDataFiles);
  EXPECT_EQ(home.matchDirs().size(), 3u);

  // In "save" mode the spool keeps x.log; a stale x.tmp that appears beside it is taken in.
  home.configure("");
  home.write("save/x.log", brkDay(5));
  EXPECT_EQ(home.run({"save"}).status, 0);
  const std::string tmp = home.write("save/x.tmp", brkDay(6));
  fs::last_write_time(tmp, fs::file_time_type::clock::now() - std::chrono::hours(3));
  const RunResult stale = home.run({"save"});
  EXPECT_EQ(stale.status, 0) << stale.out;
  EXPECT_EQ(listing(home.file("save")), "x-1.log x.log");
  EXPECT_EQ(home.matchDirs().size(), 5u);
}

// "move" mode keeps every original: a name taken in SaveDir gets a counter. Without SaveDir
// the log stays where it was, with an error; its copy taken in is processed all the same.
TEST(HostileFiles, MoveModeKeepsEveryOriginal) {
  const Home home(SCOREX_BRK, "LogFileHandling\tmove\nSaveDir\tsaved\n");
  home.write("saved/a.log", "kept");
  home.write("spool/a.log", brkDay(1));
  const RunResult r = home.run({"spool"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(listing(home.file("spool")), "");
  EXPECT_EQ(listing(home.file("saved")), "a-1.log a.log");
  EXPECT_EQ(slurp(home.file("saved/a.log")), "kept");
  EXPECT_EQ(slurp(home.file("saved/a-1.log")), brkDay(1));

  fs::remove_all(home.file("saved"));
  home.write("spool/b.log", brkDay(2));
  const RunResult missing = home.run({"spool"});
  EXPECT_EQ(missing.status, 0) << missing.out;
  EXPECT_THAT(missing.out, HasSubstr("Error in core.moveLogFiles: FileNotFoundException: SaveDir " +
                                     home.file("saved/") + " (No such file or directory): " +
                                     home.file("spool/b.log") + " was not moved\n"));
  EXPECT_EQ(listing(home.file("spool")), "b.log");
  EXPECT_EQ(home.matchDirs().size(), 2u);
}

// Directories that would mix the database, the site and the saved logs, or publish the
// database or the saved logs (players' addresses) with the site, are refused before anything
// is taken in or written.
TEST(HostileFiles, DirectoriesThatMixOrPublishAreRefusedAtStart) {
  const std::string move = "LogFileHandling\tmove\n";
  const std::string publish = " lies inside HTMLDirectory, which would publish it: ";
  const struct {
    std::string config;
    std::string error;  // the directory, relative to the home, follows
    std::string dir;
  } cases[] = {
      {"DBDir\tsite\nHTMLDirectory\tsite/\n",
       "DBDir and HTMLDirectory are one directory: ", "site"},
      {"DBDir\tlink\n", "DBDir and HTMLDirectory are one directory: ", "html"},
      {"DBDir\thtml/data/\n", "DBDir" + publish, "html/data"},
      {move + "SaveDir\tdata/../data\n", "SaveDir and DBDir are one directory: ", "data"},
      {move + "SaveDir\thtml\n", "SaveDir and HTMLDirectory are one directory: ", "html"},
      {move + "SaveDir\thtml/old\n", "SaveDir" + publish, "html/old"},
  };
  for (const auto& c : cases) {
    const Home home(SCOREX_BRK, c.config);
    fs::create_directory_symlink("html", home.file("link"));
    home.write("spool/a.log", brkDay(1));
    const RunResult r = home.run({"spool"});
    EXPECT_EQ(r.status, 1) << c.config << r.out;
    EXPECT_THAT(r.out, HasSubstr("Error in qmsToplvl.go: ConfigurationException: " + c.error +
                                 fs::canonical(home.path()).string() + "/" + c.dir + "\n"))
        << c.config;
    EXPECT_EQ(listing(home.file("html")) + "|" + listing(home.file("data")) + "|" +
                  listing(home.file("spool")),
              "||a.log")
        << c.config;
  }
  // SaveDir is used in "move" mode only.
  const Home home(SCOREX_BRK, "SaveDir\tdata\n");
  home.write("a.log", brkDay(1));
  EXPECT_EQ(home.run({"a.log"}).status, 0);
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
  const RunResult r = home.run({"spool"});
  EXPECT_FALSE(r.timedOut);
  EXPECT_EQ(r.status, 0) << r.out;
  const std::string tooLarge = " (too large: 100001 bytes, the limit is 100000)\n";
  for (const std::string& line :
       {"Error in core.moveLogFiles: IOException: " + home.file("spool/big.log") + tooLarge,
        "Error in core.moveLogFiles: IOException: " + home.file("spool/fifo.log") +
            " (Not a regular file)\n",
        "Error in core.moveLogFiles: IOException: " + home.file("spool/zero.log") +
            " (Not a regular file)\n",
        "Error in core.getLogfileData: IOException: " + home.file("data/big.log") + tooLarge,
        "Error in core.getLogfileData: IOException: " + home.file("data/fifo.log") +
            " (Not a regular file)\n"}) {
    EXPECT_THAT(r.out, HasSubstr(line));
  }
  EXPECT_EQ(home.matchDirs().size(), 1u);
  EXPECT_EQ(listing(home.file("data")),
            ".scorex-run .scorex-tmp big.log brk_game.db brk_hash.db brk_player.db brk_records.db "
            "fifo.log scorex.timezone");

  // Moved rather than copied, the logs are checked first; the default limit is 1 GiB.
  fs::remove(home.file("spool/big.log"));
  home.write("spool/huge.log", "");
  fs::resize_file(home.file("spool/huge.log"), (int64_t{1} << 30) + 1);
  home.configure("LogFileHandling\tdelete\n");
  const RunResult moved = home.run({"spool"});
  EXPECT_FALSE(moved.timedOut);
  EXPECT_THAT(moved.out, HasSubstr(home.file("spool/huge.log") +
                                   " (too large: 1073741825 bytes, the limit is 1073741824)\n"));
  EXPECT_EQ(count(moved.out, " (Not a regular file)\n"), 3u) << moved.out;
  EXPECT_EQ(listing(home.file("spool")), "fifo.log huge.log zero.log");

  // Handed over to an active run, a private log's copy waits in the queue, private too.
  home.lockAsActive();
  const std::string secret = home.write("secret.log", brkDay(2));
  fs::permissions(secret, fs::perms::owner_read | fs::perms::owner_write);
  home.configure("");
  EXPECT_EQ(home.run({"secret.log"}).status, 0);
  EXPECT_EQ(fs::status(home.file("data/secret.log")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
}

// Logs are copied in a piece at a time: a copy of a 128 MB log takes no more memory than a
// copy of a small one (measured on the Release program, handed over to an active run).
TEST(HostileFiles, LogsAreCopiedInPiecesOnTheReleaseBuild) {
  const std::string brk = SCOREX_RELEASE_TREE "/ScorexBRK";
  if (!fs::exists(brk)) GTEST_SKIP() << "no Release build at " << brk;
  const Home home(brk);
  home.lockAsActive();
  home.write("big.log", "");
  fs::resize_file(home.file("big.log"), 128 << 20);
  const std::string report = home.file("peak");
  const RunResult r = testing::runProgram(PEAK_MEMORY, home.options({report, brk, "big.log"}));
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(fs::file_size(home.file("data/big.log")), 128u << 20);
  EXPECT_LT(std::stol("0" + slurp(report)), 32 << 10);  // KiB
}

}  // namespace
}  // namespace orvane
