#include "util/Failure.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane::util {
namespace {

TEST(Failure, ParseIntAcceptsMinusAndDigitsWithinRange) {
  EXPECT_EQ(parseInt("0"), 0);
  EXPECT_EQ(parseInt("-0"), 0);
  EXPECT_EQ(parseInt("007"), 7);
  EXPECT_EQ(parseInt("-15"), -15);
  EXPECT_EQ(parseInt("2147483647"), 2147483647);
  EXPECT_EQ(parseInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(parseLong("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(parseLong("-9223372036854775808"), INT64_MIN);
}

TEST(Failure, ParseIntRejectsEverythingElseNamingTheInput) {
  const std::vector<std::string> bad = {"",    "-",   "+5",         " 5",
                                        "5 ",  "5a",  "2147483648", "-2147483649",
                                        "1.0", "--1", "0x1F",       "99999999999999999999",
                                        "\xB9"};
  for (const std::string& s : bad) {
    try {
      parseInt(s);
      ADD_FAILURE() << "accepted \"" << s << "\"";
    } catch (const Failure& f) {
      EXPECT_EQ(failureText(f), "NumberFormatException: For input string: \"" + s + "\"");
    }
  }
  EXPECT_THROW(parseLong("9223372036854775808"), Failure);
}

TEST(Failure, TextNamesKindAndMessage) {
  EXPECT_EQ(failureText(Failure("FileNotFoundException", "data/x.log")),
            "FileNotFoundException: data/x.log");
  EXPECT_EQ(failureText(Failure("NullPointerException", "")), "NullPointerException");
  EXPECT_EQ(failureText(std::out_of_range("index 3")), "IndexOutOfBoundsException: index 3");
  EXPECT_EQ(failureText(std::bad_alloc()), "OutOfMemoryError");
  EXPECT_EQ(failureText(std::runtime_error("odd")), "Exception: odd");
}

}  // namespace
}  // namespace orvane::util
