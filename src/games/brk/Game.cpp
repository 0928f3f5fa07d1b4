#include "games/brk/Game.h"

#include "games/brk/EventList.h"
#include "util/Debug.h"

namespace orvane::games::brk {

using util::Debug;

Game::Game(std::string_view logData) { doGame(qmLog::parse(logData)); }

Game::Game(const TokenLines& l) { doGame(l); }

void Game::doGame(const TokenLines& l) {
  Debug::print("I Game", 1);
  std::optional<std::vector<Event>> el = EventList::parse(l);
  if (!el) {
    validGame = false;
    Debug::print("O Game", 1);
    return;
  }
  validGame = true;
  events = std::move(*el);
  Debug::print("O Game", 1);
}

}  // namespace orvane::games::brk
