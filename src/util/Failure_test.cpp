#include "util/Failure.h"

#include <gtest/gtest.h>

namespace orvane::util {
namespace {

TEST(Failure, TextNamesKindAndMessage) {
  EXPECT_EQ(failureText(Failure(Failure::kFileNotFound, "data/x.log")),
            "FileNotFoundException: data/x.log");
  EXPECT_EQ(failureText(Failure(Failure::kNullPointer, "")), "NullPointerException");
  EXPECT_EQ(failureText(std::out_of_range("index 3")), "IndexOutOfBoundsException: index 3");
  EXPECT_EQ(failureText(std::bad_alloc()), "OutOfMemoryError");
  EXPECT_EQ(failureText(std::runtime_error("odd")), "Exception: odd");
}

}  // namespace
}  // namespace orvane::util
