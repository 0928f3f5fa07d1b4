#include "programs/Scorex/run/PendingPages.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::programs::Scorex::run {
namespace {

class TimedGame : public games::Game {
 public:
  explicit TimedGame(int64_t t) : time(t) {}
  int64_t theTime() const override { return time; }
  bool isValid() const override { return true; }
  const std::string& getServerName() const override { return name; }
  const std::string& getMap() const override { return name; }

 private:
  int64_t time;
  std::string name;
};

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
    pages.add(std::make_unique<TimedGame>(t), recent, high, normal);
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
