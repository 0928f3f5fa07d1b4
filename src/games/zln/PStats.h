#pragma once

#include <cstdint>
#include <string>

#include "games/StatsCore.h"
#include "games/zln/Specs.h"

namespace orvane::games::zln {

// One block of counters for one player in one view: the whole match (desc "all", against
// everybody, humans or bots), one life ("preSpree" or the spree it reached), one holding of a
// power-up, or one game type. Blocks of the same kind merge with update().
//
// Besides the common counters: flag assists, flag-carrier kills and flag takes, translocator
// use, kill chains, and the team score. The whole-match clock runs from the player's arrival
// to his leaving or the match's end; deaths do not stop it.
class PStats final : public games::StatsCore<PStats, Specs> {
 public:
  // A team kill ends the victim's spell with this reason.
  static constexpr const char* kTeamDeath = "Team Death";
  // Kills at most this many seconds apart form one chain.
  static constexpr double kChainGap = 3.0;

  explicit PStats(std::string desc = "");

  // A kill at time: counted, and the kill chain grows or starts anew.
  void killer(int32_t kWeapon, int32_t vWeapon, int32_t victim, double time);
  void started(double time) { startTime = time; }
  void stopped(const std::string& reason, double time);
  void update(const PStats& p);

  int32_t flagAssists = 0;
  int32_t flagKills = 0;
  int32_t flagTakens = 0;
  int32_t trans = 0;
  int32_t transThrow = 0;
  int32_t transFail = 0;
  double score = 0.0;
  int32_t killLevel = 0;
  double killTime = 0.0;

 private:
  friend class games::StatsCore<PStats, Specs>;
  void endSpell(const char* reason, double time);
};

}  // namespace orvane::games::zln
