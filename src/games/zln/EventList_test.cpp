#include "games/zln/EventList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "games/qmLog.h"
#include "util/Debug.h"

namespace orvane::games::zln {
namespace {

using util::Debug;

// Parses a match text written with "|" for the tabs between fields, tracing up to `level`
// (the tokenizer's own trace lines stay out).
std::optional<std::vector<Event>> parseText(std::string text, int32_t level = 0) {
  std::replace(text.begin(), text.end(), '|', '\t');
  Debug::setLevel(0);
  const TokenLines lines = qmLog::parse(text);
  Debug::setLevel(level);
  return EventList::parse(lines);
}

class EventListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&out);
  }
  void TearDown() override { Debug::reset(); }
  // The events' print() lines alone.
  std::string printed(const std::vector<Event>& events) {
    out.str("");
    for (const Event& e : events) e.print();
    return out.str();
  }
  std::ostringstream out;
};

TEST_F(EventListTest, EveryKeywordAndPlayerSubKeywordBuildsItsEvent) {
  const auto events = parseText(
      "1|item_get|flak|3\n2|kill|3|flak|7|rocket|gibbed\n3|suicide|5|lava|burnt|world\n"
      "4|teamkill|3|link|7|shock|none\n5|item_activate|boots|6\n6|player|Ping|2|55\n"
      "7|player|Connect|Bob|2|no\n8|player|IsABot|2|False\n9|player|Disconnect|2\n"
      "10|player|Rename|Rob|2\n11|player|Team|2|1\n12|player|TeamID|2|7\n"
      "13|player|TeamName|2|Red\n14|player|Skill|2|4.5\n15|item_deactivate|boots|6\n"
      "16|headshot|3|7\n17|dom_score_update|1|2.5\n18|controlpoint_capture|A|3\n"
      "19|flag_taken|3|1\n20|flag_dropped|3|1\n21|flag_captured|3|0\n22|flag_pickedup|4|1\n"
      "23|flag_returned|4|0\n24|flag_returned_timeout|1\n25|throw_translocator|5\n"
      "26|translocate|5\n27|translocate_gib|5\n28|translocate_fail|5\n29|info|Server|a\n"
      "30|map|Name|DM-Deck\n31|game|GameName|DM\n32|game_start\n33|game_end|fraglimit\n"
      "34|typing|True|2\n35|assault_timelimit|600\n36|assault_gamecode|AS|2\n"
      "37|assault_defender|0\n38|assault_attacker|1\n");
  EXPECT_EQ(out.str(), "");
  ASSERT_TRUE(events.has_value());
  EXPECT_EQ(printed(*events),
            "(1.0)Item Get  => 3 => flak\n(2.0)Kill 3 => 7 => flak => gibbed\n"
            "(3.0)Suicide 5 => lava => burnt\n(4.0)Team Kill 3 => 7 => link => none\n"
            "(5.0)Item Activate  => 6 => boots\n(6.0)Player Ping: 55 => 2\n"
            "(7.0)Player Connect: Bob:: => 2\n(8.0)Player IsABot: false => 2\n"
            "(9.0)Player Disconnect => 2\n(10.0)Player Rename: Rob:: => 2\n"
            "(11.0)Player Team: Index=1 => 2\n(12.0)Player TeamID: 7 => 2\n"
            "(13.0)Player TeamName: Red => 2\n(14.0)Player Skill: 4.5 => 2\n"
            "(15.0)Item Deactivate  => 6 => boots\n(16.0)HeadShot 3 => 7\n"
            "(17.0)Dom Score  => 1 => 2.5\n(18.0)Control Point Capture: >A< 3\n"
            "(19.0)Flag Taken: team=1 player=3\n(20.0)Flag Drop: team=1 player=3\n"
            "(21.0)Flag Captured: team=0 player=3\n(22.0)Flag Pickedup: team=1 player=4\n"
            "(23.0)Flag Returned: team=0 player=4\n(24.0)Flag Returned Timeout: team=1\n"
            "(25.0)Throw Trans => 5\n(26.0)Translocate  => 5\n(27.0)Trans Gib => 5\n"
            "(28.0)Trans Fail => 5\n(29.0)Info Server\n      => a\n(30.0)Map=>Name=>DM-Deck\n"
            "(31.0)Game=>GameName=>DM\n(32.0)GameStart\n(33.0)GameEnd=>fraglimit\n"
            "(34.0)Typing: true => 2\n(35.0)Assault Timelimit => 600\n"
            "(36.0)Assault Gamecode => AS 2\n(37.0)Assault Defender => 0\n"
            "(38.0)Assault Attacker => 1\n");
}

