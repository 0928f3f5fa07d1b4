#include "games/brk/Event.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

#include "games/qmLog.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::games::brk {
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

template <class T>
std::string failureOf(std::string_view fields) {
  const Line line(fields);
  try {
    const T event(line.all());
  } catch (const std::exception& e) {
    return util::failureText(e);
  }
  return "no failure";
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

// Unread positions hold "x", so reading one as a number would throw.
const Case kCases[] = {
    {&make<EIGet>, "1.5|Item_Pickup|rocket|x|3|40", "(1.5)Item Get  => 3 => rocket",
     "Bad 'Item_Pickup' Event"},
    {&make<EKill>, "2|Kill|3|rocket|x|40|7|shotgun|x|55", "(2.0)Kill 3 => 7 => rocket",
     "Bad 'Kill' Event"},
    {&make<EPRespawn>, "3e2|Player_Respawn|4", "(300.0)Player Respawn => 4",
     "Bad 'Player Respawn' Event"},
    {&make<ESuicide>, "4.25|Suicide|5|lava|x|60", "(4.25)Suicide 5 => lava => 60",
     "Bad 'Suicide' Event"},
    {&make<EIActivate>, "5|Item_Use|quad|x|6|70", "(5.0)Item Use  => 6 => quad",
     "Bad 'Item_Use' Event"},
    {&make<EIDeactivate>, "6|Item_Expire|quad|x|7", "(6.0)Item Expire  => 7 => quad",
     "Bad 'Item Expire' Event"},
    {&make<EInfo>, "7|info|map", "(7.0)Info map", "Bad 'Info' Event"},
    {&make<EPConnect>, "8|Player_Connect|Bob|2|10.0.0.1", "(8.0)Player Connect: Bob:: => 2",
     "Bad 'Player Connect' Event"},
    {&make<EPEnter>, "9|Player_Enter|Bob|2", "(9.0)Player Enter: Bob => 2",
     "Bad 'Player Enter' Event"},
    {&make<EObserve>, "10|Observe|Bob|2|30", "(10.0)Observe: Bob", "Bad 'Observe' Event"},
    {&make<EPDisconnect>, "11|Player_Leave|Bob|2", "(11.0)Player Leave: Bob:: => 2",
     "Bad 'Player Leave' Event"},
    {&make<EChat>, "12|Chat|hi there", "(12.0)Chat: hi there", "Bad 'Chat' Event"},
    {&make<EPRename>, "13|Player_Rename|Bob|Rob|2|30", "(13.0)Player Rename: Rob:: => 2",
     "Bad 'Player Rename' Event"},
    {&make<EPReconnect>, "14|Player_Reconnect|Bob|2|10.0.0.1",
     "(14.0)Player Reconnect: Bob::10.0.0.1 => 2", "Bad 'Player Reconnect' Event"},
    {&make<EIDrop>, "15|Item_Drop|flag|x|x|2", "(15.0)Item Drop => 2 => flag",
     "Bad 'Item Drop' Event"},
    {&make<EFratricide>, "16|Fratricide|3|rail|x|40|7|mg|x|55", "(16.0)Fratricide 3 => 7 => rail",
     "Bad 'Fratricide' Event"},
    {&make<EChasecam>, "17|Chasecam|Bob|2|30", "(17.0)Chasecam: Bob", "Bad 'Chasecam' Event"},
    {&make<EAutocam>, "18|Autocam|Bob|2|30", "(18.0)Autocam: Bob", "Bad 'Autocam' Event"},
    {&make<EPAccuracy>, "19|Player_Accuracy|2|dmg:5:6", "(19.0)Player Accuracy => 2 => []",
     "Bad 'Player Accuracy' Event"},
    {&make<ETeamRename>, "20|Team_Rename|Red|Crimson", "(20.0)Team Rename: Red => Crimson",
     "Bad 'Team Rename' Event"},
    {&make<EGInit>, "21|Game_Init|2004-01-02", "(21.0)GameInit=>2004-01-02",
     "Bad 'Game_Init' Event"},
    {&make<EGStart>, "-0.5|Game_Start", "(-0.5)GameStart", "Bad 'Game_Start' Event"},
    {&make<EGEnd>, "23|Game_End|timelimit", "(23.0)GameEnd=>timelimit", "Bad 'game_end' Event"},
    {&make<EVote>, "24|Vote|passed", "(24.0)Vote passed=>", "Bad 'Vote' Event"},
    {&make<EPTeamJoin>, "25|Player_Team_Join|Bob|2|Red|30", "(25.0)Player Team Join: Red => 2",
     "Bad 'Player Team Join' Event"},
    {&make<EPTeamLeave>, "26|Player_Team_Leave|2|Red|30", "(26.0)Player Team Leave: Red => 2",
     "Bad 'Player Team Leave' Event"},
    {&make<EPZbot>, "27|Player_ZBOT|Bob|2|10.0.0.1|aimbot", "(27.0)Player ZBot: Bob::aimbot =>2",
     "Bad 'Player ZBot' Event"},
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

TEST_F(EventTest, FieldsComeFromTheirPositions) {
  const Line kill("2.5|Kill|3|rocket|x|40|7|shotgun|x|55");
  const EKill k(kill.all());
  EXPECT_EQ(k.time, 2.5);
  EXPECT_EQ(k.killerNum, 3);
  EXPECT_EQ(k.killerWeapon, "rocket");
  EXPECT_EQ(k.killerPing, 40);
  EXPECT_EQ(k.killedNum, 7);
  EXPECT_EQ(k.killedWeapon, "shotgun");
  EXPECT_EQ(k.killedPing, 55);

  const Line rename("1|Player_Rename|Bob|Rob|2|30");
  const EPRename r(rename.all());
  EXPECT_EQ(r.oldName, "Bob");
  EXPECT_EQ(r.name, "Rob");
  EXPECT_EQ(r.pNum, 2);
  EXPECT_EQ(r.ping, 30);

  const Line join("1|Player_Team_Join|Bob|2|Red|30");
  const EPTeamJoin j(join.all());
  EXPECT_EQ(j.name, "Bob");
  EXPECT_EQ(j.team, "Red");
  EXPECT_EQ(j.ping, 30);

  const Line leave("1|Player_Team_Leave|2|Red|30");
  EXPECT_EQ(EPTeamLeave(leave.all()).ping, 30);
  const Line get("1|Item_Pickup|rocket|x|3|40");
  EXPECT_EQ(EIGet(get.all()).ping, 40);
  const Line observe("1|Observe|Bob|2|30");
  EXPECT_EQ(EObserve(observe.all()).ping, 30);
  const Line connect("1|Player_Connect|Bob|2|10.0.0.1");
  EXPECT_EQ(EPConnect(connect.all()).ip, "10.0.0.1");
  const Line zbot("1|Player_ZBOT|Bob|2|10.0.0.1|aimbot");
  EXPECT_EQ(EPZbot(zbot.all()).ip, "10.0.0.1");
}

TEST_F(EventTest, OptionalFieldsAreEmptyWhenAbsent) {
  const Line connect5("1|Player_Connect|Bob|2|10.0.0.1");
  const Line connect6("1|Player_Connect|Bob|2|10.0.0.1|s3cr3t");
  EXPECT_EQ(EPConnect(connect5.all()).secret, "");
  EXPECT_EQ(EPConnect(connect6.all()).secret, "s3cr3t");

  const Line rename6("1|Player_Rename|Bob|Rob|2|30");
  const Line rename7("1|Player_Rename|Bob|Rob|2|30|s3cr3t");
  EXPECT_EQ(EPRename(rename6.all()).secret, "");
  EXPECT_EQ(EPRename(rename7.all()).secret, "s3cr3t");

  const Line end3("1|Game_End|fraglimit");
  const Line end4("1|Game_End|fraglimit|ab12");
  EXPECT_EQ(EGEnd(end3.all()).checksum, "");
  EXPECT_EQ(EGEnd(end4.all()).checksum, "ab12");

  const Line vote4("1|Vote|passed|map");
  const EVote v4(vote4.all());
  EXPECT_TRUE(v4.valid);
  EXPECT_EQ(v4.var, "");
  EXPECT_EQ(v4.val, "");
  const Line vote5("1|Vote|passed|map|q3dm6");
  const EVote v5(vote5.all());
  EXPECT_EQ(v5.var, "map");
  EXPECT_EQ(v5.val, "q3dm6");

  const Line leave("1|Player_Leave|Bob|2|s3cr3t|more");
  EXPECT_EQ(EPDisconnect(leave.all()).secret, "");
  EXPECT_EQ(take(), "");
}

TEST_F(EventTest, InfoKeepsTheRestOfTheLineAndPrintsOneLineEach) {
  const Line bare("7|info|map");
  EXPECT_TRUE(EInfo(bare.all()).list.empty());

  const Line full("7.5|info|server|alpha|beta gamma|");
  const Event info = make<EInfo>(full.all());
  ASSERT_NE(info.getIf<EInfo>(), nullptr);
  EXPECT_EQ(info.getIf<EInfo>()->list, (std::vector<std::string>{"alpha", "beta gamma", ""}));
  info.print();
  EXPECT_EQ(take(), "(7.5)Info server\n      => alpha\n      => beta gamma\n      => \n");
}

TEST_F(EventTest, AccuracyReadsWeaponEntriesAndDamage) {
  const Line line(
      "10|Player_Accuracy|4|rocket:3:10|::shotgun::5:::20|rail:1:2:30:40:99|d::100:200");
  const Event event = make<EPAccuracy>(line.all());
  const EPAccuracy* a = event.getIf<EPAccuracy>();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->pNum, 4);
  EXPECT_EQ(a->weapon, (std::vector<std::string>{"rocket", "shotgun", "rail"}));
  EXPECT_EQ(a->totalHits, (std::vector<int32_t>{3, 5, 1}));
  EXPECT_EQ(a->totalShots, (std::vector<int32_t>{10, 20, 2}));
  EXPECT_EQ(a->totalGiven, (std::vector<int32_t>{0, 0, 30}));
  EXPECT_EQ(a->totalReceived, (std::vector<int32_t>{0, 0, 40}));
  EXPECT_EQ(a->damageGiven, 100);
  EXPECT_EQ(a->damageReceived, 200);
  event.print();
  EXPECT_EQ(take(), "(10.0)Player Accuracy => 4 => [rocket, shotgun, rail]\n");

  const Line bare("1|Player_Accuracy|4|d:5:6");
  const EPAccuracy b(bare.all());
  EXPECT_TRUE(b.weapon.empty() && b.totalGiven.empty());
  EXPECT_EQ(b.damageGiven, 5);
  EXPECT_EQ(b.damageReceived, 6);
}

TEST_F(EventTest, BadNumbersAndMalformedEntriesThrow) {
  const std::string nfe = "NumberFormatException: For input string: ";
  EXPECT_EQ(failureOf<EKill>("2|Kill|x|rocket|x|40|7|shotgun|x|55"), nfe + "\"x\"");
  EXPECT_EQ(failureOf<EGStart>("abc|Game_Start"), nfe + "\"abc\"");
  EXPECT_EQ(failureOf<EIGet>("1|Item_Pickup|rocket|x|3|1.5"), nfe + "\"1.5\"");
  EXPECT_EQ(failureOf<EPTeamLeave>("1|Player_Team_Leave|2147483648|Red|3"), nfe + "\"2147483648\"");

  const std::string aioobe = "ArrayIndexOutOfBoundsException: ";
  EXPECT_EQ(failureOf<EPAccuracy>("1|Player_Accuracy|4|rocket:1|d:5:6"), aioobe + "2");
  EXPECT_EQ(failureOf<EPAccuracy>("1|Player_Accuracy|4|rocket::1:2:3|d:5:6"), aioobe + "4");
  EXPECT_EQ(failureOf<EPAccuracy>("1|Player_Accuracy|4|rocket:1:2|d:5"), aioobe + "2");
  EXPECT_EQ(failureOf<EPAccuracy>("1|Player_Accuracy|4|d::5"), aioobe + "2");
  EXPECT_EQ(failureOf<EPAccuracy>("1|Player_Accuracy|4|rocket:x:2|d:5:6"), nfe + "\"x\"");
  EXPECT_EQ(take(), "");
}

TEST_F(EventTest, RespawnSwallowsItsOwnFailures) {
  for (const char* fields : {"1|Player_Respawn|x", "t|Player_Respawn|4"}) {
    SCOPED_TRACE(fields);
    const Line line(fields);
    const Event event = make<EPRespawn>(line.all());
    EXPECT_FALSE(event.isValid());
    event.print();
    EXPECT_EQ(take(), "Invalid 'Player Respawn' Event\n");
  }
}

}  // namespace
}  // namespace orvane::games::brk
