#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/Game.h"
#include "games/brk/Event.h"
#include "games/brk/HighScores.h"
#include "games/brk/Player.h"
#include "games/qmLog.h"

namespace orvane::games::brk {

// One Brakk match, built from its text: the lines become events, which are replayed over the
// match's players; then idle players are dropped, the rest ranked and totalled, high scores
// found and the winners booked. Read-only once built; owned by the run driver until its log's
// pass ends.
class Game final : public games::Game {
 public:
  // Tokenizes the match text and builds the match from its lines.
  explicit Game(std::string_view logData);
  explicit Game(const TokenLines& l);

  int64_t theTime() const override { return time; }
  bool isValid() const override { return validGame; }
  const std::string& getServerName() const override { return servername; }
  const std::string& getMap() const override { return map; }

  // The player number of the connected player with this logged number, or -1.
  int32_t getPNum(int32_t n);
  // The same, whether or not the player is still connected; -1 for a negative n or a miss.
  int32_t getPNumB(int32_t n);

  Player gameTotals;
  Player humanTotals;
  std::string date = "NoDate";
  std::string servername = "NoName";
  std::string map = "NoMap";
  std::string timelimit = "NoTimelimit";
  std::string fraglimit = "NoFraglimit";
  std::string hookstatus = "NoHookStatus";
  std::string runesstatus;  // empty until logged
  std::string dmflags = "NoDMFLAGS";
  std::string checksum;
  std::vector<std::string> disabledItems;
  std::string endType;  // empty until the match ends
  int64_t time = 0;
  std::string port = "NoPort";
  std::string addr = "NoAddr";
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
  std::vector<EPZbot> zbots;
  std::vector<int32_t> reconnect;

  // The players in rank order / player-number order.
  const Player& byRank(size_t i) const {
    return plist.at(static_cast<size_t>(playersByRank.at(i)));
  }
  const Player& byUID(size_t i) const { return plist.at(static_cast<size_t>(playersByUID.at(i))); }

  // The match start as display text ("Mon, Jan 31  2000 at 10:05:09 AM -5"); also sets time.
  // None when the value cannot be read.
  std::optional<std::string> niceDate(const std::string& origDate);

 private:
  void doGame(const TokenLines& l);
  void processEvents(const std::vector<Event>& el);
  void deletePlayers();
  void removePlayerEntry(Player& p, size_t x);
  void rankPlayers();
  void getGameTotals();
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
