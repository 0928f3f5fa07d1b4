#pragma once

#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "games/EventBase.h"
#include "games/qmLog.h"
#include "util/Debug.h"
#include "util/Numbers.h"

namespace orvane::games {

// One event of a match, held by value: the module's event classes Ts, each an EventBase with a
// body() for its trace line. The replay dispatches on the held type with visit() or getIf();
// the event list keeps only valid events.
template <class... Ts>
class EventOf {
 public:
  // Implicit, as every event struct of the module is an event.
  template <class T>
  requires(std::is_same_v<std::decay_t<T>, Ts> || ...) EventOf(T&& e) : v(std::forward<T>(e)) {}

  // Builds the event in place, straight from its line.
  template <class T>
  EventOf(std::in_place_type_t<T> type, TokenList l) : v(type, l) {}

  bool isValid() const {
    return std::visit([](const EventBase& e) { return e.valid; }, v);
  }
  double getTime() const {
    return std::visit([](const EventBase& e) { return e.time; }, v);
  }
  // Writes the event's trace line(s) at severity 0; nothing when the event is invalid.
  void print() const {
    if (!util::Debug::shows(0)) return;
    std::visit(
        [](const auto& e) {
          if (!e.valid) return;
          util::Debug::print("(" + util::formatDouble(e.time) + ")" + e.body(), 0);
          if constexpr (std::is_same_v<std::decay_t<decltype(e)>, EInfo>) {
            for (const std::string& element : e.list) util::Debug::print("      => " + element, 0);
          }
        },
        v);
  }

  template <class F>
  decltype(auto) visit(F&& f) const {
    return std::visit(std::forward<F>(f), v);
  }
  template <class T>
  const T* getIf() const {
    return std::get_if<T>(&v);
  }

 private:
  std::variant<Ts...> v;
};

}  // namespace orvane::games
