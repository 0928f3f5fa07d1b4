#include "util/Failure.h"

#include <limits>
#include <new>
#include <typeinfo>

namespace orvane::util {

std::string failureText(const std::exception& e) {
  std::string kind;
  if (const auto* f = dynamic_cast<const Failure*>(&e)) {
    kind = f->getKind();
  } else if (dynamic_cast<const std::out_of_range*>(&e) != nullptr) {
    kind = "IndexOutOfBoundsException";
  } else if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) {
    return "OutOfMemoryError";
  } else {
    kind = "Exception";
  }
  const std::string message = e.what();
  return message.empty() ? kind : kind + ": " + message;
}

namespace {

template <class T>
T parseDecimal(std::string_view s) {
  auto fail = [&]() {
    return Failure("NumberFormatException", "For input string: \"" + std::string(s) + "\"");
  };
  const bool negative = !s.empty() && s.front() == '-';
  const std::string_view digits = negative ? s.substr(1) : s;
  if (digits.empty()) throw fail();
  // Accumulate toward the negative end, which holds one more value than the positive end.
  const T limit = negative ? std::numeric_limits<T>::min() : -std::numeric_limits<T>::max();
  T value = 0;
  for (const char ch : digits) {
    if (ch < '0' || ch > '9') throw fail();
    const T digit = ch - '0';
    if (value < (limit + digit) / 10) throw fail();
    value = value * 10 - digit;
  }
  return negative ? value : -value;
}

}  // namespace

int32_t parseInt(std::string_view s) { return parseDecimal<int32_t>(s); }

int64_t parseLong(std::string_view s) { return parseDecimal<int64_t>(s); }

}  // namespace orvane::util
