#pragma once

#include <string>
#include <utility>
#include <vector>

namespace orvane::programs::Scorex::modern {

// Inline SVG charts of the modern site, each inside <figure class="chart"> with its <title> and
// a caption. Texts given here are UTF-8 and already escaped; numbers are drawn with fixed
// formatting, so the same data gives the same bytes.
class Svg {
 public:
  struct Point {
    std::string label;  // the x value as shown (escaped)
    double value = 0.0;
  };
  // A line chart of the points in order (x evenly spaced); y is labelled at its lowest and
  // highest value, x at the first and last point. No point draws an empty frame saying so.
  static std::string lineChart(const std::string& id, const std::string& title,
                               const std::string& caption, const std::vector<Point>& points);
  // Horizontal bars, one a point, the longest the largest value (values below 0 count as 0).
  static std::string barChart(const std::string& id, const std::string& title,
                              const std::string& caption, const std::vector<Point>& bars);
  // Vertical bars of a series over time (matches per day): x labelled at both ends.
  static std::string columnChart(const std::string& id, const std::string& title,
                                 const std::string& caption, const std::vector<Point>& columns);
};

}  // namespace orvane::programs::Scorex::modern
