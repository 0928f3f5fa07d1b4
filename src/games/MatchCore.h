#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/Game.h"
#include "games/MatchDate.h"
#include "games/Spell.h"
#include "games/qmLog.h"
#include "util/Comp.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/QuickSort.h"

namespace orvane::games {

// Lambdas of one visitor, for dispatching an event on its type.
template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// What the matches of both games share: the match information, the players and teams, and the
// steps that turn the replayed events into a finished match (dropping idle players, ranking,
// totals, high scores, results). Derived is the game's match; it supplies the event list
// (Derived::Events::parse), the replay of one event (applyEvent), the ranking's comparator
// (rankPlayers), the team totals rule (addToTeam) and the winners (getWinningTeam).
template <class Derived, class Player, class HighScores>
class MatchCore : public Game {
 public:
  int64_t theTime() const override { return time; }
  bool isValid() const override { return validGame; }
  const std::string& getServerName() const override { return servername; }
  const std::string& getMap() const override { return map; }

  // The players in rank order / player-number order.
  const Player& byRank(size_t i) const {
    return plist.at(static_cast<size_t>(playersByRank.at(i)));
  }
  const Player& byUID(size_t i) const { return plist.at(static_cast<size_t>(playersByUID.at(i))); }

  // The match start as display text ("Mon, Jan 31  2000 at 10:05:09 AM -5"); also sets time.
  // None when the value cannot be read.
  std::optional<std::string> niceDate(const std::string& origDate) {
    return games::niceDate(origDate, time);
  }

  Player gameTotals;
  Player humanTotals;
  std::string date = "NoDate";
  std::string servername = "NoName";
  std::string map = "NoMap";
  std::string timelimit = "NoTimelimit";
  std::string fraglimit = "NoFraglimit";
  std::string endType;  // empty until the match ends
  int64_t time = 0;
  std::string port = "NoPort";
  std::vector<Player> plist;
  // Player numbers (positions in plist) in rank order, best first.
  std::vector<int32_t> playersByRank;
  // Player numbers in player-number order (0, 1, 2, ...), kept for symmetry with the ranking.
  std::vector<int32_t> playersByUID;
  std::unique_ptr<HighScores> hs;
  bool validGame = false;
  std::vector<Player> teamTotals;
  int32_t gameType = 0;
  int32_t winningTeam = -1;
  bool teamGame = false;
  bool assaultSucceeded = false;

 protected:
  MatchCore() = default;

  // Builds the match from its text. The lines are read one at a time and each event is
  // replayed as soon as it is read, so a match of a million lines never holds its lines or its
  // events; Derived::applyEvent(e, next) replays one event (next is the following one, known
  // only when Derived::kLooksAhead) and returns true for the event that ends the match. A match
  // without events ends invalid, whatever its replay did. The replay's trace lines wait until
  // the reading's are written, as when the events were read first and replayed afterwards.
  void build(std::string_view text) {
    // The tokenizer's entry and exit: its lines are now cut as the event list reads them.
    util::Debug::print("I qmLog.parse", 1);
    util::Debug::print("O qmLog.parse", 1);
    util::Debug::print("I Game", 1);
    LineCursor lines(text);
    std::string replayTrace;
    {
      const util::Debug::Hold hold(replayTrace);
      util::Debug::print("I Game.processEvents", 1);
    }
    plist.clear();
    // Room for a usual match's players: growing the list copies every player's blocks.
    plist.reserve(kUsualPlayers);
    bool ended = false;
    bool failed = false;
    bool any = false;
    double lastTime = 0;
    using Event = typename Derived::Event;
    std::optional<Event> waiting;  // the event read last, replayed once the next is known
    const auto apply = [&](const Event& e, const Event* next) {
      if (ended || failed) return;
      const util::Debug::Hold hold(replayTrace);
      try {
        ended = self().applyEvent(e, next);
      } catch (const std::exception& ex) {
        util::Debug::report("Error in Game.processEvents ", ex);
        failed = true;
      }
    };
    const bool hasEvents = Derived::Events::parse(lines, [&](Event& e) {
      any = true;
      lastTime = e.getTime();
      if constexpr (Derived::kLooksAhead) {
        if (waiting) apply(*waiting, &e);
        waiting = std::move(e);
      } else {
        apply(e, nullptr);
      }
    });
    if (waiting) apply(*waiting, nullptr);
    if (!hasEvents) {
      validGame = false;
      util::Debug::print("O Game", 1);
      return;
    }
    validGame = true;
    util::Debug::write(replayTrace);
    replayTrace = std::string();
    if (!failed) {
      try {
        // A match without its end is closed at its last event's time.
        if (!ended && any) self().hGEndAlt(lastTime);
        util::Debug::print("O Game.processEvents", 1);
      } catch (const std::exception& e) {
        util::Debug::report("Error in Game.processEvents ", e);
      }
    }
    deletePlayers();
    self().rankPlayers();
    getGameTotals();
    hs = std::make_unique<HighScores>(plist);
    self().getWinningTeam();
    util::Debug::print("O Game", 1);
  }

