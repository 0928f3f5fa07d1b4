#include "util/BigEndian.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <utility>

#include "util/Failure.h"

namespace orvane::util {
namespace {

using namespace std::string_literals;

TEST(BigEndian, GoldenBytesAndRoundTrip) {
  BigEndianWriter w;
  w.writeInt(-2);
  w.writeLong(0x0102030405060708LL);
  w.writeDouble(1.5);
  w.writeBool(true);
  w.writeText("ab\xE9");
  w.writeDouble(-std::numeric_limits<double>::quiet_NaN());  // one NaN pattern, sign cleared
  EXPECT_EQ(w.bytes(),
            "\xFF\xFF\xFF\xFE\x01\x02\x03\x04\x05\x06\x07\x08\x3F\xF8\0\0\0\0\0\0\x01"
            "\0\0\0\x03"
            "ab\xE9\x7F\xF8\0\0\0\0\0\0"s);
  BigEndianReader r(w.bytes());
  std::ostringstream read;  // the operands of << are read from left to right
  read << r.readInt() << " " << r.readLong() << " " << r.readDouble() << " " << r.readBool() << " "
       << r.readText() << " " << r.readDouble();
  EXPECT_EQ(read.str(), "-2 72623859790382856 1.5 1 ab\xE9 nan");
  EXPECT_THROW(r.readByte(), Failure);
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
