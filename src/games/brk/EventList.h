#pragma once

#include <optional>
#include <vector>

#include "games/brk/Event.h"
#include "games/qmLog.h"

namespace orvane::games::brk {

// Turns the lines of one match into its events, by the keyword in field 1 of each line.
class EventList {
 public:
  // The valid events in log order; none when the match has no "Kill" or "Suicide" line. A
  // failure (a line without keyword, a bad number) is reported and ends the parsing, and the
  // events built until then are returned.
  static std::optional<std::vector<Event>> parse(const games::TokenLines& l);
};

}  // namespace orvane::games::brk
