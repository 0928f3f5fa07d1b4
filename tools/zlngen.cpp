// zlngen: writes a seeded Zolnar statistics log, one match in 16-bit little-endian text, to
// standard output.
//
//   zlngen --seed N --type NAME [--players P] [--bots B] [--events E] [--malformed] [--day N]
//          [--human-pool H] [--bot-pool B] [--max-players N] [--vary-events] [--skill-spread S]
//          [--skill-seed N] [--skills-out FILE] > file.log
//
// --human-pool and --bot-pool seat the players from fixed pools of names shared by all seeds,
// --max-players draws the player count from players + bots to N, --vary-events draws the
// event count from E/2 to 3E/2.
// --skill-spread gives every player a hidden skill, normal with standard deviation S and drawn
// from the --skill-seed (the --seed without one), that makes the more skilled of two players
// the killer more often; logs of one skill seed share their players' skills. --skills-out
// writes those skills, of every player the log names, to FILE: a line each of the name, a
// tab, 1 for a bot or 0 for a human, a tab and the skill.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "tools/ZlnLogGenerator.h"
#include "util/Numbers.h"

namespace {

int usage() {
  std::cerr << "usage: zlngen --seed N --type NAME [--players P] [--bots B] [--events E]"
               " [--malformed] [--day N] [--human-pool H] [--bot-pool B] [--max-players N]"
               " [--vary-events] [--skill-spread S] [--skill-seed N] [--skills-out FILE]\n";
  return 2;
}

// Reads the options into o; false on an unknown option or a missing or non-numeric value.
bool readOptions(int argc, char** argv, orvane::tools::ZlnLogOptions& o, std::string& skillsOut) {
  const std::pair<std::string_view, bool*> flags[] = {{"--malformed", &o.malformed},
                                                      {"--vary-events", &o.varyEvents}};
  const std::pair<std::string_view, int*> numbers[] = {
      {"--players", &o.players},       {"--bots", &o.bots},
      {"--events", &o.eventsPerMatch}, {"--day", &o.startDay},
      {"--human-pool", &o.humanPool},  {"--bot-pool", &o.botPool},
      {"--max-players", &o.maxPlayers}};
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    const auto flag = std::find_if(std::begin(flags), std::end(flags),
                                   [&](const auto& f) { return f.first == a; });
    if (flag != std::end(flags)) {
      *flag->second = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string_view v = argv[++i];
    const auto number = std::find_if(std::begin(numbers), std::end(numbers),
                                     [&](const auto& n) { return n.first == a; });
    if (a == "--seed") {
      o.seed = static_cast<uint32_t>(orvane::util::parseLong(v));
    } else if (a == "--type") {
      o.gameType = v;
    } else if (a == "--skill-spread") {
      o.skillSpread = orvane::util::parseDouble(v);
    } else if (a == "--skill-seed") {
      o.skillSeed = static_cast<uint32_t>(orvane::util::parseLong(v));
    } else if (a == "--skills-out") {
      skillsOut = v;
    } else if (number != std::end(numbers)) {
      *number->second = orvane::util::parseInt(v);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  orvane::tools::ZlnLogOptions o;
  std::string skillsOut;
  try {
    if (!readOptions(argc, argv, o, skillsOut)) return usage();
  } catch (const std::exception&) {
    return usage();
  }
  orvane::tools::SkillTable skills;
  const std::string log = orvane::tools::generateZlnLog(o, &skills);
  std::fwrite(log.data(), 1, log.size(), stdout);
  if (!skillsOut.empty()) {
    std::ofstream file(skillsOut, std::ios::binary);
    file << orvane::tools::skillLines(skills);
    if (!file.flush()) {
      std::cerr << "zlngen: cannot write " << skillsOut << "\n";
      return 1;
    }
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
