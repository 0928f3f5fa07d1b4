#pragma once

#include "games/EventListDriver.h"
#include "games/zln/Event.h"

namespace orvane::games::zln {

// Turns the lines of one match into its events, by the keyword in field 1 of each line (and,
// for "player" lines, the sub-keyword in field 2).
class EventList : public games::EventListOf<EventList, Event> {
 public:
  // The driver of this game's keywords; a match counts with a "kill", "suicide" or "teamkill" line.
  static const games::EventListDriver<Event>& driver();
};

}  // namespace orvane::games::zln
