#pragma once

#include <memory>

#include "programs/Scorex/GameHtml.h"
#include "programs/Scorex/Totals.h"
#include "programs/Scorex/TotalsHtml.h"

namespace orvane::programs::Scorex {

// Stand-ins for a module whose career database and pages are not there yet: the totals keep
// nothing (every match is new, none gets pages, nothing is ever modified) and the writers
// write nothing. They let the driver take logs through the whole run.
class StandInTotals final : public Totals {
 public:
  void update(const games::Game&) override {}
  void sortPlayers() override {}
  void readDBs() override {}
  void writeDBs() override {}
  bool isNewGame(const games::Game&) override { return true; }
  bool isPrintableGame(const games::Game&, int32_t) override { return false; }
  bool isHighGame(const games::Game&) override { return false; }
  bool isRecentGame(const games::Game&) override { return false; }
  bool isModified() const override { return false; }
  int32_t gListSize() const override { return 0; }
  int64_t gListElement(int32_t) const override { return 0; }
};

class StandInGameHtml final : public GameHtml {
 public:
  void writeGame(const games::Game&, const std::string&, const std::string&, int32_t) override {}
};

class StandInTotalsHtml final : public TotalsHtml {
 public:
  void writeTotals(Totals&) override {}
};

}  // namespace orvane::programs::Scorex
