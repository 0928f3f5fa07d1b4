#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::programs::Scorex::modern {

// Text helpers of the modern site: its pages and JSON are UTF-8, while every name from the logs
// and the database is ISO-8859-1 bytes. All functions are pure.
class Html {
 public:
  // The ISO-8859-1 bytes as UTF-8; control characters (C0, DEL, C1) become '?'.
  static std::string utf8(std::string_view latin1);
  // HTML-escapes UTF-8 text (& < > " ').
  static std::string escape(std::string_view text);
  // Log bytes ready for a page: utf8, then escape.
  static std::string text(std::string_view latin1) { return escape(utf8(latin1)); }
  // Log bytes as a JSON string literal, quotes included ('<' escaped too, so a script may hold it).
  static std::string json(std::string_view latin1);
  // A file name part: ASCII letters and digits lower-cased, every other byte '-', at most 60.
  static std::string slug(std::string_view latin1);

  // The UTC day of a time stamp (milliseconds since 1970) as YYYY-MM-DD.
  static std::string date(int64_t millis);
  // Days since 1970-01-01 of a time stamp, rounded down.
  static int64_t dayOf(int64_t millis);
  // The day (days since 1970-01-01) as YYYY-MM-DD.
  static std::string dayText(int64_t day);

  // A number with a fixed count of decimals ("-" when it is not finite).
  static std::string fixed(double v, int decimals);
  static std::string num(int64_t v) { return std::to_string(v); }
  // Seconds as M:SS or H:MM:SS.
  static std::string duration(double seconds);
};

}  // namespace orvane::programs::Scorex::modern
