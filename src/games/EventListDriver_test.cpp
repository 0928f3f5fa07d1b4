#include "games/EventListDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "games/brk/EventList.h"
#include "games/zln/EventList.h"
#include "util/Debug.h"
#include "util/Numbers.h"

namespace orvane::games {
namespace {

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
  std::ostringstream trace;
  Debug::reset();
  Debug::setStream(&trace);
  const TokenLines lines = qmLog::parse(text);
  Debug::setLevel(1);
  const auto events = List::parse(lines);
  Parsed p{events ? "" : "none", "", trace.str()};
  trace.str("");
  if (events) {
    for (const auto& e : *events) {
      p.times += util::formatDouble(e.getTime()) + " ";
      e.print();
    }
  }
  p.printed = trace.str();
  Debug::reset();
  return p;
}

struct Case {
  std::string line;     // as many fields as its event requires; "x" where no field is read
  std::string printed;  // print() of its event
  std::string name;     // in the report of the line without its last field; empty: not tried
};

// A module's lines (written without their time where they are put together by the tests).
struct Module {
  std::string name;
  Parsed (*parse)(std::string);
  std::string prefix;                 // of the trace lines
  std::vector<std::string> counting;  // each makes the match count
  std::vector<std::string> other;     // valid lines that do not
  std::string shortKill;              // a kill line one field short: it reports, and counts
  std::pair<std::string, std::string> unknown;  // a line of no known keyword, and its report
  std::vector<Case> events;                     // every keyword, with a time
  std::vector<std::pair<std::string, std::string>> failures;  // a line and its failure
  std::pair<std::string, std::string> swallowing;  // a bad line that only reports, and the report

