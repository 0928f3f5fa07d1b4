#include "util/BigEndian.h"

#include <gtest/gtest.h>

#include "util/Failure.h"

namespace orvane::util {
namespace {

TEST(BigEndian, GoldenBytes) {
  BigEndianWriter w;
  w.writeInt(-2);
  w.writeLong(0x0102030405060708LL);
  w.writeDouble(1.5);
  w.writeBool(true);
  w.writeText("ab\xE9");
  w.writeDouble(-std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(w.bytes(), std::string("\xFF\xFF\xFF\xFE"
                                   "\x01\x02\x03\x04\x05\x06\x07\x08"
                                   "\x3F\xF8\x00\x00\x00\x00\x00\x00"
                                   "\x01"
                                   "\x00\x00\x00\x03"
                                   "ab\xE9"
                                   "\x7F\xF8\x00\x00\x00\x00\x00\x00",
                                   36));
  BigEndianReader r(w.bytes());
  EXPECT_EQ(r.readInt(), -2);
  EXPECT_EQ(r.readLong(), 0x0102030405060708LL);
  EXPECT_EQ(r.readDouble(), 1.5);
  EXPECT_TRUE(r.readBool());
  EXPECT_EQ(r.readText(), "ab\xE9");
  EXPECT_TRUE(std::isnan(r.readDouble()));
  EXPECT_EQ(r.remaining(), 0u);
  EXPECT_THROW(r.readByte(), Failure);
}

TEST(BigEndian, DamagedTextsAndShortDataFailWithoutReadingPastTheEnd) {
  const std::string negative("\xFF\xFF\xFF\xFF", 4);
  const std::string tooLong(
      "\x00\x00\x00\x05"
      "abc",
      7);
  const std::string huge(
      "\x7F\xFF\xFF\xFF"
      "x",
      5);
  for (const std::string& bytes : {negative, tooLong, huge}) {
    BigEndianReader r(bytes);
    EXPECT_THROW(r.readText(), Failure);
    EXPECT_EQ(r.position(), 0u);
  }
  const std::string abc(
      "\x00\x00\x00\x03"
      "abc",
      7);
  BigEndianReader limited(abc);
  EXPECT_THROW(limited.readText(2), Failure);
  try {
    const std::string two("\x00\x01", 2);
    BigEndianReader shortInt(two);
    shortInt.readInt();
    FAIL();
  } catch (const Failure& f) {
    EXPECT_EQ(failureText(f), "EOFException");
  }
}

}  // namespace
}  // namespace orvane::util
