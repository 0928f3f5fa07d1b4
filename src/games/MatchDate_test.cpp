#include "games/MatchDate.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <sstream>

#include "util/Debug.h"

namespace orvane::games {
namespace {

void setZone(const char* tz) {
  setenv("TZ", tz, 1);
  tzset();
}

// The display text and the milliseconds since 1970, or the trace line of a failure.
std::string read(const std::string& logged) {
  std::ostringstream trace;
  util::Debug::reset();
  util::Debug::setStream(&trace);
  int64_t time = 7;
  const std::optional<std::string> text = niceDate(logged, time);
  util::Debug::reset();
  return text ? *text + " = " + std::to_string(time) : trace.str() + std::to_string(time);
}

TEST(MatchDate, DisplayTextAndMilliseconds) {
  setZone("UTC");
  const std::pair<const char*, const char*> cases[] = {
      {"1999.12.31.11.59.59.999.+1", "Fri, Dec 31  1999 at 11:59:59 AM +1 = 946637999999"},
      {"1999.12.31.11.59.59.999.-2", "Fri, Dec 31  1999 at 11:59:59 AM -2 = 946648799999"},
      {"2000.01.31.10.05.09.123.+5.5", "Mon, Jan 31  2000 at 10:05:09 AM +5.5 = 949293309123"},
      // The hour is read as 0..23: 12:30 is half past noon; fields out of range carry over.
      {"2004.06.15.12.30.00.000.-3", "Tue, Jun 15  2004 at 12:30:00 PM -3 = 1087313400000"},
      {"2004.06.15.00.15.00.000.+0", "Tue, Jun 15  2004 at 12:15:00 AM +0 = 1087258500000"},
      {"2003.13.01.00.00.00.000.+0", "Thu, Jan 01  2004 at 12:00:00 AM +0 = 1072915200000"},
      // Zones as clocks or by name.
      {"2000.01.31.10.05.09.123.+05:30", "Mon, Jan 31  2000 at 10:05:09 AM +05:30 = 949293309123"},
      {"2000.01.31.10.05.09.123.-3:45", "Mon, Jan 31  2000 at 10:05:09 AM -3:45 = 949326609123"},
      {"2000.01.31.10.05.09.123.UTC", "Mon, Jan 31  2000 at 10:05:09 AM UTC = 949313109123"},
      {"2000.01.31.10.05.09.123.z", "Mon, Jan 31  2000 at 10:05:09 AM z = 949313109123"},
  };
  for (const auto& [logged, want] : cases) EXPECT_EQ(read(logged), want);
  // Read in the local zone: 10:05 at five hours west of UTC is 15:05 UTC, whatever the offset.
  setZone("EST5");
  EXPECT_EQ(read("2000.01.31.10.05.09.123.+0"),
            "Mon, Jan 31  2000 at 10:05:09 AM +0 = 949331109123");
  setZone("UTC");
}

// One trace line, and the time is left alone.
TEST(MatchDate, UnreadableTexts) {
  for (const char* bad :
       {"2004.06.15", "yesterday", "2000.01.31.10.05.09.123.+05:3x", "2000.01.31.10.05.09.123.PST",
        "2000.01.31.10.05.09.123.", "2000.01.31.10.05.09.123.+5:60",
        "2000.01.31.10.05.09.123.+1e308", "99999999.01.01.00.00.00.000.+0",
        "2000.-2147483648.01.00.00.00.000.+0"}) {
    const std::string r = read(bad);
    EXPECT_EQ(r.rfind("Error in Game.niceDate ", 0), 0u) << r;
    EXPECT_EQ(r.substr(r.find('\n')), "\n7") << r;
  }
}

}  // namespace
}  // namespace orvane::games
