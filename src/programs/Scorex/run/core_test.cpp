#include "programs/Scorex/run/core.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>

#include "ConfigReset.h"
#include "TempDir.h"
#include "TraceCapture.h"
#include "programs/Scorex/output/GameHtml.h"
#include "programs/Scorex/output/TotalsHtml.h"
#include "programs/Scorex/run/Modules.h"
#include "programs/Scorex/run/PendingPages.h"
#include "programs/Scorex/settings/config.h"
#include "util/Failure.h"
#include "util/Files.h"

namespace orvane::programs::Scorex::run {
namespace {

namespace fs = std::filesystem;

// A match from the text "<time> <name>": invalid when named "invalid", failing to build when
// named "throw".
class FakeGame : public games::Game {
 public:
  explicit FakeGame(std::string_view text) {
    std::istringstream(std::string(text)) >> time >> name;
    if (name == "throw") throw util::Failure(util::Failure::kNumberFormat, "bad");
  }
  int64_t theTime() const override { return time; }
  bool isValid() const override { return name != "invalid"; }
  const std::string& getServerName() const override { return name; }
  const std::string& getMap() const override { return name; }

 private:
  int64_t time = 0;
  std::string name;
};

// What outlives the totals of one run: the matches known (newest first), the clock and what
// happens at each merge.
struct World {
  std::set<int64_t, std::greater<>> known;
  int64_t clock = 1700000000000;
  std::function<void()> onMerge = [] {};
};

// Career totals that keep only the stamps: the kept range is the newest matches, the recent
// match the newest one. They write the pages too: a match gets its index page. They never fail
// a save: the whole-program tests end runs at every change they make and fill the disk under
// them.
class FakeTotals final : public career::Totals, public output::TotalsHtml, public output::GameHtml {
 public:
  explicit FakeTotals(World& w) : w(w) {}
  void update(const games::Game& g) override {
    w.known.insert(g.theTime());
    w.onMerge();
  }
  void sortPlayers() override {}
  void readDBs() override {}
  void writeDBs() override {}
  bool isNewGame(const games::Game& g) override { return w.known.count(g.theTime()) == 0; }
  bool isPrintableGame(const games::Game& g, int32_t count) override {
    const auto it = w.known.find(g.theTime());
    return it != w.known.end() && std::distance(w.known.begin(), it) < count;
  }
  bool isHighGame(const games::Game&) override { return false; }
  bool isRecentGame(const games::Game& g) override { return *w.known.begin() == g.theTime(); }
  bool isModified() const override { return true; }
  int32_t gListSize() const override { return static_cast<int32_t>(w.known.size()); }
  int64_t gListElement(int32_t i) const override { return *std::next(w.known.begin(), i); }
  bool writeTotals(career::Totals&) override { return true; }
  bool writeGame(const games::Game&, const std::string& name, const std::string& dir) override {
    fs::create_directory(dir);
    std::ofstream(dir + "/index.html") << name;
    return true;
  }

 private:
  World& w;
};

// Runs of the driver with the "Test" module, whose logs hold matches parted by "|", headless,
// in a home directory that is the working directory (as a run's home is on Linux).
class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::unsetenv("DISPLAY");  // headless, for the binary's life
    fs::current_path(home.path());
    home.mkdir("data");
    home.mkdir("html/Individual_Game_Stats");
    Module m;
    m.split = [](std::string_view text) {
      std::vector<std::string_view> pieces;
      for (size_t start = 0, bar; start < text.size(); start = bar + 1) {
        bar = std::min(text.find('|', start), text.size());
        pieces.push_back(text.substr(start, bar - start));
      }
      return pieces;
    };
    m.newGame = [](std::string_view text) { return std::make_unique<FakeGame>(text); };
    m.newTotals = [this] { return std::make_unique<FakeTotals>(world); };
    m.newGameHtml = [this] { return std::make_unique<FakeTotals>(world); };
    m.newTotalsHtml = [this] { return std::make_unique<FakeTotals>(world); };
    Modules::add("Test", m);
    configure("");
  }
  void TearDown() override {
    fs::current_path(previous);
    Modules::reset();
  }
  // Writes the configuration file of the program "Test" and reads it, as a run does.
  void configure(const std::string& text) {
    home.write("Test.cfg", "SpawnBrowser\tfalse\n" + text);
    settings::config::homeDir = fs::current_path();
    settings::config::set(std::nullopt, "Test");
    trace.str("");
  }
  bool run() {
    return core([this] { return world.clock; }).go(std::nullopt, {}, "Test");
  }
  // The names in a directory of the home, but the home's time-zone record.
  std::string ls(const std::string& dir) {
    const std::string names = testing::listing(fs::current_path() / dir);
    return std::regex_replace(names, std::regex(" ?scorex.timezone"), "");
  }

