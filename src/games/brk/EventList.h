#pragma once

#include "games/EventListDriver.h"
#include "games/brk/Event.h"

namespace orvane::games::brk {

// Turns the lines of one match into its events, by the keyword in field 1 of each line.
class EventList : public games::EventListOf<EventList, Event> {
 public:
  // The driver of this game's keywords; a match counts with a "Kill" or "Suicide" line.
  static const games::EventListDriver<Event>& driver();
};

}  // namespace orvane::games::brk
