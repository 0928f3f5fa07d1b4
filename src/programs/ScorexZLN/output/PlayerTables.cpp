#include "programs/ScorexZLN/output/PlayerTables.h"

#include <utility>

#include "programs/Scorex/output/Cells.h"

namespace orvane::programs::ScorexZLN::output {

using games::zln::Player;
using games::zln::PStats;
using games::zln::Specs;
using Scorex::output::buildInPlace;
using Scorex::output::CareerBlock;
using Scorex::output::kHeading;
using Scorex::output::kRowLabel;
using Scorex::output::kValue;
using Scorex::output::Row;
using Scorex::output::SortWeapon;

using namespace Scorex::output::cells;

namespace {

std::string_view known(std::string_view name) { return name.empty() ? "Unknown" : name; }

}  // namespace

PlayerTables::PlayerTables(const Player& thePlayer, int32_t type, int32_t gType)
    : CareerTablesCore(thePlayer, type) {
  buildAll(gType);
}

std::string_view PlayerTables::weaponName(size_t w) { return known(Specs::weapons.at(w)); }
std::string_view PlayerTables::suicideName(size_t k) { return known(suicideNameOf<Specs>(k)); }
std::string_view PlayerTables::itemName(size_t i) { return known(Specs::items.at(i)); }

void PlayerTables::buildTables(int32_t gType) {
  for (int32_t t = 0; t <= kAllTypes; ++t) mPSummary(t);
  mPOpponents();
  mPObjectives();
  mPEvents();
  mPWeapon(gType);
  mPSuicide(gType);
  mPPickups();
  mPSprees();
  mPItems(gType);
}

std::vector<CareerBlock> PlayerTables::blocks() const {
  return CareerTablesCore::blocks(
      {{&pSummary[kAllTypes]},
       {&pOpponents, "Against Humans and Bots"},
       {&pObjectives, "Team Objectives"},
       {&pEvents, "Special Events"},
       {&pWeapon, "Weapon Specific Totals", 1, "There Have Been No Weapons Used"}});
}

void PlayerTables::summaryHeadings(Table& t, const std::vector<const char*>& names) {
  Row r;
  for (const char* n : names) r.push_back(cell(n, kHeading));
  t.push_back(std::move(r));
}

void PlayerTables::mPOpponents() {
  buildInPlace(
      pOpponents,
      {"I PlayerTables.mPOpponents", "O PlayerTables.mPOpponents",
       "Error in PlayerTables.mPOpponents: "},
      [&](Table& t) {
        t.push_back(headings({"Against", "Kills", "Deaths", "Eff.", "TK", "TD", "Head Shots"}));
        // Suicides count against everybody alike, so the efficiency leaves them out.
        for (const auto& [label, s] :
             {std::pair<const char*, const PStats*>{"Humans", &p.vsHumans}, {"Bots", &p.vsBots}}) {
          const double eff =
              s->kills > 0 ? s->kills * 100.0 / (static_cast<double>(s->kills) + s->deaths) : 0.0;
          Row r{cell(label, kRowLabel)};
          for (std::string v : {str(s->kills), str(s->deaths), pct(eff), str(s->tkills),
                                str(s->tdeaths), str(s->headShots)}) {
            r.push_back(cell(std::move(v), kValue));
          }
          t.push_back(std::move(r));
        }
      });
}

void PlayerTables::mPObjectives() {
  buildInPlace(pObjectives,
               {"I PlayerTables.mPObjectives", "O PlayerTables.mPObjectives",
                "Error in PlayerTables.mPObjectives: "},
               [&](Table& t) {
                 t.push_back(headings({"Flag<br>Captures", "Flag<br>Returns", "Flags<br>Taken",
                                       "Flags<br>Picked Up", "Flags<br>Dropped", "Flag<br>Assists",
                                       "Flag<br>Kills", "Control<br>Points"}));
                 const PStats& s = p.all;
                 values(t, {str(s.flagCaptures), str(s.flagReturns), str(s.flagTakens),
                            str(s.flagPickups), str(s.flagDrops), str(s.flagAssists),
                            str(s.flagKills), str(s.controlPointCaptures)});
               });
}

void PlayerTables::mPEvents() {
  buildInPlace(
      pEvents,
      {"I PlayerTables.mPEvents", "O PlayerTables.mPEvents", "Error in PlayerTables.mPEvents: "},
      [&](Table& t) {
        t.push_back(headings({"Event", "Count"}));
        const PStats& s = p.all;
        // Kill chains of 2, 3, 4, and 5 or more kills, each counted at its longest.
        for (const auto& [label, count] :
             {std::pair<const char*, int32_t>{"First Blood", s.firstBlood},
              {"Head Shots", s.headShots},
              {"Double Kills", s.dKills},
              {"Multi Kills", s.muKills},
              {"Ultra Kills", s.uKills},
              {"Monster Kills", s.moKills},
              {"Translocations", s.trans},
              {"Translocator Throws", s.transThrow},
              {"Failed Translocations", s.transFail}}) {
          t.push_back(Row{cell(label, kRowLabel), cell(str(count), kValue)});
        }
      });
}

void PlayerTables::mPWeapon(int32_t g) {
  buildInPlace(
      pWeapon,
      {"I PlayerTables.mPWeapon", "O PlayerTables.mPWeapon", "Error in PlayerTables.mPWeapon: "},
      [&](Table& t) {
        t.push_back(
            headings({"Weapon", "Frags", "Kills", "Deaths", "Suicides", "Eff.", "Killed By"}));
        const PStats& s = pageBlock(g);
        // Deaths are those while holding the weapon; "Killed By" those by an opponent's.
        weaponRows(t, s, [&](const SortWeapon& k) -> std::optional<std::vector<std::string>> {
          const int32_t killedBy = s.myDeathsOppW.at(static_cast<size_t>(k.num));
          if (k.frags == 0 && k.kills == 0 && k.deaths == 0 && killedBy == 0) return std::nullopt;
          return std::vector<std::string>{str(killedBy)};
        });
      });
}

}  // namespace orvane::programs::ScorexZLN::output
