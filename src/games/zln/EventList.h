#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "games/qmLog.h"
#include "games/zln/Event.h"

namespace orvane::games::zln {

// Turns the lines of one match into its events, by the keyword in field 1 of each line (and,
// for "player" lines, the sub-keyword in field 2).
class EventList {
 public:
  using Take = std::function<void(Event&)>;
  // Reads the lines left in `lines` and hands each valid event to take as soon as it is built,
  // so that a match's events are never held together; true when the match has events (below).
  static bool parse(games::LineCursor& lines, const Take& take);
  // The valid events in log order; none when the match has no "kill", "suicide" or "teamkill"
  // line. A failure (a line without keyword, a bad number) is reported and ends the parsing,
  // and the events built until then are returned.
  static std::optional<std::vector<Event>> parse(std::string_view text);
};

}  // namespace orvane::games::zln
