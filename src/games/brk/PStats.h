#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/StatsCore.h"
#include "games/brk/Specs.h"

namespace orvane::games::brk {

// One block of counters for one player in one view: the whole match (desc "all", against
// everybody, humans or bots), one life ("preSpree" or the spree it reached), one holding of a
// power-up, or one game type. Blocks of the same kind merge with update().
class PStats final : public games::StatsCore<PStats, Specs> {
 public:
  // A team kill ends the victim's spell with this reason.
  static constexpr const char* kTeamDeath = "Fratricided";

  explicit PStats(std::string desc = "");

  void killer(int32_t kWeapon, int32_t vWeapon, int32_t victim) {
    countKill(kWeapon, vWeapon, victim);
  }
  void started(double time);
  void stopped(const std::string& reason, double time);
  void delAccuracy(bool reconnect);
  void accuracy(const std::vector<std::string>& weap, const std::vector<int32_t>& hit,
                const std::vector<int32_t>& shot, const std::vector<int32_t>& g,
                const std::vector<int32_t>& r, int32_t dg, int32_t dr);
  void update(const PStats& p);

  int32_t hits = 0;
  int32_t shots = 0;
  PerWeapon myHits{};
  PerWeapon myShots{};
  PerWeapon myDGiven{};
  PerWeapon myDReceived{};
  int32_t dGiven = 0;
  int32_t dReceived = 0;
  int32_t accGiven = 0;
  int32_t accReceived = 0;
  PerWeapon accHits{};
  PerWeapon accShots{};
  PerWeapon accDGiven{};
  PerWeapon accDReceived{};

 private:
  friend class games::StatsCore<PStats, Specs>;
  void endSpell(const char* reason, double time);
};

}  // namespace orvane::games::brk
