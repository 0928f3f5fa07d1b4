#include "programs/ScorexBRK/Totals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <regex>
#include <sstream>

#include "GoldenDb.h"
#include "TempDir.h"
#include "games/brk/Game.h"
#include "programs/Scorex/run/Modules.h"
#include "programs/Scorex/run/ProcessExit.h"
#include "programs/Scorex/run/core.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexBRK/PlayerDB.h"
#include "programs/ScorexBRK/ScorexBRK.h"
#include "util/BigEndian.h"
#include "util/Debug.h"

namespace orvane::programs::ScorexBRK {
namespace {

using games::brk::Game;
using Scorex::settings::config;
using testing::listing;
using testing::slurp;
using util::Debug;
using Names = std::vector<std::string>;
using Stamps = std::vector<int64_t>;

// Lines of a match: a connects and kills b.
std::string duel(const std::string& a, const std::string& b) {
  return "1|Player_Connect|" + a + "|0|1.1.1.1|x\n1|Player_Enter|" + a + "|0\n" +
         "1|Player_Connect|" + b + "|1|1.1.1.2|y\n1|Player_Enter|" + b + "|1\n" +
         "10|Kill|0|Railgun||5|1|Blaster||6\n";
}
const std::string kDuel = duel("Ann", "Bob");
const std::string kSecondKill = "12|Kill|0|Railgun||5|1|Blaster||6\n";

// A match from lines written with "|" for the tabs; its stamp is t, its map "m<t>", its date
// "D<t>".
std::unique_ptr<Game> match(int64_t t, std::string lines, const std::string& mode = "RegularDM") {
  lines = "0|info|map|m" + std::to_string(t) + "\n0|info|match_mode|" + mode + "\n" + lines;
  std::replace(lines.begin(), lines.end(), '|', '\t');
  auto g = std::make_unique<Game>(lines);
  g->time = t;
  g->date = "D" + std::to_string(t);
  return g;
}

// Two matches, worked through by hand in tests/golden/brk_two_matches.txt.
const std::string kGoldenLog =
    "0.0|info|Log_Standard|qmLog\n0.0|info|Absolute_Time|2003.11.15.20.45.10.250.+1\n"
    "0.0|info|map|q2dm1\n"
    "1.0|Player_Connect|Ann|0|10.0.0.1|s1\n1.0|Player_Enter|Ann|0\n"
    "2.0|Player_Connect|Zed|1|IS_A_BOT\n2.0|Player_Enter|Zed|1\n"
    "10.0|Kill|0|Railgun||40|1|Blaster||0\n11.0|Player_Respawn|1\n"
    "20.0|Kill|1|Shotgun||0|0|Railgun||60\n21.0|Player_Respawn|0\n"
    "24.0|Item_Pickup|Mega_Health||0|70\n30.0|Suicide|0|Lava||50\n31.0|Player_Respawn|0\n"
    "40.0|Game_End|fraglimit|abc\n"
    "0.0|info|Log_Standard|qmLog\n0.0|info|Absolute_Time|2003.11.16.09.05.00.000.-5\n"
    "0.0|info|map|q2dm3\n0.0|info|match_mode|1-vs-1\n"
    "1.0|Player_Connect|Ann|0|10.0.0.1|s1\n1.0|Player_Enter|Ann|0\n"
    "1.0|Player_Connect|Cid|1|10.0.0.3|s3\n1.0|Player_Enter|Cid|1\n5.0|Game_Start\n"
    "15.0|Kill|1|Rocket Launcher||30|0|Machinegun||20\n16.0|Player_Respawn|0\n"
    "25.0|Suicide|1|Rocket Launcher||35\n26.0|Player_Respawn|1\n"
    "35.0|Kill|0|Machinegun||25|1|Shotgun||45\n36.0|Player_Respawn|1\n"
    "45.0|Player_Accuracy|1|Rocket Launcher:3:8:120:40|damage:150:60\n"
    "50.0|Game_End|timelimit|def\n";

const Names kDBFiles = {Totals::kGameFile, Totals::kRecordsFile, Totals::kHashFile,
                        Totals::kPlayerFile};

std::string bytesOf(std::initializer_list<int32_t> ints) {
  util::BigEndianWriter w;
  for (const int32_t v : ints) w.writeInt(v);
  return w.take();
}

// Where a named field of a player slot lies, and its width.
std::pair<size_t, size_t> slotField(const std::string& block, const std::string& field) {
  const Names blocks = {"all", "vsHumans", "vsBots", "games[0]", "games[1]", "games[2]"};
  // The head of a block: the double totalTime, then ints.
  const Names head = {"totalTime", "kills",      "deaths", "tkills",   "tdeaths", "suicides",
                      "hits",      "shots",      "items",  "pingTime", "pingNum", "uses",
                      "teamWins",  "teamLosses", "dGiven", "dReceived"};
  const Names weapon = {"myKills", "myKillsOppW", "myDeaths", "myDeathsOppW", "myWSuicides",
                        "myHits",  "myShots",     "myDGiven", "myDReceived"};
  const size_t b = 776 * size_t(std::find(blocks.begin(), blocks.end(), block) - blocks.begin());
  EXPECT_LT(b, 776u * 6) << "unknown block " << block;
  const size_t bracket = field.find('[');
  const std::string name = field.substr(0, bracket);
  const size_t i = bracket == std::string::npos ? 0 : std::stoul(field.substr(bracket + 1));
  if (name == "totalTime") return {b, 8};
  if (const auto f = std::find(head.begin(), head.end(), name); f != head.end()) {
    return {b + 4 + 4 * size_t(f - head.begin()), 4};
  }
  if (const auto f = std::find(weapon.begin(), weapon.end(), name); f != weapon.end()) {
    return {b + 68 + 36 * i + 4 * size_t(f - weapon.begin()), 4};
  }
  if (name == "mySuicides") return {b + 572 + 4 * i, 4};
  if (name == "itemGets") return {b + 616 + 4 * i, 4};
  ADD_FAILURE() << "unknown field " << block << " " << field;
  return {0, 0};
}

class TotalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    config::reset();
    Scorex::run::Modules::reset();
    Debug::reset();
    Debug::setStream(&trace);
    Scorex::run::Modules::add("ScorexBRK", ScorexBRK::module());
    config::homeDir = home.path();
    home.mkdir("data");
    configure("");
    oldOut = std::cout.rdbuf(out.rdbuf());
  }
  void TearDown() override {
    std::cout.rdbuf(oldOut);
    config::reset();
    Scorex::run::Modules::reset();
    Debug::reset();
  }
  void configure(const std::string& lines) {
    config::set(home.write("ScorexBRK.cfg", "SpawnBrowser\tfalse\n" + lines), "ScorexBRK");
    trace.str("");
  }
  std::string db(const std::string& name) const { return config::qmDBDir() + name; }
  std::unique_ptr<Totals> load() {
    auto t = std::make_unique<Totals>();
    t->readDBs();
    return t;
  }
  // One run as the driver makes it: load, merge the new matches, sort, save.
  bool runOver(const std::vector<const games::Game*>& games) {
    const std::unique_ptr<Totals> t = load();
    for (const games::Game* g : games) {
      if (t->isNewGame(*g)) t->update(*g);
    }
    if (t->isModified()) t->sortPlayers();
    Scorex::run::core c(Scorex::run::Modules::find("ScorexBRK"));
    return c.putTotalsIntoDB(*t);
  }
  std::vector<std::unique_ptr<games::Game>> goldenMatches() {
    std::string log = kGoldenLog;
    std::replace(log.begin(), log.end(), '|', '\t');
    return Scorex::run::core(Scorex::run::Modules::find("ScorexBRK")).getGameStats(log);
  }
  Names dbFiles() const {
    Names bytes;
    for (const std::string& f : kDBFiles) bytes.push_back(slurp(db(f)));
    return bytes;
  }
  testing::TempDir home;
  std::ostringstream trace;
  std::ostringstream out;
  std::streambuf* oldOut = nullptr;
};

