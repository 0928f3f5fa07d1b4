#pragma once

#include <optional>
#include <vector>

#include "games/qmLog.h"
#include "games/zln/Event.h"

namespace orvane::games::zln {

// Turns the lines of one match into its events, by the keyword in field 1 of each line (and,
// for "player" lines, the sub-keyword in field 2).
class EventList {
 public:
  // The valid events in log order; none when the match has no "kill", "suicide" or "teamkill"
  // line. A failure (a line without keyword, a bad number) is reported and ends the parsing,
  // and the events built until then are returned.
  static std::optional<std::vector<Event>> parse(const games::TokenLines& l);
};

}  // namespace orvane::games::zln