TEST_F(EventListTest, KillSuicideOrTeamKillLinesMakeTheMatchCount) {
  const struct {
    const char* text;
    bool counts;
    size_t events;
    const char* trace;
  } cases[] = {
      {"1|info|Server\n2|player|Connect|Bob|1|no\n3|game_end|fraglimit\n", false, 0, ""},
      {"1|teamkill|3|link|7|shock|none\n", true, 1, ""},
      {"1|suicide|5|lava|burnt|world\n", true, 1, ""},
      {"1|kill|3|flak\n", true, 0, "Bad 'Kill' Event\n"},
      {"1|Kill|3|flak|7|rocket|gibbed\n", false, 0, "Unknown Event: Kill\n"},
      {"1|player|ping|2|55\n2|player|Kill|3|flak|7|rocket|gibbed\n", false, 0,
       "Unknown Event: player ping\nUnknown Event: player Kill\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    out.str("");
    const auto events = parseText(c.text);
    ASSERT_EQ(events.has_value(), c.counts);
    EXPECT_EQ(events.value_or(std::vector<Event>()).size(), c.events);
    EXPECT_EQ(out.str(), c.trace);
  }
}

TEST_F(EventListTest, DropsUnknownAndInvalidLinesAndKeepsOrder) {
  const auto events = parseText(
      "1|game_start\n2|player|Leave|2\n3|map|Name\n4|player|Disconnect|x\n"
      "5|kill|3|flak|7|rocket|gibbed\n6|player|Disconnect|3\n",
      1);
  EXPECT_EQ(out.str(),
            "I zln.EventList.parse\n"
            "Unknown Event: player Leave\n"
            "Bad 'map' Event\n"
            "Invalid 'Player Disconnect' Event\n"
            "O zln.EventList.parse\n");
  ASSERT_TRUE(events.has_value());
  ASSERT_EQ(events->size(), 3u);
  EXPECT_NE((*events)[0].getIf<EGStart>(), nullptr);
  EXPECT_NE((*events)[1].getIf<EKill>(), nullptr);
  ASSERT_NE((*events)[2].getIf<EPDisconnect>(), nullptr);
  EXPECT_EQ((*events)[2].getIf<EPDisconnect>()->pNum, 3);
}

TEST_F(EventListTest, FailureEndsParsingAndKeepsEarlierEvents) {
  const struct {
    const char* text;
    size_t events;
    const char* trace;
  } cases[] = {
      {"1|game_start\n2\n3|kill|3|flak|7|rocket|gibbed\n", 1,
       "Error in zln.EventList.parse: ArrayIndexOutOfBoundsException: 1\n"},
      {"1|game_start\n2|player\n3|kill|3|flak|7|rocket|gibbed\n", 1,
       "Error in zln.EventList.parse: ArrayIndexOutOfBoundsException: 2\n"},
      {"1|game_start\n2|map|a|b\n3|player|Ping|2|fast\n4|kill|3|flak|7|rocket|gibbed\n", 2,
       "Error in zln.EventList.parse: NumberFormatException: For input string: \"fast\"\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    out.str("");
    const auto events = parseText(c.text, 1);
    EXPECT_EQ(out.str(),
              "I zln.EventList.parse\n" + std::string(c.trace) + "O zln.EventList.parse\n");
    // Returned as a list even when no kill was reached.
    ASSERT_TRUE(events.has_value());
    ASSERT_EQ(events->size(), c.events);
    for (size_t i = 0; i < c.events; ++i) EXPECT_EQ((*events)[i].getTime(), i + 1.0);
  }
}

}  // namespace
}  // namespace orvane::games::zln
