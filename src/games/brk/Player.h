#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "games/brk/PStats.h"
#include "games/brk/Specs.h"

namespace orvane::games::brk {

// One participant of a match (and, merged, a career record, a team or a match total). It owns
// its statistics blocks and routes each happening of the match to the right ones.
class Player {
 public:
  // time is the match time of creation, which the record does not keep.
  explicit Player(double time = 0.0);

  void started(double time);
  void summarize();
  void actItem(const std::string& item, double time);
  void deactItem(const std::string& item, double time);
  void teamVictim(int32_t kWeapon, int32_t vWeapon, int32_t killer, double time, bool isABot);
  void victim(int32_t kWeapon, int32_t vWeapon, int32_t killer, double time, bool isABot);
  void fReturned();
  void fDropped();
  void fCaptured();
  void cpCapture(int32_t cp);
  void suicided(int32_t type, int32_t wType, double time);
  void killer(int32_t kWeapon, int32_t vWeapon, int32_t victim, bool isABot);
  void teamKiller(int32_t kWeapon, int32_t vWeapon, int32_t victim, bool isABot);
  void gotItem(int32_t iType);
  void addPing(int32_t ping);
  void playerDisconnect(double time);
  void gameEnd(double time);
  void update(const Player& p);

  std::string name;
  std::string secret;
  bool isABot = false;
  int32_t uid = -1;
  int32_t rank = 0;
  bool modified = false;
  std::vector<PStats> itemInfo;        // finished spells: sprees and power-up holdings
  std::vector<PStats> activeItemInfo;  // power-up holdings now running
  PStats preSpree{"preSpree"};
  PStats all{"all"};
  PStats vsHumans{"all"};
  PStats vsBots{"all"};
  std::array<PStats, Specs::kSprees> sprees;
  std::array<PStats, Specs::kPickups> pickups;
  std::array<PStats, Specs::kGames> games;
  int32_t team = -1;
  std::string teamName;
  std::vector<int32_t> cpc;
  int32_t inGame = 0;

 private:
  // Ends the current life: running holdings get the same ending and, like a life that reached
  // a spree, go to the finished spells; a new, unstarted life begins.
  template <class Ending>
  void endLife(Ending ending);
};

}  // namespace orvane::games::brk
