// A run that dies at any moment (at any change it makes to the file system, or killed at a
// random time) loses no match and counts none twice: once the same command is run again until
// it finishes, the database and the pages are those of one uninterrupted run, byte for byte.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "Subprocess.h"
#include "TempDir.h"
#include "tools/BrkLogGenerator.h"
#include "tools/SplitMix64.h"
#include "tools/ZlnLogGenerator.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using testing::RunOptions;
using testing::RunResult;
using testing::slurp;
using testing::TempDir;

// The exit status of a run ended by its fault point.
constexpr int kFaulted = 97;

struct Workload {
  std::string program;
  std::string config;
  std::vector<std::pair<std::string, std::string>> logs;  // name, bytes
};

Workload brakk() {
  Workload w{SCOREX_BRK, "ScorexBRK.cfg", {}};
  tools::BrkLogOptions o;
  o.seed = 61;
  o.matches = 2;
  o.players = 2;
  o.bots = 1;
  o.eventsPerMatch = 40;
  w.logs.emplace_back("a.log", tools::generateBrkLog(o));
  o.seed = 62;
  o.startDay = 1;
  o.matches = 1;
  w.logs.emplace_back("b.log", tools::generateBrkLog(o));
  return w;
}

Workload zolnar() {
  Workload w{SCOREX_ZLN, "ScorexZLN.cfg", {}};
  tools::ZlnLogOptions o;
  o.players = 2;
  o.bots = 1;
  o.eventsPerMatch = 40;
  o.seed = 71;
  o.gameType = "Capture the Flag";
  w.logs.emplace_back("c.log", tools::generateZlnLog(o));
  o.seed = 72;
  o.startDay = 1;
  o.gameType = "Tournament DeathMatch";
  w.logs.emplace_back("d.log", tools::generateZlnLog(o));
  return w;
}

// A home ready for the workload's first run.
void prepare(const TempDir& home, const Workload& w) {
  home.mkdir("data");
  home.mkdir("html");
  home.write(w.config, "SpawnBrowser\tfalse\nLogFileHandling\tdelete\n");
  for (const auto& [name, bytes] : w.logs) home.write(name, bytes);
}

RunOptions options(const TempDir& home, const Workload& w) {
  RunOptions o;
  for (const auto& [name, bytes] : w.logs) o.args.push_back(name);
  o.cwd = home.path();
  o.env["DISPLAY"] = std::nullopt;
  o.env["TZ"] = "UTC";
  o.env["SCOREX_FAULT_AT"] = std::nullopt;
  return o;
}

// What a run leaves: every file and directory of the database directory and of the site,
// hidden ones included (a temporary file left behind is a difference too), except the lock
// files, which are named after their time.
std::map<std::string, std::string> snapshot(const TempDir& home) {
  std::map<std::string, std::string> files;
  for (const char* tree : {"data", "html"}) {
    for (const auto& e : fs::recursive_directory_iterator(home.file(tree))) {
      if (e.path().extension() == ".lock") continue;
      files[fs::relative(e.path(), home.path()).string()] =
          e.is_directory() ? "<directory>" : slurp(e.path().string());
    }
  }
  return files;
}

// The first difference of two snapshots, or "" when they are equal.
std::string difference(const std::map<std::string, std::string>& got,
                       const std::map<std::string, std::string>& want) {
  for (const auto& [name, bytes] : want) {
    const auto g = got.find(name);
    if (g == got.end()) return "missing " + name;
    if (g->second != bytes) return "differs " + name;
  }
  for (const auto& [name, bytes] : got) {
    if (!want.contains(name)) return "extra " + name;
  }
  return "";
}

// Runs the command again, as an admin would after a crash (the dead run's lock files
// removed), until a run finishes.
void finish(const TempDir& home, const Workload& w) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    for (const auto& e : fs::directory_iterator(home.file("data"))) {
      if (e.path().extension() == ".lock") fs::remove(e.path());
    }
    const RunResult r = testing::runProgram(w.program, options(home, w));
    if (r.status == 0) return;
    ADD_FAILURE() << "rerun ended with " << r.status << "\n" << r.out << r.err;
  }
}

std::map<std::string, std::string> uninterrupted(const Workload& w) {
  TempDir home;
  prepare(home, w);
  const RunResult r = testing::runProgram(w.program, options(home, w));
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  return snapshot(home);
}

