#include "util/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

#include "util/Failure.h"

namespace orvane::util {

namespace {

Failure numberFailure(std::string_view s) {
  return Failure(util::Failure::kNumberFormat, "For input string: \"" + std::string(s) + "\"");
}

template <class T>
T parseDecimal(std::string_view s) {
  const bool negative = !s.empty() && s.front() == '-';
  const std::string_view digits = negative ? s.substr(1) : s;
  if (digits.empty()) throw numberFailure(s);
  // Accumulate toward the negative end, which holds one more value than the positive end.
  const T limit = negative ? std::numeric_limits<T>::min() : -std::numeric_limits<T>::max();
  T value = 0;
  for (const char ch : digits) {
    if (ch < '0' || ch > '9') throw numberFailure(s);
    const T digit = ch - '0';
    if (value < (limit + digit) / 10) throw numberFailure(s);
    value = value * 10 - digit;
  }
  return negative ? value : -value;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int32_t parseInt(std::string_view s) { return parseDecimal<int32_t>(s); }

int64_t parseLong(std::string_view s) { return parseDecimal<int64_t>(s); }

double parseDouble(std::string_view s) {
  size_t i = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) i = 1;
  const size_t start = i;
  size_t intDigits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++intDigits;
  size_t fracDigits = 0;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++fracDigits;
  }
  if (intDigits + fracDigits == 0) throw numberFailure(s);
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) throw numberFailure(s);
  }
  if (i != s.size()) throw numberFailure(s);
  // The grammar is checked; from_chars reads the unsigned part (it takes no "+").
  double value = 0;
  const auto [end, ec] = std::from_chars(s.data() + start, s.data() + s.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too small underflows toward zero, as a decimal reader should; too large is refused.
    bool tiny = false;
    const size_t e = s.find_first_of("eE");
    tiny = e != std::string_view::npos && e + 1 < s.size() && s[e + 1] == '-';
    if (!tiny) throw numberFailure(s);
    value = 0;
  } else if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) {
    throw numberFailure(s);
  }
  return negative ? -value : value;
}

std::string formatDouble(double d) {
  if (!std::isfinite(d)) return std::isnan(d) ? "NaN" : (d > 0 ? "Infinity" : "-Infinity");
  char buffer[400];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::fixed);
  std::string text(buffer, ec == std::errc() ? end : buffer);
  if (text.find('.') == std::string::npos) text += ".0";
  return text;
}

std::string formatNumber(double d, int decimals) {
  if (!std::isfinite(d)) d = 0.0;
  char buffer[400];
  const int n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, d);
  std::string text(buffer, n > 0 ? static_cast<size_t>(std::min(n, 399)) : 0);
  const size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  size_t end = text.find('.');
  if (end == std::string::npos) end = text.size();
  for (size_t at = end; at > start + 3;) {
    at -= 3;
    text.insert(at, 1, ',');
  }
  return text;
}

int32_t truncToInt(double d) {
  if (std::isnan(d)) return 0;
  if (d >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (d <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(d);
}

}  // namespace orvane::util
