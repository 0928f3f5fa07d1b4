#include "games/brk/EventList.h"

#include <exception>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::games::brk {

using util::Debug;

namespace {

using Builder = void (*)(std::vector<Event>&, games::TokenList);

// Builds the event in place at the end of the list; an invalid one has reported itself and is
// taken off again.
template <class T>
void append(std::vector<Event>& events, games::TokenList l) {
  if (!events.emplace_back(std::in_place_type<T>, l).isValid()) events.pop_back();
}

struct Keyword {
  std::string_view name;
  Builder build;
  bool counts;  // a line with this keyword makes the match a real match
};

constexpr Keyword kKeywords[] = {
    {"Item_Pickup", &append<EIGet>, false},
    {"Kill", &append<EKill>, true},
    {"Player_Respawn", &append<EPRespawn>, false},
    {"Suicide", &append<ESuicide>, true},
    {"Item_Use", &append<EIActivate>, false},
    {"Item_Expire", &append<EIDeactivate>, false},
    {"info", &append<EInfo>, false},
    {"Player_Connect", &append<EPConnect>, false},
    {"Player_Enter", &append<EPEnter>, false},
    {"Observe", &append<EObserve>, false},
    {"Player_Leave", &append<EPDisconnect>, false},
    {"Chat", &append<EChat>, false},
    {"Player_Rename", &append<EPRename>, false},
    {"Player_Reconnect", &append<EPReconnect>, false},
    {"Item_Drop", &append<EIDrop>, false},
    {"Fratricide", &append<EFratricide>, false},
    {"Chasecam", &append<EChasecam>, false},
    {"Autocam", &append<EAutocam>, false},
    {"Player_Accuracy", &append<EPAccuracy>, false},
    {"Game_Init", &append<EGInit>, false},
    {"Game_Start", &append<EGStart>, false},
    {"Game_End", &append<EGEnd>, false},
    {"Vote", &append<EVote>, false},
    {"Player_Team_Join", &append<EPTeamJoin>, false},
    {"Player_Team_Leave", &append<EPTeamLeave>, false},
    {"Team_Rename", &append<ETeamRename>, false},
    {"Player_ZBOT", &append<EPZbot>, false},
};

// Keywords are compared exactly, letter case included.
const Keyword* findKeyword(std::string_view keyword) {
  static const std::unordered_map<std::string_view, const Keyword*> index = [] {
    std::unordered_map<std::string_view, const Keyword*> m;
    for (const Keyword& k : kKeywords) m.emplace(k.name, &k);
    return m;
  }();
  const auto it = index.find(keyword);
  return it == index.end() ? nullptr : it->second;
}

}  // namespace

std::optional<std::vector<Event>> EventList::parse(const games::TokenLines& l) {
  Debug::print("I EventList.parse", 1);
  std::vector<Event> events;
  bool counts = false;
  bool failed = false;
  try {
    events.reserve(l.size());
    for (size_t i = 0; i < l.size(); ++i) {
      const games::TokenList line = l[i];
      if (line.size() < 2) throw util::Failure("ArrayIndexOutOfBoundsException", "1");
      const std::string_view keyword = line[1];
      const Keyword* k = findKeyword(keyword);
      if (k == nullptr) {
        Debug::print("Unknown Event: " + std::string(keyword), 0);
        continue;
      }
      // Set before building: a bad "Kill" line still makes the match count.
      if (k->counts) counts = true;
      k->build(events, line);
    }
  } catch (const std::exception& e) {
    Debug::print("Error in EventList.parse: " + util::failureText(e), 0);
    failed = true;
  }
  std::optional<std::vector<Event>> result;
  // A failed parse keeps what it built, whether or not a kill was reached.
  if (counts || failed) result = std::move(events);
  Debug::print("O EventList.parse", 1);
  return result;
}

}  // namespace orvane::games::brk
