#include "util/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "util/Failure.h"

namespace orvane::util {
namespace {

// Each refusal names its input exactly.
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

// Integers take a minus and digits within range; doubles a sign, digits, a fraction and an
// exponent, nothing else.
TEST(Numbers, ParseTakesPlainDecimalsWithinRangeOnly) {
  EXPECT_EQ((std::vector<int64_t>{parseInt("-0"), parseInt("007"), parseInt("2147483647"),
                                  parseInt("-2147483648"), parseLong("9223372036854775807"),
                                  parseLong("-9223372036854775808")}),
            (std::vector<int64_t>{0, 7, INT32_MAX, INT32_MIN, INT64_MAX, INT64_MIN}));
  expectRefused(parseInt, {"", "-", "+5", " 5", "5 ", "5a", "2147483648", "-2147483649", "1.0",
                           "--1", "0x1F", "99999999999999999999", "\xB9"});
  EXPECT_THROW(parseLong("9223372036854775808"), Failure);
  EXPECT_EQ((std::vector<double>{parseDouble("5."), parseDouble(".5"), parseDouble("+2.5E-1"),
                                 parseDouble("-7"), parseDouble("1e-999")}),
            (std::vector<double>{5.0, 0.5, 0.25, -7.0, 0.0}));
  EXPECT_TRUE(std::signbit(parseDouble("-0.0")));
  expectRefused(parseDouble, {"", ".", "-", " 1.0", "1.0 ", "NaN", "Infinity", "inf", "0x1p3", "1e",
                              "1e+", "e5", "1.2.3", "1,5", "1e999", "--1", "1f"});
}

// The shortest text that reads back, always with a point; grouped and rounded half to even on
// the exact binary value (0.35 is a little below half), NaN and infinity as zero; truncToInt
// cuts the fraction and saturates.
TEST(Numbers, FormatsAndTruncation) {
  std::string texts;
  for (double d : {12.0, -3.5, 0.1, 1e7, 123.456}) texts += formatDouble(d) + " ";
  EXPECT_EQ(texts, "12.0 -3.5 0.1 10000000.0 123.456 ");
  const auto n = [](double d, int decimals) { return formatNumber(d, decimals) + " "; };
  EXPECT_EQ(n(1234.5, 1) + n(0.25, 1) + n(0.35, 1) + n(2.0 / 3.0, 3) + n(-1234567.0, 1) +
                n(999.96, 1) + n(1.0 / 0.0, 1) + n(std::nan(""), 3) + n(5, 0),
            "1,234.5 0.2 0.3 0.667 -1,234,567.0 1,000.0 0.0 0.000 5 ");
  EXPECT_EQ((std::vector<int32_t>{truncToInt(-4.9), truncToInt(std::nan("")), truncToInt(1e300),
                                  truncToInt(-2147483648.5)}),
            (std::vector<int32_t>{-4, 0, INT32_MAX, INT32_MIN}));
}

}  // namespace
}  // namespace orvane::util
