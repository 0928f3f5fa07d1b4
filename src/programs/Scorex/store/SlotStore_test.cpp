#include "programs/Scorex/store/SlotStore.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "TempDir.h"
#include "TraceCapture.h"

namespace orvane::programs::Scorex::store {
namespace {

using testing::slurp;

class SlotStoreTest : public ::testing::Test {
 protected:
  std::string take() {
    const std::string s = trace.str();
    trace.str("");
    return s;
  }
  testing::TempDir t;
  std::string path = t.file("p.db");
  testing::TraceCapture trace;
};

// Slots of 8 bytes keep the thousand-slot growth small.
TEST_F(SlotStoreTest, ReservesTheSummarySlotsAndGrowsAThousandSlotsAtATime) {
  SlotStore s(8);
  ASSERT_TRUE(s.open(path));
  EXPECT_EQ(slurp(path), "\x01");
  s.write(0, "career00");
  for (int32_t uid : {-3, -2, -1}) s.write(uid, "summary" + std::to_string(uid + 4));
  EXPECT_EQ(slurp(path), std::string("\x01\0\0\0\0\0\0\0", 8) + "summary1summary2summary3career00");
  for (int32_t uid = 1; uid <= 995; ++uid) s.write(uid, "........");
  EXPECT_EQ(slurp(path).size(), 8000u);
  s.write(996, "slot1000");  // the slot 1000 is the next: the file grows first
  const std::string bytes = slurp(path);
  EXPECT_EQ(bytes.size(), 16004u);
  EXPECT_EQ(bytes.substr(8000), "slot1000" + std::string(7996, '\0'));
  s.close();
  ASSERT_TRUE(s.open(path));
  EXPECT_EQ(s.read(-3).value_or("") + s.read(996).value_or(""), "summary1slot1000");
  EXPECT_EQ(take(), "");
}

// Hostile numbers neither wrap nor reach a byte outside the store.
TEST_F(SlotStoreTest, AccessOutsideTheStoreIsReportedAndStoresNothing) {
  const auto lines = [](const std::string& what, int64_t loc, int32_t num) {
    return "Error PlayerDB." + what + "\n      loc=" + std::to_string(loc) +
           "\n      num=" + std::to_string(num) + "\n";
  };
  SlotStore s(8);
  ASSERT_TRUE(s.open(path));
  EXPECT_EQ(s.read(-3), std::nullopt);  // a summary player not stored yet: no report
  s.write(-1, "summary.");              // the summary players of a store without a match
  EXPECT_EQ(take(), lines("putPlayer: loc>num", 3, 0));
  s.write(0, "career00");
  // Slot 0 is the version, never a record.
  std::string want;
  for (int32_t uid : {2, -4, -5, INT_MAX, INT_MIN}) {
    s.write(uid, "garbage!");
    EXPECT_EQ(s.read(uid), std::nullopt);
    const int64_t loc = int64_t{uid} + 4;
    want +=
        lines("putPlayer: loc>num", loc, 5) + lines("getPlayer: Invalid Player Requested", loc, 5);
  }
  EXPECT_EQ(take(), want);
  s.write(0, "short");
  EXPECT_EQ(take(), "Error PlayerDB.putPlayer: IOException: a record of 5 bytes for slots of 8\n");
  EXPECT_EQ(slurp(path), std::string("\x01", 1) + std::string(31, '\0') + "career00");
  // A file cut short behind the store's back.
  ASSERT_EQ(::truncate(path.c_str(), 36), 0);
  EXPECT_EQ(s.read(0), std::nullopt);
  EXPECT_EQ(take(), "Error PlayerDB.getPlayer: EOFException\n");
}

TEST_F(SlotStoreTest, AnotherVersionIsRefusedAndTheFileNeverTouched) {
  for (const char version : {'\2', '\xff', '\0'}) {
    const std::string file = version + std::string(39, '\7');
    t.write("p.db", file);
    SlotStore s(8);
    EXPECT_FALSE(s.open(path));
    EXPECT_EQ(take(), "Error PlayerDB.open: Invalid DB Version\n    DB Version = " +
                          std::to_string(int{static_cast<signed char>(version)}) +
                          "\n    Current Version = 1\n");
    EXPECT_TRUE(s.isRefused());
    s.write(1, "career00");
    EXPECT_EQ(s.read(1), std::nullopt);
    EXPECT_EQ(take() + slurp(path), file);
  }
  // A store that could not be opened neither reads nor writes.
  SlotStore missing(8);
  EXPECT_FALSE(missing.open(t.file("missing/p.db")));
  missing.write(0, "career00");
  EXPECT_EQ(missing.read(0), std::nullopt);
}

// A run's writes wait for its commit; reads see them, and closing forgets them.
TEST_F(SlotStoreTest, DeferredWritesWaitAndCloseForgetsThem) {
  SlotStore s(8);
  ASSERT_TRUE(s.open(path, true));
  s.write(0, "career00");
  s.write(-3, "summary1");
  EXPECT_EQ(s.read(0).value_or(""), "career00");
  using Writes = std::vector<std::pair<int64_t, std::string>>;
  // The new store's version byte, then the slots by position.
  EXPECT_EQ(s.takeDeferred(), (Writes{{0, "\1"}, {8, "summary1"}, {32, "career00"}}));
  s.write(1, "career01");
  s.close();
  EXPECT_EQ(slurp(path), "");
}

}  // namespace
}  // namespace orvane::programs::Scorex::store
