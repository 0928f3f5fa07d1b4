#include "util/BigEndian.h"

#include "util/Failure.h"

namespace orvane::util {

void BigEndianReader::outOfData() const {
  bad = true;
  throw Failure(util::Failure::kEOF, "");
}

std::string BigEndianReader::readText(size_t maxLength) {
  const size_t at = pos;
  const int32_t n = readInt();
  if (n < 0 || static_cast<size_t>(n) > remaining() || static_cast<size_t>(n) > maxLength) {
    pos = at;
    bad = true;
    throw Failure(util::Failure::kIO,
                  "bad text length " + std::to_string(n) + " at byte " + std::to_string(at));
  }
  return std::string(readBytes(static_cast<size_t>(n)));
}

}  // namespace orvane::util
