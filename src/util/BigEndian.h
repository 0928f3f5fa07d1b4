#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace orvane::util {

// Every byte of the database files goes through this pair: big-endian two's complement
// integers, IEEE 754 doubles, one-byte booleans, and texts as a 4-byte length followed by one
// byte per character. No padding, no alignment.
class BigEndianWriter {
 public:
  void writeByte(uint8_t v) { out.push_back(static_cast<char>(v)); }
  void writeBool(bool v) { writeByte(v ? 1 : 0); }
  void writeInt(int32_t v) { putFixed(static_cast<uint32_t>(v), 4); }
  void writeLong(int64_t v) { putFixed(static_cast<uint64_t>(v), 8); }
  // Every NaN is written with the one canonical bit pattern, so files are reproducible.
  void writeDouble(double v) {
    putFixed(std::isnan(v) ? 0x7ff8000000000000ULL : std::bit_cast<uint64_t>(v), 8);
  }
  void writeText(std::string_view s) {
    writeInt(static_cast<int32_t>(s.size()));
    out.append(s);
  }
  void writeBytes(std::string_view s) { out.append(s); }

  const std::string& bytes() const { return out; }
  std::string take() { return std::move(out); }
  size_t size() const { return out.size(); }
  void reserve(size_t n) { out.reserve(n); }

 private:
  // One append per number: records are thousands of numbers, written for every player of
  // every match.
  void putFixed(uint64_t v, int width) {
    char b[8];
    for (int i = 0; i < width; ++i) b[i] = static_cast<char>(v >> (8 * (width - 1 - i)));
    out.append(b, static_cast<size_t>(width));
  }
  std::string out;
};

// Reads what BigEndianWriter wrote, from a buffer it does not own. Running out of data, or a
// text length that is negative or longer than what is left (or than a given limit), throws a
// failure: damaged files are read as far as they are sound, never past their end.
class BigEndianReader {
 public:
  explicit BigEndianReader(std::string_view data) : data(data) {}

  uint8_t readByte() {
    need(1);
    return static_cast<uint8_t>(data[pos++]);
  }
  bool readBool() { return readByte() != 0; }
  int32_t readInt() { return static_cast<int32_t>(getFixed(4)); }
  int64_t readLong() { return static_cast<int64_t>(getFixed(8)); }
  double readDouble() { return std::bit_cast<double>(getFixed(8)); }
  std::string readText(size_t maxLength = std::numeric_limits<size_t>::max());
  std::string_view readBytes(size_t n) {
    need(n);
    const std::string_view v = data.substr(pos, n);
    pos += n;
    return v;
  }

  size_t position() const { return pos; }
  size_t remaining() const { return data.size() - pos; }
  // Set once any read has failed: the data after that point is not to be trusted.
  bool failed() const { return bad; }
  void markFailed() { bad = true; }

 private:
  void need(size_t n) const {
    if (n > data.size() - pos) outOfData();
  }
  [[noreturn]] void outOfData() const;
  uint64_t getFixed(int width) {
    need(static_cast<size_t>(width));
    uint64_t v = 0;
    for (int i = 0; i < width; ++i) v = (v << 8) | static_cast<uint8_t>(data[pos++]);
    return v;
  }

  std::string_view data;
  size_t pos = 0;
  mutable bool bad = false;
};

}  // namespace orvane::util
