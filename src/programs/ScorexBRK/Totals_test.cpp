// The career totals of Brakk. The rules of the shared core (match lists, repeats, damaged and
// truncated files, the all-or-nothing save) are tested here once, through this module.
#include "programs/ScorexBRK/Totals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <regex>
#include <sstream>

#include "ConfigReset.h"
#include "GoldenDb.h"
#include "TempDir.h"
#include "TraceCapture.h"
#include "games/brk/Game.h"
#include "programs/Scorex/run/core.h"
#include "programs/Scorex/settings/config.h"
#include "programs/ScorexBRK/ScorexBRK.h"
#include "util/BigEndian.h"

namespace orvane::programs::ScorexBRK {
namespace {

using games::brk::Game;
using Scorex::settings::config;
using testing::listing;
using testing::slurp;
using Names = std::vector<std::string>;
using Stamps = std::vector<int64_t>;

// Lines of a match: Ann kills Bob.
const std::string kDuel =
    "1|Player_Connect|Ann|0|1.1.1.1|x\n1|Player_Enter|Ann|0\n1|Player_Connect|Bob|1|1.1.1.2|y\n"
    "1|Player_Enter|Bob|1\n10|Kill|0|Railgun||5|1|Blaster||6\n";

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
    Scorex::run::Modules::add("ScorexBRK", ScorexBRK::module());
    config::homeDir = home.path();
    home.mkdir("data");
    configure("");
    oldOut = std::cout.rdbuf(out.rdbuf());
  }
  void TearDown() override {
    std::cout.rdbuf(oldOut);
    Scorex::run::Modules::reset();
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
  static bool save(Totals& t) { return Scorex::run::core().putTotalsIntoDB(t); }
  // One run as the driver makes it: load, merge the new matches, sort, save.
  bool runOver(const std::vector<const games::Game*>& games) {
    const std::unique_ptr<Totals> t = load();
    for (const games::Game* g : games) {
      if (t->isNewGame(*g)) t->update(*g);
    }
    if (t->isModified()) t->sortPlayers();
    return save(*t);
  }
  // The run over the two matches worked through by hand in the golden text.
  bool runGolden() {
    const auto games = Scorex::run::core(Scorex::run::Modules::find("ScorexBRK"))
                           .getGameStats(slurp(kGolden + ".log"));
    return games.size() == 2 && runOver({games[0].get(), games[1].get()});
  }
  const std::string kGolden = std::filesystem::path(__FILE__).parent_path().string() +
                              "/../../../tests/golden/brk_two_matches";
  testing::ConfigReset reset;
  testing::TempDir home;
  testing::TraceCapture trace;
  std::ostringstream out;
  std::streambuf* oldOut = nullptr;
};

TEST_F(TotalsTest, GoldenDatabase) {
  ASSERT_TRUE(runGolden());
  EXPECT_EQ(trace.str(), "");
  EXPECT_EQ(out.str(), "Players in DB:2\nPlayers in DB:3\n");
  const auto golden = testing::readGolden(kGolden + ".txt", 4824, slotField);
  ASSERT_EQ(golden.size(), 4u);
  for (const auto& [name, bytes] : golden) golden.expect(name, slurp(db(name)));
}

// Repeats are known by their stamp alone. The recent lists hold the newest matches, as many as
// are kept (an older match merged later leaves them, a lowered count cuts them at the next
// merge); the high match needs more frags.
TEST_F(TotalsTest, MatchListsByStamp) {
  configure("Max_Most_Recent\t2\n");
  const auto t = load();
  const auto m300 = match(300, kDuel);
  const auto m200 = match(200, kDuel);
  const auto m100 = match(100, kDuel);
  for (const Game* g : {m300.get(), m200.get(), m100.get()}) t->update(*g);
  EXPECT_TRUE(!t->isNewGame(*match(200, "")) && t->isNewGame(*match(201, kDuel)));
  EXPECT_EQ(t->gameList, (Stamps{300, 200, 100}));
  EXPECT_EQ(t->gameDateList, (Names{"D300", "D200"}));
  EXPECT_TRUE(t->isRecentGame(*m300) && !t->isRecentGame(*m100));
  EXPECT_FALSE(t->isPrintableGame(*m100, 2));
  EXPECT_TRUE(t->isHighGame(*m300));
  t->update(*match(250, kDuel + "12|Kill|0|Railgun||5|1|Blaster||6\n", "1-vs-1"));
  EXPECT_EQ(t->gameTypeList, (Names{"RegularDM", "1-vs-1"}));
  EXPECT_EQ(t->rec.RecentGameMap, "m300");  // the older m250 did not change it
  EXPECT_EQ(t->highGameUID, 250);
  EXPECT_TRUE(save(*t));
  configure("Max_Most_Recent\t1\n");
  const auto again = load();
  EXPECT_EQ(again->gameDateList, (Names{"D300", "D250"}));
  again->update(*match(50, kDuel));
  EXPECT_EQ(again->gameDateList, Names{"D300"});
  // Keeping none: no match is printable, the newest is still the recent one.
  configure("Max_Most_Recent\t0\n");
  again->update(*match(400, kDuel));
  EXPECT_TRUE(again->gameDateList.empty());
  EXPECT_FALSE(again->isPrintableGame(*match(400, ""), 0));
  EXPECT_TRUE(again->isRecentGame(*match(400, "")));
  EXPECT_EQ(trace.str(), "");
}

// Players are known by name and bot flag; new ones take the numbers after the largest in the
// index, in the order of the match's list, so a damaged index never hands out a number twice.
TEST_F(TotalsTest, CareerNumbersFollowTheLargestInTheIndex) {
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
  t->update(*match(100,
                   "1|Player_Connect|Cy|0|1.1.1.1|c\n1|Player_Enter|Cy|0\n"
                   "1|Player_Connect|Ann|1|IS_A_BOT\n1|Player_Enter|Ann|1\n"
                   "1|Player_Connect|Ann|2|1.1.1.3|a\n1|Player_Enter|Ann|2\n"
                   "10|Kill|1|Railgun||0|0|Blaster||5\n11|Kill|2|Railgun||5|1|Blaster||0\n"));
  std::string uids;
  for (const HashEntry* h : t->plist.entries()) {
    uids += PlayerIndex::key(h->name, h->isABot) + std::to_string(h->uid) + " ";
  }
  EXPECT_EQ(uids, "Annf0 Bobf7 Cyf8 Annt9 ");
  EXPECT_EQ(t->plist.find("Annf")->a_frags, 1);
  EXPECT_EQ(t->plist.find("Ann"), nullptr);
  EXPECT_EQ(out.str() + trace.str(), "Players in DB:4\n");
}

// Each file is read up to the first field that is not sound, with one report; what was read
// before stays: the stamps before the cut, the counts, every index entry up to the one being
// read. (The damaged game files below show the stamps kept when their texts go.)
TEST_F(TotalsTest, TruncatedFilesKeepWhatWasReadBeforeTheCut) {
  ASSERT_TRUE(runGolden());
  const auto full = load();
  std::vector<size_t> entryEnds;  // where each index entry ends
  for (size_t end = 8; const HashEntry* h : full->plist.entries()) {
    entryEnds.push_back(end += 57 + h->name.size());
  }
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
      const size_t stamps = std::min(n < 16 ? 0 : (n - 16) / 8, full->gameList.size());
      if (file == Totals::kGameFile) {
        EXPECT_EQ(t.gameList, Stamps(full->gameList.begin(), full->gameList.begin() + stamps));
      } else if (file == Totals::kRecordsFile) {
        EXPECT_EQ(t.highGameUID, n >= 20 ? full->highGameUID : 0);
      } else {
        const auto whole =
            std::count_if(entryEnds.begin(), entryEnds.end(), [n](size_t e) { return e <= n; });
        EXPECT_EQ(t.plist.size(), n < 8 ? 0 : size_t(whole) + 1);
      }
    }
    home.write("data/" + file, bytes);
  }
}

