// The progress window of a real run, under a private X server.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "Subprocess.h"
#include "TempDir.h"
#include "XServer.h"

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;
const char* const kTitle = "Scorex for Kelvo Tourney DM for Brakk(tm)";
// The run is given one empty log; a new player store cannot keep the summary players of a run
// without matches.
const std::string kOneLog =
    "Now Processing log 1 of 1: a.log\n"
    "Error PlayerDB.putPlayer: loc>num\n      loc=1\n      num=0\n"
    "Error PlayerDB.putPlayer: loc>num\n      loc=2\n      num=0\n"
    "Error PlayerDB.putPlayer: loc>num\n      loc=3\n      num=0\n";

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.available()) GTEST_SKIP() << "Xvfb is not installed";
    home.mkdir("data");
    home.mkdir("html/Individual_Game_Stats");
    options.args = {"-c", home.write("quiet.cfg", "SpawnBrowser\tfalse\n"), "-l",
                    home.write("a.log", "")};
    options.cwd = home.path();
    options.env["DISPLAY"] = x.display();
  }
  testing::XServer x;
  testing::TempDir home;
  testing::RunOptions options;
};

TEST_F(WindowTest, ClosingTheWindowHidesItAndTheRunEndsNormally) {
  testing::Background run(SCOREX_BRK, options);
  const auto window = testing::findWindow(x.display(), kTitle, 20000);
  if (!window) {
    const testing::RunResult r = run.wait(20000);
    FAIL() << "no window; status " << r.status << "\n" << r.out << r.err;
  }
  EXPECT_EQ(window->width, 400);
  EXPECT_EQ(window->height, 100);
  EXPECT_EQ(window->x, 50);
  EXPECT_EQ(window->y, 50);
  unsigned long pixel = 0;
  for (int i = 0; i < 100 && pixel != 0x100078; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    pixel = testing::pixelAt(x.display(), window->id, 398, 98);
  }
  EXPECT_EQ(pixel, 0x100078u);

  const auto closed = Clock::now();
  testing::closeWindow(x.display(), window->id);
  const testing::RunResult r = run.wait(20000);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kOneLog);
  // The run did not sit out its closing pause for a window nobody can see.
  EXPECT_LT(Clock::now() - closed, std::chrono::milliseconds(2500));
}

TEST_F(WindowTest, WindowStaysForItsPauseThenTheRunEnds) {
  const auto start = Clock::now();
  testing::Background run(SCOREX_BRK, options);
  if (!testing::findWindow(x.display(), kTitle, 20000)) {
    const testing::RunResult r = run.wait(20000);
    FAIL() << "no window; status " << r.status << "\n" << r.out << r.err;
  }
  const testing::RunResult r = run.wait(30000);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kOneLog);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(3000));
}

}  // namespace
}  // namespace orvane
