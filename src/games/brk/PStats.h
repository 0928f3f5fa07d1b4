#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/brk/Specs.h"

namespace orvane::games::brk {

// One block of counters for one player in one view: the whole match (desc "all", against
// everybody, humans or bots), one life ("preSpree" or the spree it reached), one holding of a
// power-up, or one game type. Blocks of the same kind merge with update().
class PStats {
 public:
  using PerWeapon = std::array<int32_t, Specs::kWeapons>;
  using PerCause = std::array<int32_t, Specs::kSuicides>;
  using PerItem = std::array<int32_t, Specs::kItems>;

  explicit PStats(std::string desc = "");

  void gotItem(int32_t iType);
  void suicided(int32_t type, int32_t wType, double time);
  void teamKiller(int32_t kWeapon, int32_t vWeapon, int32_t victim);
  void killer(int32_t kWeapon, int32_t vWeapon, int32_t victim);
  void teamVictim(int32_t kWeapon, int32_t vWeapon, int32_t killer, double time);
  void victim(int32_t kWeapon, int32_t vWeapon, int32_t killer, double time);
  void started(double time);
  void stopped(const std::string& reason, double time);
  void addPing(int32_t ping);
  void delAccuracy(bool reconnect);
  void accuracy(const std::vector<std::string>& weap, const std::vector<int32_t>& hit,
                const std::vector<int32_t>& shot, const std::vector<int32_t>& g,
                const std::vector<int32_t>& r, int32_t dg, int32_t dr);
  void update(const PStats& p);

  bool isAll() const { return desc == "all"; }

  std::string desc;
  std::string reasonStopped;
  double startTime = -1.0;
  double stopTime = 0.0;
  double totalTime = 0.0;
  int32_t frags = 0;
  int32_t kills = 0;
  int32_t deaths = 0;
  int32_t tkills = 0;
  int32_t tdeaths = 0;
  int32_t suicides = 0;
  int32_t hits = 0;
  int32_t shots = 0;
  int32_t items = 0;
  int32_t pingTime = 0;
  int32_t pingNum = 0;
  PerWeapon myFrags{};
  PerWeapon myFragsOppW{};
  PerWeapon myKills{};
  PerWeapon myKillsOppW{};
  PerWeapon myDeaths{};
  PerWeapon myDeathsOppW{};
  PerWeapon myWSuicides{};
  PerCause mySuicides{};
  PerWeapon myHits{};
  PerWeapon myShots{};
  PerWeapon myDGiven{};
  PerWeapon myDReceived{};
  PerItem itemGets{};
  // Per opponent, by the opponent's player number; absent after a merge.
  std::optional<std::vector<int32_t>> playerKills;
  std::optional<std::vector<int32_t>> playerDeaths;
  int32_t uses = 0;
  int32_t teamWins = 0;
  int32_t teamLosses = 0;
  int32_t flagCaptures = 0;
  int32_t flagDrops = 0;
  int32_t flagPickups = 0;
  int32_t flagReturns = 0;
  int32_t controlPointCaptures = 0;
  int32_t dGiven = 0;
  int32_t dReceived = 0;
  int32_t headShots = 0;
  int32_t dKills = 0;
  int32_t muKills = 0;
  int32_t uKills = 0;
  int32_t moKills = 0;
  int32_t firstBlood = 0;
  int32_t accGiven = 0;
  int32_t accReceived = 0;
  PerWeapon accHits{};
  PerWeapon accShots{};
  PerWeapon accDGiven{};
  PerWeapon accDReceived{};

 private:
  void endSpell(const char* reason, double time);
};

}  // namespace orvane::games::brk
