#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/Game.h"
#include "games/brk/Event.h"
#include "games/qmLog.h"

namespace orvane::games::brk {

// One Brakk match, built from its text: the lines become events, which are replayed over the
// match's players. Owned by the run driver until its log's pass ends.
class Game final : public games::Game {
 public:
  // Tokenizes the match text and builds the match from its lines.
  explicit Game(std::string_view logData);
  explicit Game(const TokenLines& l);

  int64_t theTime() const override { return time; }
  bool isValid() const override { return validGame; }
  const std::string& getServerName() const override { return servername; }
  const std::string& getMap() const override { return map; }

  // The match's events in log order (empty for an invalid match).
  const std::vector<Event>& getEvents() const { return events; }

 private:
  void doGame(const TokenLines& l);

  std::string date = "NoDate";
  std::string servername = "NoName";
  std::string map = "NoMap";
  int64_t time = 0;
  bool validGame = false;
  std::vector<Event> events;
};

}  // namespace orvane::games::brk
