#include "bench/Report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::bench {
namespace {

Row row(const std::string& name, double wall, double peakMB) {
  Row r;
  r.name = name;
  r.wall = wall;
  r.floor = 1;
  r.peakMB = peakMB;
  return r;
}

// Each target holds at its limit and fails just beyond it: ratio 3, twice the empty run's time,
// 64 MB plus twice the largest log.
TEST(Report, TargetsHoldUpToTheirLimits) {
  const auto verdicts = [](const std::vector<Check>& checks) {
    std::string met;
    for (const Check& c : checks) met += c.met ? "+" : "-";
    return met;
  };
  EXPECT_EQ(verdicts(checkTargets(row("full", 3.0, 71), row("on full", 2.0, 71),
                                  row("on empty", 1.0, 71), 3.5)),
            "+++++");
  EXPECT_EQ(verdicts(checkTargets(row("full", 3.01, 71.1), row("on full", 2.01, 70),
                                  row("on empty", 1.0, 80), 3.5)),
            "---+-");
  EXPECT_EQ(
      checkTargets(row("brk full", 4.0, 50), row("on full", 1, 50), row("e", 1, 50), 3.5)[0].text,
      "MISSED brk full: ratio 4.00 <= 3");
}

}  // namespace
}  // namespace orvane::bench
