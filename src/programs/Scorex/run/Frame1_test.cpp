#include "programs/Scorex/run/Frame1.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>

#include "ConfigReset.h"
#include "programs/Scorex/settings/config.h"

namespace orvane::programs::Scorex::run {
namespace {

using Clock = std::chrono::steady_clock;

// The window under a display no server answers: a stand-in that keeps its texts and does not
// pause. The whole-program tests run the real window under an X server: its titles, its pause,
// what closing it does.
TEST(Frame1, StandInUnderADisplayNoServerAnswers) {
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
  display ? setenv("DISPLAY", display->c_str(), 1) : unsetenv("DISPLAY");
}

}  // namespace
}  // namespace orvane::programs::Scorex::run
