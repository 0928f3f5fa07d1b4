#include "programs/ScorexBRK/output/PlayerTables.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "programs/Scorex/output/SortWeapon.h"
#include "programs/ScorexBRK/output/Cells.h"

namespace orvane::programs::ScorexBRK::output {

using games::brk::Player;
using games::brk::PStats;
using games::brk::Specs;
using Scorex::output::CareerBlock;
using Scorex::output::SortWeapon;

using namespace cells;

PlayerTables::PlayerTables(const Player& thePlayer, int32_t type, int32_t gType)
    : CareerTablesCore(thePlayer, type) {
  buildAll(gType);
}

void PlayerTables::buildTables(int32_t gType) {
  for (int32_t t = 0; t <= kAllTypes; ++t) mPSummary(t);
  mPWeapon(gType);
  mPSuicide(gType);
  mPPickups();
  mPItems(gType);
}

std::vector<CareerBlock> PlayerTables::blocks() const {
  return CareerTablesCore::blocks(
      {{&pSummary[kAllTypes]},
       {&pWeapon, "Weapon Specific Totals", 2, "There Have Been No Weapons Used"}});
}

void PlayerTables::summaryHeadings(Table& t, const std::vector<const char*>& names) {
  damageHeadings(t, names);
}

void PlayerTables::summaryValues(std::vector<std::string>& v, const PStats& s) {
  v.insert(v.end(), {str(s.dGiven), str(s.dReceived), fmt(damageRatio(s.dGiven, s.dReceived), 3)});
}

void PlayerTables::mPWeapon(int32_t g) {
  Scorex::output::buildInPlace(
      pWeapon,
      {"I PlayerTables.mPWeapon", "O PlayerTables.mPWeapon", "Error in PlayerTables.mPWeapon: "},
      [&](Table& t) {
        damageHeadings(
            t, {"Weapon", "Frags", "Kills", "Deaths", "Suicides", "Eff.", "Hits", "Shots", "Acc."});
        const PStats& s = pageBlock(g);
        // A weapon that was only fired has a row too.
        weaponRows(t, s, [&](const SortWeapon& k) -> std::optional<std::vector<std::string>> {
          const size_t w = static_cast<size_t>(k.num);
          const int32_t hits = s.myHits.at(w);
          const int32_t shots = s.myShots.at(w);
          if (k.frags == 0 && k.kills == 0 && k.deaths == 0 && shots == 0) return std::nullopt;
          const int32_t given = s.myDGiven.at(w);
          const int32_t received = s.myDReceived.at(w);
          return std::vector<std::string>{
              str(hits),
              str(shots),
              shots == 0 ? std::string("0.0%") : pct(hits * 100.0 / shots),
              str(given),
              str(received),
              fmt(damageRatio(given, received))};
        });
      });
}

}  // namespace orvane::programs::ScorexBRK::output
