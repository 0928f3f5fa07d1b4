// Reading a log: the tokenizer, the match dates, and every module's event list through the
// shared driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "TraceCapture.h"
#include "games/EventListDriver.h"
#include "games/MatchDate.h"
#include "games/brk/EventList.h"
#include "games/qmLog.h"
#include "games/zln/EventList.h"
#include "util/Debug.h"
#include "util/Numbers.h"

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
      {"", ""},
      {"1\t\tx\t\n3.0\tGame_Start", "1||x|/3.0|Game_Start"},  // no final LF
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

// The display text and the milliseconds since 1970, or the trace line of a failure.
std::string read(const std::string& logged) {
  testing::TraceCapture trace;
  int64_t time = 7;
  const std::optional<std::string> text = niceDate(logged, time);
  return text ? *text + " = " + std::to_string(time) : trace.str() + std::to_string(time);
}

// Unreadable texts give one trace line and leave the time alone.
TEST(MatchDate, DisplayTextAndMillisecondsOrOneTraceLine) {
  setenv("TZ", "UTC", 1);
  tzset();
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
  setenv("TZ", "EST5", 1);
  tzset();
  EXPECT_EQ(read("2000.01.31.10.05.09.123.+0"),
            "Mon, Jan 31  2000 at 10:05:09 AM +0 = 949331109123");
  setenv("TZ", "UTC", 1);
  tzset();
  for (const char* bad :
       {"2004.06.15", "yesterday", "2000.01.31.10.05.09.123.+05:3x", "2000.01.31.10.05.09.123.PST",
        "2000.01.31.10.05.09.123.", "2000.01.31.10.05.09.123.+5:60",
        "2000.01.31.10.05.09.123.+1e308", "99999999.01.01.00.00.00.000.+0",
        "2000.-2147483648.01.00.00.00.000.+0"}) {
    const std::string r = read(bad);
    EXPECT_EQ(r.substr(0, 23) + r.substr(r.find('\n')), "Error in Game.niceDate \n7") << r;
  }
}

using util::Debug;

// What a module's event list makes of a text.
struct Parsed {
  std::string times;    // of the events built; "none" when the match does not count
  std::string printed;  // the events' print() lines
  std::string trace;    // written while parsing at level 1
};

// Parses lines written with "|" for the tabs.
template <class List>
Parsed parse(std::string text) {
  std::replace(text.begin(), text.end(), '|', '\t');
  testing::TraceCapture trace;
  Debug::setLevel(1);
  const auto events = List::parse(text);
  Parsed p{events ? "" : "none", "", trace.str()};
  trace.str("");
  if (events) {
    for (const auto& e : *events) {
      p.times += util::formatDouble(e.getTime()) + " ";
      e.print();
    }
  }
  p.printed = trace.str();
  return p;
}

// A module's lines (written without their time where they are put together by the tests).
struct Module {
  std::string name;
  Parsed (*parse)(std::string);
  std::string prefix;                 // of the trace lines
  std::vector<std::string> counting;  // each makes the match count
  std::vector<std::string> other;     // valid lines that do not
  std::string shortKill;              // a kill line one field short: it reports, and counts
  std::pair<std::string, std::string> unknown;  // a line of no known keyword, and its report
  // Every keyword's line, with as many fields as its event requires ("x" where none is read),
  // marked " *" where the line one field short is tried.
  std::string events;
  std::vector<std::string> shown;  // parts of what the events print: optional fields read or not
  std::vector<std::pair<std::string, std::string>> failures;  // a line and its failure
  std::pair<std::string, std::string> swallowing;  // a bad line that only reports, and the report

  std::string framed(const std::string& inner) const {
    return "I " + prefix + "EventList.parse\n" + inner + "O " + prefix + "EventList.parse\n";
  }
};

class EventListDriverTest : public ::testing::TestWithParam<Module> {};

