#include "games/zln/Specs.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "util/Debug.h"

namespace orvane::games::zln {
namespace {

using util::Debug;

class SpecsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  std::ostringstream trace;
};

struct Case {
  int32_t got;
  int32_t want;
};

void expectAll(const std::vector<Case>& cases) {
  for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
}

TEST_F(SpecsTest, TablesAndLookups) {
  EXPECT_EQ((std::vector<size_t>{Specs::weapons.size(), Specs::suicides.size(), Specs::items.size(),
                                 Specs::pickups.size(), Specs::sprees.size(), Specs::games.size()}),
            (std::vector<size_t>{19, 9, 32, 3, 5, 6}));
  // The last entries would be empty texts if a table were short of its length.
  EXPECT_EQ(Specs::weapons.back(), "Enhanced Shock Rifle");
  EXPECT_EQ(Specs::suicides.back(), "Suicided");
  EXPECT_EQ(Specs::items.back(), "Enhanced Shock Rifle");
  expectAll({
      {Specs::wloc("Double Enforcer"), 1},
      {Specs::wloc("Telefragged"), 13},
      {Specs::wloc("None"), 16},
      {Specs::wloc("Enhanced Shock Rifle"), 18},
      {Specs::iloc("Enforcer"), 8},  // items order the weapons differently
      {Specs::iloc("ShieldBelt"), 30},
      {Specs::ploc("Invisibility"), 2},
      {Specs::sploc("Dominating"), 2},
      {Specs::sploc("Brutalizing"), -1},  // not a spree level here, silently
      {Specs::gloc("Capture the Flag"), 1},
      {Specs::gloc("SinglePlayer"), 5},
      {Specs::gloc("Challenge DeathMatch"), 0},  // free-for-all variants, no trace
      {Specs::gloc("Last Man Standing"), 0},
      {Specs::gloc("last man standing"), 0},  // letter case counts
      {Specs::wloc("enforcer"), 0},
      {Specs::iloc("Quad"), 0},
      {Specs::ploc("Health Vial"), 0},  // counted as AntiGrav Boots
  });
  EXPECT_EQ(trace.str(),
            "Error in zln.Specs.gloc: $last man standing$ unknown game\n"
            "Error in zln.Specs.wloc: $enforcer$ unknown weapon\n"
            "Error in zln.Specs.iloc: $Quad$ unknown item\n"
            "Error in zln.Specs.ploc: $Health Vial$ unknown pickup\n");
}

TEST_F(SpecsTest, WlocAltBooksEachRuleInOrder) {
  struct Row {
    std::string_view w, v, want;
  };
  const std::vector<Row> rows = {
      {"Minigun", "RocketDeath", "Rocket Launcher"},
      {"Minigun", "GrenadeDeath", "Rocket Launcher"},
      {"Ripper", "impact", "Impact Hammer"},
      {"Minigun", "RedeemerDeath", "Redeemer"},
      {"Minigun", "vaporized", "Redeemer"},
      {"Chainsaw", "RipperAltDeath", "Ripper"},
      {"Minigun", "Pulsed", "Pulse Gun"},
      {"Minigun", "zapped", "Pulse Gun"},
      {"Redeemer", "Gibbed", "Telefragged"},
      {"Ripper", "FlakDeath", "Flak Cannon"},
      {"None", "Corroded", "GES Bio Rifle"},
      {"Ripper", "slashed", "Chainsaw"},
      {"None", "SpecialDamage", "Pressure Chamber"},
      {"None", "Suicided", "Pressure Chamber"},
      {"Enhanced Shock Rifle", "jolted", "Enhanced Shock Rifle"},
      {"Minigun", "jolted", "Shock Rifle"},
      {"Enforcer", "shot", "Enforcer"},
      {"Double Enforcer", "shot", "Double Enforcer"},
      {"Minigun", "shot", "Minigun"},
      {"Sniper Rifle", "shot", "Sniper Rifle"},
      {"Sniper Rifle", "Decapitated", "Sniper Rifle"},
      {"Flak Cannon", "shredded", "Flak Cannon"},
      {"Ripper", "Decapitated", "Ripper"},
      {"Ripper", "shredded", "Ripper"},
      {"Chainsaw", "Decapitated", "Chainsaw"},
      {"Pulse Gun", "Decapitated", "Ripper"},
      {"Chainsaw", "shredded", "Ripper"},
      {"Flak Cannon", "shot", "Enforcer"},
      {"Rifle of Old", "shot", "Enforcer"},  // an unknown weapon is still booked by its damage
      {"", "RocketDeath", "Rocket Launcher"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Specs::wlocALT(r.w, r.v), Specs::wloc(r.want)) << r.w << " / " << r.v;
  }
  EXPECT_EQ(trace.str(), "");
}

TEST_F(SpecsTest, WlocAltTracesAnUnmatchedPair) {
  expectAll({
      {Specs::wlocALT("Sniper Rifle", "blasted"), 12},  // no rule: the weapon as logged
      {Specs::wlocALT("Translocator", "Telefrag"), 17},
      {Specs::wlocALT("Blaster", "Shot"), 0},  // not a weapon: 0, one line only
      {Specs::wlocALT("Minigun", ""), 6},
  });
  EXPECT_EQ(trace.str(),
            "Error in zln.Specs.wlocAlt: $Sniper Rifle$ $blasted$\n"
            "Error in zln.Specs.wlocAlt: $Translocator$ $Telefrag$\n"
            "Error in zln.Specs.wlocAlt: $Blaster$ $Shot$\n"
            "Error in zln.Specs.wlocAlt: $Minigun$ $$\n");
}

TEST_F(SpecsTest, SlocGivesTheCauseOrNone) {
  expectAll({
      {Specs::sloc("Burned", "None"), 1},
      {Specs::sloc("Drowned", "None"), 3},
      {Specs::sloc("Fell", "Minigun"), 4},
      {Specs::sloc("Electrocuted", "None"), 5},
      {Specs::sloc("exploded", "None"), 7},
      {Specs::sloc("Suicided", "None"), 8},
      {Specs::sloc("SpecialDamage", "None"), 6},
      {Specs::sloc("Unknown", "Redeemer"), 6},
      {Specs::sloc("Special", "None"), 0},   // a table name that is no logged damage type
      {Specs::sloc("Corroded", "None"), 0},  // booked to its weapon by the caller
      {Specs::sloc("RocketDeath", "Rocket Launcher"), 0},
      {Specs::sloc("burned", "None"), 0},
      {Specs::sloc("", "None"), 0},
  });
  EXPECT_EQ(trace.str(), "");
}

}  // namespace
}  // namespace orvane::games::zln
