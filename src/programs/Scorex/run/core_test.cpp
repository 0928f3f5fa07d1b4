#include "programs/Scorex/run/core.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>

#include "TempDir.h"
#include "programs/Scorex/run/Modules.h"
#include "programs/Scorex/run/ProcessExit.h"
#include "programs/Scorex/settings/config.h"
#include "programs/Scorex/store/RunLock.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"

namespace orvane::programs::Scorex::run {
namespace {

using util::Debug;

// A match double: valid unless its text says "invalid"; "throw" fails while it is built.
class FakeGame : public games::Game {
 public:
  explicit FakeGame(std::string_view text) : text(text) {
    if (text.find("throw") != std::string_view::npos) {
      throw util::Failure(util::Failure::kNumberFormat, "For input string: \"x\"");
    }
  }
  int64_t theTime() const override { return 1; }
  bool isValid() const override { return text.find("invalid") == std::string::npos; }
  const std::string& getServerName() const override { return text; }
  const std::string& getMap() const override { return text; }
  std::string text;
};

class CoreLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::config::reset();
    Modules::reset();
    Debug::reset();
    Debug::setStream(&trace);
    settings::config::homeDir = home.path();
    home.write("data/.keep", "");
    Module m;
    m.decode = [](std::string bytes) { return "<" + bytes + ">"; };
    m.split = [](std::string_view text) {
      std::vector<std::string_view> pieces;
      size_t start = 0;
      for (size_t bar; (bar = text.find('|', start)) != std::string_view::npos; start = bar + 1) {
        pieces.push_back(text.substr(start, bar - start));
      }
      pieces.push_back(text.substr(start));
      return pieces;
    };
    m.newGame = [](std::string_view text) { return std::make_unique<FakeGame>(text); };
    Modules::add("Test", m);
    settings::config::set(std::nullopt, "Test");
    trace.str("");
  }
  void TearDown() override {
    settings::config::reset();
    Modules::reset();
    Debug::reset();
  }
  std::vector<std::string> texts(const std::vector<std::unique_ptr<games::Game>>& games) {
    std::vector<std::string> out;
    for (const auto& g : games) out.push_back(g->getServerName());
    return out;
  }
  testing::TempDir home;
  std::ostringstream trace;
};

TEST_F(CoreLogTest, ReadsAndDecodesAWaitingLog) {
  home.write("data/a.log", "one|two");
  core c(Modules::find("Test"));
  EXPECT_EQ(c.getLogfileData("a.log"), std::optional<std::string>("<one|two>"));
  EXPECT_EQ(trace.str(), "");
}

TEST_F(CoreLogTest, MissingLogGivesBothErrorsAndNoMatch) {
  core c(Modules::find("Test"));
  const auto text = c.getLogfileData("gone.log");
  EXPECT_FALSE(text.has_value());
  EXPECT_TRUE(c.getGameStats(text).empty());
  EXPECT_EQ(trace.str(), "Error in core.getLogfileData: FileNotFoundException: " + home.path() +
                             "/data/gone.log (No such file or directory)\n"
                             "Error in core.getGameStats: NullPointerException\n");
}

