#include "games/MatchDate.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <ctime>
#include <exception>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Numbers.h"

namespace orvane::games {

std::optional<std::string> niceDate(const std::string& origDate, int64_t& time) {
  try {
    const size_t minus = origDate.find(".-");
    const size_t plus = origDate.find(".+");
    const bool useMinus = minus != std::string::npos && minus >= 1;
    const size_t ind = useMinus ? minus : plus;
    if (ind == std::string::npos) {
      throw util::Failure("StringIndexOutOfBoundsException", "String index out of range: -1");
    }
    const std::string datePart = origDate.substr(0, ind);
    const std::string zonePart = origDate.substr(ind + 1);
    const double offset = util::parseDouble(origDate.substr(ind + 2));

    // yyyy.MM.dd.hh.mm.ss.SSS, read as a calendar does: out-of-range fields carry over.
    std::array<int32_t, 7> f{};
    size_t pos = 0;
    for (size_t i = 0; i < f.size(); ++i) {
      size_t end = datePart.find('.', pos);
      if (end == std::string::npos) end = datePart.size();
      if (pos > datePart.size() || (i + 1 < f.size() && end == datePart.size())) {
        throw util::Failure("ParseException", "Unparseable date: \"" + datePart + "\"");
      }
      f[i] = util::parseInt(datePart.substr(pos, end - pos));
      pos = end + 1;
    }
    // Years far outside any calendar, and a month that cannot be counted from 1, are not dates.
    if (f[0] < -100000 || f[0] > 100000 || f[1] == INT32_MIN) {
      throw util::Failure("ParseException", "Unparseable date: \"" + datePart + "\"");
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
      throw util::Failure("ParseException", "Unparseable date: \"" + datePart + "\"");
    }
    int64_t millis = 0;
    if (__builtin_mul_overflow(static_cast<int64_t>(seconds), int64_t{1000}, &millis) ||
        __builtin_add_overflow(millis, static_cast<int64_t>(f[6]), &millis)) {
      throw util::Failure("ArithmeticException", "date out of range");
    }
    const double shift = std::trunc(offset * 3600000.0);
    if (!std::isfinite(shift) || std::fabs(shift) >= 9.2e18) {
      throw util::Failure("ArithmeticException", "offset out of range: " + zonePart);
    }
    int64_t stamp = 0;
    const int64_t delta = static_cast<int64_t>(shift);
    if (useMinus ? __builtin_add_overflow(millis, delta, &stamp)
                 : __builtin_sub_overflow(millis, delta, &stamp)) {
      throw util::Failure("ArithmeticException", "time out of range");
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
    util::Debug::print("Error in Game.niceDate " + util::failureText(e), 0);
    return std::nullopt;
  }
}

}  // namespace orvane::games
