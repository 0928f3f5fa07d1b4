#include "games/MatchDate.h"

#include <gtest/gtest.h>

#include <algorithm>
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

class MatchDateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    util::Debug::reset();
    util::Debug::setStream(&trace);
    setZone("UTC");
  }
  void TearDown() override {
    util::Debug::reset();
    setZone("UTC");
  }
  std::ostringstream trace;
};

TEST_F(MatchDateTest, DisplayTextAndMillisecondsInUtc) {
  const struct {
    const char* logged;
    const char* text;
    int64_t time;
  } cases[] = {
      {"1999.12.31.11.59.59.999.+1", "Fri, Dec 31  1999 at 11:59:59 AM +1", 946637999999},
      {"1999.12.31.11.59.59.999.-2", "Fri, Dec 31  1999 at 11:59:59 AM -2", 946648799999},
      {"2000.01.31.10.05.09.123.-5", "Mon, Jan 31  2000 at 10:05:09 AM -5", 949331109123},
      {"2000.01.31.10.05.09.123.+5.5", "Mon, Jan 31  2000 at 10:05:09 AM +5.5", 949293309123},
      // The hour is read as 0..23: 12:30 is half past noon; fields out of range carry over.
      {"2004.06.15.12.30.00.000.-3", "Tue, Jun 15  2004 at 12:30:00 PM -3", 1087313400000},
      {"2004.06.15.00.15.00.000.+0", "Tue, Jun 15  2004 at 12:15:00 AM +0", 1087258500000},
      {"2003.13.01.00.00.00.000.+0", "Thu, Jan 01  2004 at 12:00:00 AM +0", 1072915200000},
      // Zones as clocks or by name.
      {"2000.01.31.10.05.09.123.+05:30", "Mon, Jan 31  2000 at 10:05:09 AM +05:30", 949293309123},
      {"2000.01.31.10.05.09.123.-3:45", "Mon, Jan 31  2000 at 10:05:09 AM -3:45", 949326609123},
      {"2000.01.31.10.05.09.123.UTC", "Mon, Jan 31  2000 at 10:05:09 AM UTC", 949313109123},
      {"2000.01.31.10.05.09.123.z", "Mon, Jan 31  2000 at 10:05:09 AM z", 949313109123},
  };
  for (const auto& c : cases) {
    int64_t time = 0;
    EXPECT_EQ(niceDate(c.logged, time).value_or("<none>"), c.text);
    EXPECT_EQ(time, c.time) << c.logged;
  }
  EXPECT_EQ(trace.str(), "");
}

TEST_F(MatchDateTest, ReadInTheLocalZone) {
  // 10:05 at five hours west of UTC is 15:05 UTC, whatever the logged offset says.
  setZone("EST5");
  int64_t time = 0;
  EXPECT_EQ(niceDate("2000.01.31.10.05.09.123.+0", time).value_or("<none>"),
            "Mon, Jan 31  2000 at 10:05:09 AM +0");
  EXPECT_EQ(time, 949331109123);
}

TEST_F(MatchDateTest, UnreadableTextsLeaveTheTimeAndTraceOneLine) {
  for (const char* bad :
       {"2004.06.15", "yesterday", "2000.01.31.10.05.09.123.+05:3x", "2000.01.31.10.05.09.123.PST",
        "2000.01.31.10.05.09.123.", "2000.01.31.10.05.09.123.+5:60",
        "2000.01.31.10.05.09.123.+1e308", "99999999.01.01.00.00.00.000.+0",
        "2000.-2147483648.01.00.00.00.000.+0"}) {
    trace.str("");
    int64_t time = 7;
    EXPECT_FALSE(niceDate(bad, time).has_value()) << bad;
    EXPECT_EQ(time, 7) << bad;
    const std::string t = trace.str();
    EXPECT_EQ(t.rfind("Error in Game.niceDate ", 0), 0u) << t;
    EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 1) << t;
  }
}

}  // namespace
}  // namespace orvane::games