TEST_F(CoreLogTest, KeepsValidMatchesInLogOrder) {
  core c(Modules::find("Test"));
  Debug::setLevel(1);
  const auto games = c.getGameStats(std::string("a|invalid b|c"));
  EXPECT_EQ(texts(games), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(trace.str(), "I core.getGameStats\nO core.getGameStats\n");
}

TEST_F(CoreLogTest, BrokenMatchDoesNotLoseTheLaterOnes) {
  core c(Modules::find("Test"));
  const auto games = c.getGameStats(std::string("a|throw|c"));
  EXPECT_EQ(texts(games), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(trace.str(),
            "Error in core.getGameStats: NumberFormatException: For input string: \"x\"\n");
}

TEST_F(CoreLogTest, UnknownProgramBuildsNoMatch) {
  settings::config::set(std::nullopt, "Other");
  trace.str("");
  home.write("data/b.log", "raw");
  core c(Modules::find("Other"));
  const auto text = c.getLogfileData("b.log");
  EXPECT_EQ(text, std::optional<std::string>("raw"));
  EXPECT_TRUE(c.getGameStats(text).empty());
  EXPECT_EQ(trace.str(), "");
}

namespace fs = std::filesystem;
using testing::listing;
using testing::slurp;

const int64_t kNow = 1700000000000;
const int64_t kMinute = 60000;
const int64_t kHour = 3600000;

// What the doubles of the "Test" module were asked, and how they answer. A match text is
// "<time> <server> <map>", one match a line.
struct Script {
  int64_t clock = kNow;
  std::vector<std::string> calls;
  std::set<int64_t> known;  // matches in the database already
  std::set<int64_t> printable, high, recent;
  std::vector<int64_t> gList;
  bool modified = false;
  bool failAllTimePages = false;
  bool failSave = false;
  // Runs after every recorded call, with its record.
  std::function<void(const std::string&)> hook;

  void record(const std::string& call) {
    calls.push_back(call);
    if (hook) hook(call);
  }
};

class ScriptedGame : public games::Game {
 public:
  explicit ScriptedGame(std::string_view text) {
    std::istringstream in{std::string(text)};
    in >> time >> server >> map;
  }
  int64_t theTime() const override { return time; }
  bool isValid() const override { return true; }
  const std::string& getServerName() const override { return server; }
  const std::string& getMap() const override { return map; }

 private:
  int64_t time = 0;
  std::string server;
  std::string map;
};

std::string id(const games::Game& g) { return std::to_string(g.theTime()); }

class ScriptedTotals final : public career::Totals {
 public:
  explicit ScriptedTotals(Script& s) : s(s) {}
  void update(const games::Game& g) override {
    s.known.insert(g.theTime());
    s.modified = true;
    s.record("update " + id(g));
  }
  void sortPlayers() override { s.record("sortPlayers"); }
  void readDBs() override { s.record("readDBs"); }
  void writeDBs() override {
    s.record("writeDBs");
    if (s.failSave) throw util::Failure(util::Failure::kIO, "disk full");
  }
  bool isNewGame(const games::Game& g) override { return !ask("isNewGame ", s.known, g); }
  bool isPrintableGame(const games::Game& g, int32_t count) override {
    return ask("isPrintableGame " + std::to_string(count) + " ", s.printable, g);
  }
  bool isHighGame(const games::Game& g) override { return ask("isHighGame ", s.high, g); }
  bool isRecentGame(const games::Game& g) override { return ask("isRecentGame ", s.recent, g); }
  bool isModified() const override { return s.modified; }
  int32_t gListSize() const override {
    s.record("gListSize");
    return static_cast<int32_t>(s.gList.size());
  }
  int64_t gListElement(int32_t index) const override {
    return s.gList.at(static_cast<size_t>(index));
  }

 private:
  bool ask(const std::string& question, const std::set<int64_t>& yes, const games::Game& g) {
    s.record(question + id(g));
    return yes.count(g.theTime()) != 0;
  }
  Script& s;
};

// Both page writers. A page set is recorded with its directory below the page directory and
// whether old pages were still there, then one page is written as the real writer would.
class RecordingPages final : public output::GameHtml, public output::TotalsHtml {
 public:
  explicit RecordingPages(Script& s) : s(s) {}
  bool writeGame(const games::Game& gm, const std::string& name, const std::string& dir) override {
    const std::string html = settings::config::qmHtmlDir();
    s.record("writeGame " + id(gm) + " '" + name + "' " +
             (dir.starts_with(html) ? dir.substr(html.size()) : dir) +
             (fs::exists(dir) ? " over old pages" : ""));
    fs::create_directory(dir);
    std::ofstream(dir + "/index.html") << name;
    return true;
  }
  bool writeTotals(career::Totals&) override {
    s.record("writeTotals");
    if (s.failAllTimePages) throw util::Failure(util::Failure::kIO, "html full");
    return true;
  }

 private:
  Script& s;
};

// Whole runs of the driver with the "Test" module, headless, in a home directory that is the
// working directory (as the home directory of a run is on Linux).
class CoreRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::config::reset();
    Modules::reset();
    Debug::reset();
    Debug::setStream(&trace);
    if (const char* d = std::getenv("DISPLAY")) display = d;
    ::unsetenv("DISPLAY");
    previous = fs::current_path();
    fs::current_path(home.path());
    root = fs::current_path().string();
    home.mkdir("data");
    home.mkdir("html");
    Module m;
    m.decode = [](std::string bytes) { return bytes; };
    m.split = [](std::string_view text) {
      std::vector<std::string_view> lines;
      size_t start = 0;
      while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        if (end > start) lines.push_back(text.substr(start, end - start));
        start = end + 1;
      }
      return lines;
    };
    m.newGame = [](std::string_view text) { return std::make_unique<ScriptedGame>(text); };
    m.initFrame = [this] { s.record("initFrame"); };
    m.newTotals = [this] { return std::make_unique<ScriptedTotals>(s); };
    m.newGameHtml = [this] { return std::make_unique<RecordingPages>(s); };
    m.newTotalsHtml = [this] { return std::make_unique<RecordingPages>(s); };
    Modules::add("Test", m);
    configure("SpawnBrowser\tfalse\n");
  }
  void TearDown() override {
    fs::current_path(previous);
    if (display) ::setenv("DISPLAY", display->c_str(), 1);
    settings::config::reset();
    Modules::reset();
    Debug::reset();
  }
  // Writes the configuration file of the program "Test" and reads it, as a run does.
  void configure(const std::string& text) {
    home.write("Test.cfg", text);
    settings::config::reset();
    settings::config::homeDir = root;
    settings::config::set(std::nullopt, "Test");
    trace.str("");
  }
  core driver() {
    return core([this] { return s.clock; });
  }
  bool run(const std::vector<std::string>& logs = {}, const std::string& prog = "Test") {
    return driver().go(std::nullopt, logs, prog);
  }
  // The names in a directory of the home, but the home's time-zone record.
  std::string ls(const std::string& dir) {
    std::string names = listing(root + "/" + dir);
    for (const std::string zone : {" scorex.timezone", "scorex.timezone"}) {
      if (const size_t at = names.find(zone); at != std::string::npos) names.erase(at, zone.size());
    }
    return names;
  }
  std::string locks() {
    std::string names;
    for (const std::string& n : util::listDirectory(root + "/data")) {
      if (n.ends_with(".lock")) names += (names.empty() ? "" : " ") + n;
    }
    return names;
  }
  using Calls = std::vector<std::string>;

  testing::TempDir home;
  std::string root;
  Script s;
  std::ostringstream trace;
  fs::path previous;
  std::optional<std::string> display;
};

TEST_F(CoreRunTest, NoLogSavesTheDatabaseAndCleansUp) {
  home.write("html/Individual_Game_Stats/7/index.html", "");
  home.write("html/Individual_Game_Stats/Recent_Index.html", "");
  Debug::setLevel(1);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(run());
  // Nobody can see a window here, so the run does not linger at its end.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));

  const std::string t = trace.str();
  const size_t dateEnd = t.find('\n');
  EXPECT_TRUE(std::regex_match(t.substr(0, dateEnd),
                               std::regex("[A-Z][a-z]{2} [A-Z][a-z]{2} [0-9]{2} "
                                          "[0-9]{2}:[0-9]{2}:[0-9]{2} [^ ]+ [0-9]{4}")))
      << t;
  EXPECT_EQ(
      t.substr(dateEnd + 1),
      "I core.go\nI core.moveLogFiles\nO core.moveLogFiles\nI core.getTotalsFromDB\n"
      "O qmsTopLvl.getDB\nI core.createTotalsHtml\nO core.createTotalsHtml: Nothing to update\n"
      "I core.putTotalsIntoDB\nO core.putTotalsIntoDB\nI core.deleteOldLogfiles\n"
      "O core.deleteOldLogfiles\nI core.deleteOldHtml\nI core.deleteGameHtml\n"
      "O core.deleteGameHtml\nO core.deleteOldHtml\nO core.go\n");
  EXPECT_EQ(s.calls, (Calls{"initFrame", "readDBs", "writeDBs", "gListSize"}));
  EXPECT_EQ(ls("html/Individual_Game_Stats"), "Recent_Index.html");
  EXPECT_EQ(ls("data"), ".scorex-run .scorex-tmp");
}

TEST_F(CoreRunTest, LauncherStartsTwiceAndTheFirstStartIsWaitedFor) {
  configure("SpawnBrowser\ttrue\n");
  home.mkdir("html/Individual_Game_Stats");
  const std::string record = root + "/launched.txt";
  // Records its page and whether it holds the run's lock: a browser left open must never lock
  // out the next run.
  const std::string launcher =
      home.write("spawnBrowser.exe",
                 "#!/bin/sh\ncase \"$1\" in *processing.html) sleep 0.3 ;; esac\n"
                 "echo \"$1 $(ls -l /proc/$$/fd | grep -c scorex-run)\" >> " +
                     record + "\n");
  fs::permissions(launcher, fs::perms::owner_all);
  s.hook = [&](const std::string& call) {
    if (call == "readDBs") s.calls.push_back("launched: " + slurp(record));
  };
  EXPECT_TRUE(run());
  while (::waitpid(-1, nullptr, 0) > 0) {
  }
  EXPECT_EQ(s.calls,
            (Calls{"initFrame", "readDBs", "launched: " + root + "/html/processing.html 0\n",
                   "writeDBs", "gListSize"}));
  EXPECT_EQ(slurp(record),
            root + "/html/processing.html 0\n" + root + "/html/Scorex_Main.html 0\n");
  EXPECT_EQ(trace.str(), "");
}

TEST_F(CoreRunTest, LauncherThatCannotStartIsReportedAndTheRunGoesOn) {
  configure("SpawnBrowser\ttrue\n");
  home.mkdir("html/Individual_Game_Stats");
  for (const bool present : {false, true}) {
    if (present) home.write("spawnBrowser.exe", "#!/bin/sh\n");  // not executable
    trace.str("");
    EXPECT_TRUE(run());
    const std::string failure =
        "IOException: Cannot run program \"" + root + "/spawnBrowser.exe\": " +
        (present ? "error=13, Permission denied\n" : "error=2, No such file or directory\n");
    EXPECT_EQ(trace.str(), "Error Couldn't Launch Browser 1: " + failure +
                               "Error Couldn't Launch Browser 2: " + failure);
  }
}

TEST_F(CoreRunTest, RepeatMatchesGetALineAndNoPage) {
  home.write("data/a.log", "100 srv q2dm1\n100 srv q2dm1\n50 srv q2dm1\n");
  s.known = {50};
  s.printable = {50, 100};
  s.gList = {100};
  Debug::setLevel(1);
  EXPECT_TRUE(run());
  std::istringstream lines(trace.str());
  std::string messages;
  std::getline(lines, messages);  // the date
  messages.clear();
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("I ") && !line.starts_with("O ")) messages += line + "\n";
  }
  EXPECT_EQ(messages,
            "Now Processing log 1 of 1: a.log\n100 is a Repeat Game, removing...\n"
            "50 is a Repeat Game, removing...\n");
  EXPECT_EQ(s.calls,
            (Calls{"initFrame", "readDBs", "isNewGame 100", "update 100", "isPrintableGame 15 100",
                   "isHighGame 100", "isRecentGame 100", "isNewGame 100", "isNewGame 50",
                   "writeGame 100 'srv q2dm1' Individual_Game_Stats/100", "sortPlayers",
                   "writeTotals", "writeDBs", "gListSize"}));
  EXPECT_EQ(ls("html/Individual_Game_Stats"), "100");
}

TEST_F(CoreRunTest, NewHighAndRecentMatchIsWrittenThreeTimes) {
  // The player pages of earlier matches with more players.
  home.write("html/Individual_Game_Stats/Highest_Score/5.html", "");
  home.write("html/Individual_Game_Stats/Last_Game/5.html", "");
  home.write("data/a.log", "100 srv q2dm1\n");
  s.printable = s.high = s.recent = {100};
  s.gList = {100};
  configure("SpawnBrowser\tfalse\nMax_Most_Recent\t4\n");
  EXPECT_TRUE(run());
  EXPECT_EQ(s.calls, (Calls{"initFrame", "readDBs", "isNewGame 100", "update 100",
                            "isPrintableGame 4 100", "isHighGame 100", "isRecentGame 100",
                            "writeGame 100 'srv q2dm1' Individual_Game_Stats/100",
                            "writeGame 100 'Highest_Score' Individual_Game_Stats/Highest_Score",
                            "writeGame 100 'Last_Game' Individual_Game_Stats/Last_Game",
                            "sortPlayers", "writeTotals", "writeDBs", "gListSize"}));
  EXPECT_EQ(ls("html/Individual_Game_Stats"), "100 Highest_Score Last_Game");
  EXPECT_EQ(ls("html/Individual_Game_Stats/Last_Game"), "index.html");
  EXPECT_EQ(trace.str(), "Now Processing log 1 of 1: a.log\n");
}

