#include "games/brk/PStats.h"

#include <stdexcept>

#include "util/Wrap.h"

namespace orvane::games::brk {

using util::addTo;
using util::subFrom;

PStats::PStats(std::string desc) : StatsCore(std::move(desc), -1.0) {}

void PStats::endSpell(const char* reason, double time) {
  const bool running = startTime >= 0;
  if (isAll()) {
    // A death stops the whole-match clock until the next enter or respawn; a clock that is
    // not running adds nothing.
    if (running) {
      totalTime += time - startTime;
      startTime = -1.0;
    }
    return;
  }
  stopTime = time;
  totalTime = running ? stopTime - startTime : 0.0;
  reasonStopped = reason;
}

void PStats::started(double time) { startTime = time; }

void PStats::stopped(const std::string& reason, double time) {
  if (startTime < 0) return;
  reasonStopped = reason;
  stopTime = time;
  if (isAll()) {
    totalTime += stopTime - startTime;
    startTime = -1.0;
  } else {
    totalTime = stopTime - startTime;
  }
}

void PStats::delAccuracy(bool reconnect) {
  if (reconnect) {
    subFrom(dGiven, accGiven);
    subFrom(dReceived, accReceived);
    for (size_t w = 0; w < Specs::kWeapons; ++w) {
      subFrom(myHits[w], accHits[w]);
      subFrom(myShots[w], accShots[w]);
      subFrom(myDGiven[w], accDGiven[w]);
      subFrom(myDReceived[w], accDReceived[w]);
    }
  }
  accGiven = 0;
  accReceived = 0;
  accHits.fill(0);
  accShots.fill(0);
  accDGiven.fill(0);
  accDReceived.fill(0);
}

void PStats::accuracy(const std::vector<std::string>& weap, const std::vector<int32_t>& hit,
                      const std::vector<int32_t>& shot, const std::vector<int32_t>& g,
                      const std::vector<int32_t>& r, int32_t dg, int32_t dr) {
  addTo(dGiven, dg);
  addTo(dReceived, dr);
  accGiven = dg;
  accReceived = dr;
  for (size_t x = 0; x < weap.size(); ++x) {
    const int32_t w = Specs::wloc(weap[x]);
    addTo(games::checkedAt(myHits, w), hit.at(x));
    addTo(games::checkedAt(myShots, w), shot.at(x));
    addTo(games::checkedAt(myDGiven, w), g.at(x));
    addTo(games::checkedAt(myDReceived, w), r.at(x));
    games::checkedAt(accHits, w) = hit.at(x);
    games::checkedAt(accShots, w) = shot.at(x);
    games::checkedAt(accDGiven, w) = g.at(x);
    games::checkedAt(accDReceived, w) = r.at(x);
  }
}

void PStats::update(const PStats& p) {
  mergeCore(p);
  games::addCounts(
      {{&hits, p.hits}, {&shots, p.shots}, {&dGiven, p.dGiven}, {&dReceived, p.dReceived}});
  games::addEach(myHits, p.myHits);
  games::addEach(myShots, p.myShots);
  games::addEach(myDGiven, p.myDGiven);
  games::addEach(myDReceived, p.myDReceived);
}

}  // namespace orvane::games::brk
