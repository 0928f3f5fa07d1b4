#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "games/MatchCore.h"
#include "games/qmLog.h"
#include "games/zln/Event.h"
#include "games/zln/EventList.h"
#include "games/zln/HighScores.h"
#include "games/zln/Player.h"

namespace orvane::games::zln {

// One Zolnar match, built from its text: the lines become events, which are replayed over the
// match's players; then idle players are dropped, the rest ranked and totalled, high scores
// found and the results booked by the game type's rule. Read-only once built; owned by the run
// driver until its log's pass ends.
class Game final : public games::MatchCore<Game, Player, HighScores> {
 public:
  using Events = EventList;
  using Event = games::zln::Event;

  // Tokenizes the match text and builds the match from its lines.
  explicit Game(std::string_view logData);

  // The player number of the player with this logged number, or -1 after a trace line.
  int32_t getPNum(int32_t n);

  std::string weaponsStay;
  std::string jumpMatch;
  std::string airControl;
  std::string useTranslocator;
  std::string tournamentMode;
  std::string netMode;
  std::string goalTeamScore;
  std::string friendlyFire;
  std::string assaultCode;
  std::string gameString;
  int32_t assaultPart = 0;
  bool cheats = false;
  double gameLength = 0.0;
  double gameStart = 0.0;
  // Whether the match was played with the game's own classes and mutators only.
  bool validOM = false;
  std::string gameClass;  // empty until logged
  std::vector<std::string> gameMutator;
  int32_t assaultDefender = 0;
  // The logged number of the match's first killer; -1 before the first kill.
  int32_t firstBlood = -1;
  // The logged numbers of the players who carried an enemy flag since its last capture or
  // return. Numbers, not records: a reconnection replaces records and positions.
  std::vector<int32_t> flagCarriers;
  // The control points' names in order of their first capture; a player's cpc counts by it.
  std::vector<std::string> cpName;
  // Whether the match was logged as "Last Man Standing" (counted as Tournament DeathMatch).
  bool lastManStanding = false;

 private:
  friend class games::MatchCore<Game, Player, HighScores>;
  // A kill looks at the event after it: a flag dropped right after it was the victim's.
  static constexpr bool kLooksAhead = true;
  bool applyEvent(const Event& e, const Event* next);
  void rankPlayers();
  void addToTeam(Player& team, const Player& p) const;
  // Books the results by the game type's rule, then judges whether the match was official.
  void getWinningTeam();
  void bookWinners();
  void getOMValid();

  void hPConnect(const EPConnect& e);
  void hPSkill(const EPSkill& e);
  void hPDisconnect(const EPDisconnect& e);
  void hPTeam(const EPTeam& e);
  void hPTeamName(const EPTeamName& e);
  // next is the event after the kill, or null when the kill is the last one.
  void hKill(const KillEvent& e, const Event* next);
  void hTKill(const ETKill& e, const Event* next);
  void hSuicide(const ESuicide& e);
  void hFCarried(const FlagEvent& e, bool taken);
  void hFReturned(const EFReturned& e);
  void hFCaptured(const EFCaptured& e);
  void hHeadShot(const EHeadShot& e);
  void hDScore(const EDScore& e);
  void hCPCapture(const ECPCapture& e);
  void hInfo(const EInfo& e);
  void hMap(const EMap& e);
  void hGame(const EGame& e);
  void hGEnd(const EGEnd& e);
  void hGEndAlt(double t);

  // The record of team number t in teamTotals, or null.
  Player* teamRecord(int32_t t);
  // Carriers of a flag other than team's leave the list; each first gets leaving(p) when he is
  // still in the match.
  template <class Leaving>
  void dropCarriers(int32_t team, Leaving leaving);
  // The players' end of the match at t, for those still connected.
  void endPlayers(double t);
};

}  // namespace orvane::games::zln