// Pages wait for the end of the log loop: a match pushed out of the kept range, or succeeded
// as the newest or the highest scoring, by a later match of the same run never has them.
TEST_F(CoreRunTest, PagesAreWrittenOnlyForWhatLastsTheRun) {
  home.write("data/a.log", "1 s m\n2 s m\n");
  home.write("data/b.log", "3 s m\n");
  s.printable = {1, 2, 3};
  s.recent = {1, 2, 3};
  s.high = {1, 2};
  s.hook = [&](const std::string& call) {
    if (call == "update 3") s.printable.erase(1);  // 3 pushes 1 out
  };
  EXPECT_TRUE(run());
  Calls writes;
  for (const std::string& c : s.calls) {
    if (c.starts_with("writeGame")) writes.push_back(c);
  }
  EXPECT_EQ(writes, (Calls{"writeGame 2 's m' Individual_Game_Stats/2",
                           "writeGame 2 'Highest_Score' Individual_Game_Stats/Highest_Score",
                           "writeGame 3 's m' Individual_Game_Stats/3",
                           "writeGame 3 'Last_Game' Individual_Game_Stats/Last_Game"}));
}

TEST_F(CoreRunTest, WaitingLogsAreCountedAsTheyArrive) {
  for (const bool third : {false, true}) {
    home.write("data/b.log", "2 s m\n");
    home.write("data/a.log", "1 s m\n");
    s.hook = [&, third](const std::string& call) {
      if (third && call == "isNewGame 1") home.write("data/c.log", "3 s m\n");
    };
    EXPECT_TRUE(run());
  }
  EXPECT_EQ(trace.str(),
            "Now Processing log 1 of 2: a.log\nNow Processing log 2 of 2: b.log\n"
            "Now Processing log 1 of 2: a.log\nNow Processing log 2 of 3: b.log\n"
            "Now Processing log 3 of 3: c.log\n");
  EXPECT_EQ(ls("data"), ".scorex-run .scorex-tmp");
}

TEST_F(CoreRunTest, LogThatCannotBeMarkedIsStillProcessedOnce) {
  home.write("data/a.log", "1 s m\n");
  home.write("data/a.log.del/x", "");  // the rename to "a.log.del" fails
  EXPECT_TRUE(run());
  EXPECT_EQ(trace.str(), "Now Processing log 1 of 1: a.log\n");
  EXPECT_EQ(ls("data"), ".scorex-run .scorex-tmp a.log a.log.del");
}

TEST_F(CoreRunTest, FailedSaveKeepsProcessedLogsAndOldPages) {
  home.write("html/Individual_Game_Stats/42/index.html", "");
  home.write("data/a.log", "100 s m\n");
  s.failAllTimePages = s.failSave = true;
  EXPECT_FALSE(run());  // a run whose database was not saved has failed
  EXPECT_EQ(trace.str(),
            "Now Processing log 1 of 1: a.log\n"
            "Error in createTotalsHtml: IOException: html full\n"
            "Error in core.putTotalsIntoDB: IOException: disk full\n");
  EXPECT_EQ(s.calls.back(), "writeDBs");
  EXPECT_EQ(ls("data"), ".scorex-run .scorex-tmp a.log.del");
  EXPECT_EQ(ls("html/Individual_Game_Stats"), "42");
}

TEST_F(CoreRunTest, LockIsRenewedAsTheRunGoesAndRemovedAfterTheCleanUp) {
  home.write("data/a.log", "1 s m\n2 s m\n3 s m\n");
  Calls seen;
  s.hook = [&](const std::string& call) {
    if (call.starts_with("update") || call == "writeTotals" || call == "writeDBs" ||
        call == "gListSize") {
      seen.push_back(call + ": " + locks());
    }
    if (call.starts_with("update")) s.clock += 30000;
    if (call == "writeTotals") s.clock += 5;
  };
  EXPECT_TRUE(run());
  EXPECT_EQ(seen, (Calls{"update 1: 1700000000000.lock", "update 2: 1700000000000.lock",
                         "update 3: 1700000060000.lock", "writeTotals: 1700000090000.lock",
                         "writeDBs: 1700000090005.lock", "gListSize: 1700000090005.lock"}));
  EXPECT_EQ(ls("data"), ".scorex-run .scorex-tmp");
}

