#pragma once

#include <exception>
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
  using Builder = void (*)(std::vector<Event>&, TokenList);

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

  // Builds the event in place at the end of the list; an invalid one has reported itself and
  // is taken off again.
  template <class T>
  static void append(std::vector<Event>& events, TokenList l) {
    if (!events.emplace_back(std::in_place_type<T>, l).isValid()) events.pop_back();
  }

  EventListDriver(std::span<const Keyword> keywords, Trace trace, std::string_view subKeyword = {},
                  std::span<const Keyword> subKeywords = {})
      : trace(trace),
        subKeyword(subKeyword),
        keywords(index(keywords)),
        subKeywords(index(subKeywords)) {}

  // The valid events in log order; none when no line has a counting keyword. A failure (a line
  // without keyword, a bad number) is reported and ends the parsing, and the events built
  // until then are returned.
  std::optional<std::vector<Event>> parse(const TokenLines& l) const {
    util::Debug::print(trace.in, 1);
    std::vector<Event> events;
    bool counts = false;
    bool failed = false;
    try {
      events.reserve(l.size());
      for (size_t i = 0; i < l.size(); ++i) {
        const TokenList line = l[i];
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
        k->build(events, line);
      }
    } catch (const std::exception& e) {
      util::Debug::report(trace.error, e);
      failed = true;
    }
    std::optional<std::vector<Event>> result;
    // A failed parse keeps what it built, whether or not a counting line was reached.
    if (counts || failed) result = std::move(events);
    util::Debug::print(trace.out, 1);
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

}  // namespace orvane::games
