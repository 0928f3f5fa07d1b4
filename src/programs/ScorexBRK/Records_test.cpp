#include "programs/ScorexBRK/Records.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

#include "util/Debug.h"

namespace orvane::programs::ScorexBRK {
namespace {

using games::brk::Player;
using games::brk::PStats;
using games::brk::Specs;
using util::BigEndianReader;
using util::BigEndianWriter;
using util::Debug;

// Ann kills Bob: Ann holds a Railgun, Bob a Shotgun.
const std::string kLog =
    "0.0\tinfo\tmap\tq2dm1\n"
    "1.0\tPlayer_Connect\tAnn\t0\t1.2.3.4\n"
    "1.0\tPlayer_Connect\tBob\t1\t1.2.3.5\n"
    "2.0\tKill\t0\tRailgun\t\t50\t1\tShotgun\t\t60\n";

template <class T>
std::string bytesOf(const T& x) {
  BigEndianWriter w;
  x.writeDB(w);
  return w.take();
}

class RecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  std::string takeTrace() {
    std::string t = trace.str();
    trace.str("");
    return t;
  }
  std::ostringstream trace;
};

// The counters that feed records, in the order in which scores() lists the records they feed.
std::vector<int32_t*> counters(PStats& s) {
  std::vector<int32_t*> v{&s.frags, &s.kills, &s.deaths, &s.suicides};
  for (auto* a : {&s.myKills, &s.myDeaths, &s.myDeathsOppW, &s.myWSuicides}) {
    for (int32_t& x : *a) v.push_back(&x);
  }
  for (int32_t& x : s.mySuicides) v.push_back(&x);
  return v;
}

// The scores of the match records, then of the career records, paired with counters() order.
std::vector<int32_t> scores(const Records& r) {
  std::vector<int32_t> v;
  for (const auto* g : {&r.gMostFrags, &r.gMostKills, &r.gMostDeaths, &r.gMostSuicides}) {
    v.push_back(g->score);
  }
  for (const auto* a :
       {&r.gKillsHoldingWeapon, &r.gDeathsHoldingWeapon, &r.gDeathsByWeapon, &r.gWeaponSuicides}) {
    for (const GameRecord& g : *a) v.push_back(g.score);
  }
  for (const GameRecord& g : r.gSuicides) v.push_back(g.score);
  for (const auto* c : {&r.cMostFrags, &r.cMostKills, &r.cMostDeaths, &r.cMostSuicides}) {
    v.push_back(c->score);
  }
  for (const auto* a :
       {&r.cKillsHoldingWeapon, &r.cDeathsHoldingWeapon, &r.cDeathsByWeapon, &r.cWeaponSuicides}) {
    for (const CareerRecord& c : *a) v.push_back(c.score);
  }
  for (const CareerRecord& c : r.cSuicides) v.push_back(c.score);
  for (const auto& c : r.cMostWins) v.push_back(c.score);
  for (const auto& c : r.cMostLosses) v.push_back(c.score);
  return v;
}

// Every record holds a value of its own: Ann's counters in the match are 1 to 71, the career
// player Cy's are 72 to 142, his wins and losses per game type 143 to 148.
Records filled() {
  games::brk::Game gm(kLog);
  gm.plist.at(0).all = PStats("all");
  gm.plist.at(0).all.totalTime = 12.5;
  gm.plist.at(1).all = PStats("all");
  Player cy;
  cy.name = "Cy";
  cy.isABot = true;
  cy.uid = 9;
  cy.all.uses = 3;
  cy.all.totalTime = 90.5;
  int32_t n = 0;
  for (int32_t* x : counters(gm.plist.at(0).all)) *x = ++n;
  for (int32_t* x : counters(cy.all)) *x = ++n;
  for (PStats& s : cy.games) s.teamWins = ++n;
  for (PStats& s : cy.games) s.teamLosses = ++n;
  cy.games[2].uses = 2;
  cy.games[2].totalTime = 30.0;
  PlayerIndex index;
  index.put(HashEntry("Ann", false, 4));
  Records r;
  r.addRecentGame(gm);
  r.updateCareerRecords(cy);
  r.updateGameRecords(gm, index);
  return r;
}

TEST_F(RecordsTest, RecordGoldenBytesAndDamagedReads) {
  const std::string gBytes = bytesOf(GameRecord(7, "Ann", true, 12, "q2dm1", "2000-01-31", 1.5));
  EXPECT_EQ(gBytes, std::string("\0\0\0\x07"
                                "\0\0\0\x03"
                                "Ann"
                                "\0\0\0\x05"
                                "q2dm1"
                                "\0\0\0\x0A"
                                "2000-01-31"
                                "\x01"
                                "\0\0\0\x0C"
                                "\x3F\xF8\0\0\0\0\0\0",
                                29 + 18));
  const std::string cBytes = bytesOf(CareerRecord(258, "Bob", false, -1, 2, 0.25));
  EXPECT_EQ(cBytes, std::string("\0\0\x01\x02"
                                "\0\0\0\x03"
                                "Bob"
                                "\0"
                                "\xFF\xFF\xFF\xFF"
                                "\0\0\0\x02"
                                "\x3F\xD0\0\0\0\0\0\0",
                                25 + 3));
  BigEndianReader in(gBytes);
  EXPECT_EQ(bytesOf(GameRecord(in)), gBytes);
  EXPECT_FALSE(in.failed());
  EXPECT_EQ(in.remaining(), 0u);
  EXPECT_EQ(takeTrace(), "");

  // Cut inside the name and before the date: the fields read so far stay.
  BigEndianReader cutName(std::string_view(gBytes).substr(0, 9));
  EXPECT_EQ(bytesOf(GameRecord(cutName)), bytesOf(GameRecord(7, "", false, 0, "", "", 0.0)));
  EXPECT_TRUE(cutName.failed());
  BigEndianReader cutDate(std::string_view(gBytes).substr(0, 20));
  EXPECT_EQ(bytesOf(GameRecord(cutDate)), bytesOf(GameRecord(7, "Ann", false, 0, "q2dm1", "", 0)));
  BigEndianReader cutScore(std::string_view(cBytes).substr(0, 12));
  EXPECT_EQ(bytesOf(CareerRecord(cutScore)), bytesOf(CareerRecord(258, "Bob", false, 0, 0, 0)));
  EXPECT_TRUE(cutScore.failed());
  EXPECT_EQ(takeTrace(),
            "Error in GameRecord.new: IOException: bad text length 3 at byte 4\n"
            "Error in GameRecord.new: EOFException\n"
            "Error in CareerRecord.new: EOFException\n");
}

TEST_F(RecordsTest, EmptyBlockIsZerosAndRecordsInterleaveInFileOrder) {
  Debug::setLevel(1);
  const Records empty;
  // 8 + (4 x 29 + 4 x 25) + 14 x (4 x 29 + 4 x 25) + 11 x (29 + 25) + 3 x 2 x 25
  EXPECT_EQ(bytesOf(empty), std::string(3992, '\0'));
  EXPECT_EQ(takeTrace(), "I Records\nO Records\nI Records.writeDB\nO Records.writeDB\n");
  Debug::setLevel(0);

  // A score of 1 in an empty block shows where that record lies. The two texts take 8 bytes,
  // the overall records 216, each weapon's 216, each cause's 54; a match record's score
  // starts 17 bytes in, a career record's 9.
  struct Case {
    int32_t& (*score)(Records&);
    size_t offset;
  };
  const Case cases[] = {
      {[](Records& r) -> int32_t& { return r.gMostFrags.score; }, 8 + 17},
      {[](Records& r) -> int32_t& { return r.gMostSuicides.score; }, 8 + 3 * 29 + 17},
      {[](Records& r) -> int32_t& { return r.cMostFrags.score; }, 8 + 4 * 29 + 9},
      {[](Records& r) -> int32_t& { return r.gKillsHoldingWeapon[0].score; }, 224 + 17},
      {[](Records& r) -> int32_t& { return r.gDeathsByWeapon[0].score; }, 224 + 29 + 17},
      {[](Records& r) -> int32_t& { return r.gDeathsHoldingWeapon[0].score; }, 224 + 58 + 17},
      {[](Records& r) -> int32_t& { return r.gWeaponSuicides[0].score; }, 224 + 87 + 17},
      {[](Records& r) -> int32_t& { return r.cKillsHoldingWeapon[0].score; }, 224 + 116 + 9},
      {[](Records& r) -> int32_t& { return r.cDeathsByWeapon[1].score; }, 440 + 141 + 9},
      {[](Records& r) -> int32_t& { return r.cWeaponSuicides[13].score; }, 3032 + 191 + 9},
      {[](Records& r) -> int32_t& { return r.gSuicides[0].score; }, 3248 + 17},
      {[](Records& r) -> int32_t& { return r.cSuicides[10].score; }, 3248 + 540 + 29 + 9},
      {[](Records& r) -> int32_t& { return r.cMostWins[0].score; }, 3842 + 9},
      {[](Records& r) -> int32_t& { return r.cMostLosses[2].score; }, 3842 + 125 + 9},
  };
  for (const Case& c : cases) {
    Records r;
    c.score(r) = 1;
    const std::string bytes = bytesOf(r);
    EXPECT_EQ(bytes.size(), 3992u);
    EXPECT_EQ(bytes.find_first_not_of('\0'), c.offset + 3) << c.offset;
    EXPECT_EQ(bytes.find_last_not_of('\0'), c.offset + 3) << c.offset;
  }
}

TEST_F(RecordsTest, EachCounterFeedsItsOwnRecord) {
  const Records r = filled();
  EXPECT_EQ(takeTrace(), "");
  std::vector<int32_t> expected(148);
  std::iota(expected.begin(), expected.end(), 1);
  EXPECT_EQ(scores(r), expected);
  EXPECT_EQ(r.RecentGameMap, "q2dm1");
  EXPECT_EQ(r.RecentGameDate, "NoDate");
  EXPECT_EQ(bytesOf(r.gMostFrags),
            bytesOf(GameRecord(4, "Ann", false, 1, "q2dm1", "NoDate", 12.5)));
  EXPECT_EQ(bytesOf(r.cMostFrags), bytesOf(CareerRecord(9, "Cy", true, 72, 3, 90.5)));
  EXPECT_EQ(bytesOf(r.cMostLosses[2]), bytesOf(CareerRecord(9, "Cy", true, 148, 2, 30.0)));
}

TEST_F(RecordsTest, RoundTripAndDamagedBlocksStopAtTheFirstBadRecord) {
  const Records full = filled();
  const std::string bytes = bytesOf(full);
  Debug::setLevel(1);
  BigEndianReader in(bytes);
  const Records back(in);
  EXPECT_EQ(takeTrace(), "I Records.new\nO Records.new\n");
  Debug::setLevel(0);
  EXPECT_FALSE(in.failed());
  EXPECT_EQ(in.remaining(), 0u);
  EXPECT_EQ(bytesOf(back), bytes);

  // Cut anywhere: one error line, whoever reports it.
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    BigEndianReader shortIn(std::string_view(bytes).substr(0, cut));
    const Records r(shortIn);
    const std::string t = takeTrace();
    ASSERT_EQ(std::count(t.begin(), t.end(), '\n'), 1) << cut << ": " << t;
  }
  BigEndianReader two(std::string_view(bytes).substr(0, 2));
  EXPECT_EQ(bytesOf(Records(two)), std::string(3992, '\0'));
  EXPECT_EQ(takeTrace(), "Error in Records.new: EOFException\n");

