#include "games/qmLog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <sstream>

#include "games/MatchDate.h"
#include "util/Debug.h"

namespace orvane::games {
namespace {

// The tokenized lines, fields joined by "|" and lines by "/".
std::string tokens(std::string_view text) {
  const TokenLines lines = qmLog::parse(text);
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "/";
    for (size_t f = 0; f < lines[i].size(); ++f)
      out += (f > 0 ? "|" : "") + std::string(lines[i][f]);
  }
  return out;
}

TEST(qmLog, FieldsSkippedLinesAndCarriageReturns) {
  const std::pair<std::string, std::string> cases[] = {
      {"0.0\tinfo\tmap\tq2dm1\n1.5\tKill\t0\n", "0.0|info|map|q2dm1/1.5|Kill|0"},
      // Comments, empty lines and lines starting with CR add nothing; "#" later is plain text.
      {"# head\n\n\r\n\rjunk\tx\n2.0\tChat\t#1\n#\n", "2.0|Chat|#1"},
      {"3.0\tGame_Start", "3.0|Game_Start"},  // no final LF
      {"1\t\tx\t\n", "1||x|"},
      {"", ""},
      {"1.0\tKill\t3\r\n2.0\tChat\thi\r\n", "1.0|Kill|3/2.0|Chat|hi"},
      // A lone CR ends its field; the next starts after the CR, or the rest of the line is lost.
      {"1.0\tab\rcd\tef\n", "1.0|ab|cd|ef"},
      {"1.0\tab\rcd ef\n", "1.0|ab"},
      {"1.0\tab\r\tef\n", "1.0|ab||ef"},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(tokens(text), want) << text;
}

// A field keeps its first bytes and a line its first fields; the lines after are intact.
TEST(qmLog, GarbledLinesAreCutToTheFieldLimits) {
  const std::string huge(qmLog::kMaxFieldBytes + 1, '<');
  EXPECT_EQ(tokens("1\tPlayer_Rename\t" + huge + "\t0\n2\tx\n"),
            "1|Player_Rename|" + huge.substr(1) + "|0/2|x");
  const std::string wide =
      "1\tPlayer_Accuracy" + std::string(qmLog::kMaxFields * 3, '\t') + "\n2\ty\n";
  const TokenLines cut = qmLog::parse(wide);  // views into wide
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0].size(), qmLog::kMaxFields);
  EXPECT_EQ(cut[1][1], "y");
}

TEST(qmLog, SplitAtTheMarkerWhereverItStandsAndNarrow) {
  using Pieces = std::vector<std::string_view>;
  EXPECT_EQ(qmLog::split("head\nMARK a\nMARK b\n", "MARK"),
            (Pieces{"head\n", "MARK a\n", "MARK b\n"}));
  EXPECT_EQ(qmLog::split("x MARK y", "MARK"), (Pieces{"x ", "MARK y"}));  // not only at line start
  EXPECT_EQ(qmLog::split("MARKMARK", "MARK"), (Pieces{"MARK", "MARK"}));
  EXPECT_TRUE(qmLog::split("", "MARK").empty());
  // The first byte of each pair; a lone last byte is dropped; a byte-order mark is no exception.
  EXPECT_EQ(qmLog::narrow(std::string("\377\376a\0b\0c", 7)), "\377ab");
}

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
      {"2000.01.31.10.05.09.123.+5.5", "Mon, Jan 31  2000 at 10:05:09 AM +5.5 = 949293309123"},
      // The hour is read as 0..23: 12:30 is half past noon; fields out of range carry over.
      {"2004.06.15.12.30.00.000.-3", "Tue, Jun 15  2004 at 12:30:00 PM -3 = 1087313400000"},
      {"2004.06.15.00.15.00.000.+0", "Tue, Jun 15  2004 at 12:15:00 AM +0 = 1087258500000"},
      {"2003.13.01.00.00.00.000.+0", "Thu, Jan 01  2004 at 12:00:00 AM +0 = 1072915200000"},
      // Zones as clocks or by name.
      {"2000.01.31.10.05.09.123.+05:30", "Mon, Jan 31  2000 at 10:05:09 AM +05:30 = 949293309123"},
      {"2000.01.31.10.05.09.123.-3:45", "Mon, Jan 31  2000 at 10:05:09 AM -3:45 = 949326609123"},
      {"2000.01.31.10.05.09.123.UTC", "Mon, Jan 31  2000 at 10:05:09 AM UTC = 949313109123"},
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