TEST_F(TotalsTest, RepeatsAreKnownByTheirStampAlone) {
  const auto t = load();
  const auto m200 = match(200, kDuel);
  const auto m100 = match(100, kDuel);
  const auto m250 = match(250, kDuel);  // the same content as the others
  const auto empty = match(200, "");
  for (const Game* g : {m200.get(), m100.get(), m250.get()}) {
    EXPECT_TRUE(t->isNewGame(*g));
    t->update(*g);
    EXPECT_FALSE(t->isNewGame(*g));
  }
  EXPECT_EQ(t->gameList, (Stamps{250, 200, 100}));
  EXPECT_TRUE(t->isRecentGame(*m250));
  EXPECT_FALSE(t->isRecentGame(*m100));
  EXPECT_EQ(t->rec.RecentGameMap, "m250");  // the older m100 did not change it
  EXPECT_EQ(t->totalGamesPlayed, 3);
  EXPECT_EQ(t->plist.find("Annf")->a_frags, 3);
  EXPECT_EQ(out.str(), "Players in DB:2\nPlayers in DB:2\nPlayers in DB:2\n");
  Debug::setLevel(1);
  trace.str("");
  EXPECT_FALSE(t->isNewGame(*empty));
  EXPECT_EQ(trace.str(), "I Totals.isNewGame\nO Totals.isNewGame\n");
}

