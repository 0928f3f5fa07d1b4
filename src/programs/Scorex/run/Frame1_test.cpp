#include "programs/Scorex/run/Frame1.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>

#include "ConfigReset.h"
#include "XServer.h"
#include "programs/Scorex/settings/config.h"

namespace orvane::programs::Scorex::run {
namespace {

using Clock = std::chrono::steady_clock;

// The window under a display no server answers, then under a real one. The whole-program
// tests pin its titles, its pause and what closing it does.
TEST(Frame1, StandInWithoutAServerAndARealWindowUnderOne) {
  const testing::ConfigReset reset;
  const char* saved = std::getenv("DISPLAY");
  const std::optional<std::string> display =
      saved ? std::optional(std::string(saved)) : std::nullopt;
  setenv("DISPLAY", ":187", 1);
  settings::config::set(std::string("/nonexistent/none.cfg"), "Quake");
  {
    Frame1 frame("Custom");
    EXPECT_TRUE(frame.isHeadless());
    EXPECT_EQ(frame.title() + "|" + frame.headerText(), "Custom|Scorex(tm) v0.00");
    frame.setVisible(true);
    EXPECT_FALSE(frame.isShowing());
    frame.printText("Now Processing log 1 of 1: a.log");
    EXPECT_EQ(frame.statusText(), "Now Processing log 1 of 1: a.log");
    const auto start = Clock::now();
    frame.linger(3000);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
  }
  testing::XServer x;
  if (x.available()) {
    setenv("DISPLAY", x.display().c_str(), 1);
    settings::config::set(std::string("/nonexistent/none.cfg"), "ScorexBRK");
    Frame1 frame;
    EXPECT_FALSE(frame.isHeadless());
    frame.setVisible(true);
    EXPECT_TRUE(frame.isShowing());
    EXPECT_TRUE(testing::findWindow(x.display(), frame.title(), 10000).has_value());
    // The status text set from this (work) thread reaches the widget.
    std::thread([&] { frame.printText("Now Processing log 2 of 3: b.log"); }).join();
    EXPECT_EQ(frame.statusText(), "Now Processing log 2 of 3: b.log");
  }
  display ? setenv("DISPLAY", display->c_str(), 1) : unsetenv("DISPLAY");
  if (!x.available()) GTEST_SKIP() << "Xvfb is not installed";
}

}  // namespace
}  // namespace orvane::programs::Scorex::run