// Absurd lengths and counts are read as far as they are sound; the next save keeps the damaged
// file beside the new one.
TEST_F(TotalsTest, DamagedFilesAreReadAsFarAsTheyAreSoundAndKeptAside) {
  const std::string head = bytesOf({1, 1, 1, 3}) + std::string(7, '\0') + "\x64";  // stamp 100
  for (const auto& [bytes, failure] : std::vector<std::pair<std::string, std::string>>{
           {head + bytesOf({-1}), "IOException: bad text length -1 at byte 24"},
           {bytesOf({1, 0x7fffffff, 0, 0}) + std::string(7, '\0') + "\x64", "EOFException"},
           {head + bytesOf({0x7fffffff}), "IOException: bad text length 2147483647 at byte 24"}}) {
    home.write("data/brk_game.db", bytes);
    trace.str("");
    const auto t = load();
    EXPECT_EQ(trace.str(), "Error in Totals.readGameDB: " + failure + "\n");
    EXPECT_EQ(t->gameList, Stamps{100});
    EXPECT_TRUE(t->gameDateList.empty());
  }
  const std::string damaged = slurp(db("brk_game.db"));
  const auto t = load();
  t->update(*match(200, kDuel));
  EXPECT_TRUE(save(*t));
  const std::string names = listing(home.file("data"));
  std::smatch kept;
  ASSERT_TRUE(std::regex_search(names, kept, std::regex("brk_game.db.damaged-[0-9]+"))) << names;
  EXPECT_EQ(slurp(db(kept[0])), damaged);
  EXPECT_EQ(load()->gameList, (Stamps{200, 100}));
}

// A player store of another version stops every merge and every save: matches counted
// without their players would be lost for good.
TEST_F(TotalsTest, StoreOfAnotherVersionStopsEveryMergeAndSave) {
  std::string store(4824 * 5, '\7');
  store[0] = 2;
  home.write("data/brk_player.db", store);
  const auto t = load();
  t->update(*match(100, kDuel));
  EXPECT_FALSE(save(*t));
  EXPECT_EQ(trace.str(),
            "Error PlayerDB.open: Invalid DB Version\n    DB Version = 2\n    Current Version = 1\n"
            "Error in Totals.update: IOException: the player store is not usable\n"
            "Error in core.putTotalsIntoDB: IOException: the player store is not usable; nothing "
            "was saved\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_FALSE(t->isModified());
  EXPECT_EQ(listing(home.file("data")) + slurp(db("brk_player.db")), "brk_player.db" + store);
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK
