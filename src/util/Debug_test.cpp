#include "util/Debug.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orvane::util {
namespace {

// Messages up to the level go out, control bytes escaped; a negative level is ignored; the
// type "None" silences until the exact type "StdOut" comes back.
TEST(Debug, LevelsTypesAndEscapes) {
  std::ostringstream out;
  Debug::reset();
  Debug::setStream(&out);
  Debug::print("I core.go", 1);
  Debug::setLevel(2);
  Debug::setLevel(-1);
  Debug::print("I GameHtml.writeGame", 2);
  Debug::print("I TableHtml.createTable", 3);
  Debug::setType("None");
  Debug::print("hidden", 0);
  Debug::setType("stdout");
  Debug::print("still hidden", 0);
  Debug::setType("StdOut");
  Debug::print(std::string("caf\xE9\t\x1B[2J\0a\rb\x7F\n", 15), 0);
  Debug::reset();
  EXPECT_EQ(out.str(), "I GameHtml.writeGame\ncaf\xE9\t\\x1B[2J\\x00a\\x0Db\\x7F\\x0A\n");
}

}  // namespace
}  // namespace orvane::util
