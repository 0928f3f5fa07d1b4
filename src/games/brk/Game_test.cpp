#include "games/brk/Game.h"

#include <gtest/gtest.h>

#include <sstream>

#include "util/Debug.h"

namespace orvane::games::brk {
namespace {

using util::Debug;

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  std::ostringstream trace;
};

TEST_F(GameTest, ValidWhenTheLinesGiveAnEventList) {
  const Game withKill("0.0\tinfo\tLog_Standard\tqmLog\n1.0\tKill\t0\tRailgun\t\t5\t1\t\t\t6\n");
  EXPECT_TRUE(withKill.isValid());
  EXPECT_EQ(withKill.getEvents().size(), 2u);
  EXPECT_EQ(withKill.getServerName(), "NoName");
  EXPECT_EQ(withKill.getMap(), "NoMap");

  const Game noKill("0.0\tinfo\tLog_Standard\tqmLog\n1.0\tChat\thi\n");
  EXPECT_FALSE(noKill.isValid());
  EXPECT_TRUE(noKill.getEvents().empty());

  // A failure on the first line still gives a (partial, empty) list: the match is valid.
  const Game broken("x\tKill\t0\tRailgun\t\t5\t1\t\t\t6\n");
  EXPECT_TRUE(broken.isValid());
  EXPECT_TRUE(broken.getEvents().empty());
}

TEST_F(GameTest, TraceFrame) {
  Debug::setLevel(1);
  const Game g("1.0\tChat\thi\n");
  EXPECT_EQ(trace.str(),
            "I qmLog.parse\nO qmLog.parse\nI Game\nI EventList.parse\nO EventList.parse\nO Game\n");
}

}  // namespace
}  // namespace orvane::games::brk
