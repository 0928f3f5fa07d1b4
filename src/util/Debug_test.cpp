#include "util/Debug.h"

#include <gtest/gtest.h>

#include <sstream>

#include "util/Failure.h"

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
  for (const char* type : {"None", "stdout"}) {
    Debug::setType(type);
    Debug::print("hidden", 0);
  }
  Debug::setType("StdOut");
  Debug::print(std::string("caf\xE9\t\x1B[2J\0a\rb\x7F\n", 15), 0);
  Debug::reset();
  EXPECT_EQ(out.str(), "I GameHtml.writeGame\ncaf\xE9\t\\x1B[2J\\x00a\\x0Db\\x7F\\x0A\n");
}

TEST(Failure, TextNamesKindAndMessage) {
  EXPECT_EQ(failureText(Failure(Failure::kNullPointer, "")), "NullPointerException");
  EXPECT_EQ(failureText(std::bad_alloc()), "OutOfMemoryError");
  EXPECT_EQ(failureText(std::runtime_error("odd")), "Exception: odd");
}

}  // namespace
}  // namespace orvane::util
