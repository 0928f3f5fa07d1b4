#include "programs/Scorex/run/Frame1.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "XServer.h"
#include "programs/Scorex/settings/config.h"

namespace orvane::programs::Scorex::run {
namespace {

using Clock = std::chrono::steady_clock;

class Frame1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::config::reset();
    const char* d = std::getenv("DISPLAY");
    if (d != nullptr) savedDisplay = d;
  }
  void TearDown() override {
    settings::config::reset();
    if (savedDisplay) {
      setenv("DISPLAY", savedDisplay->c_str(), 1);
    } else {
      unsetenv("DISPLAY");
    }
  }
  void useProgram(const std::string& prog) {
    settings::config::set(std::string("/nonexistent/none.cfg"), prog);
  }
  std::optional<std::string> savedDisplay;
};

TEST_F(Frame1Test, HeadlessStandInKeepsTextsAndNeverWaits) {
  useProgram("ScorexBRK");
  for (const char* display : {static_cast<const char*>(nullptr), ":187"}) {
    if (display == nullptr) {
      unsetenv("DISPLAY");
    } else {
      setenv("DISPLAY", display, 1);  // no server there
    }
    Frame1 frame;
    EXPECT_TRUE(frame.isHeadless());
    EXPECT_EQ(frame.title(), "Scorex for Kelvo Tourney DM for Brakk(tm)");
    EXPECT_EQ(frame.headerText(), "Scorex(tm) v1.1 for Kelvo Tourney DM for Brakk(tm)");
    EXPECT_EQ(frame.statusText(), "Loading Log Files...");
    frame.setVisible(true);
    EXPECT_FALSE(frame.isShowing());
    frame.printText("Now Processing log 1 of 1: a.log");
    EXPECT_EQ(frame.statusText(), "Now Processing log 1 of 1: a.log");
    const auto start = Clock::now();
    frame.linger(3000);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
  }
}

TEST_F(Frame1Test, HeaderAndTitleByProgramName) {
  unsetenv("DISPLAY");
  useProgram("ScorexZLN");
  {
    Frame1 frame;
    EXPECT_EQ(frame.title(), "Scorex for Zolnar");
    EXPECT_EQ(frame.headerText(), "Scorex(tm) v1.00 for Zolnar(tm)");
  }
  useProgram("Quake");
  Frame1 frame("Custom");
  EXPECT_EQ(frame.title(), "Custom");
  EXPECT_EQ(frame.headerText(), "Scorex(tm) v0.00");
}

TEST_F(Frame1Test, RealWindowUnderAnXServer) {
  testing::XServer x;
  if (!x.available()) GTEST_SKIP() << "Xvfb is not installed";
  setenv("DISPLAY", x.display().c_str(), 1);
  useProgram("ScorexBRK");

  Frame1 frame;
  ASSERT_FALSE(frame.isHeadless());
  frame.setVisible(true);
  EXPECT_TRUE(frame.isShowing());
  const auto window = testing::findWindow(x.display(), frame.title(), 10000);
  ASSERT_TRUE(window.has_value());
  EXPECT_EQ(window->width, 400);
  EXPECT_EQ(window->height, 100);
  EXPECT_EQ(window->x, 50);
  EXPECT_EQ(window->y, 50);

  // The status text set from this (work) thread reaches the widget.
  std::thread work([&] { frame.printText("Now Processing log 2 of 3: b.log"); });
  work.join();
  EXPECT_EQ(frame.statusText(), "Now Processing log 2 of 3: b.log");
  EXPECT_EQ(frame.headerText(), "Scorex(tm) v1.1 for Kelvo Tourney DM for Brakk(tm)");

  // The background between the fields; wait for the first paint.
  unsigned long pixel = 0;
  for (int i = 0; i < 100 && pixel != 0x100078; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    pixel = testing::pixelAt(x.display(), window->id, 4, 90);
  }
  EXPECT_EQ(pixel, 0x100078u);

  // Closing only hides: the lingering wait ends early and the window is unmapped.
  std::thread closer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    testing::closeWindow(x.display(), window->id);
  });
  const auto start = Clock::now();
  frame.linger(10000);
  closer.join();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(5000));
  EXPECT_FALSE(frame.isShowing());
  bool unmapped = false;
  for (int i = 0; i < 100 && !unmapped; ++i) {
    const auto state = testing::windowState(x.display(), window->id);
    unmapped = !state || !state->mapped;
    if (!unmapped) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(unmapped);
  frame.printText("later text");  // still accepted while hidden
  EXPECT_EQ(frame.statusText(), "later text");
}

}  // namespace
}  // namespace orvane::programs::Scorex::run
