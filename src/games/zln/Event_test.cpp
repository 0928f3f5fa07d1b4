#include "games/zln/Event.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <sstream>
#include <string>

#include "games/qmLog.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::games::zln {
namespace {

using util::Debug;

// One log line, written with "|" for the tabs between its fields.
class Line {
 public:
  explicit Line(std::string_view fields) : text(fields) {
    std::replace(text.begin(), text.end(), '|', '\t');
    lines = qmLog::parse(text);
  }
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;

  TokenList all() const { return lines[0]; }
  TokenList withoutLast() const { return all().first(all().size() - 1); }

 private:
  std::string text;  // the fields are views into it
  TokenLines lines;
};

template <class T>
Event make(TokenList l) {
  return Event(std::in_place_type<T>, l);
}

class EventTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&out);
  }
  void TearDown() override { Debug::reset(); }
  // The trace written so far, which is then cleared.
  std::string take() {
    const std::string s = out.str();
    out.str("");
    return s;
  }
  std::ostringstream out;
};

struct Case {
  Event (*make)(TokenList);
  const char* line;     // exactly as many fields as the event requires
  const char* printed;  // print() of the event built from it
  const char* report;   // written when the line's last field is missing
};

const Case kCases[] = {
    {&make<EIGet>, "1.5|item_get|flak|3", "(1.5)Item Get  => 3 => flak", "Bad 'item_get' Event"},
    {&make<EKill>, "2|kill|3|flak|7|rocket|gibbed", "(2.0)Kill 3 => 7 => flak => gibbed",
     "Bad 'Kill' Event"},
    {&make<ESuicide>, "3|suicide|5|lava|burnt|world", "(3.0)Suicide 5 => lava => burnt",
     "Bad 'Suicide' Event"},
    {&make<ETKill>, "4|teamkill|3|link|7|shock|none", "(4.0)Team Kill 3 => 7 => link => none",
     "Bad 'Team Kill' Event"},
    {&make<EIActivate>, "5|item_activate|boots|6", "(5.0)Item Activate  => 6 => boots",
     "Bad 'item_activate' Event"},
    {&make<EPPing>, "6|player|Ping|2|55", "(6.0)Player Ping: 55 => 2", "Bad 'Player Ping' Event"},
    {&make<EPConnect>, "7|player|Connect|Bob|2|no", "(7.0)Player Connect: Bob:: => 2",
     "Bad 'Player Connect' Event"},
    {&make<EPBot>, "8|player|IsABot|2|False", "(8.0)Player IsABot: false => 2",
     "Bad 'Player IsABot' Event"},
    {&make<EPDisconnect>, "9|player|Disconnect|2", "(9.0)Player Disconnect => 2",
     "Bad 'Player Disconnect' Event"},
    {&make<EPRename>, "10|player|Rename|Rob|2", "(10.0)Player Rename: Rob:: => 2",
     "Bad 'Player Rename' Event"},
    {&make<EPTeam>, "11|player|Team|2|1", "(11.0)Player Team: Index=1 => 2",
     "Bad 'Player Team' Event"},
    {&make<EPTeamID>, "12|player|TeamID|2|7", "(12.0)Player TeamID: 7 => 2",
     "Bad 'Player TeamID' Event"},
    {&make<EPTeamName>, "13|player|TeamName|2|Red Team", "(13.0)Player TeamName: Red Team => 2",
     "Bad 'Player TeamName' Event"},
    {&make<EPSkill>, "14|player|Skill|2|4.5", "(14.0)Player Skill: 4.5 => 2",
     "Bad 'Player Skill' Event"},
    {&make<EIDeactivate>, "15|item_deactivate|boots|6", "(15.0)Item Deactivate  => 6 => boots",
     "Bad 'item_deactivate' Event"},
    {&make<EHeadShot>, "16|headshot|3|7", "(16.0)HeadShot 3 => 7", "Bad 'Head Shot' Event"},
    {&make<EDScore>, "17|dom_score_update|1|2", "(17.0)Dom Score  => 1 => 2.0",
     "Bad 'dom_score_update' Event"},
    {&make<ECPCapture>, "18|controlpoint_capture|Alpha|3", "(18.0)Control Point Capture: >Alpha< 3",
     "Bad 'Control Point Capture' Event"},
    {&make<EFTaken>, "19|flag_taken|3|1", "(19.0)Flag Taken: team=1 player=3",
     "Bad 'Flag Taken' Event"},
    {&make<EFDropped>, "20|flag_dropped|3|1", "(20.0)Flag Drop: team=1 player=3",
     "Bad 'Flag Drop' Event"},
    {&make<EFCaptured>, "21|flag_captured|3|0", "(21.0)Flag Captured: team=0 player=3",
     "Bad 'Flag Captured' Event"},
    {&make<EFPickedup>, "22|flag_pickedup|4|1", "(22.0)Flag Pickedup: team=1 player=4",
     "Bad 'Flag Pickedup' Event"},
    {&make<EFReturned>, "23|flag_returned|4|0", "(23.0)Flag Returned: team=0 player=4",
     "Bad 'Flag Returned' Event"},
    {&make<EFReturnedt>, "24|flag_returned_timeout|1", "(24.0)Flag Returned Timeout: team=1",
     "Bad 'Flag Returned Timeout' Event"},
    {&make<ETransThrow>, "25|throw_translocator|5", "(25.0)Throw Trans => 5",
     "Bad 'Throw Trans' Event"},
    {&make<ETrans>, "26|translocate|5", "(26.0)Translocate  => 5", "Bad 'Translocate' Event"},
    {&make<ETransGib>, "27|translocate_gib|5", "(27.0)Trans Gib => 5", "Bad 'Trans Gib' Event"},
    {&make<ETransFail>, "28|translocate_fail|5", "(28.0)Trans Fail => 5", "Bad 'Trans Fail' Event"},
    {&make<EInfo>, "29|info|Server", "(29.0)Info Server", "Bad 'Info' Event"},
    {&make<EMap>, "30|map|Name|DM-Deck", "(30.0)Map=>Name=>DM-Deck", "Bad 'map' Event"},
    {&make<EGame>, "31|game|GameName|Capture the Flag", "(31.0)Game=>GameName=>Capture the Flag",
     "Bad 'Game' Event"},
    {&make<EGStart>, "-0.5|game_start", "(-0.5)GameStart", "Bad 'game_start' Event"},
    {&make<EGEnd>, "33|game_end|fraglimit", "(33.0)GameEnd=>fraglimit", "Bad 'game_end' Event"},
    {&make<ETyping>, "34|typing|False|2", "(34.0)Typing: false => 2", "Bad 'Typing' Event"},
    {&make<EATimelimit>, "35|assault_timelimit|600", "(35.0)Assault Timelimit => 600",
     "Bad 'Assault Timelimit' Event"},
    {&make<EAGamecode>, "36|assault_gamecode|AS-1|2", "(36.0)Assault Gamecode => AS-1 2",
     "Bad 'Assault Gamecode' Event"},
    {&make<EADefender>, "37|assault_defender|0", "(37.0)Assault Defender => 0",
     "Bad 'Assault Defender' Event"},
    {&make<EAAttacker>, "38|assault_attacker|1", "(38.0)Assault Attacker => 1",
     "Bad 'Assault Attacker' Event"},
};

