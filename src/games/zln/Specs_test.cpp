#include "games/zln/Specs.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "util/Debug.h"

namespace orvane::games::zln {
namespace {

using Ints = std::vector<int32_t>;

// The first rule that applies books a kill, so the narrow rules come before the broad ones;
// without a rule it goes to the logged weapon after a trace line, or to 0 when that is none.
TEST(ZlnSpecs, KillWeaponRulesAndLookups) {
  std::ostringstream trace;
  util::Debug::reset();
  util::Debug::setStream(&trace);
  const char* const rows[][3] = {
      {"Enhanced Shock Rifle", "jolted", "Enhanced Shock Rifle"},
      {"Minigun", "jolted", "Shock Rifle"},
      {"Sniper Rifle", "Decapitated", "Sniper Rifle"},
      {"Chainsaw", "Decapitated", "Chainsaw"},
      {"Pulse Gun", "Decapitated", "Ripper"},
      {"Chainsaw", "shredded", "Ripper"},
      {"Flak Cannon", "shredded", "Flak Cannon"},
      {"Minigun", "shot", "Minigun"},
      {"Flak Cannon", "shot", "Enforcer"},
      {"Ripper", "FlakDeath", "Flak Cannon"},
      {"None", "Suicided", "Pressure Chamber"},
      {"", "GrenadeDeath", "Rocket Launcher"},
  };
  for (const auto& r : rows) EXPECT_EQ(Specs::wlocALT(r[0], r[1]), Specs::wloc(r[2])) << r[1];
  EXPECT_EQ(trace.str(), "");
  // Free-for-all variants count as Tournament DeathMatch.
  EXPECT_EQ((Ints{Specs::wlocALT("Sniper Rifle", "blasted"), Specs::wlocALT("Blaster", "Shot"),
                  Specs::gloc("Last Man Standing"), Specs::gloc("SinglePlayer")}),
            (Ints{12, 0, 0, 5}));
  util::Debug::reset();
  EXPECT_EQ(trace.str(),
            "Error in zln.Specs.wlocAlt: $Sniper Rifle$ $blasted$\n"
            "Error in zln.Specs.wlocAlt: $Blaster$ $Shot$\n");
}

// A suicide's cause comes from its damage type alone, by its exact name; "SpecialDamage" and
// "Unknown" are the special cause; one that names no cause gives 0.
TEST(ZlnSpecs, SlocGivesTheCauseOrNone) {
  Ints got;
  for (const char* s : {"Fell", "exploded", "Suicided", "SpecialDamage", "Unknown", "Special",
                        "Corroded", "burned", ""}) {
    got.push_back(Specs::sloc(s, "Redeemer"));
  }
  EXPECT_EQ(got, (Ints{4, 7, 8, 6, 6, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace orvane::games::zln
