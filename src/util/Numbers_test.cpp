#include "util/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "util/Failure.h"

namespace orvane::util {
namespace {

// Every refusal names its input exactly.
template <class Parse>
void expectRefused(Parse parse, const std::vector<std::string>& inputs) {
  for (const std::string& s : inputs) {
    try {
      parse(s);
      ADD_FAILURE() << "accepted \"" << s << "\"";
    } catch (const Failure& f) {
      EXPECT_EQ(failureText(f), "NumberFormatException: For input string: \"" + s + "\"");
    }
  }
}

TEST(Numbers, ParseIntTakesAMinusAndDigitsWithinRangeOnly) {
  EXPECT_EQ((std::vector<int32_t>{parseInt("0"), parseInt("-0"), parseInt("007"), parseInt("-15"),
                                  parseInt("2147483647"), parseInt("-2147483648")}),
            (std::vector<int32_t>{0, 0, 7, -15, INT32_MAX, INT32_MIN}));
  EXPECT_EQ(parseLong("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(parseLong("-9223372036854775808"), INT64_MIN);
  expectRefused(parseInt, {"", "-", "+5", " 5", "5 ", "5a", "2147483648", "-2147483649", "1.0",
                           "--1", "0x1F", "99999999999999999999", "\xB9"});
  EXPECT_THROW(parseLong("9223372036854775808"), Failure);
}

TEST(Numbers, ParseDoubleTakesSignDigitsFractionExponentOnly) {
  EXPECT_EQ((std::vector<double>{parseDouble("12.5"), parseDouble("5."), parseDouble(".5"),
                                 parseDouble("1e3"), parseDouble("+2.5E-1"), parseDouble("-7"),
                                 parseDouble("1e-999")}),
            (std::vector<double>{12.5, 5.0, 0.5, 1000.0, 0.25, -7.0, 0.0}));
  EXPECT_TRUE(std::signbit(parseDouble("-0.0")));
  expectRefused(parseDouble, {"", ".", "-", "+", " 1.0", "1.0 ", "NaN", "nan", "Infinity", "inf",
                              "0x1p3", "1e", "1e+", "e5", "1.2.3", "1,5", "1e999", "--1", "1f"});
}

TEST(Numbers, FormatsAndTruncation) {
  for (const auto& [d, text] : std::vector<std::pair<double, std::string>>{{12.0, "12.0"},
                                                                           {0.25, "0.25"},
                                                                           {-3.5, "-3.5"},
                                                                           {0.1, "0.1"},
                                                                           {1e7, "10000000.0"},
                                                                           {0.001, "0.001"},
                                                                           {123.456, "123.456"}}) {
    EXPECT_EQ(formatDouble(d), text);
  }
  // Grouped, rounded half to even on the exact binary value; NaN and infinity as zero.
  EXPECT_EQ(formatNumber(1234.5, 1), "1,234.5");
  EXPECT_EQ(formatNumber(0.25, 1), "0.2");
  EXPECT_EQ(formatNumber(0.35, 1), "0.3");
  EXPECT_EQ(formatNumber(2.0 / 3.0, 3), "0.667");
  EXPECT_EQ(formatNumber(123456789012.0, 1), "123,456,789,012.0");
  EXPECT_EQ(formatNumber(-1234567.0, 1), "-1,234,567.0");
  EXPECT_EQ(formatNumber(999.96, 1), "1,000.0");
  EXPECT_EQ(formatNumber(1.0 / 0.0, 1) + formatNumber(std::nan(""), 3), "0.00.000");
  EXPECT_EQ(formatNumber(5, 0), "5");
  // truncToInt cuts the fraction and saturates.
  EXPECT_EQ(
      (std::vector<int32_t>{truncToInt(4.9), truncToInt(-4.9), truncToInt(std::nan("")),
                            truncToInt(1e300), truncToInt(-1e300), truncToInt(-2147483648.5)}),
      (std::vector<int32_t>{4, -4, 0, INT32_MAX, INT32_MIN, INT32_MIN}));
}

}  // namespace
}  // namespace orvane::util