  fs::path previous = fs::current_path();
  testing::ConfigReset reset;
  testing::TempDir home;
  World world;
  testing::TraceCapture trace;
};

// A broken match does not lose the later ones, an invalid one is left out. (The whole-program
// tests pin the reports of vanished logs and of matches without a start time.)
TEST_F(CoreTest, EveryValidMatchIsBuiltInLogOrder) {
  home.write("data/a.log", "1 a|2 invalid|3 throw|4 c");
  core c(Modules::find("Test"));
  std::string names;
  for (const auto& g : c.getGameStats(c.getLogfileData("a.log"))) names += g->getMap();
  EXPECT_EQ(names + "|" + trace.str(),
            "ac|Error in core.getGameStats: NumberFormatException: bad\n");
}

// The kept range holds the newest matches: the others, even those of this run, get no page and
// lose theirs, but for files no match page writer makes. The lock is renewed every minute, so that
// a long run is never taken for a dead one. A log that cannot be marked processed is processed once
// and stays.
TEST_F(CoreTest, PagesOfTheKeptRangeAndALockRenewedAsTheRunGoes) {
  configure("Max_Most_Recent\t3\n");
  const std::string games = "html/Individual_Game_Stats/";
  for (int64_t t = 101; t <= 110; ++t) {
    world.known.insert(t);
    if (t != 105) home.write(games + std::to_string(t) + "/index.html", "");
  }
  for (const std::string page : {"zbot.html", "0.html", ".saving-1", "-1.html", "012.html", "a"}) {
    home.write(games + "102/" + page, "");
  }
  home.write(games + "105", "");
  home.write(games + "Highest_Score/index.html", "");
  home.write("data/a.log", "111 a|50 old|112 b|113 c|114 d");
  home.write("data/b.log.del/x", "");  // the rename to "b.log.del" fails
  home.write("data/b.log", "");
  std::vector<std::string> locks;
  world.onMerge = [&] {
    for (const std::string& n : util::listDirectory("data")) {
      if (n.ends_with(".lock")) locks.push_back(n);
    }
    world.clock += 30000;
  };
  EXPECT_TRUE(run());
  EXPECT_EQ(trace.str(),
            "Now Processing log 1 of 2: a.log\nNow Processing log 2 of 2: b.log\n"
            "Could not delete game '102'\n"
            "Error in core.deleteGameHtml: FileNotFoundException: " +
                settings::config::qmHtmlDir() + "Individual_Game_Stats/105 (Not a directory)\n");
  EXPECT_EQ(ls(games), "102 105 112 113 114 Highest_Score Last_Game");
  EXPECT_EQ(ls(games + "102"), "-1.html 012.html a");
  EXPECT_EQ(testing::slurp(games + "Last_Game/index.html"), "Last_Game");
  EXPECT_EQ(locks, (std::vector<std::string>{"1700000000000.lock", "1700000000000.lock",
                                             "1700000060000.lock", "1700000060000.lock",
                                             "1700000120000.lock"}));
  EXPECT_EQ(ls("data"), ".scorex-run .scorex-tmp b.log b.log.del");
}

// Pages wait for the end of the run, so that a match succeeded as the newest or the highest
// scoring by a later match of the run never gets those pages; above its capacity the newest
// are written early. (The whole runs of the driver pin the kept range.) Each write is recorded
// as the match's time and its pages: N normal, R recent, H high.
TEST(PendingPages, OnlyWhatLastsIsWrittenAndOverCapacityTheNewestEarly) {
  std::string written;
  PendingPages pages(
      2,
      [&](const games::Game& g, bool recent, bool high, bool normal) {
        written += std::to_string(g.theTime()) + (normal ? "N" : "") + (recent ? "R" : "") +
                   (high ? "H" : "") + " ";
      },
      [](const games::Game& g) { return g.theTime() >= 10; });
  const auto add = [&](int64_t t, bool recent, bool high, bool normal) {
    pages.add(std::make_unique<FakeGame>(std::to_string(t) + " m"), recent, high, normal);
  };
  add(10, true, true, true);
  add(5, false, false, false);  // an old match: nothing
  add(30, true, false, true);
  EXPECT_EQ(pages.waiting(), 2u);
  add(20, false, false, true);
  EXPECT_EQ(written, "30NR ");
  // A later newest takes "Last_Game" over again: it is written a second time.
  add(50, true, false, true);
  add(60, false, true, false);  // a new highest score releases the old holder at once
  EXPECT_EQ(written, "30NR 50NR 60H ");
  pages.flush();
  EXPECT_EQ(written, "30NR 50NR 60H 10N 20N ");
}

}  // namespace
}  // namespace orvane::programs::Scorex::run
