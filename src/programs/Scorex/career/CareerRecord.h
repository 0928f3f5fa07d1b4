#pragma once

#include <cstdint>
#include <string>

#include "util/BigEndian.h"

namespace orvane::programs::Scorex::career {

// A career record: its holder, the value, and how much the holder had played when it was set.
//
// Bytes (25 plus the name's characters):
//   int uid, text name, bool isABot, int score, int games, double time
class CareerRecord {
 public:
  CareerRecord() = default;
  CareerRecord(int32_t uid, std::string name, bool isABot, int32_t score, int32_t games,
               double time);
  // Reads a record; a failure is reported, the fields read so far are kept and the reader is
  // marked failed.
  explicit CareerRecord(util::BigEndianReader& in);
  void writeDB(util::BigEndianWriter& out) const;

  std::string name;
  int32_t uid = 0;
  int32_t score = 0;
  int32_t games = 0;
  bool isABot = false;
  double time = 0.0;
};

}  // namespace orvane::programs::Scorex::career