TEST_F(EventTest, EachEventReadsItsLineAndRejectsOneFieldLess) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.line);
    const Line line(c.line);
    const Event full = c.make(line.all());
    EXPECT_TRUE(full.isValid());
    full.print();
    EXPECT_EQ(take(), std::string(c.printed) + "\n");

    const Event shortened = c.make(line.withoutLast());
    EXPECT_FALSE(shortened.isValid());
    shortened.print();  // an invalid event prints nothing
    EXPECT_EQ(take(), std::string(c.report) + "\n");
  }
}

TEST_F(EventTest, FieldsLeftOutOfTheTraceComeFromTheirPositions) {
  const Line kill("2|teamkill|3|link|7|shock|none");
  const ETKill k(kill.all());
  EXPECT_EQ(k.killedNum, 7);
  EXPECT_EQ(k.killedWeapon, "shock");
  const Line suicide("3|suicide|5|lava|burnt|world");
  EXPECT_EQ(ESuicide(suicide.all()).initiator, "world");
  const Line score("1|dom_score_update|1|-2.25e1");
  EXPECT_EQ(EDScore(score.all()).score, -22.5);
}

TEST_F(EventTest, ConnectHasASecretOnlyWithExactlySevenFields) {
  const struct {
    const char* line;
    std::optional<std::string> secret;
    const char* printed;
  } cases[] = {
      {"7|player|Connect|Bob|2|yes", std::nullopt, "(7.0)Player Connect: Bob:: => 2\n"},
      {"7|player|Connect|Bob|2|yes|s3", "s3", "(7.0)Player Connect: Bob::s3 => 2\n"},
      {"7|player|Connect|Bob|2|yes|s3|more", std::nullopt, "(7.0)Player Connect: Bob:: => 2\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const Line line(c.line);
    const Event event = make<EPConnect>(line.all());
    const EPConnect* e = event.getIf<EPConnect>();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->secret, c.secret);
    EXPECT_EQ(e->admin, "yes");
    event.print();
    EXPECT_EQ(take(), c.printed);
  }
}

