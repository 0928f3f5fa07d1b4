#pragma once

#include <cstdint>
#include <string>

namespace orvane::games {

// A match as the run driver sees it. Each game module builds its own from one match text;
// the object is read-only once built.
class Game {
 public:
  Game() = default;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;
  virtual ~Game() = default;

  // The match's start in milliseconds since 1970: its identity and its page directory's name.
  virtual int64_t theTime() const = 0;
  virtual bool isValid() const = 0;
  virtual const std::string& getServerName() const = 0;
  virtual const std::string& getMap() const = 0;
};

}  // namespace orvane::games
