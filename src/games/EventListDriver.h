#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "games/qmLog.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::games {

// The parse loop of an event list, written once for both modules: each module gives its
// keyword table, its trace lines and, for one keyword, a table of sub-keywords read from
// field 2. Made once per module and used for every match.
template <class Event>
class EventListDriver {
 public:
  // Builds the event of one line; an invalid one has reported itself.
  using Builder = Event (*)(TokenList);
  // Takes each valid event as it is built, in log order (it may move it away).
  using Take = std::function<void(Event&)>;

  struct Keyword {
    std::string_view name;
    Builder build;
    bool counts;  // a line with this keyword makes the match a real match
  };

  // Whole trace lines: entry, exit, and the prefix of a caught failure.
  struct Trace {
    std::string_view in;
    std::string_view out;
    std::string_view error;
  };

  template <class T>
  static Event make(TokenList l) {
    return Event(std::in_place_type<T>, l);
  }

  EventListDriver(std::span<const Keyword> keywords, Trace trace, std::string_view subKeyword = {},
                  std::span<const Keyword> subKeywords = {})
      : trace(trace),
        subKeyword(subKeyword),
        keywords(index(keywords)),
        subKeywords(index(subKeywords)) {}

  // Reads the lines left in `lines` and hands each valid event to take at once, so that no
  // list of a match's events is ever held. True when the match has events: some line has a
  // counting keyword, or a failure (a line without keyword, a bad number) was reported and
  // ended the reading (the events taken until then stand).
  bool parse(LineCursor& lines, const Take& take) const {
    util::Debug::print(trace.in, 1);
    bool counts = false;
    bool failed = false;
    try {
      while (lines.next()) {
        const TokenList line = lines.fields();
        if (line.size() < 2) throw util::Failure(util::Failure::kArrayIndexOutOfBounds, "1");
        const std::string_view keyword = line[1];
        const Keyword* k = nullptr;
        if (!subKeyword.empty() && keyword == subKeyword) {
          if (line.size() < 3) throw util::Failure(util::Failure::kArrayIndexOutOfBounds, "2");
          k = find(subKeywords, line[2]);
          if (k == nullptr) {
            util::Debug::print(
                "Unknown Event: " + std::string(keyword) + " " + std::string(line[2]), 0);
            continue;
          }
        } else {
          k = find(keywords, keyword);
          if (k == nullptr) {
            util::Debug::print("Unknown Event: " + std::string(keyword), 0);
            continue;
          }
        }
        // Set before building: a bad kill line still makes the match count.
        if (k->counts) counts = true;
        Event event = k->build(line);
        if (event.isValid()) take(event);
      }
    } catch (const std::exception& e) {
      util::Debug::report(trace.error, e);
      failed = true;
    }
    util::Debug::print(trace.out, 1);
    return counts || failed;
  }

  // The valid events of a match text in log order, or none when the match has none (above).
  std::optional<std::vector<Event>> parse(std::string_view text) const {
    LineCursor lines(text);
    std::vector<Event> events;
    std::optional<std::vector<Event>> result;
    if (parse(lines, [&events](Event& e) { events.push_back(std::move(e)); })) {
      result = std::move(events);
    }
    return result;
  }

 private:
  using Index = std::unordered_map<std::string_view, const Keyword*>;

  // Keywords are compared exactly, letter case included; the first equal entry wins.
  static Index index(std::span<const Keyword> table) {
    Index m;
    for (const Keyword& k : table) m.emplace(k.name, &k);
    return m;
  }
  static const Keyword* find(const Index& m, std::string_view name) {
    const auto it = m.find(name);
    return it == m.end() ? nullptr : it->second;
  }

  Trace trace;
  std::string_view subKeyword;
  Index keywords;
  Index subKeywords;
};

// A module's event list, read by its driver (Module::driver(), made once with the module's
// keywords).
template <class Module, class Event>
struct EventListOf {
  using Take = typename EventListDriver<Event>::Take;
  // Reads the lines left in `lines` and hands each valid event to take as soon as it is built,
  // so that a match's events are never held together; true when the match has events (below).
  static bool parse(LineCursor& lines, const Take& take) {
    return Module::driver().parse(lines, take);
  }
  // The valid events in log order; none when the match has no counting line. A failure (a line
  // without keyword, a bad number) is reported and ends the parsing, and the events built until
  // then are returned.
  static std::optional<std::vector<Event>> parse(std::string_view text) {
    return Module::driver().parse(text);
  }
};

}  // namespace orvane::games
