#include "programs/ScorexBRK/PlayerDB.h"

#include <gtest/gtest.h>

#include <climits>

#include "TraceCapture.h"
#include "programs/ScorexZLN/PlayerDB.h"

namespace orvane::programs::ScorexBRK {
namespace {

template <class DB>
class PlayerDBTest : public ::testing::Test {
 protected:
  testing::TraceCapture trace;
};

// The codec of each module's player record; the golden databases pin where each field lies.
using Modules = ::testing::Types<PlayerDB, ScorexZLN::PlayerDB>;
TYPED_TEST_SUITE(PlayerDBTest, Modules);

// A record of distinct ints in every four bytes, but kills of INT_MIN in the first block:
// every byte reads back as it was, and the frags, which are not stored, follow from the kills,
// suicides and team kills, wrapping as the counters do. A record one byte short keeps every
// field before its last one.
TYPED_TEST(PlayerDBTest, EveryStoredByteReadsBackAndFragsFollowFromTheKills) {
  util::BigEndianWriter w;
  for (int32_t i = 1; w.bytes().size() < TypeParam::kEntrySize; ++i)
    w.writeInt(i == 3 ? INT_MIN : i);
  const std::string record = w.take();
  const auto p = TypeParam::bytesToPlayer(record);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(TypeParam::playerToBytes(*p), record);
  // totalTime takes the ints 1 and 2; kills 3, deaths 4, tkills 5, tdeaths 6, suicides 7.
  EXPECT_EQ(p->all.frags, INT_MAX - 7 - 5 + 1);
  EXPECT_EQ(p->all.myFrags[3], p->all.myKills[3] - p->all.myWSuicides[3]);
  EXPECT_EQ(p->all.myFragsOppW[3], p->all.myKillsOppW[3]);
  EXPECT_EQ(this->trace.str(), "");

  const auto cut = TypeParam::bytesToPlayer(record.substr(0, record.size() - 1));
  ASSERT_TRUE(cut.has_value());
  EXPECT_EQ(TypeParam::playerToBytes(*cut),
            record.substr(0, record.size() - 4) + std::string(4, '\0'));
  EXPECT_EQ(this->trace.str(), "Error PlayerDB.bytesToPickups: EOFException\n");
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK
