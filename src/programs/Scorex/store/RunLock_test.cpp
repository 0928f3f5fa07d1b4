#include "programs/Scorex/store/RunLock.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "TraceCapture.h"

namespace orvane::programs::Scorex::store {
namespace {

using testing::listing;

const int64_t kNow = 1700000000000;
const int64_t kMinute = 60000;

std::string lockName(int64_t t) { return std::to_string(t) + ".lock"; }

// A lock file is fresh for five minutes either side of now: older ones (and ones from a clock
// corrected since) are removed; fresh ones, and names that are no number, stay.
TEST(RunLock, LockFilesByAge) {
  const testing::TraceCapture trace;  // the names that are no number are reported
  std::string held;
  for (const int64_t age :
       {4 * kMinute, 6 * kMinute, -2 * kMinute, -10 * kMinute, 5 * kMinute - 1, 5 * kMinute}) {
    const testing::TempDir dir;
    for (const std::string& n :
         {std::string("0bad.lock"), std::string("abc.lock"), lockName(kNow - age)}) {
      dir.write(n, "");
    }
    // "0bad" sorts before the numbers, "abc" after them: neither hides the lock.
    const bool fresh = RunLock(dir.path() + "/").othersHold(kNow);
    held += fresh ? "held " : "free ";
    EXPECT_EQ(listing(dir.path()),
              "0bad.lock " + (fresh ? lockName(kNow - age) + " " : "") + "abc.lock");
  }
  EXPECT_EQ(held, "held free held free held free ");
}

TEST(RunLock, RenewalKeepsOneFileAndNeverTheOneJustMade) {
  const testing::TempDir t;
  const std::string db = t.path() + "/";
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

TEST(RunLock, AdvisoryLockExcludesEveryOtherHolder) {
  const testing::TempDir t;
  const std::string db = t.path() + "/";
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
