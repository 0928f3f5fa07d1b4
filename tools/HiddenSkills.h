#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/SplitMix64.h"

namespace orvane::tools {

// The hidden skill of a named player of a generated log, and whether it is a bot.
struct PlayerSkill {
  bool bot = false;
  double skill = 0;
};
// By the name as logged; a renamed player is listed under every name it had.
using SkillTable = std::map<std::string, PlayerSkill>;

// The skills that decide who wins a fight in a generated log, so that a rating can be checked
// against a known truth. Human i and bot i of the name pools (or of the plain names) each get
// one skill for the whole log, drawn in pool order from two sequences of their own: it is the
// same in every match whoever else is seated, and the log's own sequence is left alone. A
// skill is about normal with mean 0 and standard deviation spread (twelve uniform numbers
// summed). Only additions, comparisons, a multiplication and a division of doubles, so the
// same seed gives the same skills and the same fights on every platform.
class HiddenSkills {
 public:
  HiddenSkills(uint64_t seed, double spread);

  double human(int i) { return at(humans, humanRng, i); }
  double bot(int i) { return at(bots, botRng, i); }

  // Whether a player of skill a beats one of skill b in a fight, drawing from rng: with
  // probability close to 1 / (1 + exp(b - a)), one half for equals.
  static bool beats(SplitMix64& rng, double a, double b);

 private:
  double at(std::vector<double>& skills, SplitMix64& rng, int i);

  double spread;
  SplitMix64 humanRng;
  SplitMix64 botRng;
  std::vector<double> humans;
  std::vector<double> bots;
};

// One line per player, sorted by name bytes: the name, a tab, 1 for a bot or 0 for a human, a
// tab, and the skill with 17 significant digits (enough to read back the same double).
std::string skillLines(const SkillTable& skills);

}  // namespace orvane::tools
