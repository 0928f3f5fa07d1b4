// A run that dies at any moment (at any change it makes to the file system, or killed at a
// random time) loses no match and counts none twice: once the same command is run again until
// it finishes, the database and the pages are those of one uninterrupted run, byte for byte.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Home.h"
#include "tools/BrkLogGenerator.h"
#include "tools/SplitMix64.h"
#include "tools/ZlnLogGenerator.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using testing::Home;
using testing::RunResult;

// The exit status of a run ended by its fault point.
constexpr int kFaulted = 97;

struct Workload {
  std::string program;
  std::vector<std::pair<std::string, std::string>> logs;  // name, bytes
};

// Two small logs a day apart: two players and a bot, a few events.
Workload workload(const std::string& program) {
  auto brk = [](uint32_t s, int m, int d) {
    return tools::generateBrkLog(
        {.seed = s, .matches = m, .players = 2, .bots = 1, .eventsPerMatch = 40, .startDay = d});
  };
  auto zln = [](uint32_t s, const char* t, int d) {
    return tools::generateZlnLog(
        {.seed = s, .players = 2, .bots = 1, .eventsPerMatch = 40, .gameType = t, .startDay = d});
  };
  if (program == "Brakk") return {SCOREX_BRK, {{"a.log", brk(61, 2, 0)}, {"b.log", brk(62, 1, 1)}}};
  return {
      SCOREX_ZLN,
      {{"c.log", zln(71, "Capture the Flag", 0)}, {"d.log", zln(72, "Tournament DeathMatch", 1)}}};
}

// A home ready for the workload's first run, which deletes the logs it took in.
struct WorkloadHome : Home {
  explicit WorkloadHome(const Workload& w) : Home(w.program, "LogFileHandling\tdelete\n") {
    for (const auto& [name, bytes] : w.logs) {
      write(name, bytes);
      logs.push_back(name);
    }
  }
  // Runs the command again, as an admin would after a crash (the dead run's lock files
  // removed), until a run finishes.
  void finish() const {
    for (int attempt = 0; attempt < 3; ++attempt) {
      for (const auto& e : fs::directory_iterator(file("data"))) {
        if (e.path().extension() == ".lock") fs::remove(e.path());
      }
      if (expectRun(0, logs).status == 0) return;
    }
  }
  std::vector<std::string> logs;
};

// What a run leaves: every file and directory of the database and the site, hidden ones
// included (a temporary file left behind differs), but for the lock files named after their
// time; files by a hash of their bytes.
using Snapshot = std::map<std::string, size_t>;

// The files two snapshots disagree on (the maps themselves print cut short).
std::string differences(const Snapshot& a, const Snapshot& b) {
  std::string out;
  for (const auto& [name, hash] : a) {
    const auto it = b.find(name);
    if (it == b.end() || it->second != hash) out += " " + name;
  }
  for (const auto& [name, hash] : b) {
    if (a.count(name) == 0) out += " +" + name;
  }
  return out;
}
Snapshot snapshot(const Home& home) {
  Snapshot files;
  for (const char* tree : {"data", "html"}) {
    for (const auto& e : fs::recursive_directory_iterator(home.file(tree))) {
      if (e.path().extension() == ".lock") continue;
      files[fs::relative(e.path(), home.path()).string()] =
          e.is_directory() ? 0 : std::hash<std::string>()(testing::slurp(e.path().string()));
    }
  }
  return files;
}

Snapshot uninterrupted(const Workload& w) {
  const WorkloadHome home(w);
  home.expectRun(0, home.logs);
  return snapshot(home);
}

class CrashSafety : public ::testing::TestWithParam<std::string> {};

// Ends the run at its k-th file-system change for every k, until a run passes them all.
TEST_P(CrashSafety, RunEndedAtAnyChangeEndsAsOneUninterruptedRun) {
  const Workload w = workload(GetParam());
  const auto want = uninterrupted(w);
  ASSERT_GT(want.size(), 10u);
  int k = 1;
  for (;; ++k) {
    const WorkloadHome home(w);
    const RunResult r = home.run(home.logs, {{"SCOREX_FAULT_AT", std::to_string(k)}});
    if (r.status != kFaulted) {
      ASSERT_EQ(r.status, 0) << "k=" << k << "\n" << r.out << r.err;
      EXPECT_EQ(snapshot(home), want) << "k=" << k;
      break;
    }
    home.finish();
    const Snapshot got = snapshot(home);
    ASSERT_EQ(got, want) << "killed at change " << k << ":" << differences(got, want);
  }
  EXPECT_GT(k, 50) << "a run makes fewer changes than expected";
}

// Real runs killed at random moments, twice in a row at times: the end is the same.
TEST_P(CrashSafety, RunsKilledAtRandomMomentsEndAsOneUninterruptedRun) {
  const Workload w = workload(GetParam());
  const auto want = uninterrupted(w);
  tools::SplitMix64 random(9);
  for (int i = 0; i < 12; ++i) {
    const WorkloadHome home(w);
    for (int kills = 1 + static_cast<int>(random.next() % 2); kills > 0; --kills) {
      testing::Background run(w.program, home.options(home.logs));
      std::this_thread::sleep_for(std::chrono::milliseconds(random.next() % 400));
      ::kill(run.pid(), SIGKILL);
      run.wait(10000);
    }
    home.finish();
    EXPECT_EQ(snapshot(home), want) << "round " << i;
  }
}

std::string programName(const ::testing::TestParamInfo<std::string>& param) { return param.param; }

INSTANTIATE_TEST_SUITE_P(BothPrograms, CrashSafety, ::testing::Values("Brakk", "Zolnar"),
                         programName);

Snapshot databaseFiles(const Snapshot& snapshot) {
  Snapshot files;
  for (const auto& [name, bytes] : snapshot) {
    if (name.ends_with(".db") || name.starts_with("data/scorex.journal")) files[name] = bytes;
  }
  return files;
}

// A save that finds the disk full changes no database file; the processed log stays, and the
// next run with space ends as if the disk had never been full.
TEST(CrashSafety, FullDiskFailsTheSaveAndTheNextRunCatchesUp) {
  const Workload w = workload("Brakk");
  const auto want = databaseFiles(uninterrupted(w));
  const WorkloadHome home(w);
  // A small file system of its own, when the machine allows it.
  if (::mount("tmpfs", home.file("data").c_str(), "tmpfs", 0, "size=192k") != 0) {
    GTEST_SKIP() << "no small file system can be mounted here";
  }
  const std::shared_ptr<void> unmount(
      nullptr, [&](void*) { ::umount2(home.file("data").c_str(), MNT_DETACH); });
  home.expectRun(0, {w.logs[0].first});
  const auto before = databaseFiles(snapshot(home));

  // The second log waits in the queue; then the disk fills up.
  home.write("data/" + w.logs[1].first, w.logs[1].second);
  for (std::ofstream filler(home.file("data/filler"), std::ios::binary); filler << 'x';) {
  }
  EXPECT_THAT(home.expectRun(1).out, ::testing::HasSubstr("No space left on device"));
  EXPECT_EQ(databaseFiles(snapshot(home)), before);
  EXPECT_TRUE(fs::exists(home.file("data/" + w.logs[1].first + ".del")));

  fs::remove(home.file("data/filler"));
  home.expectRun(0);
  EXPECT_EQ(databaseFiles(snapshot(home)), want);
}

}  // namespace
}  // namespace orvane