  // Runs act on the player with the logged number pNum; a player who is not there gets the line
  // `missing` (none when empty). A failure is reported with prefix and ends only this event.
  template <class Act>
  void onPlayer(int32_t pNum, const std::string& missing, const char* prefix, Act act) {
    try {
      const int32_t x = self().getPNum(pNum);
      if (x < 0) {
        if (!missing.empty()) util::Debug::print(missing, 0);
        return;
      }
      act(plist.at(static_cast<size_t>(x)));
    } catch (const std::exception& e) {
      util::Debug::report(prefix, e);
    }
  }

  // Runs act(killer, k, victim, v) for a line naming two players by their logged numbers (k and
  // v are their player numbers); when either is not there, writes `missing` (none when empty).
  template <class Act>
  void onPair(int32_t killerNum, int32_t killedNum, const char* missing, const char* prefix,
              Act act) {
    try {
      const int32_t k = self().getPNum(killerNum);
      const int32_t v = self().getPNum(killedNum);
      if (k < 0 || v < 0) {
        if (*missing != '\0') util::Debug::print(missing, 0);
        return;
      }
      act(plist.at(static_cast<size_t>(k)), k, plist.at(static_cast<size_t>(v)), v);
    } catch (const std::exception& e) {
      util::Debug::report(prefix, e);
    }
  }

  // Ranks the players with c (best first), numbering them 0, 1, ... in list order.
  void rankWith(const util::Comp<const Player*>& c) {
    try {
      std::vector<const Player*> order;
      for (size_t x = 0; x < plist.size(); ++x) {
        plist[x].uid = static_cast<int32_t>(x);
        order.push_back(&plist[x]);
      }
      util::QuickSort::quickSort(order, c);
      playersByRank.clear();
      for (size_t i = 0; i < order.size(); ++i) {
        const size_t x = static_cast<size_t>(order[i] - plist.data());
        plist[x].rank = static_cast<int32_t>(i + 1);
        playersByRank.push_back(static_cast<int32_t>(x));
      }
    } catch (const std::exception& e) {
      util::Debug::report("Error in Game.rankPlayers: ", e);
    }
  }

  // Books a win to every ranked player for whom wins(p) holds and a loss to every other.
  template <class Wins>
  void bookResults(Wins wins) {
    for (const int32_t x : playersByRank) {
      Player& p = plist.at(static_cast<size_t>(x));
      if (wins(p)) {
        p.all.teamWins = 1;
      } else {
        p.all.teamLosses = 1;
      }
    }
  }

  // The free-for-all result: the first-ranked player wins, every other loses.
  void bookFirstWins() {
    if (playersByRank.empty()) return;
    const Player* best = &plist.at(static_cast<size_t>(playersByRank.front()));
    bookResults([best](const Player& p) { return &p == best; });
  }

  // The first team record with the highest value(t), or null without teams.
  template <class Value>
  const Player* bestTeam(Value value) const {
    const Player* best = nullptr;
    for (const Player& t : teamTotals) {
      if (best == nullptr || value(t) > value(*best)) best = &t;
    }
    return best;
  }

  // Removes the record at x and its column from every per-opponent list.
  void erasePlayer(size_t x) {
    for (Player& q : plist) removePlayerEntry(q, x);
    plist.erase(plist.begin() + static_cast<std::ptrdiff_t>(x));
  }

 private:
  Derived& self() { return static_cast<Derived&>(*this); }

  static constexpr size_t kUsualPlayers = 32;

  static bool idle(const Player& p) {
    const auto& a = p.all;
    return a.kills == 0 && a.deaths == 0 && a.suicides == 0 && a.items == 0 && a.tkills == 0 &&
           a.tdeaths == 0;
  }

  // Players who neither killed, died nor picked anything up are not part of the match.
  void deletePlayers() {
    try {
      for (size_t x = plist.size(); x-- > 0;) {
        if (idle(plist[x])) erasePlayer(x);
      }
    } catch (const std::exception& e) {
      util::Debug::report("Error in Game.deletePlayers: ", e);
    }
  }

  static void removePlayerEntry(Player& p, size_t x) {
    auto drop = [x](std::optional<std::vector<int32_t>>& list) {
      if (list && list->size() > x) list->erase(list->begin() + static_cast<std::ptrdiff_t>(x));
    };
    for (auto* s : {&p.all, &p.vsHumans, &p.vsBots}) {
      drop(s->playerKills);
      drop(s->playerDeaths);
    }
    // A spell's killer is no idle player; later player numbers move down by one.
    for (Spell& s : p.itemInfo) {
      if (s.killer == static_cast<int32_t>(x)) {
        s.killer = -1;
      } else if (s.killer > static_cast<int32_t>(x)) {
        --s.killer;
      }
    }
  }

  // The match totals, the humans' totals and, in a team game, each team's.
  void getGameTotals() {
    gameTotals = Player();
    humanTotals = Player();
    playersByUID.clear();
    for (size_t x = 0; x < plist.size(); ++x) {
      Player& p = plist[x];
      playersByUID.push_back(static_cast<int32_t>(x));
      p.summarize();
      gameTotals.update(p);
      if (!p.isABot) humanTotals.update(p);
      if (!teamGame) continue;
      for (Player& t : teamTotals) {
        if (t.uid == p.team) {
          self().addToTeam(t, p);
          break;
        }
      }
    }
  }
};

}  // namespace orvane::games
