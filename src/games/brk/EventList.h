#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "games/brk/Event.h"
#include "games/qmLog.h"

namespace orvane::games::brk {

// Turns the lines of one match into its events, by the keyword in field 1 of each line.
class EventList {
 public:
  using Take = std::function<void(Event&)>;
  // Reads the lines left in `lines` and hands each valid event to take as soon as it is built,
  // so that a match's events are never held together; true when the match has events (below).
  static bool parse(games::LineCursor& lines, const Take& take);
  // The valid events in log order; none when the match has no "Kill" or "Suicide" line. A
  // failure (a line without keyword, a bad number) is reported and ends the parsing, and the
  // events built until then are returned.
  static std::optional<std::vector<Event>> parse(std::string_view text);
};

}  // namespace orvane::games::brk