TEST_F(CoreRunTest, StartBesideAnActiveRunHandsItsLogsOverAndEnds) {
  home.write("in/a.log", "1 s m\n");
  // Old, yet not this start's to remove: the active run may be copying.
  testing::setModifiedMillis(home.write("data/.incoming-9-0.part", ""), kNow - 2 * kHour);
  for (const bool byFile : {true, false}) {
    store::RunLock active(root + "/data/");
    const std::string lockFile = std::to_string(kNow - 4 * kMinute) + ".lock";
    if (byFile) {
      home.write("data/" + lockFile, "");
    } else {
      ASSERT_TRUE(active.acquire());
    }
    trace.str("");
    s.calls.clear();
    try {
      run({"missing.log", "in/a.log"});
      ADD_FAILURE() << "the run went on";
    } catch (const ProcessExit& e) {
      EXPECT_EQ(e.status, 0);
    }
    // The mistyped log does not skip the lock check.
    EXPECT_EQ(trace.str(), "Error in core.moveLogFiles: FileNotFoundException: " + root +
                               "/missing.log (No such file or directory)\n"
                               "Another Scorex is running, now exiting...\n");
    EXPECT_EQ(s.calls, Calls{"initFrame"});
    EXPECT_EQ(ls("data"),
              ".incoming-9-0.part .scorex-run " + (byFile ? lockFile + " " : "") + "a.log");
    fs::remove(root + "/data/a.log");
    fs::remove(root + "/data/" + lockFile);
  }
}

TEST_F(CoreRunTest, StaleLocksGoAndADirectoryIsTakenInAroundItsSubdirectory) {
  home.write("in/a.log", "1 s m\n");
  home.mkdir("in/sub");
  home.write("in/z.log", "2 s m\n");
  home.write("data/" + std::to_string(kNow - 6 * kMinute) + ".lock", "");
  home.write("data/" + std::to_string(kNow + 10 * kMinute) + ".lock", "");
  testing::setModifiedMillis(home.write("data/.incoming-1-0.part", ""), kNow - kHour - 1);
  testing::setModifiedMillis(home.write("data/.incoming-2-0.part", ""), kNow - kHour + 1000);
  EXPECT_TRUE(run({"in"}));
  EXPECT_EQ(trace.str(),
            "Not a log, left where it is: " + root +
                "/in/sub\n"
                "Now Processing log 1 of 2: a.log\nNow Processing log 2 of 2: z.log\n");
  EXPECT_EQ(ls("data"), ".incoming-2-0.part .scorex-run .scorex-tmp");
  EXPECT_EQ(ls("in"), "a.log sub z.log");
}

TEST_F(CoreRunTest, ConfigurationChoosesHowLogsAreTakenIn) {
  struct Case {
    std::string config;
    std::string inDir;
    std::string inSave;
    std::string trace;
  };
  const std::string both = "Now Processing log 1 of 2: a.log\nNow Processing log 2 of 2: x.log\n";
  for (const Case& c : std::vector<Case>{
           {"LogFileHandling\tdelete\n", "", "", both},
           {"LogFileHandling\tmove\nSaveDir\tsaved\n", "", "a.log x.log", both},
           {"LogTmpFiles\tfalse\n", "a.log x.log", "", "Now Processing log 1 of 1: a.log\n"},
           {"LogFileHandling\tDelete\n", "a.log x.log", "", both}}) {  // copied, as "save"
    fs::remove_all(root + "/in");
    home.write("in/a.log", "1 s m\n");
    testing::setModifiedMillis(home.write("in/x.tmp", "2 s m\n"), kNow - 3 * kHour);
    home.mkdir("saved");
    configure("SpawnBrowser\tfalse\n" + c.config);
    EXPECT_TRUE(run({"in/a.log", "in/x.tmp"}));
    EXPECT_EQ(trace.str(), c.trace) << c.config;
    EXPECT_EQ(ls("in"), c.inDir) << c.config;
    EXPECT_EQ(ls("saved"), c.inSave) << c.config;
    fs::remove_all(root + "/saved");
  }
}

TEST_F(CoreRunTest, UnknownProgramFailsBeforeAnyLogIsMarked) {
  home.write("Other.cfg", "SpawnBrowser\tfalse\n");
  home.write("data/a.log", "1 s m\n");
  EXPECT_FALSE(run({}, "Other"));
  EXPECT_EQ(trace.str(),
            "Error in core.getTotalsFromDB: NullPointerException\n"
            "Error in qmsToplvl.go: NullPointerException\n");
  EXPECT_EQ(ls("data"), ".scorex-run .scorex-tmp a.log");
  EXPECT_TRUE(s.calls.empty());
}

