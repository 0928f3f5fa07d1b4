#include "programs/Scorex/run/PendingPages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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

// What was written, one entry per call: the match's time and its pages (N normal, R recent,
// H high).
struct Written {
  std::vector<std::string> calls;
  PendingPages::Write writer() {
    return [this](const games::Game& g, bool recent, bool high, bool normal) {
      calls.push_back(std::to_string(g.theTime()) + (normal ? "N" : "") + (recent ? "R" : "") +
                      (high ? "H" : ""));
    };
  }
};

TEST(PendingPages, OnlyWhatLastsIsWrittenAtTheEnd) {
  // Matches out of the kept range are those older than the cut.
  int64_t cut = 0;
  Written w;
  PendingPages pages(8, w.writer(), [&cut](const games::Game& g) { return g.theTime() >= cut; });
  pages.add(std::make_unique<TimedGame>(10), true, true, true);
  pages.add(std::make_unique<TimedGame>(20), true, false, true);
  cut = 20;  // 10 leaves the range, but stays the highest scoring
  pages.add(std::make_unique<TimedGame>(30), true, false, true);
  cut = 25;                                                        // 20 owes nothing any more
  pages.add(std::make_unique<TimedGame>(5), false, false, false);  // an old match: nothing
  pages.add(std::make_unique<TimedGame>(40), false, false, true);  // merged out of order
  EXPECT_EQ(pages.waiting(), 3u);
  EXPECT_TRUE(w.calls.empty());
  pages.flush();
  EXPECT_EQ(w.calls, (std::vector<std::string>{"10H", "30NR", "40N"}));
  EXPECT_EQ(pages.waiting(), 0u);
  // A new highest score releases the old holder at once.
  pages.add(std::make_unique<TimedGame>(60), false, true, false);
  pages.add(std::make_unique<TimedGame>(70), false, true, false);
  EXPECT_EQ(pages.waiting(), 1u);
}

TEST(PendingPages, OverCapacityTheNewestAreWrittenEarly) {
  Written w;
  PendingPages pages(2, w.writer(), [](const games::Game&) { return true; });
  pages.add(std::make_unique<TimedGame>(10), true, true, true);
  pages.add(std::make_unique<TimedGame>(30), true, false, true);
  pages.add(std::make_unique<TimedGame>(20), false, false, true);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"30NR"}));
  // A later newest takes "Last_Game" over again: it is written a second time.
  pages.add(std::make_unique<TimedGame>(50), true, false, true);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"30NR", "50NR"}));
  pages.flush();
  EXPECT_EQ(w.calls, (std::vector<std::string>{"30NR", "50NR", "10NH", "20N"}));
}

}  // namespace
}  // namespace orvane::programs::Scorex::run