  std::string framed(const std::string& inner) const {
    return "I " + prefix + "EventList.parse\n" + inner + "O " + prefix + "EventList.parse\n";
  }
};

class EventListDriverTest : public ::testing::TestWithParam<Module> {};

TEST_P(EventListDriverTest, EachKeywordReadsItsLineAndRejectsOneFieldLess) {
  const Module& m = GetParam();
  std::string full, shortened, printed, reports;
  for (const Case& c : m.events) {
    full += c.line + "\n";
    printed += c.printed + "\n";
    if (c.name.empty()) continue;
    shortened += c.line.substr(0, c.line.rfind('|')) + "\n";
    reports += "Bad '" + c.name + "' Event\n";
  }
  const Parsed all = m.parse(full);
  EXPECT_EQ(all.trace, m.framed(""));
  EXPECT_EQ(all.printed, printed);
  const Parsed bad = m.parse(shortened);  // its short kill line makes the match count
  EXPECT_EQ(bad.trace, m.framed(reports));
  EXPECT_EQ(bad.times, "");
}

TEST_P(EventListDriverTest, OnlyACountingLineMakesTheMatchCount) {
  const Module& m = GetParam();
  for (const std::string& l : m.counting) EXPECT_EQ(m.parse("1|" + l + "\n").times, "1.0 ") << l;
  for (const std::string& l : m.other) EXPECT_EQ(m.parse("1|" + l + "\n").times, "none") << l;
}

TEST_P(EventListDriverTest, DropsUnknownAndInvalidLinesAndKeepsTheOrder) {
  const Module& m = GetParam();
  const Parsed p =
      m.parse("1|" + m.other[0] + "\n2|" + m.unknown.first + "\n3|" + m.shortKill + "\n4|" +
              m.counting[0] + "\n5|" + m.swallowing.first + "\n6|" + m.other[1] + "\n");
  EXPECT_EQ(p.times, "1.0 4.0 6.0 ");
  EXPECT_EQ(p.trace,
            m.framed(m.unknown.second + "\nBad 'Kill' Event\n" + m.swallowing.second + "\n"));
}

// Whatever was built before the failing line is kept, even without a counting line.
TEST_P(EventListDriverTest, AFailureEndsTheParsingAndKeepsTheEventsBeforeIt) {
  const Module& m = GetParam();
  const std::string error = "Error in " + m.prefix + "EventList.parse: ";
  const Parsed noKeyword = m.parse("1|" + m.other[0] + "\n2\n3|" + m.counting[0] + "\n");
  EXPECT_EQ(noKeyword.times, "1.0 ");
  EXPECT_EQ(noKeyword.trace, m.framed(error + "ArrayIndexOutOfBoundsException: 1\n"));
  for (const auto& [line, failure] : m.failures) {
    const Parsed p = m.parse("1|" + m.counting[0] + "\n" + line + "\n3|" + m.counting[0] + "\n");
    EXPECT_EQ(p.times, "1.0 ") << line;
    EXPECT_EQ(p.trace, m.framed(error + failure + "\n")) << line;
  }
}

const std::string kNfe = "NumberFormatException: For input string: ";
const std::string kIndex = "ArrayIndexOutOfBoundsException: ";

const std::vector<Case> kBrkEvents = {
    {"1.5|Item_Pickup|rocket|x|3|40", "(1.5)Item Get  => 3 => rocket", "Item_Pickup"},
    {"2|Kill|3|rocket|x|40|7|mg|x|55", "(2.0)Kill 3 => 7 => rocket", "Kill"},
    {"3e2|Player_Respawn|4", "(300.0)Player Respawn => 4", "Player Respawn"},
    {"4.25|Suicide|5|lava|x|60", "(4.25)Suicide 5 => lava => 60", "Suicide"},
    {"5|Item_Use|quad|x|6|70", "(5.0)Item Use  => 6 => quad", "Item_Use"},
    {"6|Item_Expire|quad|x|7", "(6.0)Item Expire  => 7 => quad", "Item Expire"},
    {"7|info|map", "(7.0)Info map", "Info"},
    {"7|info|host|a b|", "(7.0)Info host\n      => a b\n      => ", ""},
    {"8|Player_Connect|Bob|2|ip", "(8.0)Player Connect: Bob:: => 2", "Player Connect"},
    {"8|Player_Connect|Bob|2|ip|s3", "(8.0)Player Connect: Bob::s3 => 2", ""},
    {"9|Player_Enter|Bob|2", "(9.0)Player Enter: Bob => 2", "Player Enter"},
    {"10|Observe|Bob|2|30", "(10.0)Observe: Bob", "Observe"},
    {"11|Player_Leave|Bob|2", "(11.0)Player Leave: Bob:: => 2", "Player Leave"},
    {"12|Chat|hi there", "(12.0)Chat: hi there", "Chat"},
    {"13|Player_Rename|Bob|Rob|2|30", "(13.0)Player Rename: Rob:: => 2", "Player Rename"},
    {"13|Player_Rename|Bob|Rob|2|30|s3", "(13.0)Player Rename: Rob::s3 => 2", ""},
    {"14|Player_Reconnect|Bob|2|ip", "(14.0)Player Reconnect: Bob::ip => 2", "Player Reconnect"},
    {"15|Item_Drop|flag|x|x|2", "(15.0)Item Drop => 2 => flag", "Item Drop"},
    {"16|Fratricide|3|rail|x|40|7|mg|x|55", "(16.0)Fratricide 3 => 7 => rail", "Fratricide"},
    {"17|Chasecam|Bob|2|30", "(17.0)Chasecam: Bob", "Chasecam"},
    {"18|Autocam|Bob|2|30", "(18.0)Autocam: Bob", "Autocam"},
    {"19|Player_Accuracy|2|dmg:5:6", "(19.0)Player Accuracy => 2 => []", "Player Accuracy"},
    {"19|Player_Accuracy|2|mg:1:2|rail:1:2|d:5:6", "(19.0)Player Accuracy => 2 => [mg, rail]", ""},
    {"20|Team_Rename|Red|Crimson", "(20.0)Team Rename: Red => Crimson", "Team Rename"},
    {"21|Game_Init|2004-01-02", "(21.0)GameInit=>2004-01-02", "Game_Init"},
    {"-0.5|Game_Start", "(-0.5)GameStart", ""},  // one field less has no keyword
    {"23|Game_End|timelimit", "(23.0)GameEnd=>timelimit", "game_end"},
    {"24|Vote|passed", "(24.0)Vote passed=>", "Vote"},
    {"24|Vote|passed|map|q3dm6", "(24.0)Vote passed=>map", ""},
    {"25|Player_Team_Join|Bob|2|Red|30", "(25.0)Player Team Join: Red => 2", "Player Team Join"},
    {"26|Player_Team_Leave|2|Red|30", "(26.0)Player Team Leave: Red => 2", "Player Team Leave"},
    {"27|Player_ZBOT|Bob|2|ip|aimbot", "(27.0)Player ZBot: Bob::aimbot =>2", "Player ZBot"},
};

const std::vector<Case> kZlnEvents = {
    {"1.5|item_get|flak|3", "(1.5)Item Get  => 3 => flak", "item_get"},
    {"2|kill|3|flak|7|rocket|gibbed", "(2.0)Kill 3 => 7 => flak => gibbed", "Kill"},
    {"3|suicide|5|lava|burnt|world", "(3.0)Suicide 5 => lava => burnt", "Suicide"},
    {"4|teamkill|3|link|7|shock|none", "(4.0)Team Kill 3 => 7 => link => none", "Team Kill"},
    {"5|item_activate|boots|6", "(5.0)Item Activate  => 6 => boots", "item_activate"},
    {"6|player|Ping|2|55", "(6.0)Player Ping: 55 => 2", "Player Ping"},
    {"7|player|Connect|Bob|2|no", "(7.0)Player Connect: Bob:: => 2", "Player Connect"},
    // A password only with exactly seven fields; only the exact text "False" is false.
    {"7|player|Connect|Bob|2|no|s3", "(7.0)Player Connect: Bob::s3 => 2", ""},
    {"7|player|Connect|Bob|2|no|s3|x", "(7.0)Player Connect: Bob:: => 2", ""},
    {"8|player|IsABot|2|False", "(8.0)Player IsABot: false => 2", "Player IsABot"},
    {"8|player|IsABot|2|false", "(8.0)Player IsABot: true => 2", ""},
    {"9|player|Disconnect|2", "(9.0)Player Disconnect => 2", "Player Disconnect"},
    {"10|player|Rename|Rob|2", "(10.0)Player Rename: Rob:: => 2", "Player Rename"},
    {"10|player|Rename|Rob|s3|5", "(10.0)Player Rename: Rob::s3 => 5", ""},
    {"11|player|Team|2|1", "(11.0)Player Team: Index=1 => 2", "Player Team"},
    {"12|player|TeamID|2|7", "(12.0)Player TeamID: 7 => 2", "Player TeamID"},
    {"13|player|TeamName|2|Red", "(13.0)Player TeamName: Red => 2", "Player TeamName"},
    {"14|player|Skill|2|4.5", "(14.0)Player Skill: 4.5 => 2", "Player Skill"},
    {"15|item_deactivate|boots|6", "(15.0)Item Deactivate  => 6 => boots", "item_deactivate"},
    {"16|headshot|3|7", "(16.0)HeadShot 3 => 7", "Head Shot"},
    {"17|dom_score_update|1|-2.25e1", "(17.0)Dom Score  => 1 => -22.5", "dom_score_update"},
    {"18|controlpoint_capture|A|3", "(18.0)Control Point Capture: >A< 3", "Control Point Capture"},
    {"19|flag_taken|3|1", "(19.0)Flag Taken: team=1 player=3", "Flag Taken"},
    {"20|flag_dropped|3|1", "(20.0)Flag Drop: team=1 player=3", "Flag Drop"},
    {"21|flag_captured|3|0", "(21.0)Flag Captured: team=0 player=3", "Flag Captured"},
    {"22|flag_pickedup|4|1", "(22.0)Flag Pickedup: team=1 player=4", "Flag Pickedup"},
    {"23|flag_returned|4|0", "(23.0)Flag Returned: team=0 player=4", "Flag Returned"},
    {"24|flag_returned_timeout|1", "(24.0)Flag Returned Timeout: team=1", "Flag Returned Timeout"},
    {"25|throw_translocator|5", "(25.0)Throw Trans => 5", "Throw Trans"},
    {"26|translocate|5", "(26.0)Translocate  => 5", "Translocate"},
    {"27|translocate_gib|5", "(27.0)Trans Gib => 5", "Trans Gib"},
    {"28|translocate_fail|5", "(28.0)Trans Fail => 5", "Trans Fail"},
    {"29|info|Server|a", "(29.0)Info Server\n      => a", ""},
    {"30|map|Name|DM-Deck", "(30.0)Map=>Name=>DM-Deck", "map"},
    {"31|game|GameName|CTF", "(31.0)Game=>GameName=>CTF", "Game"},
    {"-0.5|game_start", "(-0.5)GameStart", ""},  // one field less has no keyword
    {"33|game_end|fraglimit", "(33.0)GameEnd=>fraglimit", "game_end"},
    {"34|typing|FALSE|2", "(34.0)Typing: true => 2", "Typing"},
    {"35|assault_timelimit|600", "(35.0)Assault Timelimit => 600", "Assault Timelimit"},
    {"36|assault_gamecode|AS-1|2", "(36.0)Assault Gamecode => AS-1 2", "Assault Gamecode"},
    {"37|assault_defender|0", "(37.0)Assault Defender => 0", "Assault Defender"},
    {"38|assault_attacker|1", "(38.0)Assault Attacker => 1", "Assault Attacker"},
};

const Module kBrk{"brk",
                  &parse<brk::EventList>,
                  "",
                  {"Kill|3|rocket|x|40|7|mg|x|55", "Suicide|5|lava|x|60"},
                  {"Chat|hi", "Fratricide|3|rail|x|40|7|mg|x|55", "Game_End|fraglimit",
                   "Player_Connect|Bob|1|ip"},
                  "Kill|3|rocket",
                  {"kill|3|rocket|x|40|7|mg|x|55", "Unknown Event: kill"},  // letter case counts
                  kBrkEvents,
                  {{"2|Kill|x|rocket|x|40|7|mg|x|55", kNfe + "\"x\""},
                   {"abc|Game_Start", kNfe + "\"abc\""},
                   {"2|Item_Pickup|rocket|x|3|1.5", kNfe + "\"1.5\""},
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
    {"game_start", "info|Server", "player|Connect|Bob|1|no", "game_end|fraglimit"},
    "kill|3|flak",
    {"player|ping|2|55", "Unknown Event: player ping"},
    kZlnEvents,
    {{"2|kill|3|flak|x|rocket|gibbed", kNfe + "\"x\""},
     {"2|player|Skill|2|4,5", kNfe + "\"4,5\""},
     {"2|dom_score_update|1.5|2", kNfe + "\"1.5\""},
     {"abc|game_start", kNfe + "\"abc\""},
     {"2|player", kIndex + "2"}},  // no sub-keyword
    {"player|Disconnect|x", "Invalid 'Player Disconnect' Event"}};

INSTANTIATE_TEST_SUITE_P(Games, EventListDriverTest, ::testing::Values(kBrk, kZln),
                         [](const auto& p) { return p.param.name; });

}  // namespace
}  // namespace orvane::games
