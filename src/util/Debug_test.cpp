#include "util/Debug.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orvane::util {
namespace {

class DebugTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&out);
  }
  void TearDown() override { Debug::reset(); }
  std::ostringstream out;
};

TEST_F(DebugTest, WritesOnlyMessagesUpToTheLevel) {
  Debug::print("I core.go", 1);
  Debug::print("Error in core.go: X", 0);
  Debug::setLevel(2);
  Debug::print("I GameHtml.writeGame", 2);
  Debug::print("I TableHtml.createTable", 3);
  EXPECT_EQ(out.str(), "Error in core.go: X\nI GameHtml.writeGame\n");
}

TEST_F(DebugTest, NegativeLevelIsIgnored) {
  Debug::setLevel(1);
  Debug::setLevel(-1);
  EXPECT_EQ(Debug::getLevel(), 1);
  Debug::print("shown", 1);
  EXPECT_EQ(out.str(), "shown\n");
}

TEST_F(DebugTest, TypeNoneSilencesAndStdOutRestores) {
  Debug::setLevel(5);
  Debug::setType("None");
  Debug::print("hidden", 0);
  Debug::setType("stdout");  // not an exact match: no change
  Debug::print("still hidden", 0);
  Debug::setType("StdOut");
  Debug::print("back", 0);
  EXPECT_EQ(out.str(), "back\n");
}

TEST_F(DebugTest, KeepsBytesAndEmptyLinesButEscapesControlBytes) {
  Debug::print(std::string("caf\xE9\tx", 6), 0);
  Debug::print("", 0);
  Debug::print(std::string("\x1B[2J\0a\rb\x7F\n", 10), 0);
  EXPECT_EQ(out.str(), std::string("caf\xE9\tx\n\n", 8) + "\\x1B[2J\\x00a\\x0Db\\x7F\\x0A\n");
}

}  // namespace
}  // namespace orvane::util