TEST_F(TotalsTest, OlderMatchesLeaveTheRecentLists) {
  configure("Max_Most_Recent\t2\n");
  const auto t = load();
  const auto m300 = match(300, kDuel);
  const auto m200 = match(200, kDuel);
  const auto m100 = match(100, kDuel);
  const auto m250 = match(250, kDuel, "1-vs-1");
  for (const Game* g : {m300.get(), m200.get(), m100.get()}) t->update(*g);
  EXPECT_EQ(t->gameList, (Stamps{300, 200, 100}));
  EXPECT_EQ(t->gameDateList, (Names{"D300", "D200"}));
  EXPECT_EQ(t->totalGamesPlayed, 3);
  EXPECT_TRUE(t->isPrintableGame(*m200, 2));
  EXPECT_FALSE(t->isPrintableGame(*m100, 2));
  t->update(*m250);  // between the two recent ones: the list is cut back to 2
  EXPECT_EQ(t->gameDateList, (Names{"D300", "D250"}));
  EXPECT_EQ(t->gameMapList, (Names{"m300", "m250"}));
  EXPECT_EQ(t->gameTypeList, (Names{"RegularDM", "1-vs-1"}));
  EXPECT_EQ(t->gamesPlayed, (std::array<int32_t, 3>{3, 0, 1}));
  EXPECT_FALSE(t->isPrintableGame(*m200, 2));
  EXPECT_EQ(trace.str(), "");
}

TEST_F(TotalsTest, LoweredRecentCountCutsTheListsAtTheNextMerge) {
  const auto m100 = match(100, kDuel);
  const auto m200 = match(200, kDuel);
  const auto m300 = match(300, kDuel);
  ASSERT_TRUE(runOver({m100.get(), m200.get(), m300.get()}));
  configure("Max_Most_Recent\t2\n");
  const auto t = load();
  EXPECT_EQ(t->gameDateList, (Names{"D300", "D200", "D100"}));
  t->update(*match(50, kDuel));
  EXPECT_EQ(t->gameDateList, (Names{"D300", "D200"}));
  EXPECT_EQ(t->gameTypeList.size(), 2u);
}

