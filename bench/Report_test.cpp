#include "bench/Report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace orvane::bench {
namespace {

Row row(const std::string& name, double wall, double floor, double peakMB) {
  Row r;
  r.name = name;
  r.wall = wall;
  r.floor = floor;
  r.peakMB = peakMB;
  return r;
}

std::vector<bool> verdicts(const std::vector<Check>& checks) {
  std::vector<bool> met;
  for (const Check& c : checks) met.push_back(c.met);
  return met;
}

// Each target holds at its limit and fails just beyond it.
TEST(Report, TargetsHoldUpToTheirLimits) {
  const double largest = 3.5;  // peak limit 64 + 7 = 71 MB
  EXPECT_EQ(verdicts(checkTargets(row("full", 3.0, 1.0, 71.0), row("on full", 2.0, 1, 71.0),
                                  row("on empty", 1.0, 1, 71.0), largest)),
            (std::vector<bool>{true, true, true, true, true}));
  EXPECT_EQ(verdicts(checkTargets(row("full", 3.01, 1.0, 71.1), row("on full", 2.01, 1, 70),
                                  row("on empty", 1.0, 1, 80), largest)),
            (std::vector<bool>{false, false, false, true, false}));
  const std::vector<Check> checks = checkTargets(
      row("brk full", 6.0, 1.5, 50), row("brk +20 on full", 1, 1, 50), row("e", 1, 1, 50), 3.5);
  EXPECT_EQ(checks[0].text, "MISSED brk full: ratio 4.00 <= 3");
  EXPECT_EQ(checks[2].text, "met    brk full: peak 50.0 MB <= 64 + 2 x 3.50 = 71.0 MB");
}

TEST(Report, TableColumnsLineUp) {
  Row a = row("brk full", 12.345, 2.0, 40.25);
  a.files = 1234;
  a.readMB = 100.04;
  a.writtenMB = -1;  // unknown
  const std::string table = formatTable({a, row("zln +20 on empty", 0.5, 0.25, 9)});
  std::istringstream in(table);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), lines[1].size());
  EXPECT_EQ(lines[1].size(), lines[2].size());
  EXPECT_TRUE(lines[0].starts_with("run               wall s"));
  EXPECT_TRUE(lines[1].starts_with("brk full           12.35"));
  EXPECT_NE(lines[1].find("  100.0         n/a   1234"), std::string::npos);
  EXPECT_TRUE(lines[1].ends_with("   6.2"));  // 12.345 s over a floor of 2 s
  EXPECT_TRUE(lines[2].ends_with("   2.0"));
}

}  // namespace
}  // namespace orvane::bench
