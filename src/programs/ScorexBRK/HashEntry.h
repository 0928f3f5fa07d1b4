#pragma once

#include <cstdint>
#include <string>

#include "util/BigEndian.h"

namespace orvane::programs::ScorexBRK {

// One entry of the player index: a career player's identity and the summary figures that the
// rankings and player lists need without opening the player store.
//
// Bytes (57 plus the name's characters):
//   text name, bool isABot, int uid, double time, then 10 ints: a_frags, a_deaths,
//   a_suicides, dm_frags, dm_deaths, dm_suicides, t_wins, t_losses, o_wins, o_losses
class HashEntry {
 public:
  HashEntry(std::string name, bool isABot, int32_t uid);
  // Reads an entry; a failure is reported, the fields read so far are kept and the reader is
  // marked failed.
  explicit HashEntry(util::BigEndianReader& in);

  // Replaces the career seconds and the ten counters.
  void update(double t, int32_t af, int32_t ad, int32_t as, int32_t df, int32_t dd, int32_t ds,
              int32_t tw, int32_t tl, int32_t ow, int32_t ol);
  void writeDB(util::BigEndianWriter& out) const;

  std::string name;
  bool isABot = false;
  int32_t uid = 0;
  double time = 0.0;
  int32_t a_frags = 0;
  int32_t a_deaths = 0;
  int32_t a_suicides = 0;
  int32_t dm_frags = 0;
  int32_t dm_deaths = 0;
  int32_t dm_suicides = 0;
  int32_t t_wins = 0;
  int32_t t_losses = 0;
  int32_t o_wins = 0;
  int32_t o_losses = 0;
  bool modified = false;
};

}  // namespace orvane::programs::ScorexBRK
