#include "programs/Scorex/store/RunLock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TempDir.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::store {
namespace {

using testing::listing;
using util::Debug;

const int64_t kNow = 1700000000000;
const int64_t kMinute = 60000;

class RunLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  std::string lockName(int64_t t) { return std::to_string(t) + ".lock"; }
  testing::TempDir t;
  std::string db = t.path() + "/";
  std::ostringstream trace;
};

TEST_F(RunLockTest, LockFilesByAge) {
  struct Case {
    int64_t age;
    bool held;
  };
  for (const Case& c : std::vector<Case>{{4 * kMinute, true},
                                         {6 * kMinute, false},
                                         {-2 * kMinute, true},
                                         {-10 * kMinute, false},  // a clock corrected since
                                         {5 * kMinute - 1, true},
                                         {5 * kMinute, false}}) {
    const testing::TempDir dir;
    const std::string name = lockName(kNow - c.age);
    dir.write(name, "");
    RunLock lock(dir.path() + "/");
    EXPECT_EQ(lock.othersHold(kNow), c.held) << c.age;
    EXPECT_EQ(listing(dir.path()), c.held ? name : "") << c.age;
  }
  EXPECT_EQ(trace.str(), "");
}

TEST_F(RunLockTest, NamesThatAreNoNumberAreReportedAndTheOthersStillChecked) {
  // "0bad" sorts before the numbers, "abc" after them.
  for (const std::string& name :
       {std::string("0bad.lock"), lockName(kNow - 6 * kMinute), std::string("abc.lock")}) {
    t.write(name, "");
  }
  RunLock lock(db);
  EXPECT_FALSE(lock.othersHold(kNow));
  EXPECT_EQ(listing(t.path()), "0bad.lock abc.lock");
  EXPECT_EQ(trace.str(),
            "Error in core.moveLogFiles: NumberFormatException: For input string: \"0bad\"\n"
            "Error in core.moveLogFiles: NumberFormatException: For input string: \"abc\"\n");
  t.write(lockName(kNow - kMinute), "");
  EXPECT_TRUE(lock.othersHold(kNow));
}

TEST_F(RunLockTest, RenewalKeepsOneFileAndNeverTheOneJustMade) {
  t.write("5.lock", "");  // another run's, not ours to touch
  RunLock lock(db);
  lock.renew(kNow);
  lock.renew(kNow);  // a second pass within the same millisecond
  EXPECT_EQ(listing(t.path()), "1700000000000.lock 5.lock");
  lock.renew(kNow + 1);
  EXPECT_EQ(listing(t.path()), "1700000000001.lock 5.lock");
  EXPECT_EQ(lock.currentFile(), db + "1700000000001.lock");
  // A name that is there already is no lock of this run's, even a link: it is made anew.
  const std::string planted = db + lockName(kNow + 2);
  std::filesystem::create_symlink(db + "victim", planted);
  lock.renew(kNow + 2);
  EXPECT_FALSE(std::filesystem::exists(db + "victim"));
  EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(planted)));
  lock.removeCurrent();
  lock.removeCurrent();
  EXPECT_EQ(listing(t.path()), "5.lock");
}

TEST_F(RunLockTest, AdvisoryLockExcludesEveryOtherHolder) {
  {
    RunLock first(db);
    RunLock second(db);
    EXPECT_TRUE(first.acquire());
    EXPECT_TRUE(first.acquire());
    EXPECT_FALSE(second.acquire());
    first.release();
    EXPECT_TRUE(second.acquire());
  }  // the destructor gives it back
  RunLock third(db);
  EXPECT_TRUE(third.acquire());
}

}  // namespace
}  // namespace orvane::programs::Scorex::store
