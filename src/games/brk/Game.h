#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/MatchCore.h"
#include "games/brk/Event.h"
#include "games/brk/EventList.h"
#include "games/brk/HighScores.h"
#include "games/brk/Player.h"
#include "games/qmLog.h"

namespace orvane::games::brk {

// One Brakk match, built from its text: the lines become events, which are replayed over the
// match's players; then idle players are dropped, the rest ranked and totalled, high scores
// found and the winners booked. Read-only once built; owned by the run driver until its log's
// pass ends.
class Game final : public games::MatchCore<Game, Player, HighScores> {
 public:
  using Events = EventList;
  using Event = games::brk::Event;

  // Tokenizes the match text and builds the match from its lines.
  explicit Game(std::string_view logData);

  // The player number of the connected player with this logged number, or -1.
  int32_t getPNum(int32_t n);
  // The same, whether or not the player is still connected; -1 for a negative n or a miss.
  int32_t getPNumB(int32_t n);

  std::string hookstatus = "NoHookStatus";
  std::string runesstatus;  // empty until logged
  std::string dmflags = "NoDMFLAGS";
  std::string checksum;
  std::vector<std::string> disabledItems;
  std::string addr = "NoAddr";
  std::vector<EPZbot> zbots;
  std::vector<int32_t> reconnect;

 private:
  friend class games::MatchCore<Game, Player, HighScores>;
  static constexpr bool kLooksAhead = false;
  bool applyEvent(const Event& e, const Event* next);
  void rankPlayers() { rankWith(SortFDS()); }
  static void addToTeam(Player& team, const Player& p) { team.update(p); }
  void getWinningTeam();

  void hPConnect(const EPConnect& e);
  void hPEnter(const EPEnter& e);
  void hPReconnect(const EPReconnect& e);
  void hPDisconnect(const EPDisconnect& e);
  void hPRename(const EPRename& e);
  void hGEnd(const EGEnd& e);
  void hGEndAlt(double t);
  void hIActivate(const EIActivate& e);
  void hIDeactivate(const EIDeactivate& e);
  void hIGet(const EIGet& e);
  void hKill(const EKill& e);
  void hFratricide(const EFratricide& e);
  void hSuicide(const ESuicide& e);
  void hInfo(const EInfo& e);
  void hGStart(const EGStart& e);
  void hPAccuracy(const EPAccuracy& e);
  void hPRespawn(const EPRespawn& e);
  void hAutocam(const EAutocam& e);
  void hChasecam(const EChasecam& e);
  void hObserve(const EObserve& e);
  void hPZbot(const EPZbot& e);
  void hTeamRename(const ETeamRename& e);
  void hPTeamJoin(const EPTeamJoin& e);
  void spectate(int32_t pNum, double t, const char* label, const char* prefix);
  void bookKill(const KillEvent& e, bool team, const char* missing, const char* prefix);
  // A hook after most player events, labelled by what happened; it does nothing.
  void printEvent(const Player&, const char*) {}
};

}  // namespace orvane::games::brk
