#include "games/zln/Specs.h"

#include <algorithm>
#include <string>

#include "games/NameTable.h"
#include "games/zln/Player.h"
#include "util/Debug.h"

namespace orvane::games::zln {

const std::array<std::string_view, Specs::kWeapons> Specs::weapons = {"",
                                                                      "Double Enforcer",
                                                                      "Enforcer",
                                                                      "Flak Cannon",
                                                                      "GES Bio Rifle",
                                                                      "Impact Hammer",
                                                                      "Minigun",
                                                                      "Pulse Gun",
                                                                      "Redeemer",
                                                                      "Ripper",
                                                                      "Rocket Launcher",
                                                                      "Shock Rifle",
                                                                      "Sniper Rifle",
                                                                      "Telefragged",
                                                                      "Chainsaw",
                                                                      "Pressure Chamber",
                                                                      "None",
                                                                      "Translocator",
                                                                      "Enhanced Shock Rifle"};

const std::array<std::string_view, Specs::kSuicides> Specs::suicides = {
    "", "Burned", "Corroded", "Drowned", "Fell", "Electrocuted", "Special", "exploded", "Suicided"};

const std::array<std::string_view, Specs::kItems> Specs::items = {"",
                                                                  "AntiGrav Boots",
                                                                  "Biosludge Ammo",
                                                                  "Blade Hopper",
                                                                  "Body Armor",
                                                                  "Box of Rifle Rounds",
                                                                  "Damage Amplifier",
                                                                  "Double Enforcer",
                                                                  "Enforcer",
                                                                  "Flak Cannon",
                                                                  "Flak Shells",
                                                                  "GES Bio Rifle",
                                                                  "Health Vial",
                                                                  "Invisibility",
                                                                  "Large Bullets",
                                                                  "MedBox",
                                                                  "Minigun",
                                                                  "Pulse Cell",
                                                                  "Pulse Gun",
                                                                  "Redeemer",
                                                                  "Ripper",
                                                                  "Rocket Launcher",
                                                                  "RocketPack",
                                                                  "Shock Core",
                                                                  "Shock Rifle",
                                                                  "Sniper Rifle",
                                                                  "Super Health Pack",
                                                                  "Thigh Pads",
                                                                  "SCUBAGear",
                                                                  "Shells",
                                                                  "ShieldBelt",
                                                                  "Enhanced Shock Rifle"};

const std::array<std::string_view, Specs::kPickups> Specs::pickups = {
    "AntiGrav Boots", "Damage Amplifier", "Invisibility"};

const std::array<std::string_view, Specs::kSprees> Specs::sprees = {
    "Killing Spree", "Rampage", "Dominating", "Unstoppable", "Godlike"};

const std::array<std::string_view, Specs::kGames> Specs::games = {
    "Tournament DeathMatch", "Capture the Flag", "Domination", "Assault",
    "Tournament Team Game",  "SinglePlayer"};

int32_t Specs::gloc(std::string_view g) {
  // Variants of the free-for-all match that the server logs under their own names.
  if (g == "Challenge DeathMatch" || g == "Last Man Standing") return 0;
  return lookup(games, g, "Error in zln.Specs.gloc: ", "game");
}
int32_t Specs::wloc(std::string_view w) {
  return lookup(weapons, w, "Error in zln.Specs.wloc: ", "weapon");
}
int32_t Specs::iloc(std::string_view i) {
  return lookup(items, i, "Error in zln.Specs.iloc: ", "item");
}
int32_t Specs::ploc(std::string_view p) {
  return lookup(pickups, p, "Error in zln.Specs.ploc: ", "pickup");
}
int32_t Specs::sploc(std::string_view sp) { return loc(sprees, sp); }

namespace {

// One row of the kill-weapon rules: it applies when the damage type is one of `damage` and, if
// `holding` names any weapon, the logged weapon is one of them. Unused slots are empty.
struct AltRule {
  std::array<std::string_view, 2> damage;
  std::array<std::string_view, 3> holding;
  std::string_view weapon;  // the weapon booked; empty: the logged weapon itself
};

// The first row that applies wins, so the specific rows come before the general ones.
constexpr std::array<AltRule, 19> kAltRules = {{
    {{"RocketDeath", "GrenadeDeath"}, {}, "Rocket Launcher"},
    {{"impact"}, {}, "Impact Hammer"},
    {{"RedeemerDeath", "vaporized"}, {}, "Redeemer"},
    {{"RipperAltDeath"}, {}, "Ripper"},
    {{"Pulsed", "zapped"}, {}, "Pulse Gun"},
    {{"Gibbed"}, {}, "Telefragged"},
    {{"FlakDeath"}, {}, "Flak Cannon"},
    {{"Corroded"}, {}, "GES Bio Rifle"},
    {{"slashed"}, {}, "Chainsaw"},
    {{"SpecialDamage", "Suicided"}, {}, "Pressure Chamber"},
    {{"jolted"}, {"Enhanced Shock Rifle"}, "Enhanced Shock Rifle"},
    {{"jolted"}, {}, "Shock Rifle"},
    {{"shot"}, {"Enforcer", "Double Enforcer", "Minigun"}, ""},
    {{"shot", "Decapitated"}, {"Sniper Rifle"}, ""},
    {{"shredded"}, {"Flak Cannon"}, ""},
    {{"Decapitated", "shredded"}, {"Ripper"}, ""},
    {{"Decapitated"}, {"Chainsaw"}, ""},
    {{"Decapitated", "shredded"}, {}, "Ripper"},
    {{"shot"}, {}, "Enforcer"},
}};

template <size_t N>
bool listed(const std::array<std::string_view, N>& names, std::string_view x) {
  return std::any_of(names.begin(), names.end(),
                     [x](std::string_view n) { return !n.empty() && n == x; });
}

bool applies(const AltRule& r, std::string_view w, std::string_view v) {
  if (!listed(r.damage, v)) return false;
  return r.holding[0].empty() || listed(r.holding, w);
}

}  // namespace

int32_t Specs::wlocALT(std::string_view w, std::string_view v) {
  for (const AltRule& r : kAltRules) {
    if (applies(r, w, v)) return std::max(loc(weapons, r.weapon.empty() ? w : r.weapon), 0);
  }
  // The trace text is intended as it stands (wlocAlt, with the names between "$" signs).
  util::Debug::print(
      "Error in zln.Specs.wlocAlt: $" + std::string(w) + "$ $" + std::string(v) + "$", 0);
  return std::max(loc(weapons, w), 0);
}

int32_t Specs::sloc(std::string_view s, std::string_view /*i*/) {
  if (s == "SpecialDamage" || s == "Unknown") return loc(suicides, "Special");
  static constexpr std::array<std::string_view, 6> kCauses = {
      "Burned", "Drowned", "Fell", "Electrocuted", "exploded", "Suicided"};
  return listed(kCauses, s) ? loc(suicides, s) : 0;
}

int32_t SortSFDS::compare(const Player* const& a, const Player* const& b) const {
  if (a->all.score > b->all.score) return 1;
  if (a->all.score < b->all.score) return -1;
  return games::compareFDS(a->all, b->all);
}

}  // namespace orvane::games::zln
