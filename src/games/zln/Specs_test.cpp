#include "games/zln/Specs.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "TraceCapture.h"
#include "games/zln/PStats.h"
#include "util/Debug.h"

namespace orvane::games::zln {
namespace {

using Ints = std::vector<int32_t>;

// The first rule that applies books a kill, so the narrow rules come before the broad ones;
// without a rule it goes to the logged weapon after a trace line, or to 0 when that is none.
TEST(ZlnSpecs, KillWeaponRulesAndLookups) {
  testing::TraceCapture trace;
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
      {"", "GrenadeDeath", "Rocket Launcher"},
  };
  for (const auto& r : rows) EXPECT_EQ(Specs::wlocALT(r[0], r[1]), Specs::wloc(r[2])) << r[1];
  EXPECT_EQ(trace.str(), "");
  // Free-for-all variants count as Tournament DeathMatch.
  EXPECT_EQ((Ints{Specs::wlocALT("Sniper Rifle", "blasted"), Specs::wlocALT("Blaster", "Shot"),
                  Specs::gloc("Last Man Standing"), Specs::gloc("SinglePlayer")}),
            (Ints{12, 0, 0, 5}));
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

// Kill-chain counters of a block: double, multi, ultra, monster, then the chain's level.
Ints chain(const PStats& s) { return {s.dKills, s.muKills, s.uKills, s.moKills, s.killLevel}; }

// Kills at most 3 s apart form one chain, counted once at its longest.
TEST(ZlnPStats, KillChainsCountOnceAtTheirLongest) {
  PStats a("all");
  a.killer(1, 1, 0, 1.0);
  a.killer(1, 1, 0, 2.5);
  EXPECT_EQ(chain(a), (Ints{1, 0, 0, 0, 2}));
  a.killer(1, 1, 0, 6.0);  // 3.5 s later: a new chain
  EXPECT_EQ(chain(a), (Ints{1, 0, 0, 0, 1}));
  PStats b("all");
  for (double t : {10.0, 13.0, 16.0, 19.0}) b.killer(1, 1, 0, t);
  EXPECT_EQ(chain(b), (Ints{0, 0, 1, 0, 4}));
  for (double t : {20.0, 21.0, 22.0}) b.killer(1, 1, 0, t);  // the chain stays at its top
  EXPECT_EQ(chain(b), (Ints{0, 0, 0, 1, 5}));
}

}  // namespace
}  // namespace orvane::games::zln
