#include "programs/Scorex/store/LogQueue.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TempDir.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex::store {
namespace {

using testing::listing;
using testing::slurp;

const int64_t kNow = 1700000000000;
const int64_t kHour = 3600000;

class LogQueueTest : public ::testing::Test {
 protected:
  LogQueueTest() : db(t.mkdir("data") + "/"), saved(t.mkdir("saved") + "/"), queue(db) {}
  // Takes in every candidate of one entry, as the driver does.
  void takeIn(const std::string& entry, const std::string& mode, bool logTmpFiles = true) {
    for (const std::string& c : queue.candidates(entry)) {
      queue.takeIn(c, mode, saved, logTmpFiles, kNow);
    }
  }
  testing::TempDir t;
  std::string db;
  std::string saved;
  LogQueue queue;
};

TEST_F(LogQueueTest, NewcomerNamedLikeAWaitingLogGetsAFreeName) {
  t.write("data/a.log", "waiting");
  t.write("data/a-1.log", "waiting too");
  for (const std::string mode : {"delete", "move", "save"}) {
    const testing::TempDir in;
    in.write("a.log", mode);
    takeIn(in.file("a.log"), mode);
  }
  EXPECT_EQ(listing(db), "a-1.log a-2.log a-3.log a-4.log a.log");
  EXPECT_EQ(slurp(db + "a.log") + slurp(db + "a-1.log"), "waitingwaiting too");
  EXPECT_EQ(slurp(db + "a-2.log") + slurp(db + "a-3.log") + slurp(db + "a-4.log"),
            "deletemovesave");
  EXPECT_EQ(listing(saved), "a.log");
}

TEST_F(LogQueueTest, LogAlreadyInTheQueueStaysWhereItIs) {
  t.write("data/a.log", "A");
  takeIn(t.path() + "/saved/../data/a.log", "move");
  takeIn(db + "a.log", "delete");
  EXPECT_EQ(listing(db), "a.log");
  EXPECT_EQ(listing(saved), "");
}

TEST_F(LogQueueTest, DirectoryCandidatesLeaveDatabaseFilesAlone) {
  for (const std::string name : {"brk_game.db", "1700000000000.lock", "x.log.del",
                                 ".incoming-1-0.part", ".scorex-run", "b.log", "a.txt"}) {
    t.write("in/" + name, "");
  }
  t.mkdir("in/sub");
  const std::string in = t.path() + "/in";
  EXPECT_EQ(queue.candidates(t.path() + "/saved/../in"),
            (std::vector<std::string>{in + "/a.txt", in + "/b.log", in + "/sub"}));
  t.write("data/brk_game.db", "");
  t.write("data/a.log", "");
  EXPECT_TRUE(queue.candidates(db).empty());
  EXPECT_TRUE(queue.candidates(t.path() + "/data").empty());
  EXPECT_EQ(queue.candidates(t.path() + "/in/../gone.log"),
            std::vector<std::string>{t.path() + "/gone.log"});
}

TEST_F(LogQueueTest, MissingLogFailsOnlyWhenCopied) {
  EXPECT_THROW(takeIn(t.path() + "/gone.log", "save"), util::Failure);
  takeIn(t.path() + "/gone.log", "delete");  // a failed rename, silent
  EXPECT_EQ(listing(db), "");
}

TEST_F(LogQueueTest, TmpFilesByAgeAndSetting) {
  struct Case {
    int64_t age;
    bool logTmpFiles;
    std::string besides;  // a file already next to x.tmp
    std::string inDir;
    std::string inDb;
  };
  for (const Case& c : std::vector<Case>{{1 * kHour, true, "", "x.tmp", ""},
                                         {1 * kHour, false, "", "x.tmp", ""},
                                         {3 * kHour, true, "", "x.log", "x.log"},
                                         {3 * kHour, false, "", "x.log", ""},
                                         // Nothing replaced: the stale log takes
                                         // a free name beside the waiting one.
                                         {3 * kHour, false, "x.log", "x-1.log x.log", ""},
                                         {2 * kHour, true, "", "x.log", "x.log"}}) {
    const testing::TempDir in;
    const std::string tmp = in.write("my.tmpdir/x.tmp", "X");
    if (!c.besides.empty()) in.write("my.tmpdir/" + c.besides, "old");
    testing::setModifiedMillis(tmp, kNow - c.age);
    takeIn(tmp, "save", c.logTmpFiles);
    const std::string where = std::to_string(c.age) + " " + std::to_string(c.logTmpFiles);
    EXPECT_EQ(listing(in.path() + "/my.tmpdir"), c.inDir) << where;
    EXPECT_EQ(listing(in.path()), "my.tmpdir") << where;
    EXPECT_EQ(listing(db), c.inDb) << where;
    std::filesystem::remove(db + "x.log");
  }
}

TEST_F(LogQueueTest, StaleIncomingFilesGoAfterAnHour) {
  const std::string old = t.write("data/.incoming-1-0.part", "");
  const std::string young = t.write("data/.incoming-2-0.part", "");
  const std::string log = t.write("data/x.log", "");
  testing::setModifiedMillis(old, kNow - kHour - 1);
  testing::setModifiedMillis(young, kNow - kHour + 60000);
  testing::setModifiedMillis(log, kNow - 10 * kHour);
  queue.removeStaleIncoming(kNow);
  EXPECT_EQ(listing(db), ".incoming-2-0.part x.log");
}

TEST_F(LogQueueTest, WaitingLogsSmallestNameFirst) {
  for (const std::string name :
       {"b.log", "a.log", "B.log", "a.log.del", "1.lock", ".incoming-0.part", "c.tmp"}) {
    t.write("data/" + name, "");
  }
  EXPECT_EQ(queue.waiting(), (std::vector<std::string>{"B.log", "a.log", "b.log"}));
}

// Renames fail across file systems; the log must arrive all the same.
TEST_F(LogQueueTest, IntakeFromAnotherFileSystem) {
  char pattern[] = "/dev/shm/scorex-test-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) GTEST_SKIP() << "no /dev/shm";
  const std::string other = pattern;
  struct stat shm {};
  struct stat here {};
  if (::stat(other.c_str(), &shm) != 0 || ::stat(db.c_str(), &here) != 0 ||
      shm.st_dev == here.st_dev) {
    std::filesystem::remove_all(other);
    GTEST_SKIP() << "/dev/shm is no other file system";
  }
  for (const std::string mode : {"delete", "move"}) {
    std::ofstream(other + "/" + mode + ".log") << mode;
    takeIn(other + "/" + mode + ".log", mode);
    EXPECT_EQ(slurp(db + mode + ".log"), mode);
  }
  EXPECT_EQ(listing(other), "");
  EXPECT_EQ(listing(saved), "move.log");
  EXPECT_EQ(listing(db), "delete.log move.log");
  std::filesystem::remove_all(other);
}

}  // namespace
}  // namespace orvane::programs::Scorex::store