TEST_F(CoreRunTest, MissingDatabaseDirectoryFailsTheRun) {
  configure("SpawnBrowser\tfalse\nDBDir\tnodb\n");
  EXPECT_FALSE(run());
  EXPECT_EQ(trace.str(), "Error in core.moveLogFiles: FileNotFoundException: " + root +
                             "/nodb/ (No such file or directory)\n"
                             "Error in qmsToplvl.go: IOException: " +
                             root + "/nodb/1700000000000.lock (No such file or directory)\n");
  EXPECT_EQ(s.calls, (Calls{"initFrame", "readDBs"}));
  EXPECT_EQ(ls("nodb"), "<missing>");
}

TEST_F(CoreRunTest, DeleteOldHtmlKeepsTheKeptRange) {
  struct Case {
    std::string config;
    std::vector<int64_t> gList;  // newest first
    std::string kept;
  };
  const std::string named = "Highest_Score Last_Game Recent_Index.html";
  for (const Case& c : std::vector<Case>{{"Max_Most_Recent\t3\n",
                                          {110, 109, 108, 107, 106, 105, 104, 103, 102, 101},
                                          "108 109 110 " + named},
                                         {"", {104, 101}, "101 104 " + named}}) {
    for (int game = 101; game <= 110; ++game) {
      home.write("html/Individual_Game_Stats/" + std::to_string(game) + "/index.html", "");
    }
    for (const std::string name :
         {"Highest_Score/index.html", "Last_Game/index.html", "Recent_Index.html"}) {
      home.write("html/Individual_Game_Stats/" + name, "");
    }
    configure(c.config);
    s.gList = c.gList;
    driver().deleteOldHtml(ScriptedTotals(s));
    EXPECT_EQ(ls("html/Individual_Game_Stats"), c.kept) << c.config;
  }
  fs::remove_all(root + "/html/Individual_Game_Stats");
  driver().deleteOldHtml(ScriptedTotals(s));
  EXPECT_EQ(trace.str(), "Error in core.deleteOldHtml: FileNotFoundException: " + root +
                             "/html/Individual_Game_Stats (No such file or directory)\n");
}

// Only the files a match page writer makes go; the directory goes when nothing else is left.
TEST_F(CoreRunTest, DeleteGameHtmlRemovesOnlyMatchPages) {
  for (const std::string page :
       {"index.html", "zbot.html", "0.html", "12.html", ".saving-1.html.1"}) {
    home.write("html/Individual_Game_Stats/7/" + page, "");
  }
  for (const std::string file : {"index.html", "012.html", "notes.txt", "deeper/1.html"}) {
    home.write("html/Individual_Game_Stats/8/" + file, "");
  }
  home.write("html/Individual_Game_Stats/notes.txt", "");
  core c = driver();
  for (const std::string game : {"7", "8", "notes.txt", "gone"}) c.deleteGameHtml(game);
  EXPECT_EQ(trace.str(),
            "Could not delete game '8'\n"
            "Error in core.deleteGameHtml: FileNotFoundException: " +
                root + "/html/Individual_Game_Stats/notes.txt (Not a directory)\n");
  EXPECT_EQ(ls("html/Individual_Game_Stats"), "8 notes.txt");
  EXPECT_EQ(ls("html/Individual_Game_Stats/8"), "012.html deeper notes.txt");
}

TEST_F(CoreRunTest, DeleteGameHtmlWithoutPermission) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root may delete anything; run as an unprivileged user for this test";
  }
  const std::string games = root + "/html/Individual_Game_Stats/";
  home.write("html/Individual_Game_Stats/7/0.html", "");
  home.write("html/Individual_Game_Stats/8/0.html", "");
  fs::permissions(games + "7", fs::perms::owner_write, fs::perm_options::remove);
  fs::permissions(games + "8/0.html", fs::perms::owner_write, fs::perm_options::remove);
  core c = driver();
  c.deleteGameHtml("7");
  c.deleteGameHtml("8");
  fs::permissions(games + "7", fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(trace.str(),
            "No permission to delete game '7'\n"
            "No permission to delete file'0.html'in Game '8'\nCould not delete game '8'\n");
  EXPECT_EQ(ls("html/Individual_Game_Stats/7") + "|" + ls("html/Individual_Game_Stats/8"),
            "0.html|0.html");
}

}  // namespace
}  // namespace orvane::programs::Scorex::run
