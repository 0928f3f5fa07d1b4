#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "games/brk/Player.h"
#include "games/brk/Specs.h"

namespace orvane::games::brk {

// The best and worst values of one match: for every category, the player numbers of all
// players that share the extreme value, in ascending player number. Built once by the match
// after ranking and totals.
class HighScores {
 public:
  using List = std::vector<int32_t>;

  // p holds the match's players in player-number order.
  explicit HighScores(const std::vector<Player>& p);
  void compute(const std::vector<Player>& p);

  List MostFrags;
  List MostKills;
  List LeastDeaths;
  List LeastSuicides;
  List HighEff;
  List MostCPCs;
  List MostFC;
  List MostFR;
  List MostFD;
  List MostFP;
  List LeastFrags;
  List LeastKills;
  List MostDeaths;
  List MostSuicides;
  List LowEff;
  std::array<List, Specs::kWeapons> KillsHoldingWeapon;
  std::array<List, Specs::kWeapons> DeathsByWeapon;
  std::array<List, Specs::kWeapons> DeathsHoldingWeapon;
  std::array<List, Specs::kSuicides> Suicides;
  std::array<List, Specs::kWeapons> WeaponSuicides;
  std::array<List, Specs::kSprees> Sprees;
  std::array<List, Specs::kPickups> Pickups;
  List DGiven;
  List DReceived;
  List DRatio;
  std::array<int32_t, Specs::kItems> ItemsByType{};
};

}  // namespace orvane::games::brk
