#include "bench/Report.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

namespace orvane::bench {

namespace {

std::string padLeft(const std::string& s, size_t width) {
  return std::string(width > s.size() ? width - s.size() : 0, ' ') + s;
}

std::string verdict(bool met) { return met ? "met   " : "MISSED"; }

}  // namespace

std::string fixed(double v, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

std::string formatTable(const std::vector<Row>& rows) {
  const std::vector<std::string> heads = {"run",       "wall s",  "user s",     "sys s",
                                          "peak MB",   "read MB", "written MB", "files",
                                          "matches/s", "lines/s", "floor s",    "ratio"};
  std::vector<std::vector<std::string>> cells = {heads};
  for (const Row& r : rows) {
    const auto io = [](double mb) { return mb < 0 ? std::string("n/a") : fixed(mb, 1); };
    cells.push_back({r.name, fixed(r.wall, 2), fixed(r.user, 2), fixed(r.sys, 2),
                     fixed(r.peakMB, 1), io(r.readMB), io(r.writtenMB), std::to_string(r.files),
                     fixed(r.matchesPerSecond, 1), fixed(r.linesPerSecond, 0), fixed(r.floor, 3),
                     fixed(r.ratio(), 1)});
  }
  std::vector<size_t> widths(heads.size(), 0);
  for (const auto& line : cells) {
    for (size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], line[c].size());
  }
  std::string text;
  for (const auto& line : cells) {
    // The run's name is left-aligned, the figures right-aligned.
    text += line[0] + std::string(widths[0] - line[0].size(), ' ');
    for (size_t c = 1; c < line.size(); ++c) text += "  " + padLeft(line[c], widths[c]);
    text += "\n";
  }
  return text;
}

std::vector<Check> checkTargets(const Row& full, const Row& onFull, const Row& onEmpty,
                                double largestLogMB) {
  std::vector<Check> checks;
  const bool fast = full.ratio() <= 3;
  checks.push_back(
      {verdict(fast) + " " + full.name + ": ratio " + fixed(full.ratio(), 2) + " <= 3", fast});
  const bool incremental = onFull.wall <= 2 * onEmpty.wall;
  checks.push_back({verdict(incremental) + " " + onFull.name + " " + fixed(onFull.wall, 2) +
                        " s <= 2 x " + onEmpty.name + " " + fixed(onEmpty.wall, 2) + " s",
                    incremental});
  const double limit = 64 + 2 * largestLogMB;
  for (const Row* r : {&full, &onFull, &onEmpty}) {
    const bool small = r->peakMB <= limit;
    checks.push_back({verdict(small) + " " + r->name + ": peak " + fixed(r->peakMB, 1) +
                          " MB <= 64 + 2 x " + fixed(largestLogMB, 2) + " = " + fixed(limit, 1) +
                          " MB",
                      small});
  }
  return checks;
}

}  // namespace orvane::bench
