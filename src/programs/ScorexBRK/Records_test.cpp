#include "programs/ScorexBRK/Records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "TraceCapture.h"
#include "programs/ScorexZLN/Records.h"

namespace orvane::programs::ScorexBRK {
namespace {

using Scorex::career::CareerRecord;
using Scorex::career::GameRecord;
using util::BigEndianReader;

template <class T>
std::string bytesOf(const T& x) {
  util::BigEndianWriter w;
  x.writeDB(w);
  return w.take();
}

template <class R>
class RecordsTest : public ::testing::Test {
 protected:
  std::string take() {
    const std::string t = trace.str();
    trace.str("");
    return t;
  }
  testing::TraceCapture trace;
};

// The records block is shared; each module adds records of its own at its end.
using Modules = ::testing::Types<Records, ScorexZLN::Records>;
TYPED_TEST_SUITE(RecordsTest, Modules);

// A block reads back as written; a damaged one is read up to its first bad record, which is
// reported, and nothing after it is trusted.
TYPED_TEST(RecordsTest, BlocksReadBackAndDamagedOnesStopAtTheFirstBadRecord) {
  TypeParam full;
  full.RecentGameMap = "q2dm1";
  full.gMostSuicides = GameRecord(4, "Ann", false, 3, "m", "d", 1.5);
  full.cMostFrags = CareerRecord(9, "Cy", true, 72, 3, 90.5);
  full.cMostSuicides = CareerRecord(1, "Bob", false, 2, 1, 0.25);
  full.cSuicides.back() = CareerRecord(2, "Dee", false, 5, 2, 9.0);
  const std::string bytes = bytesOf(full);
  BigEndianReader in(bytes);
  EXPECT_EQ(bytesOf(TypeParam(in)), bytes);
  EXPECT_EQ(in.remaining(), 0u);
  EXPECT_EQ(this->take(), "");
  // Cut anywhere: one error line, whoever reports it.
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    BigEndianReader shortIn(std::string_view(bytes).substr(0, cut));
    const TypeParam r(shortIn);
    const std::string t = this->take();
    ASSERT_EQ(std::count(t.begin(), t.end(), '\n'), 1) << cut << ": " << t;
  }
  // A bad name length in cMostFrags, the fifth record, after the texts and four match records
  // (Ann's with three letters of texts): it keeps its number, and nothing after it is read
  // although the bytes are there.
  const size_t nameAt = (4 + 5) + 4 + 4 * 29 + 3 + 1 + 1 + 4;
  std::string damaged = bytes;
  damaged.replace(nameAt, 4, "\xFF\xFF\xFF\xFF");
  BigEndianReader bad(damaged);
  const TypeParam r(bad);
  EXPECT_EQ(this->take(), "Error in CareerRecord.new: IOException: bad text length -1 at byte " +
                              std::to_string(nameAt) + "\n");
  EXPECT_EQ(bytesOf(r.gMostSuicides), bytesOf(full.gMostSuicides));
  EXPECT_EQ(bytesOf(r.cMostFrags), bytesOf(CareerRecord(9, "", false, 0, 0, 0)));
  EXPECT_EQ(bytesOf(r.cMostSuicides) + bytesOf(r.cSuicides.back()),
            bytesOf(CareerRecord()) + bytesOf(CareerRecord()));
}

// Ann kills Bob: Ann holds a Railgun, Bob a Shotgun.
games::brk::Game duel(const std::string& map) {
  return games::brk::Game("0.0\tinfo\tmap\t" + map +
                          "\n1.0\tPlayer_Connect\tAnn\t0\t1.2.3.4\n"
                          "1.0\tPlayer_Connect\tBob\t1\t1.2.3.5\n"
                          "2.0\tKill\t0\tRailgun\t\t50\t1\tShotgun\t\t60\n");
}

// A record changes hands only for a greater value: a tie keeps the earlier holder. A match
// player missing from the index fails each update that would name him, and the next update
// still runs.
TEST(Records, GreaterValuesOnlyAndEachUpdateOnItsOwn) {
  const testing::TraceCapture trace;
  Records r;
  const games::brk::Game first = duel("q2dm1");
  PlayerIndex index;
  index.put(HashEntry("Ann", false, 5));
  index.put(HashEntry("Bob", false, 2));
  r.updateGameRecords(first, index);
  const GameRecord annFirst(5, "Ann", false, 1, "q2dm1", "NoDate", first.byUID(0).all.totalTime);
  const size_t rail = static_cast<size_t>(games::brk::Specs::wloc("Railgun"));
  EXPECT_EQ(bytesOf(r.gMostFrags) + bytesOf(r.gKillsHoldingWeapon[rail]),
            bytesOf(annFirst) + bytesOf(annFirst));
  EXPECT_EQ(r.gMostDeaths.name + r.gDeathsByWeapon[rail].name, "BobBob");
  // Bob ties the frags in a later match and beats the deaths, but is missing from the index.
  games::brk::Game later = duel("q2dm2");
  auto& b = later.plist.at(1).all;
  std::tie(b.frags, b.deaths, b.myWSuicides[0]) = std::tuple(1, 2, 1);
  PlayerIndex annOnly;
  annOnly.put(HashEntry("Ann", false, 5));
  r.updateGameRecords(later, annOnly);
  EXPECT_EQ(trace.str(),
            "Error in Records.ugHighs: NullPointerException\n"
            "Error in Records.ugWSuicides: NullPointerException\n");
  EXPECT_EQ(bytesOf(r.gMostFrags), bytesOf(annFirst));
  EXPECT_EQ(r.gMostDeaths.map, "q2dm1");
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK
