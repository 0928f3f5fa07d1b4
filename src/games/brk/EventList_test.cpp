#include "games/brk/EventList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "games/qmLog.h"
#include "util/Debug.h"

namespace orvane::games::brk {
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

TEST_F(EventListTest, EveryKeywordBuildsItsEvent) {
  const auto events = parseText(
      "1|Item_Pickup|rocket|x|3|40\n"
      "2|Kill|3|rocket|x|40|7|shotgun|x|55\n"
      "3|Player_Respawn|4\n"
      "4|Suicide|5|lava|x|60\n"
      "5|Item_Use|quad|x|6|70\n"
      "6|Item_Expire|quad|x|7\n"
      "7|info|map|q3dm6\n"
      "8|Player_Connect|Bob|2|10.0.0.1\n"
      "9|Player_Enter|Bob|2\n"
      "10|Observe|Bob|2|30\n"
      "11|Player_Leave|Bob|2\n"
      "12|Chat|hi\n"
      "13|Player_Rename|Bob|Rob|2|30\n"
      "14|Player_Reconnect|Bob|2|10.0.0.1\n"
      "15|Item_Drop|flag|x|x|2\n"
      "16|Fratricide|3|rail|x|40|7|mg|x|55\n"
      "17|Chasecam|Bob|2|30\n"
      "18|Autocam|Bob|2|30\n"
      "19|Player_Accuracy|2|rail:1:2|dmg:5:6\n"
      "20|Game_Init|2004-01-02\n"
      "21|Game_Start\n"
      "22|Game_End|timelimit\n"
      "23|Vote|passed|map|q3dm6\n"
      "24|Player_Team_Join|Bob|2|Red|30\n"
      "25|Player_Team_Leave|2|Red|30\n"
      "26|Team_Rename|Red|Crimson\n"
      "27|Player_ZBOT|Bob|2|10.0.0.1|aimbot\n");
  EXPECT_EQ(out.str(), "");
  ASSERT_TRUE(events.has_value());
  EXPECT_EQ(printed(*events),
            "(1.0)Item Get  => 3 => rocket\n"
            "(2.0)Kill 3 => 7 => rocket\n"
            "(3.0)Player Respawn => 4\n"
            "(4.0)Suicide 5 => lava => 60\n"
            "(5.0)Item Use  => 6 => quad\n"
            "(6.0)Item Expire  => 7 => quad\n"
            "(7.0)Info map\n"
            "      => q3dm6\n"
            "(8.0)Player Connect: Bob:: => 2\n"
            "(9.0)Player Enter: Bob => 2\n"
            "(10.0)Observe: Bob\n"
            "(11.0)Player Leave: Bob:: => 2\n"
            "(12.0)Chat: hi\n"
            "(13.0)Player Rename: Rob:: => 2\n"
            "(14.0)Player Reconnect: Bob::10.0.0.1 => 2\n"
            "(15.0)Item Drop => 2 => flag\n"
            "(16.0)Fratricide 3 => 7 => rail\n"
            "(17.0)Chasecam: Bob\n"
            "(18.0)Autocam: Bob\n"
            "(19.0)Player Accuracy => 2 => [rail]\n"
            "(20.0)GameInit=>2004-01-02\n"
            "(21.0)GameStart\n"
            "(22.0)GameEnd=>timelimit\n"
            "(23.0)Vote passed=>map\n"
            "(24.0)Player Team Join: Red => 2\n"
            "(25.0)Player Team Leave: Red => 2\n"
            "(26.0)Team Rename: Red => Crimson\n"
            "(27.0)Player ZBot: Bob::aimbot =>2\n");
}

TEST_F(EventListTest, OnlyKillOrSuicideLinesMakeTheMatchCount) {
  const struct {
    const char* text;
    bool counts;
    size_t events;
    const char* trace;
  } cases[] = {
      {"1|info|map|q3dm6\n2|Player_Connect|Bob|1|1.2.3.4\n3|Game_End|fraglimit\n", false, 0, ""},
      {"1|Fratricide|3|rail|x|40|7|mg|x|55\n", false, 0, ""},
      {"1|Suicide|5|lava|x|60\n", true, 1, ""},
      {"1|Kill|3|rocket\n", true, 0, "Bad 'Kill' Event\n"},
      {"1|kill|3|rocket|x|40|7|shotgun|x|55\n", false, 0, "Unknown Event: kill\n"},
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
      "1|Game_Init|2004-01-02\n"
      "2|Player_Team_join|Bob|2|Red|30\n"
      "3|Chat\n"
      "4|Player_Respawn|x\n"
      "5|Kill|3|rocket|x|40|7|shotgun|x|55\n"
      "6|Game_End|fraglimit\n",
      1);
  EXPECT_EQ(out.str(),
            "I EventList.parse\n"
            "Unknown Event: Player_Team_join\n"
            "Bad 'Chat' Event\n"
            "Invalid 'Player Respawn' Event\n"
            "O EventList.parse\n");
  ASSERT_TRUE(events.has_value());
  ASSERT_EQ(events->size(), 3u);
  EXPECT_NE((*events)[0].getIf<EGInit>(), nullptr);
  EXPECT_NE((*events)[1].getIf<EKill>(), nullptr);
  EXPECT_NE((*events)[2].getIf<EGEnd>(), nullptr);
  EXPECT_EQ((*events)[1].getTime(), 5.0);
}

TEST_F(EventListTest, FailureEndsParsingAndKeepsEarlierEvents) {
  const struct {
    const char* text;
    size_t events;
    const char* trace;
  } cases[] = {
      {"1|Chat|a\n2|Chat|b\n3\n4|Kill|3|rocket|x|40|7|shotgun|x|55\n", 2,
       "Error in EventList.parse: ArrayIndexOutOfBoundsException: 1\n"},
      {"1|Chat|1\n2|Chat|2\n3|Chat|3\n4|Chat|4\n5|Chat|5\n6|Chat|6\n7|Chat|7\n8|Chat|8\n"
       "9|Kill|3|rocket|x|40|7|shotgun|x|55\n10|Kill|x|rocket|x|40|7|shotgun|x|55\n"
       "11|Suicide|5|lava|x|60\n",
       9, "Error in EventList.parse: NumberFormatException: For input string: \"x\"\n"},
      {"1|Player_Enter|Bob|x\n2|Kill|3|rocket|x|40|7|shotgun|x|55\n", 0,
       "Error in EventList.parse: NumberFormatException: For input string: \"x\"\n"},
      {"1|Player_Accuracy|2|rail:1|dmg:5:6\n", 0,
       "Error in EventList.parse: ArrayIndexOutOfBoundsException: 2\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    out.str("");
    const auto events = parseText(c.text, 1);
    EXPECT_EQ(out.str(), "I EventList.parse\n" + std::string(c.trace) + "O EventList.parse\n");
    // Returned as a list even when no kill was reached.
    ASSERT_TRUE(events.has_value());
    ASSERT_EQ(events->size(), c.events);
    for (size_t i = 0; i < c.events; ++i) EXPECT_EQ((*events)[i].getTime(), i + 1.0);
  }
}

}  // namespace
}  // namespace orvane::games::brk
