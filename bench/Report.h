#pragma once

#include <string>
#include <vector>

namespace orvane::bench {

// What one measured run gives the table. MB are 10^6 bytes.
struct Row {
  std::string name;  // "brk full", "brk +20 on full", ...
  double wall = 0;   // seconds
  double user = 0;
  double sys = 0;
  double peakMB = 0;
  double readMB = 0;  // negative when the counters could not be read
  double writtenMB = 0;
  long long files = 0;
  double matchesPerSecond = 0;
  double linesPerSecond = 0;
  double floor = 0;  // seconds of the run's I/O floor
  double ratio() const { return floor > 0 ? wall / floor : 0; }
};

// The table: a header line and one line a row, columns aligned.
std::string formatTable(const std::vector<Row>& rows);

struct Check {
  std::string text;  // what was checked, with the figures
  bool met = false;
};

// The targets of one module: its full run within 3 times its I/O floor, 20 new matches on the
// full database within twice their time on an empty one, and every run's peak memory within
// 64 MB plus twice the largest log.
std::vector<Check> checkTargets(const Row& full, const Row& onFull, const Row& onEmpty,
                                double largestLogMB);

// A number with the given decimals ("12.35").
std::string fixed(double v, int decimals);

}  // namespace orvane::bench