TEST_F(TotalsTest, CareerNumbersByNameAndBotFlagInListOrder) {
  const auto t = load();
  // Cy, the bot Ann and the human Ann, in this order in the match's list.
  t->update(*match(100,
                   "1|Player_Connect|Cy|0|1.1.1.1|c\n1|Player_Enter|Cy|0\n"
                   "1|Player_Connect|Ann|1|IS_A_BOT\n1|Player_Enter|Ann|1\n"
                   "1|Player_Connect|Ann|2|1.1.1.3|a\n1|Player_Enter|Ann|2\n"
                   "10|Kill|1|Railgun||0|0|Blaster||5\n11|Kill|2|Railgun||5|1|Blaster||0\n"));
  t->update(*match(200, duel("Ann", "Dee")));
  std::vector<std::pair<std::string, int32_t>> uids;
  for (const HashEntry* h : t->plist.entries()) {
    uids.emplace_back(PlayerIndex::key(h->name, h->isABot), h->uid);
  }
  EXPECT_EQ(uids, (std::vector<std::pair<std::string, int32_t>>{
                      {"Cyf", 0}, {"Annt", 1}, {"Annf", 2}, {"Deef", 3}}));
  EXPECT_EQ(t->plist.find("Annf")->a_frags, 2);
  EXPECT_EQ(t->plist.find("Annt")->a_frags, 1);
  EXPECT_EQ(out.str(), "Players in DB:3\nPlayers in DB:4\n");
  EXPECT_EQ(trace.str(), "");
}

TEST_F(TotalsTest, HighMatchNeedsMoreFrags) {
  const auto t = load();
  const auto m100 = match(100, kDuel);
  const auto m200 = match(200, kDuel);
  const auto m50 = match(50, kDuel + kSecondKill);
  t->update(*m100);
  t->update(*m200);
  EXPECT_TRUE(t->isHighGame(*m100));
  EXPECT_FALSE(t->isHighGame(*m200));
  t->update(*m50);  // older, but with more frags
  EXPECT_TRUE(t->isHighGame(*m50));
  EXPECT_EQ(t->highGameFrags, 2);
}

Names names(const std::vector<const HashEntry*>& entries) {
  Names n;
  for (const HashEntry* h : entries) n.push_back(h->name);
  return n;
}

TEST_F(TotalsTest, SortPlayersBuildsTheSixOrders) {
  Totals t;
  Debug::setLevel(1);
  t.sortPlayers();  // an empty index gives six empty orders
  EXPECT_EQ(trace.str(), "I Totals.sortPlayers\nO Totals.sortPlayers\n");
  for (const auto* order :
       {&t.sortedByName, &t.sortedByFDS, &t.sortedDM, &t.sortedTG, &t.sorted1v1, &t.sortedFPH}) {
    EXPECT_TRUE(order->empty());
  }
  struct Row {
    std::string name;
    double time;
    int32_t a[3], dm[3], tg[2], ov[2];
  };
  const std::vector<Row> rows = {
      {"bob", 3600, {5, 2, 0}, {1, 0, 0}, {2, 1}, {0, 0}},
      {"Bob", 0, {5, 1, 0}, {1, 1, 0}, {2, 0}, {1, 1}},
      {"Zed", 1800, {5, 1, 1}, {3, 5, 5}, {0, 0}, {1, 0}},
      {"ann", 3600, {-1, 0, 0}, {1, 0, 1}, {0, 3}, {0, 2}},
      {"\xe9ric", 7200, {7, 9, 9}, {0, 0, 0}, {1, 0}, {3, 3}},
  };
  int32_t uid = 0;
  for (const Row& r : rows) {
    HashEntry h(r.name, false, uid++);
    h.update(r.time, r.a[0], r.a[1], r.a[2], r.dm[0], r.dm[1], r.dm[2], r.tg[0], r.tg[1], r.ov[0],
             r.ov[1]);
    t.plist.put(h);
  }
  t.sortPlayers();
  EXPECT_EQ(names(t.sortedByName), (Names{"Bob", "Zed", "ann", "bob", "\xe9ric"}));
  EXPECT_EQ(names(t.sortedByFDS), (Names{"\xe9ric", "Bob", "Zed", "bob", "ann"}));
  EXPECT_EQ(names(t.sortedDM), (Names{"Zed", "bob", "ann", "Bob", "\xe9ric"}));
  EXPECT_EQ(names(t.sortedTG), (Names{"Bob", "bob", "\xe9ric", "Zed", "ann"}));
  EXPECT_EQ(names(t.sorted1v1), (Names{"\xe9ric", "Zed", "Bob", "bob", "ann"}));
  // Frags per hour 10, 5, 3.5, then Bob's 0.0 (no time), then ann's -1.
  EXPECT_EQ(names(t.sortedFPH), (Names{"Zed", "bob", "\xe9ric", "Bob", "ann"}));
}

