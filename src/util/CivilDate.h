#pragma once

#include <cstdint>

namespace orvane::util {

// A day of the proleptic Gregorian calendar.
struct CivilDate {
  int64_t year = 1970;
  int64_t month = 1;  // 1 to 12
  int64_t day = 1;    // 1 to 31
};

// The date of the day that lies days after 1970-01-01 (before it when negative), counted in
// 400-year eras of 146097 days from 0000-03-01, without a clock or a time zone. Exact for every
// day a 64-bit millisecond stamp can name.
inline CivilDate civilFromDays(int64_t days) {
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, doy - (153 * mp + 2) / 5 + 1};
}

}  // namespace orvane::util
