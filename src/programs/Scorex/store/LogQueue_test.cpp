#include "programs/Scorex/store/LogQueue.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TempDir.h"

namespace orvane::programs::Scorex::store {
namespace {

using testing::listing;
using testing::slurp;

const int64_t kNow = 1700000000000;
const int64_t kHour = 3600000;

class LogQueueTest : public ::testing::Test {
 protected:
  // Takes in every candidate of one entry, as the driver does.
  void takeIn(const std::string& entry, const std::string& mode, bool logTmpFiles = true) {
    for (const std::string& c : queue.candidates(entry)) {
      queue.takeIn(c, mode, saved, logTmpFiles, kNow);
    }
  }
  testing::TempDir t;
  std::string db = t.mkdir("data") + "/";
  std::string saved = t.mkdir("saved") + "/";
  LogQueue queue{db};
};

// (The whole-program tests pin the names a directory given as input never yields, such as the
// database's own files and its journal.)
TEST_F(LogQueueTest, NoLogIsEverReplacedAndNewcomersTakeTheNextFreeNumber) {
  t.write("data/a.log", "waiting");
  t.write("data/a-1.log", "waiting too");
  for (const std::string mode : {"delete", "move", "save"}) {
    takeIn(t.write(mode + "/a.log", mode), mode);
  }
  EXPECT_EQ(listing(saved), "a.log");
  // A log already in the queue stays where it is, however it is named.
  takeIn(t.path() + "/saved/../data/a.log", "move");
  takeIn(db + "a.log", "delete");
  // Processed logs of a dead run return beside the waiting ones.
  t.write("data/b.log.del", "B old");
  t.write("data/b.log", "B new");
  t.mkdir("data/c.log.del");  // no log of ours
  queue.returnProcessed();
  std::string all;
  for (const std::string& name : queue.waiting()) all += name + "=" + slurp(db + name) + " ";
  EXPECT_EQ(all,
            "a-1.log=waiting too a-2.log=delete a-3.log=move a-4.log=save a.log=waiting "
            "b-1.log=B old b.log=B new ");
  EXPECT_EQ(listing(db), "a-1.log a-2.log a-3.log a-4.log a.log b-1.log b.log c.log.del");
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
                                         {3 * kHour, false, "", "x.log", ""},
                                         // Nothing replaced: the stale log takes a free name.
                                         {3 * kHour, false, "x.log", "x-1.log x.log", ""},
                                         {2 * kHour, true, "", "x.log", "x.log"}}) {
    const testing::TempDir in;
    const std::string tmp = in.write("my.tmpdir/x.tmp", "X");
    if (!c.besides.empty()) in.write("my.tmpdir/" + c.besides, "old");
    testing::setModifiedMillis(tmp, kNow - c.age);
    takeIn(tmp, "save", c.logTmpFiles);
    EXPECT_EQ(listing(in.path() + "/my.tmpdir") + "|" + listing(db), c.inDir + "|" + c.inDb)
        << c.age << " " << c.logTmpFiles;
    std::filesystem::remove(db + "x.log");
  }
  // A copy that a dead run left half done goes after an hour; a younger one may be in use.
  for (const auto& [name, age] : {std::pair{"1", kHour + 1}, {"2", kHour - 60000}}) {
    testing::setModifiedMillis(t.write("data/.incoming-" + std::string(name) + "-0.part", ""),
                               kNow - age);
  }
  testing::setModifiedMillis(t.write("data/x.log", ""), kNow - 10 * kHour);
  queue.removeStaleIncoming(kNow);
  EXPECT_EQ(listing(db), ".incoming-2-0.part x.log");
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
  }
  EXPECT_EQ(listing(other) + "|" + listing(saved), "|move.log");
  EXPECT_EQ(slurp(db + "delete.log") + slurp(db + "move.log"), "deletemove");
  std::filesystem::remove_all(other);
}

}  // namespace
}  // namespace orvane::programs::Scorex::store
