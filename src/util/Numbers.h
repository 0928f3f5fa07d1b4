#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::util {

// Strict readers for numbers in logs and configuration files. Anything they do not accept
// throws a NumberFormatException failure naming the input.

// An optional minus sign followed by decimal digits only, within the type's range.
int32_t parseInt(std::string_view s);
int64_t parseLong(std::string_view s);

// An optional sign, digits, an optional fraction and an optional exponent ("5.", ".5", "1e3",
// "-2.5E-3"); at least one digit before or after the point. Blanks, "NaN", "Infinity" and hex
// are refused, and so is a value too large to be finite.
double parseDouble(std::string_view s);

// The shortest decimal text that reads back as the same value, never in exponent form, with at
// least one digit after the point: "12.0", "0.25", "-3.5".
std::string formatDouble(double d);

// A number for a page: rounded half to even on the exact binary value to the given number of
// decimals, "," between groups of three integer digits, "." as the decimal point
// ("1,234.5"); a value that is not finite is written as zero ("0.0").
std::string formatNumber(double d, int decimals);

// A double as a 32-bit integer, its fraction cut off: values beyond the range give its nearest
// end, and a value that is not a number gives 0.
int32_t truncToInt(double d);

}  // namespace orvane::util
