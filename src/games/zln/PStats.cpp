#include "games/zln/PStats.h"

#include "util/Wrap.h"

namespace orvane::games::zln {

using util::addTo;
using util::subFrom;

PStats::PStats(std::string desc) : StatsCore(std::move(desc), 0.0) {}

void PStats::killer(int32_t kWeapon, int32_t vWeapon, int32_t victim, double time) {
  countKill(kWeapon, vWeapon, victim);
  // A chain is counted once, at its longest: each step moves it from one level's count to the
  // next. The first kill of a chain counts nothing yet.
  if (killLevel > 0 && time - killTime <= kChainGap) {
    switch (killLevel) {
      case 1:
        addTo(dKills, 1);
        break;
      case 2:
        subFrom(dKills, 1);
        addTo(muKills, 1);
        break;
      case 3:
        subFrom(muKills, 1);
        addTo(uKills, 1);
        break;
      case 4:
        subFrom(uKills, 1);
        addTo(moKills, 1);
        break;
      default:
        break;
    }
    if (killLevel < 5) ++killLevel;
  } else {
    killLevel = 1;
  }
  killTime = time;
}

void PStats::endSpell(const char* reason, double time) {
  // The whole-match clock keeps running through deaths.
  if (isAll()) return;
  stopTime = time;
  totalTime = stopTime - startTime;
  reasonStopped = reason;
}

void PStats::stopped(const std::string& reason, double time) {
  reasonStopped = reason;
  stopTime = time;
  if (isAll()) {
    totalTime += stopTime - startTime;
  } else {
    totalTime = stopTime - startTime;
  }
}

void PStats::update(const PStats& p) {
  mergeCore(p);
  games::addCounts({{&flagAssists, p.flagAssists},
                    {&flagKills, p.flagKills},
                    {&flagTakens, p.flagTakens},
                    {&headShots, p.headShots},
                    {&dKills, p.dKills},
                    {&muKills, p.muKills},
                    {&uKills, p.uKills},
                    {&moKills, p.moKills},
                    {&firstBlood, p.firstBlood},
                    {&trans, p.trans},
                    {&transThrow, p.transThrow},
                    {&transFail, p.transFail}});
}

}  // namespace orvane::games::zln