  // A bad name length in cMostFrags, the fifth record: the four before it are read, it keeps
  // its number, and nothing after it is read although the bytes are there.
  const size_t nameAt = 8 + 5 + 6 + 4 * (29 + 3 + 5 + 6) + 4;
  std::string damaged = bytes;
  damaged.replace(nameAt, 4, "\xFF\xFF\xFF\xFF");
  BigEndianReader bad(damaged);
  const Records r(bad);
  EXPECT_EQ(takeTrace(), "Error in CareerRecord.new: IOException: bad text length -1 at byte " +
                             std::to_string(nameAt) + "\n");
  EXPECT_EQ(bytesOf(r.gMostSuicides), bytesOf(full.gMostSuicides));
  EXPECT_EQ(bytesOf(r.cMostFrags), bytesOf(CareerRecord(9, "", false, 0, 0, 0)));
  EXPECT_EQ(bytesOf(r.cMostKills), bytesOf(CareerRecord()));
  EXPECT_EQ(bytesOf(r.cMostLosses[2]), bytesOf(CareerRecord()));
}

TEST_F(RecordsTest, CareerRecordsKeepTiesAndRenewTheHolder) {
  Player ann;
  ann.name = "Ann";
  ann.uid = 0;
  ann.all.deaths = 3;
  ann.all.uses = 2;
  ann.all.totalTime = 100.0;
  ann.games[1].teamWins = 1;
  ann.games[1].uses = 1;
  ann.games[1].totalTime = 40.0;
  Player bob = ann;
  bob.name = "Bob";
  bob.uid = 1;
  bob.all.kills = 1;

  Records r;
  r.updateCareerRecords(ann);
  Debug::setLevel(1);
  r.updateCareerRecords(bob);
  EXPECT_EQ(takeTrace(),
            "I Records.updateCareerRecords\nI Records.utHighs\nO Records.utHighs\n"
            "I Records.utKills\nO Records.utKills\nI Records.utDeaths\nO Records.utDeaths\n"
            "I Records.utDeathsOppW\nO Records.utDeathsOppW\nI Records.utWSuicides\n"
            "O Records.utWSuicides\nI Records.utSuicides\nO Records.utSuicides\n"
            "O Records.updateCareerRecords\n");
  Debug::setLevel(0);
  EXPECT_EQ(bytesOf(r.cMostDeaths), bytesOf(CareerRecord(0, "Ann", false, 3, 2, 100.0)));
  EXPECT_EQ(bytesOf(r.cMostWins[1]), bytesOf(CareerRecord(0, "Ann", false, 1, 1, 40.0)));
  EXPECT_EQ(bytesOf(r.cMostKills), bytesOf(CareerRecord(1, "Bob", false, 1, 2, 100.0)));
  EXPECT_EQ(bytesOf(r.cMostFrags), bytesOf(CareerRecord()));

  ann.all.deaths = 4;
  ann.all.uses = 3;
  ann.all.totalTime = 150.0;
  r.updateCareerRecords(ann);
  EXPECT_EQ(bytesOf(r.cMostDeaths), bytesOf(CareerRecord(0, "Ann", false, 4, 3, 150.0)));
}