// ---- Decisions ------------------------------------------------------------------------------

TEST_F(TotalsTest, FailedSaveChangesNoFile) {
  const auto first = load();
  first->update(*match(50, kDuel));
  ASSERT_TRUE(Scorex::run::core().putTotalsIntoDB(*first));
  const Names before = dbFiles();
  std::filesystem::remove(db("brk_hash.db"));
  home.mkdir("data/brk_hash.db");  // cannot be replaced by a file
  const auto t = load();
  t->update(*match(100, kDuel));
  trace.str("");
  EXPECT_FALSE(Scorex::run::core().putTotalsIntoDB(*t));
  EXPECT_EQ(trace.str(), "Error in Totals.writeDBs: IOException: " + db("brk_hash.db") +
                             " (Is a directory)\n"
                             "Error in core.putTotalsIntoDB: IOException: the database could not "
                             "be saved\n");
  // All or nothing: the other files, the player store included, are as they were.
  EXPECT_EQ(listing(home.file("data")), "brk_game.db brk_hash.db brk_player.db brk_records.db");
  EXPECT_EQ(slurp(db("brk_game.db")), before[0]);
  EXPECT_EQ(slurp(db("brk_records.db")), before[1]);
  EXPECT_EQ(slurp(db("brk_player.db")), before[3]);
}

TEST_F(TotalsTest, SavingLeftoversAreRemovedOnceTheLockIsHeld) {
  const int64_t now = 1700000000000;
  const std::string other = std::to_string(now - 1000) + ".lock";  // a run still active
  home.write("data/" + other, "");
  home.write("data/.saving-brk_game.db.4242", "half");
  testing::setModifiedMillis(home.write("data/.incoming-a.log.part", "log"), now - 1000);
  EXPECT_THROW(Scorex::run::core([&] { return now; }).moveLogFiles({}), Scorex::run::ProcessExit);
  EXPECT_EQ(listing(home.file("data")),
            ".incoming-a.log.part .saving-brk_game.db.4242 .scorex-run " + other);
  std::filesystem::remove(home.file("data/" + other));
  Scorex::run::core([&] { return now; }).moveLogFiles({});
  EXPECT_EQ(listing(home.file("data")), ".incoming-a.log.part .scorex-run .scorex-tmp");
}

