#include "util/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "util/Failure.h"

namespace orvane::util {
namespace {

TEST(Numbers, ParseIntAcceptsMinusAndDigitsWithinRange) {
  EXPECT_EQ(parseInt("0"), 0);
  EXPECT_EQ(parseInt("-0"), 0);
  EXPECT_EQ(parseInt("007"), 7);
  EXPECT_EQ(parseInt("-15"), -15);
  EXPECT_EQ(parseInt("2147483647"), 2147483647);
  EXPECT_EQ(parseInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(parseLong("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(parseLong("-9223372036854775808"), INT64_MIN);
}

TEST(Numbers, ParseIntRejectsEverythingElseNamingTheInput) {
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

TEST(Numbers, ParseDoubleTakesSignDigitsFractionExponent) {
  EXPECT_EQ(parseDouble("0.0"), 0.0);
  EXPECT_EQ(parseDouble("12.5"), 12.5);
  EXPECT_EQ(parseDouble("5."), 5.0);
  EXPECT_EQ(parseDouble(".5"), 0.5);
  EXPECT_EQ(parseDouble("1e3"), 1000.0);
  EXPECT_EQ(parseDouble("+2.5E-1"), 0.25);
  EXPECT_EQ(parseDouble("-7"), -7.0);
  EXPECT_EQ(parseDouble("1e-999"), 0.0);
  EXPECT_TRUE(std::signbit(parseDouble("-0.0")));
}

TEST(Numbers, ParseDoubleRefusesWhatIsNotAPlainNumber) {
  for (const std::string s : {"", ".", "-", "+", " 1.0", "1.0 ", "NaN", "nan", "Infinity", "inf",
                              "0x1p3", "1e", "1e+", "e5", "1.2.3", "1,5", "1e999", "--1", "1f"}) {
    try {
      parseDouble(s);
      ADD_FAILURE() << "accepted \"" << s << "\"";
    } catch (const Failure& f) {
      EXPECT_EQ(failureText(f), "NumberFormatException: For input string: \"" + s + "\"");
    }
  }
}

TEST(Numbers, FormatDoubleIsShortestWithAPoint) {
  EXPECT_EQ(formatDouble(12.0), "12.0");
  EXPECT_EQ(formatDouble(0.25), "0.25");
  EXPECT_EQ(formatDouble(-3.5), "-3.5");
  EXPECT_EQ(formatDouble(0.1), "0.1");
  EXPECT_EQ(formatDouble(1e7), "10000000.0");
  EXPECT_EQ(formatDouble(0.001), "0.001");
  EXPECT_EQ(formatDouble(123.456), "123.456");
}

TEST(Numbers, FormatNumberGroupsAndRoundsHalfToEven) {
  EXPECT_EQ(formatNumber(1234.5, 1), "1,234.5");
  EXPECT_EQ(formatNumber(0.25, 1), "0.2");  // exactly half: to even
  EXPECT_EQ(formatNumber(0.35, 1), "0.3");  // 0.35 is a little below half in binary
  EXPECT_EQ(formatNumber(2.0 / 3.0, 3), "0.667");
  EXPECT_EQ(formatNumber(123456789012.0, 1), "123,456,789,012.0");  // no digit is cut
  EXPECT_EQ(formatNumber(-1234567.0, 1), "-1,234,567.0");
  EXPECT_EQ(formatNumber(999.96, 1), "1,000.0");
  EXPECT_EQ(formatNumber(1.0 / 0.0, 1), "0.0");
  EXPECT_EQ(formatNumber(std::nan(""), 3), "0.000");
  EXPECT_EQ(formatNumber(5, 0), "5");
}

}  // namespace
}  // namespace orvane::util

namespace orvane::util {
namespace {

TEST(TruncToInt, CutsTheFractionAndSaturates) {
  EXPECT_EQ(truncToInt(4.9), 4);
  EXPECT_EQ(truncToInt(-4.9), -4);
  EXPECT_EQ(truncToInt(std::nan("")), 0);
  EXPECT_EQ(truncToInt(1e300), INT32_MAX);
  EXPECT_EQ(truncToInt(-1e300), INT32_MIN);
  EXPECT_EQ(truncToInt(-2147483648.5), INT32_MIN);
}

}  // namespace
}  // namespace orvane::util