TEST_F(RecordsTest, MatchRecordsFromTheLogTiesAndTheIndex) {
  games::brk::Game first(kLog);
  ASSERT_EQ(first.plist.size(), 2u);
  PlayerIndex index;
  index.put(HashEntry("Ann", false, 5));
  index.put(HashEntry("Bob", false, 2));
  Records r;
  r.updateGameRecords(first, index);
  EXPECT_EQ(takeTrace(), "");
  const auto rail = static_cast<size_t>(Specs::wloc("Railgun"));
  const auto shotgun = static_cast<size_t>(Specs::wloc("Shotgun"));
  const GameRecord annFirst(5, "Ann", false, 1, "q2dm1", "NoDate", first.byUID(0).all.totalTime);
  const GameRecord bobFirst(2, "Bob", false, 1, "q2dm1", "NoDate", first.byUID(1).all.totalTime);
  EXPECT_EQ(bytesOf(r.gMostFrags), bytesOf(annFirst));
  EXPECT_EQ(bytesOf(r.gKillsHoldingWeapon[rail]), bytesOf(annFirst));
  EXPECT_EQ(bytesOf(r.gMostDeaths), bytesOf(bobFirst));
  EXPECT_EQ(bytesOf(r.gDeathsHoldingWeapon[shotgun]), bytesOf(bobFirst));
  EXPECT_EQ(bytesOf(r.gDeathsByWeapon[rail]), bytesOf(bobFirst));
  EXPECT_EQ(bytesOf(r.gMostSuicides), bytesOf(GameRecord()));
  EXPECT_EQ(bytesOf(r.gKillsHoldingWeapon[shotgun]), bytesOf(GameRecord()));

  // A later match: Bob ties the frags and kills (the first match keeps them) and beats the
  // deaths and a weapon suicide, but is missing from the index: each update that would name
  // him fails on its own and the next one still runs.
  games::brk::Game later(kLog);
  later.map = "q2dm2";
  Player& bob = later.plist.at(1);
  bob.all.frags = 1;
  bob.all.kills = 1;
  bob.all.deaths = 2;
  bob.all.myWSuicides[0] = 1;
  PlayerIndex annOnly;
  annOnly.put(HashEntry("Ann", false, 5));
  r.updateGameRecords(later, annOnly);
  EXPECT_EQ(takeTrace(),
            "Error in Records.ugHighs: NullPointerException\n"
            "Error in Records.ugWSuicides: NullPointerException\n");
  EXPECT_EQ(bytesOf(r.gMostFrags), bytesOf(annFirst));
  EXPECT_EQ(bytesOf(r.gMostKills), bytesOf(annFirst));
  EXPECT_EQ(bytesOf(r.gMostDeaths), bytesOf(bobFirst));

  // Within one match a tie goes to the player with the lower number.
  Records tie;
  tie.updateGameRecords(later, index);
  EXPECT_EQ(bytesOf(tie.gMostFrags), bytesOf(GameRecord(5, "Ann", false, 1, "q2dm2", "NoDate",
                                                        first.byUID(0).all.totalTime)));
  EXPECT_EQ(tie.gMostDeaths.name, "Bob");
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK
