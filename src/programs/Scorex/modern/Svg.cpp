#include "programs/Scorex/modern/Svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "programs/Scorex/modern/Html.h"

namespace orvane::programs::Scorex::modern {

namespace {

// Narrow enough that a phone shows the labels near their own size.
constexpr double kWidth = 340;
constexpr double kHeight = 200;
constexpr double kLeft = 48;
constexpr double kRight = 12;
constexpr double kTop = 16;
constexpr double kBottom = 36;

std::string at(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", std::isfinite(v) ? v : 0.0);
  return buf;
}

double finite(double v) { return std::isfinite(v) ? std::clamp(v, -1e12, 1e12) : 0.0; }

std::string open(const std::string& id, const std::string& title, double height) {
  return "<figure class=\"chart\"><svg role=\"img\" aria-labelledby=\"" + id + "\" viewBox=\"0 0 " +
         at(kWidth) + " " + at(height) + "\" preserveAspectRatio=\"xMidYMid meet\"><title id=\"" +
         id + "\">" + title + "</title>";
}

std::string close(const std::string& caption) {
  return "</svg><figcaption>" + caption + "</figcaption></figure>\n";
}

std::string label(double x, double y, const std::string& text, const char* anchor) {
  return "<text class=\"axis-label\" x=\"" + at(x) + "\" y=\"" + at(y) + "\" text-anchor=\"" +
         anchor + "\" font-size=\"13\">" + text + "</text>";
}

std::string line(double x1, double y1, double x2, double y2, const char* cls) {
  return "<line class=\"" + std::string(cls) + "\" x1=\"" + at(x1) + "\" y1=\"" + at(y1) +
         "\" x2=\"" + at(x2) + "\" y2=\"" + at(y2) + "\"/>";
}

// The frame of a chart with x and y axes, y labelled at its two ends.
std::string axes(double low, double high, int decimals) {
  const double bottom = kHeight - kBottom;
  return line(kLeft, kTop, kLeft, bottom, "axis") +
         line(kLeft, bottom, kWidth - kRight, bottom, "axis") +
         label(kLeft - 6, bottom + 4, Html::fixed(low, decimals), "end") +
         label(kLeft - 6, kTop + 8, Html::fixed(high, decimals), "end");
}

std::string empty(double height) { return label(kWidth / 2, height / 2, "No data yet", "middle"); }

}  // namespace

std::string Svg::lineChart(const std::string& id, const std::string& title,
                           const std::string& caption, const std::vector<Point>& points) {
  std::string out = open(id, title, kHeight);
  if (points.empty()) return out + empty(kHeight) + close(caption);
  double low = finite(points.front().value);
  double high = low;
  for (const Point& p : points) {
    low = std::min(low, finite(p.value));
    high = std::max(high, finite(p.value));
  }
  if (high - low < 1e-9) {
    low -= 1;
    high += 1;
  }
  const double bottom = kHeight - kBottom;
  const double span = kWidth - kLeft - kRight;
  const auto xOf = [&](size_t i) {
    return points.size() == 1
               ? kLeft + span / 2
               : kLeft + span * static_cast<double>(i) / static_cast<double>(points.size() - 1);
  };
  const auto yOf = [&](double v) {
    return bottom - (finite(v) - low) / (high - low) * (bottom - kTop);
  };
  out += axes(low, high, 2);
  out += "<polyline class=\"series\" fill=\"none\" points=\"";
  for (size_t i = 0; i < points.size(); ++i) {
    out += (i == 0 ? "" : " ") + at(xOf(i)) + "," + at(yOf(points[i].value));
  }
  out += "\"/>";
  if (points.size() == 1) {
    out += "<circle class=\"series\" cx=\"" + at(xOf(0)) + "\" cy=\"" + at(yOf(points[0].value)) +
           "\" r=\"4\"/>";
  }
  out += label(xOf(0), bottom + 20, points.front().label, points.size() == 1 ? "middle" : "start");
  if (points.size() > 1)
    out += label(xOf(points.size() - 1), bottom + 20, points.back().label, "end");
  return out + close(caption);
}

std::string Svg::barChart(const std::string& id, const std::string& title,
                          const std::string& caption, const std::vector<Point>& bars) {
  constexpr double kBar = 22;
  constexpr double kName = 120;
  const double height = std::max(60.0, kTop + kBar * static_cast<double>(bars.size()) + 8);
  std::string out = open(id, title, height);
  if (bars.empty()) return out + empty(height) + close(caption);
  double high = 0;
  for (const Point& b : bars) high = std::max(high, finite(b.value));
  const double span = kWidth - kName - kRight - 44;
  for (size_t i = 0; i < bars.size(); ++i) {
    const double y = kTop + kBar * static_cast<double>(i);
    const double v = std::max(0.0, finite(bars[i].value));
    const double w = high > 0 ? span * v / high : 0;
    out += label(kName - 8, y + 15, bars[i].label, "end");
    out += "<rect class=\"series\" x=\"" + at(kName) + "\" y=\"" + at(y + 3) + "\" width=\"" +
           at(w) + "\" height=\"" + at(kBar - 6) + "\"/>";
    out += label(kName + w + 6, y + 15, Html::fixed(v, 0), "start");
  }
  return out + close(caption);
}

std::string Svg::columnChart(const std::string& id, const std::string& title,
                             const std::string& caption, const std::vector<Point>& columns) {
  std::string out = open(id, title, kHeight);
  if (columns.empty()) return out + empty(kHeight) + close(caption);
  double high = 0;
  for (const Point& c : columns) high = std::max(high, finite(c.value));
  if (high <= 0) high = 1;
  const double bottom = kHeight - kBottom;
  const double slot = (kWidth - kLeft - kRight) / static_cast<double>(columns.size());
  out += axes(0, high, 0);
  for (size_t i = 0; i < columns.size(); ++i) {
    const double v = std::max(0.0, finite(columns[i].value));
    const double h = (bottom - kTop) * v / high;
    out += "<rect class=\"series\" x=\"" + at(kLeft + slot * static_cast<double>(i) + 1) +
           "\" y=\"" + at(bottom - h) + "\" width=\"" + at(std::max(1.0, slot - 2)) +
           "\" height=\"" + at(h) + "\"><title>" + columns[i].label + ": " + Html::fixed(v, 0) +
           "</title></rect>";
  }
  out += label(kLeft, bottom + 20, columns.front().label, "start");
  if (columns.size() > 1) out += label(kWidth - kRight, bottom + 20, columns.back().label, "end");
  return out + close(caption);
}

}  // namespace orvane::programs::Scorex::modern