// Every keyword builds a valid event of its time, optional fields read where they are given;
// one field less (tried on the lines marked " *"), the line reports itself and is dropped.
TEST_P(EventListDriverTest, EachKeywordReadsItsLineAndRejectsOneFieldLess) {
  const Module& m = GetParam();
  std::string full, times, shortened;
  size_t tried = 0;
  std::istringstream in(m.events);
  for (std::string line; std::getline(in, line);) {
    const bool shorten = line.ends_with(" *");
    if (shorten) line.resize(line.size() - 2);
    full += line + "\n";
    times += util::formatDouble(util::parseDouble(line.substr(0, line.find('|')))) + " ";
    if (shorten) shortened += line.substr(0, line.rfind('|')) + "\n";
    tried += shorten;
  }
  const Parsed all = m.parse(full);
  EXPECT_EQ(all.trace, m.framed(""));
  EXPECT_EQ(all.times, times);
  for (const std::string& part : m.shown) {
    EXPECT_NE(all.printed.find(part), std::string::npos) << part << "\n" << all.printed;
  }
  const Parsed bad = m.parse(shortened);  // its short kill line makes the match count
  EXPECT_EQ(bad.times, "");
  size_t reports = 0;
  for (size_t at = 0; (at = bad.trace.find("\nBad '", at)) != std::string::npos; ++at) ++reports;
  EXPECT_EQ(reports, tried) << bad.trace;
}

// Only a counting line makes the match count, even when it is too short to read; unknown and
// unreadable lines are dropped alone. A failure ends the parsing: whatever was built before the
// failing line is kept, even without a counting line.
TEST_P(EventListDriverTest, CountsKeepsTheOrderAndDropsBadLines) {
  const Module& m = GetParam();
  for (const std::string& l : m.counting) EXPECT_EQ(m.parse("1|" + l + "\n").times, "1.0 ") << l;
  for (const std::string& l : m.other) EXPECT_EQ(m.parse("1|" + l + "\n").times, "none") << l;
  const Parsed p =
      m.parse("1|" + m.other[0] + "\n2|" + m.unknown.first + "\n3|" + m.shortKill + "\n4|" +
              m.counting[0] + "\n5|" + m.swallowing.first + "\n6|" + m.other[1] + "\n");
  EXPECT_EQ(p.times, "1.0 4.0 6.0 ");
  EXPECT_EQ(p.trace,
            m.framed(m.unknown.second + "\nBad 'Kill' Event\n" + m.swallowing.second + "\n"));
  for (const auto& [line, failure] : m.failures) {
    const Parsed f = m.parse("1|" + m.other[0] + "\n" + line + "\n3|" + m.counting[0] + "\n");
    EXPECT_EQ(f.times + f.trace,
              "1.0 " + m.framed("Error in " + m.prefix + "EventList.parse: " + failure + "\n"))
        << line;
  }
}

const std::string kNfe = "NumberFormatException: For input string: ";
const std::string kIndex = "ArrayIndexOutOfBoundsException: ";

const char* const kBrkEvents =
    "1.5|Item_Pickup|rocket|x|3|40 *\n2|Kill|3|rocket|x|40|7|mg|x|55 *\n3e2|Player_Respawn|4 *\n"
    "4.25|Suicide|5|lava|x|60 *\n5|Item_Use|quad|x|6|70 *\n6|Item_Expire|quad|x|7 *\n7|info|map *\n"
    "7|info|host|a b|\n8|Player_Connect|Bob|2|ip *\n8|Player_Connect|Bob|2|ip|s3\n"
    "9|Player_Enter|Bob|2 *\n10|Observe|Bob|2|30 *\n11|Player_Leave|Bob|2 *\n12|Chat|hi there *\n"
    "13|Player_Rename|Bob|Rob|2|30 *\n13|Player_Rename|Bob|Rob|2|30|s3\n"
    "14|Player_Reconnect|Bob|2|ip *\n15|Item_Drop|flag|x|x|2 *\n"
    "16|Fratricide|3|rail|x|40|7|mg|x|55 *\n17|Chasecam|Bob|2|30 *\n18|Autocam|Bob|2|30 *\n"
    "19|Player_Accuracy|2|dmg:5:6 *\n19|Player_Accuracy|2|mg:1:2|rail:1:2|d:5:6\n"
    "20|Team_Rename|Red|Crimson *\n21|Game_Init|2004-01-02 *\n-0.5|Game_Start\n"
    "23|Game_End|timelimit *\n24|Vote|passed *\n24|Vote|passed|map|q3dm6\n"
    "25|Player_Team_Join|Bob|2|Red|30 *\n26|Player_Team_Leave|2|Red|30 *\n"
    "27|Player_ZBOT|Bob|2|ip|aimbot *\n";