TEST_F(TotalsTest, DamagedFilesAreReadAsFarAsTheyAreSound) {
  const std::string head = bytesOf({1, 1, 1, 3}) + std::string(7, '\0') + "\x64";  // stamp 100
  const std::vector<std::pair<std::string, std::string>> cases = {
      {head + bytesOf({0x7fffffff}), "IOException: bad text length 2147483647 at byte 24"},
      {head + bytesOf({-1}), "IOException: bad text length -1 at byte 24"},
      {head + bytesOf({4}) + "D100" + bytesOf({1}) + "m",
       "IOException: bad text length 4 at byte 24"},
      {bytesOf({1, 0x7fffffff, 0, 0}) + std::string(7, '\0') + "\x64", "EOFException"},
  };
  for (const auto& [bytes, failure] : cases) {
    home.write("data/brk_game.db", bytes);
    trace.str("");
    const auto t = load();
    EXPECT_EQ(trace.str(), "Error in Totals.readGameDB: " + failure + "\n");
    EXPECT_EQ(t->gameList, Stamps{100});
    EXPECT_TRUE(t->gameDateList.empty());
  }
  std::filesystem::remove(db("brk_game.db"));

  // An index whose count is far beyond its entries: one line, the two entries and the one
  // that failed; records cut inside the last one.
  ASSERT_TRUE(runOver({match(100, kDuel).get()}));
  std::string index = slurp(db("brk_hash.db"));
  index.replace(4, 4, bytesOf({0x7fffffff}));
  home.write("data/brk_hash.db", index);
  std::string records = slurp(db("brk_records.db"));
  records.resize(records.size() - 10);
  std::filesystem::remove(db("brk_records.db"));
  home.write("data/brk_records.db", records);
  trace.str("");
  {
    const auto t = load();
    EXPECT_EQ(trace.str(),
              "Error in CareerRecord.new: EOFException\nError in HashEntry.new: EOFException\n");
    EXPECT_EQ(t->plist.size(), 3u);
    t->update(*match(200, kDuel));
    EXPECT_TRUE(Scorex::run::core().putTotalsIntoDB(*t));
  }
  // The damaged files are kept beside the new ones, which read back soundly.
  const std::string names = listing(home.file("data"));
  const std::regex keptFiles(
      "brk_game.db brk_hash.db (brk_hash.db.damaged-[0-9]+) brk_player.db "
      "brk_records.db (brk_records.db.damaged-[0-9]+)");
  std::smatch kept;
  ASSERT_TRUE(std::regex_match(names, kept, keptFiles)) << names;
  EXPECT_EQ(slurp(db(kept[1])), index);
  EXPECT_EQ(slurp(db(kept[2])), records);
  trace.str("");
  EXPECT_EQ(load()->plist.size(), 3u);
  EXPECT_EQ(trace.str(), "");
}

TEST_F(TotalsTest, NewCareerNumbersFollowTheLargestInTheIndex) {
  util::BigEndianWriter index;
  index.writeInt(1);
  index.writeInt(2);
  HashEntry("Ann", false, 0).writeDB(index);
  HashEntry("Bob", false, 7).writeDB(index);
  home.write("data/brk_hash.db", index.bytes());
  std::string store(4824 * 12, '\0');  // slots up to career number 7
  store[0] = 1;
  home.write("data/brk_player.db", store);
  const auto t = load();
  t->update(*match(100, duel("Ann", "Cy")));
  EXPECT_EQ(t->plist.find("Cyf")->uid, 8);
  EXPECT_EQ(t->plist.find("Bobf")->uid, 7);
  EXPECT_EQ(trace.str(), "");
}

