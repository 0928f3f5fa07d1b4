#include "tools/HiddenSkills.h"

#include <cstdio>

namespace orvane::tools {

namespace {

// About standard normal: twelve uniform numbers of [0, 1) summed, less 6. Each is a 32-bit
// integer, so the sum is an exact integer and its scaling by 2^-32 is exact too.
double standardNormal(SplitMix64& rng) {
  int64_t sum = 0;
  for (int n = 0; n < 12; ++n) sum += static_cast<int64_t>(rng.next() >> 32);
  return static_cast<double>(sum - (int64_t{6} << 32)) / 4294967296.0;
}

// A normal difference of this many standard deviations wins about as often as the logistic
// curve says for one unit of skill.
constexpr double kLogisticScale = 1.702;

}  // namespace

HiddenSkills::HiddenSkills(uint64_t seed, double spread)
    : spread(spread),
      humanRng(seed ^ 0x48554D414E534B31ULL),
      botRng(seed ^ 0x424F54534B494C4CULL) {}

double HiddenSkills::at(std::vector<double>& skills, SplitMix64& rng, int i) {
  if (i < 0 || spread <= 0) return 0;
  while (std::ssize(skills) <= i) skills.push_back(standardNormal(rng) * spread);
  return skills[static_cast<size_t>(i)];
}

bool HiddenSkills::beats(SplitMix64& rng, double a, double b) {
  // Each fighter performs at skill plus normal luck; the skills are scaled so that the curve
  // is close to the logistic one. Dividing, not multiplying, leaves nothing for a fused
  // multiply-add to round differently on another machine.
  const double lead = a / kLogisticScale - b / kLogisticScale;
  return lead + standardNormal(rng) > 0;
}

std::string skillLines(const SkillTable& skills) {
  std::string text;
  for (const auto& [name, p] : skills) {
    char number[32];
    std::snprintf(number, sizeof number, "%.17g", p.skill);
    text += name + (p.bot ? "\t1\t" : "\t0\t") + number + "\n";
  }
  return text;
}

}  // namespace orvane::tools