const char* const kZlnEvents =
    "1.5|item_get|flak|3 *\n2|kill|3|flak|7|rocket|gibbed *\n3|suicide|5|lava|burnt|world *\n"
    "4|teamkill|3|link|7|shock|none *\n5|item_activate|boots|6 *\n6|player|Ping|2|55 *\n"
    "7|player|Connect|Bob|2|no *\n7|player|Connect|Bob|2|no|s3\n7|player|Connect|Bob|2|no|s3|x\n"
    "8|player|IsABot|2|False *\n8|player|IsABot|2|false\n9|player|Disconnect|2 *\n"
    "10|player|Rename|Rob|2 *\n10|player|Rename|Rob|s3|5\n11|player|Team|2|1 *\n"
    "12|player|TeamID|2|7 *\n13|player|TeamName|2|Red *\n14|player|Skill|2|4.5 *\n"
    "15|item_deactivate|boots|6 *\n16|headshot|3|7 *\n17|dom_score_update|1|-2.25e1 *\n"
    "18|controlpoint_capture|A|3 *\n19|flag_taken|3|1 *\n20|flag_dropped|3|1 *\n"
    "21|flag_captured|3|0 *\n22|flag_pickedup|4|1 *\n23|flag_returned|4|0 *\n"
    "24|flag_returned_timeout|1 *\n25|throw_translocator|5 *\n26|translocate|5 *\n"
    "27|translocate_gib|5 *\n28|translocate_fail|5 *\n29|info|Server|a\n30|map|Name|DM-Deck *\n"
    "31|game|GameName|CTF *\n-0.5|game_start\n33|game_end|fraglimit *\n34|typing|FALSE|2 *\n"
    "35|assault_timelimit|600 *\n36|assault_gamecode|AS-1|2 *\n37|assault_defender|0 *\n"
    "38|assault_attacker|1 *\n";

const Module kBrk{"brk",
                  &parse<brk::EventList>,
                  "",
                  {"Kill|3|rocket|x|40|7|mg|x|55", "Suicide|5|lava|x|60"},
                  {"Chat|hi", "Fratricide|3|rail|x|40|7|mg|x|55"},
                  "Kill|3|rocket",
                  {"kill|3|rocket|x|40|7|mg|x|55", "Unknown Event: kill"},  // letter case counts
                  kBrkEvents,
                  {"(7.0)Info host\n      => a b\n      => \n(8.0)Player Connect: Bob:: => 2\n"
                   "(8.0)Player Connect: Bob::s3 => 2\n",
                   "Rename: Rob::s3 => 2\n", "(24.0)Vote passed=>\n(24.0)Vote passed=>map\n"},
                  {{"2", kIndex + "1"},  // no keyword
                   {"abc|Game_Start", kNfe + "\"abc\""},
                   {"2|Player_Team_Leave|2147483648|Red|3", kNfe + "\"2147483648\""},
                   {"2|Player_Accuracy|4|rocket:1|d:5:6", kIndex + "2"},
                   {"2|Player_Accuracy|4|rocket::1:2:3|d:5:6", kIndex + "4"},  // four promise five
                   {"2|Player_Accuracy|4|rocket:1:2|d:5", kIndex + "2"},
                   {"2|Player_Accuracy|4|d::5", kIndex + "2"},
                   {"2|Player_Accuracy|4|rocket:x:2|d:5:6", kNfe + "\"x\""}},
                  {"Player_Respawn|x", "Invalid 'Player Respawn' Event"}};

const Module kZln{
    "zln",
    &parse<zln::EventList>,
    "zln.",
    {"kill|3|flak|7|rocket|gibbed", "suicide|5|lava|burnt|world", "teamkill|3|link|7|shock|none"},
    {"game_start", "player|Connect|Bob|1|no"},
    "kill|3|flak",
    {"player|ping|2|55", "Unknown Event: player ping"},
    kZlnEvents,
    // A password only with exactly seven fields; only the exact text "False" is false.
    {"(7.0)Player Connect: Bob:: => 2\n(7.0)Player Connect: Bob::s3 => 2\n"
     "(7.0)Player Connect: Bob:: => 2\n(8.0)Player IsABot: false => 2\n"
     "(8.0)Player IsABot: true => 2\n",
     "Rename: Rob::s3 => 5\n", "(29.0)Info Server\n      => a\n", "Typing: true"},
    {{"2", kIndex + "1"},  // no keyword
     {"2|kill|3|flak|x|rocket|gibbed", kNfe + "\"x\""},
     {"2|player|Skill|2|4,5", kNfe + "\"4,5\""},
     {"abc|game_start", kNfe + "\"abc\""},
     {"2|player", kIndex + "2"}},  // no sub-keyword
    {"player|Disconnect|x", "Invalid 'Player Disconnect' Event"}};

INSTANTIATE_TEST_SUITE_P(Games, EventListDriverTest, ::testing::Values(kBrk, kZln),
                         [](const auto& p) { return p.param.name; });

}  // namespace
}  // namespace orvane::games