TEST_F(TotalsTest, StoreOfAnotherVersionStopsEveryMergeAndSave) {
  std::string store(4824 * 5, '\7');
  store[0] = 2;
  home.write("data/brk_player.db", store);
  const auto t = load();
  t->update(*match(100, kDuel));
  t->update(*match(200, kDuel));
  EXPECT_FALSE(Scorex::run::core().putTotalsIntoDB(*t));
  EXPECT_EQ(trace.str(),
            "Error PlayerDB.open: Invalid DB Version\n    DB Version = 2\n    Current Version = 1\n"
            "Error in Totals.update: IOException: the player store is not usable\n"
            "Error in Totals.update: IOException: the player store is not usable\n"
            "Error in core.putTotalsIntoDB: IOException: the player store is not usable; nothing "
            "was saved\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(t->gListSize(), 0);
  EXPECT_FALSE(t->isModified());
  EXPECT_EQ(listing(home.file("data")), "brk_player.db");
  EXPECT_EQ(slurp(db("brk_player.db")), store);
}

TEST_F(TotalsTest, IndexIsWrittenInCareerOrder) {
  Totals t;
  for (int32_t i = 0; i < 30; ++i) {  // put in the order 0, 7, 14, 21, 28, 5, ...
    t.plist.put(HashEntry("P" + std::to_string(i * 7 % 30), false, i * 7 % 30));
  }
  ASSERT_TRUE(t.writeHashDB());
  const std::string bytes = slurp(db("brk_hash.db"));
  util::BigEndianReader in(bytes);
  EXPECT_EQ(in.readInt(), 1);
  EXPECT_EQ(in.readInt(), 30);
  for (int32_t uid = 0; uid < 30; ++uid) EXPECT_EQ(HashEntry(in).uid, uid);
  EXPECT_EQ(in.remaining(), 0u);
  Totals again;
  again.readHashDB();
  ASSERT_TRUE(again.writeHashDB());
  EXPECT_EQ(slurp(db("brk_hash.db")), bytes);
}

TEST_F(TotalsTest, NoRecentMatchesWhenNoneAreKept) {
  for (const std::string keep : {"0", "-5"}) {
    SCOPED_TRACE(keep);
    configure("Max_Most_Recent\t" + keep + "\nDBDir\tdb" + keep + "\n");
    home.mkdir("db" + keep);
    const auto t = load();
    for (const int64_t stamp : {100, 200}) {
      const auto m = match(stamp, kDuel);
      t->update(*m);
      EXPECT_FALSE(t->isPrintableGame(*m, config::numGamesToSave()));
      EXPECT_TRUE(t->isRecentGame(*m));
    }
    EXPECT_TRUE(t->gameDateList.empty());
    EXPECT_TRUE(Scorex::run::core().putTotalsIntoDB(*t));
    EXPECT_EQ(trace.str(), "");
    EXPECT_EQ(slurp(db("brk_game.db")), bytesOf({1, 2, 0, 0, 0, 200, 0, 100}));
  }
}

TEST_F(TotalsTest, AbsentDateIsWrittenAsTheEmptyText) {
  std::string lines = "0|info|Absolute_Time|2003.11.15\n0|info|map|q2dm1\n" + kDuel;
  std::replace(lines.begin(), lines.end(), '|', '\t');
  const Game g(lines);
  ASSERT_EQ(g.date, "");
  trace.str("");
  ASSERT_TRUE(runOver({&g}));
  EXPECT_EQ(slurp(db("brk_game.db")),
            bytesOf({1, 1, 1, 9, 0, 0, 0, 5}) + "q2dm1" + bytesOf({9}) + "RegularDM");
  EXPECT_EQ(load()->rec.RecentGameDate, "");
  EXPECT_EQ(trace.str(), "");
}

// ---- Files as a whole -----------------------------------------------------------------------

TEST_F(TotalsTest, GoldenDatabase) {
  const auto games = goldenMatches();
  ASSERT_EQ(games.size(), 2u);
  ASSERT_TRUE(runOver({games[0].get(), games[1].get()}));
  EXPECT_EQ(trace.str(), "");
  EXPECT_EQ(out.str(), "Players in DB:2\nPlayers in DB:3\n");
  const auto golden = testing::readGolden(std::filesystem::path(__FILE__).parent_path().string() +
                                              "/../../../tests/golden/brk_two_matches.txt",
                                          4824, slotField);
  ASSERT_EQ(golden.size(), 4u);
  for (const auto& [name, bytes] : golden) {
    golden.expect(name, slurp(db(name)));
  }
  const Names one = dbFiles();

  // The same matches split over two runs give the same files.
  configure("DBDir\tsplit\n");
  home.mkdir("split");
  ASSERT_TRUE(runOver({games[0].get()}));
  ASSERT_TRUE(runOver({games[1].get()}));
  EXPECT_EQ(dbFiles(), one);

  // Running them again recognises both and changes nothing.
  configure("");
  out.str("");
  const auto t = load();
  EXPECT_FALSE(t->isNewGame(*games[0]));
  EXPECT_FALSE(t->isNewGame(*games[1]));
  EXPECT_TRUE(Scorex::run::core().putTotalsIntoDB(*t));
  EXPECT_EQ(dbFiles(), one);
  EXPECT_EQ(listing(home.file("data")), "brk_game.db brk_hash.db brk_player.db brk_records.db");
  EXPECT_EQ(out.str() + trace.str(), "");
}

TEST_F(TotalsTest, TruncatedFilesKeepWhatWasReadBeforeTheCut) {
  const auto games = goldenMatches();
  ASSERT_TRUE(runOver({games[0].get(), games[1].get()}));
  const auto full = load();
  // Where each triple of the game file and each index entry ends.
  std::vector<size_t> tripleEnds{16 + 8 * full->gameList.size()};
  for (size_t i = 0; i < full->gameDateList.size(); ++i) {
    tripleEnds.push_back(tripleEnds.back() + 12 + full->gameDateList[i].size() +
                         full->gameMapList[i].size() + full->gameTypeList[i].size());
  }
  tripleEnds.erase(tripleEnds.begin());
  std::vector<size_t> entryEnds{8};
  for (const HashEntry* h : full->plist.entries()) {
    entryEnds.push_back(entryEnds.back() + 57 + h->name.size());
  }
  entryEnds.erase(entryEnds.begin());
  const auto before = [](const std::vector<size_t>& ends, size_t n) {
    return size_t(std::count_if(ends.begin(), ends.end(), [n](size_t e) { return e <= n; }));
  };
  const auto prefix = [](const auto& v, size_t k) {
    return std::decay_t<decltype(v)>(v.begin(), v.begin() + std::min(k, v.size()));
  };

  for (const std::string file : {Totals::kGameFile, Totals::kRecordsFile, Totals::kHashFile}) {
    const std::string bytes = slurp(db(file));
    for (size_t n = 0; n < bytes.size(); ++n) {
      SCOPED_TRACE(file + " cut at " + std::to_string(n));
      std::filesystem::remove(db(file));  // much faster here than truncating it
      home.write("data/" + file, bytes.substr(0, n));
      trace.str("");
      Totals t;
      if (file == Totals::kGameFile) t.readGameDB();
      if (file == Totals::kRecordsFile) t.readRecordsDB();
      if (file == Totals::kHashFile) t.readHashDB();
      const std::string lines = trace.str();
      EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
      EXPECT_EQ(lines.rfind("Error in ", 0), 0u) << lines;
      if (file == Totals::kGameFile) {
        EXPECT_EQ(t.gameList, prefix(full->gameList, n < 16 ? 0 : (n - 16) / 8));
        EXPECT_EQ(t.gameDateList, prefix(full->gameDateList, before(tripleEnds, n)));
        EXPECT_EQ(t.gameMapList, prefix(full->gameMapList, before(tripleEnds, n)));
        EXPECT_EQ(t.gameTypeList, prefix(full->gameTypeList, before(tripleEnds, n)));
      } else if (file == Totals::kRecordsFile) {
        EXPECT_EQ(t.totalGamesPlayed, n >= 8 ? full->totalGamesPlayed : 0);
        EXPECT_EQ(t.highGameFrags, n >= 12 ? full->highGameFrags : -5000);
        EXPECT_EQ(t.highGameUID, n >= 20 ? full->highGameUID : 0);
        EXPECT_EQ(t.gamesPlayed[2], n >= 32 ? full->gamesPlayed[2] : 0);
        EXPECT_EQ(t.rec.RecentGameMap, n >= 41 ? full->rec.RecentGameMap : "");
        EXPECT_EQ(t.rec.RecentGameDate, n >= 79 ? full->rec.RecentGameDate : "");
      } else {
        // Every whole entry, and the one being read when the file ended.
        EXPECT_EQ(t.plist.size(), n < 8 ? 0 : before(entryEnds, n) + 1);
        for (const HashEntry* h : prefix(full->plist.entries(), before(entryEnds, n))) {
          const HashEntry* e = t.plist.find(PlayerIndex::key(h->name, h->isABot));
          ASSERT_NE(e, nullptr);
          EXPECT_EQ(e->uid, h->uid);
          EXPECT_EQ(e->o_losses, h->o_losses);
        }
      }
    }
    home.write("data/" + file, bytes);
  }
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK
