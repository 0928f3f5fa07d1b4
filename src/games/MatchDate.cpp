#include "games/MatchDate.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <ctime>
#include <exception>
#include <string_view>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Numbers.h"

namespace orvane::games {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
    if (x != b[i]) return false;
  }
  return true;
}

// The offset of "H:MM" or "HH:MM" in milliseconds, or none when the text has another form.
std::optional<int64_t> clockOffset(std::string_view zone) {
  const size_t colon = zone.find(':');
  if (colon == std::string_view::npos || colon < 1 || colon > 2 || zone.size() != colon + 3) {
    return std::nullopt;
  }
  for (size_t i = 0; i < zone.size(); ++i) {
    if (i != colon && !isDigit(zone[i])) return std::nullopt;
  }
  const int64_t hours = util::parseInt(zone.substr(0, colon));
  const int64_t minutes = util::parseInt(zone.substr(colon + 1));
  if (minutes >= 60) return std::nullopt;
  return hours * 3600000 + minutes * 60000;
}

}  // namespace

std::optional<std::string> niceDate(const std::string& origDate, int64_t& time) {
  try {
    const size_t minus = origDate.find(".-");
    const size_t plus = origDate.find(".+");
    const bool useMinus = minus != std::string::npos && minus >= 1;
    size_t ind = useMinus ? minus : plus;
    // Servers in UTC may log the zone by name: "....123.UTC" or "....123.Z".
    bool named = false;
    if (ind == std::string::npos) {
      const size_t dot = origDate.rfind('.');
      const std::string_view zone = dot == std::string::npos
                                        ? std::string_view()
                                        : std::string_view(origDate).substr(dot + 1);
      named = equalsIgnoreCase(zone, "UTC") || equalsIgnoreCase(zone, "GMT") ||
              equalsIgnoreCase(zone, "Z");
      if (named) ind = dot;
    }
    if (ind == std::string::npos) {
      throw util::Failure(util::Failure::kStringIndexOutOfBounds, "String index out of range: -1");
    }
    const std::string datePart = origDate.substr(0, ind);
    const std::string zonePart = origDate.substr(ind + 1);
    // The offset in hours, "+5" or "+5.5", or as a clock, "+05:30".
    const std::optional<int64_t> clock =
        named ? std::optional<int64_t>(0) : clockOffset(std::string_view(origDate).substr(ind + 2));
    const double offset = clock ? 0.0 : util::parseDouble(origDate.substr(ind + 2));

    // yyyy.MM.dd.hh.mm.ss.SSS, read as a calendar does: out-of-range fields carry over.
    std::array<int32_t, 7> f{};
    size_t pos = 0;
    for (size_t i = 0; i < f.size(); ++i) {
      size_t end = datePart.find('.', pos);
      if (end == std::string::npos) end = datePart.size();
      if (pos > datePart.size() || (i + 1 < f.size() && end == datePart.size())) {
        throw util::Failure(util::Failure::kParse, "Unparseable date: \"" + datePart + "\"");
      }
      f[i] = util::parseInt(datePart.substr(pos, end - pos));
      pos = end + 1;
    }
    // Years far outside any calendar, and a month that cannot be counted from 1, are not dates.
    if (f[0] < -100000 || f[0] > 100000 || f[1] == INT32_MIN) {
      throw util::Failure(util::Failure::kParse, "Unparseable date: \"" + datePart + "\"");
    }
    std::tm tm{};
    tm.tm_year = f[0] - 1900;
    tm.tm_mon = f[1] - 1;
    tm.tm_mday = f[2];
    tm.tm_hour = f[3];
    tm.tm_min = f[4];
    tm.tm_sec = f[5];
    tm.tm_isdst = -1;
    errno = 0;
    const std::time_t seconds = std::mktime(&tm);
    if (seconds == static_cast<std::time_t>(-1) && errno != 0) {
      throw util::Failure(util::Failure::kParse, "Unparseable date: \"" + datePart + "\"");
    }
    int64_t millis = 0;
    if (__builtin_mul_overflow(static_cast<int64_t>(seconds), int64_t{1000}, &millis) ||
        __builtin_add_overflow(millis, static_cast<int64_t>(f[6]), &millis)) {
      throw util::Failure(util::Failure::kArithmetic, "date out of range");
    }
    const double shift = clock ? static_cast<double>(*clock) : std::trunc(offset * 3600000.0);
    if (!std::isfinite(shift) || std::fabs(shift) >= 9.2e18) {
      throw util::Failure(util::Failure::kArithmetic, "offset out of range: " + zonePart);
    }
    int64_t stamp = 0;
    const int64_t delta = static_cast<int64_t>(shift);
    if (useMinus ? __builtin_add_overflow(millis, delta, &stamp)
                 : __builtin_sub_overflow(millis, delta, &stamp)) {
      throw util::Failure(util::Failure::kArithmetic, "time out of range");
    }

    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    auto two = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    std::string year = std::to_string(tm.tm_year + 1900);
    if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
    const int hour12 = tm.tm_hour % 12 == 0 ? 12 : tm.tm_hour % 12;
    std::string text = std::string(kDays[tm.tm_wday % 7]) + ", " + kMonths[tm.tm_mon % 12] + " " +
                       two(tm.tm_mday) + "  " + year + " at " + std::to_string(hour12) + ":" +
                       two(tm.tm_min) + ":" + two(tm.tm_sec) + " " +
                       (tm.tm_hour < 12 ? "AM" : "PM") + " " + zonePart;
    time = stamp;
    return text;
  } catch (const std::exception& e) {
    // The trace text is intended as it stands (it names Game.niceDate).
    util::Debug::report("Error in Game.niceDate ", e);
    return std::nullopt;
  }
}

}  // namespace orvane::games
