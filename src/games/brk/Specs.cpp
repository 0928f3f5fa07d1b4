#include "games/brk/Specs.h"

#include "games/NameTable.h"
#include "games/brk/Player.h"

namespace orvane::games::brk {

const std::array<std::string_view, Specs::kWeapons> Specs::weapons = {
    "",         "BFG10K",        "Blaster",    "Chaingun", "Grenade Launcher",
    "Grenades", "HyperBlaster",  "Machinegun", "Railgun",  "Rocket Launcher",
    "Shotgun",  "Super Shotgun", "Telefrag",   "Hook"};

const std::array<std::string_view, Specs::kSuicides> Specs::suicides = {
    "",          "Couldnt_Take_It_Anymore",
    "Crushed",   "Drowned",
    "Explosion", "Fell",
    "Lasered",   "Lava",
    "Melted",    "Trigger_Hurt",
    "Explosive"};

const std::array<std::string_view, Specs::kItems> Specs::items = {"",
                                                                  "Body Armor",
                                                                  "Chaingun",
                                                                  "Combat Armor",
                                                                  "Grenade Launcher",
                                                                  "HyperBlaster",
                                                                  "Jacket Armor",
                                                                  "Machinegun",
                                                                  "Mega_Health",
                                                                  "Railgun",
                                                                  "Rocket Launcher",
                                                                  "Shotgun",
                                                                  "Super Shotgun",
                                                                  "BFG10K",
                                                                  "Power Screen",
                                                                  "Power Shield",
                                                                  "Quad",
                                                                  "Invulnerability",
                                                                  "Strength_Rune",
                                                                  "Regen_Rune",
                                                                  "Haste_Rune",
                                                                  "Resist_Rune",
                                                                  "Vampire_Rune",
                                                                  "Slugs",
                                                                  "Shells",
                                                                  "Rockets",
                                                                  "Cells",
                                                                  "Bullets",
                                                                  "Ammo Pack",
                                                                  "Adrenaline",
                                                                  "Ancient Head",
                                                                  "Armor Shard",
                                                                  "Bandolier",
                                                                  "Stimpack_Health",
                                                                  "Grenades",
                                                                  "Normal_Health",
                                                                  "Large_Health",
                                                                  "Silencer",
                                                                  "Environment Suit",
                                                                  "Rebreather"};

const std::array<std::string_view, Specs::kPickups> Specs::pickups = {
    "Quad",       "Invulnerability", "Strength_Rune", "Regen_Rune",
    "Haste_Rune", "Resist_Rune",     "Vampire_Rune"};

const std::array<std::string_view, Specs::kSprees> Specs::sprees = {
    "Killing Spree", "Rampage", "Dominating", "Brutalizing", "Unstoppable", "Godlike"};

const std::array<std::string_view, Specs::kGames> Specs::games = {"RegularDM", "TeamPlay",
                                                                  "1-vs-1"};

int32_t Specs::gloc(std::string_view g) {
  return lookup(games, g, "Error in zln.Specs.gloc: ", "game");
}
int32_t Specs::wloc(std::string_view w) {
  return lookup(weapons, w, "Error in Specs.wloc: ", "weapon");
}
int32_t Specs::iloc(std::string_view i) {
  return lookup(items, i, "Error in Specs.iloc: ", "item");
}
int32_t Specs::ploc(std::string_view p) {
  return lookup(pickups, p, "Error in Specs.ploc: ", "pickup");
}
int32_t Specs::sloc(std::string_view s) { return loc(suicides, s); }
int32_t Specs::sploc(std::string_view sp) { return loc(sprees, sp); }

}  // namespace orvane::games::brk
