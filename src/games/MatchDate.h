#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvane::games {

// A match's logged start ("2000.01.31.10.05.09.123.-5": local date and time, milliseconds,
// offset from UTC in hours) as display text ("Mon, Jan 31  2000 at 10:05:09 AM -5"); time
// becomes the start in milliseconds since 1970. Fields out of range carry over as in a
// calendar. None, after a trace line, when the text cannot be read; time is then unchanged.
std::optional<std::string> niceDate(const std::string& origDate, int64_t& time);

}  // namespace orvane::games
