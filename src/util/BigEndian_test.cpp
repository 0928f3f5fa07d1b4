#include "util/BigEndian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "util/Failure.h"

namespace orvane::util {
namespace {

using namespace std::string_literals;

// The stores' golden files pin the layout of every kind; here a text's Latin-1 bytes after its
// length, and one NaN pattern with the sign cleared.
TEST(BigEndian, TextAndNaNBytesAndRoundTrip) {
  BigEndianWriter w;
  w.writeText("ab\xE9");
  w.writeDouble(-std::numeric_limits<double>::quiet_NaN());
  w.writeLong(-2);
  EXPECT_EQ(w.bytes(),
            "\0\0\0\x03"
            "ab\xE9\x7F\xF8\0\0\0\0\0\0\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFE"s);
  BigEndianReader r(w.bytes());
  EXPECT_EQ(r.readText(), "ab\xE9");
  EXPECT_TRUE(std::isnan(r.readDouble()));
  EXPECT_EQ(r.readLong(), -2);
}

// A text length that is negative, longer than the data or than allowed fails before anything
// is read; so does a number cut short.
TEST(BigEndian, DamagedTextsAndShortDataFailWithoutReadingPastTheEnd) {
  constexpr size_t kAny = std::numeric_limits<size_t>::max();
  const std::pair<std::string, size_t> cases[] = {{"\377\377\377\377"s, kAny},
                                                  {"\0\0\0\5abc"s, kAny},
                                                  {"\177\377\377\377x"s, kAny},
                                                  {"\0\0\0\3abc"s, 2}};
  for (const auto& [bytes, max] : cases) {
    BigEndianReader r(bytes);
    EXPECT_THROW(r.readText(max), Failure);
    EXPECT_EQ(r.position(), 0u);
  }
  const std::string two = "\0\1"s;  // the reader keeps a view
  BigEndianReader shortInt(two);
  EXPECT_THROW(shortInt.readInt(), Failure);  // the stores' tests check its EOFException text
}

}  // namespace
}  // namespace orvane::util
