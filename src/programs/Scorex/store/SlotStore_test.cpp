#include "programs/Scorex/store/SlotStore.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <sstream>

#include "TempDir.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::store {
namespace {

using testing::slurp;
using util::Debug;

class SlotStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  std::string take() {
    const std::string s = trace.str();
    trace.str("");
    return s;
  }
  static std::string lines(const std::string& what, int64_t loc, int32_t num) {
    return "Error PlayerDB." + what + "\n      loc=" + std::to_string(loc) +
           "\n      num=" + std::to_string(num) + "\n";
  }
  testing::TempDir t;
  std::string path = t.file("p.db");
  std::ostringstream trace;
};

// Slots of 8 bytes keep the thousand-slot growth small.
TEST_F(SlotStoreTest, ReservesTheSummarySlotsAndGrowsAThousandSlotsAtATime) {
  SlotStore s(8);
  ASSERT_TRUE(s.open(path));
  EXPECT_EQ(slurp(path), "\x01");
  s.write(0, "career00");
  EXPECT_EQ(s.getNum(), 5);
  for (int32_t uid : {-3, -2, -1}) s.write(uid, "summary" + std::to_string(uid + 4));
  EXPECT_EQ(slurp(path), std::string("\x01\0\0\0\0\0\0\0", 8) + "summary1summary2summary3career00");
  for (int32_t uid = 1; uid <= 995; ++uid) s.write(uid, "........");
  EXPECT_EQ(slurp(path).size(), 8000u);
  s.write(996, "slot1000");  // the slot 1000 is the next: the file grows first
  EXPECT_EQ(s.getNum(), 1001);
  EXPECT_EQ(s.getLen(), 16000);
  const std::string bytes = slurp(path);
  EXPECT_EQ(bytes.size(), 16004u);
  EXPECT_EQ(bytes.substr(8000, 8), "slot1000");
  EXPECT_EQ(bytes.substr(8008), std::string(7996, '\0'));
  s.close();
  ASSERT_TRUE(s.open(path));
  EXPECT_EQ(s.getNum(), 2000);
  EXPECT_EQ(s.read(-3), "summary1");
  EXPECT_EQ(s.read(996), "slot1000");
  EXPECT_EQ(s.read(1995), std::string(8, '\0'));
  EXPECT_EQ(take(), "");
}

TEST_F(SlotStoreTest, SlotOneThousandOfFullSizeRecords) {
  std::string file(4824 * 1000, '\0');
  file[0] = 1;
  t.write("p.db", file);
  SlotStore s(4824);
  ASSERT_TRUE(s.open(path));
  EXPECT_EQ(s.getNum(), 1000);
  s.write(996, std::string(4824, 'x'));
  EXPECT_EQ(slurp(path).size(), 4824u * 2000 + 4);
  s.close();
  ASSERT_TRUE(s.open(path));
  EXPECT_EQ(s.getNum(), 2000);
  EXPECT_EQ(s.read(996), std::string(4824, 'x'));
  EXPECT_EQ(take(), "");
}

TEST_F(SlotStoreTest, WritesBeyondTheStoreAreReportedAndStoreNothing) {
  SlotStore s(8);
  ASSERT_TRUE(s.open(path));
  // Saving the summary players of a run that merged no match into a new store.
  for (int32_t uid : {-3, -2, -1}) s.write(uid, "summary.");
  EXPECT_EQ(take(), lines("putPlayer: loc>num", 1, 0) + lines("putPlayer: loc>num", 2, 0) +
                        lines("putPlayer: loc>num", 3, 0));
  s.write(0, "career00");
  // Slot 0 is the version, never a record; hostile numbers do not wrap.
  for (int32_t uid : {2, -4, -5, INT_MAX, INT_MIN}) s.write(uid, "garbage!");
  EXPECT_EQ(take(), lines("putPlayer: loc>num", 6, 5) + lines("putPlayer: loc>num", 0, 5) +
                        lines("putPlayer: loc>num", -1, 5) +
                        lines("putPlayer: loc>num", 2147483651, 5) +
                        lines("putPlayer: loc>num", -2147483644, 5));
  s.write(0, "short");
  EXPECT_EQ(take(), "Error PlayerDB.putPlayer: IOException: a record of 5 bytes for slots of 8\n");
  EXPECT_EQ(slurp(path), std::string("\x01", 1) + std::string(31, '\0') + "career00");
}

TEST_F(SlotStoreTest, ReadsOutsideTheStoreAreReported) {
  SlotStore s(8);
  ASSERT_TRUE(s.open(path));
  EXPECT_EQ(s.read(-3), std::nullopt);  // a summary player not stored yet: no report
  EXPECT_EQ(take(), "");
  s.write(0, "career00");
  for (int32_t uid : {-4, 1, INT_MAX, INT_MIN}) EXPECT_EQ(s.read(uid), std::nullopt) << uid;
  EXPECT_EQ(take(), lines("getPlayer: Invalid Player Requested", 0, 5) +
                        lines("getPlayer: Invalid Player Requested", 5, 5) +
                        lines("getPlayer: Invalid Player Requested", 2147483651, 5) +
                        lines("getPlayer: Invalid Player Requested", -2147483644, 5));
  // A file cut short behind the store's back.
  ASSERT_EQ(::truncate(path.c_str(), 36), 0);
  EXPECT_EQ(s.read(0), std::nullopt);
  EXPECT_EQ(take(), "Error PlayerDB.getPlayer: EOFException\n");
}

TEST_F(SlotStoreTest, AnotherVersionIsReportedAndTheFileNeverTouched) {
  for (const auto& [version, shown] :
       std::vector<std::pair<char, std::string>>{{2, "2"}, {'\xff', "-1"}, {0, "0"}}) {
    const std::string file = version + std::string(39, '\7');
    t.write("p.db", file);
    SlotStore s(8);
    EXPECT_FALSE(s.open(path));
    EXPECT_EQ(take(), "Error PlayerDB.open: Invalid DB Version\n    DB Version = " + shown +
                          "\n    Current Version = 1\n");
    EXPECT_TRUE(s.isRefused());
    for (int32_t uid : {-3, 0, 1, 2}) {
      EXPECT_EQ(s.read(uid), std::nullopt);
      s.write(uid, "career00");
    }
    EXPECT_EQ(take(), "");
    EXPECT_EQ(slurp(path), file);
    s.close();
    EXPECT_FALSE(s.isRefused());
  }
}

TEST_F(SlotStoreTest, FailuresAreReportedWithTheOperation) {
  SlotStore s(8);
  EXPECT_FALSE(s.open(t.file("missing/p.db")));
  EXPECT_FALSE(s.isOpen());
  EXPECT_EQ(s.read(0), std::nullopt);
  s.write(0, "career00");
  EXPECT_EQ(take(), "Error PlayerDB.open: FileNotFoundException: " + t.file("missing/p.db") +
                        " (No such file or directory)\n"
                        "Error PlayerDB.getPlayer: IOException: the player store is not open\n"
                        "Error PlayerDB.putPlayer: IOException: the player store is not open\n");
}

}  // namespace
}  // namespace orvane::programs::Scorex::store
