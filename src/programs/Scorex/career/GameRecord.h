#pragma once

#include <cstdint>
#include <string>

#include "util/BigEndian.h"

namespace orvane::programs::Scorex::career {

// A single-match record: its holder, the value and the match it was reached in.
//
// Bytes (29 plus the texts' characters):
//   int uid, text name, text map, text date, bool isABot, int score, double time
class GameRecord {
 public:
  GameRecord() = default;
  GameRecord(int32_t uid, std::string name, bool isABot, int32_t score, std::string map,
             std::string date, double time);
  // Reads a record; a failure is reported, the fields read so far are kept and the reader is
  // marked failed, so that the caller stops there.
  explicit GameRecord(util::BigEndianReader& in);
  void writeDB(util::BigEndianWriter& out) const;

  std::string name;
  std::string map;
  std::string date;
  int32_t uid = 0;
  int32_t score = 0;
  bool isABot = false;
  double time = 0.0;
};

}  // namespace orvane::programs::Scorex::career