// Ends the run at its k-th file-system change for every k, until a run passes them all.
void sweep(const Workload& w) {
  const auto want = uninterrupted(w);
  ASSERT_GT(want.size(), 10u);
  int k = 1;
  for (;; ++k) {
    TempDir home;
    prepare(home, w);
    RunOptions faulty = options(home, w);
    faulty.env["SCOREX_FAULT_AT"] = std::to_string(k);
    const RunResult r = testing::runProgram(w.program, faulty);
    if (r.status != kFaulted) {
      ASSERT_EQ(r.status, 0) << "k=" << k << "\n" << r.out << r.err;
      EXPECT_EQ(difference(snapshot(home), want), "") << "k=" << k;
      break;
    }
    finish(home, w);
    ASSERT_EQ(difference(snapshot(home), want), "") << "killed at change " << k;
  }
  EXPECT_GT(k, 50) << "a run makes fewer changes than expected";
}

TEST(CrashSafety, BrakkRunEndedAtAnyChangeEndsAsOneUninterruptedRun) { sweep(brakk()); }

TEST(CrashSafety, ZolnarRunEndedAtAnyChangeEndsAsOneUninterruptedRun) { sweep(zolnar()); }

// Real runs killed at random moments, twice in a row at times: the end is the same.
TEST(CrashSafety, RunsKilledAtRandomMomentsEndAsOneUninterruptedRun) {
  for (const Workload& w : {brakk(), zolnar()}) {
    const auto want = uninterrupted(w);
    tools::SplitMix64 random(9);
    for (int i = 0; i < 12; ++i) {
      TempDir home;
      prepare(home, w);
      for (int kills = 1 + static_cast<int>(random.next() % 2); kills > 0; --kills) {
        testing::Background run(w.program, options(home, w));
        std::this_thread::sleep_for(std::chrono::milliseconds(random.next() % 400));
        ::kill(run.pid(), SIGKILL);
        run.wait(10000);
      }
      finish(home, w);
      EXPECT_EQ(difference(snapshot(home), want), "") << w.program << " round " << i;
    }
  }
}

// A small file system of its own, mounted for the test's life when the machine allows it.
struct SmallFileSystem {
  explicit SmallFileSystem(const std::string& dir) : dir(dir) {
    mounted = ::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=192k") == 0;
  }
  ~SmallFileSystem() {
    if (mounted) ::umount2(dir.c_str(), MNT_DETACH);
  }
  std::string dir;
  bool mounted = false;
};

std::map<std::string, std::string> databaseFiles(const TempDir& home) {
  std::map<std::string, std::string> files;
  for (const auto& [name, bytes] : snapshot(home)) {
    if (name.ends_with(".db") || name.starts_with("data/scorex.journal")) files[name] = bytes;
  }
  return files;
}

// A save that finds the disk full changes no database file; the processed log stays, and the
// next run with space ends as if the disk had never been full.
TEST(CrashSafety, FullDiskFailsTheSaveAndTheNextRunCatchesUp) {
  const Workload w = brakk();
  TempDir reference;
  prepare(reference, w);
  ASSERT_EQ(testing::runProgram(w.program, options(reference, w)).status, 0);
  const auto want = databaseFiles(reference);

  TempDir home;
  prepare(home, w);
  const SmallFileSystem disk(home.file("data"));
  if (!disk.mounted) GTEST_SKIP() << "no small file system can be mounted here";
  RunOptions first = options(home, w);
  first.args = {w.logs[0].first};
  ASSERT_EQ(testing::runProgram(w.program, first).status, 0);
  const auto before = databaseFiles(home);

  // The second log waits in the queue; then the disk fills up.
  home.write("data/" + w.logs[1].first, w.logs[1].second);
  {
    std::ofstream filler(home.file("data/filler"), std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
    }
  }
  RunOptions again = options(home, w);
  again.args = {};
  const RunResult full = testing::runProgram(w.program, again);
  EXPECT_EQ(full.status, 1) << full.out;
  EXPECT_NE(full.out.find("No space left on device"), std::string::npos) << full.out;
  EXPECT_EQ(databaseFiles(home), before);
  EXPECT_TRUE(fs::exists(home.file("data/" + w.logs[1].first + ".del")));

  fs::remove(home.file("data/filler"));
  const RunResult roomy = testing::runProgram(w.program, again);
  EXPECT_EQ(roomy.status, 0) << roomy.out;
  EXPECT_EQ(databaseFiles(home), want);
}

}  // namespace
}  // namespace orvane