TEST_F(EventTest, RenameReadsItsPlayerNumberAfterAnOptionalSecret) {
  const Line five("1|player|Rename|Rob|4");
  const EPRename r5(five.all());
  EXPECT_EQ(r5.pNum, 4);
  EXPECT_EQ(r5.secret, "");
  const Line six("1|player|Rename|Rob|s3|5");
  const EPRename r6(six.all());
  EXPECT_EQ(r6.pNum, 5);
  EXPECT_EQ(r6.secret, "s3");
}

TEST_F(EventTest, OnlyTheExactTextFalseIsFalse) {
  for (const char* text : {"false", "FALSE", "0", "", "True"}) {
    SCOPED_TRACE(text);
    const Line bot("1|player|IsABot|2|" + std::string(text));
    EXPECT_TRUE(EPBot(bot.all()).isABot);
    const Line typing("1|typing|" + std::string(text) + "|2");
    EXPECT_TRUE(ETyping(typing.all()).isTyping);
  }
}

TEST_F(EventTest, GameEndChecksumIsAbsentWithoutFieldThree) {
  const Line end3("1|game_end|fraglimit");
  const Line end4("1|game_end|fraglimit|ab12");
  EXPECT_EQ(EGEnd(end3.all()).checksum, std::nullopt);
  EXPECT_EQ(EGEnd(end4.all()).checksum, "ab12");
}

TEST_F(EventTest, BadNumbersThrowExceptInDisconnect) {
  const std::string nfe = "NumberFormatException: For input string: ";
  const struct {
    Event (*make)(TokenList);
    const char* line;
    std::string failure;
  } cases[] = {
      {&make<EKill>, "2|kill|3|flak|x|rocket|gibbed", nfe + "\"x\""},
      {&make<EPSkill>, "1|player|Skill|2|4,5", nfe + "\"4,5\""},
      {&make<EDScore>, "1|dom_score_update|1.5|2", nfe + "\"1.5\""},
      {&make<EGStart>, "abc|game_start", nfe + "\"abc\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const Line line(c.line);
    std::string failure = "no failure";
    try {
      c.make(line.all());
    } catch (const std::exception& e) {
      failure = util::failureText(e);
    }
    EXPECT_EQ(failure, c.failure);
  }
  EXPECT_EQ(take(), "");

  for (const char* fields : {"1|player|Disconnect|x", "t|player|Disconnect|4"}) {
    SCOPED_TRACE(fields);
    const Line line(fields);
    const Event event = make<EPDisconnect>(line.all());
    EXPECT_FALSE(event.isValid());
    event.print();
    EXPECT_EQ(take(), "Invalid 'Player Disconnect' Event\n");
  }
}

}  // namespace
}  // namespace orvane::games::zln
