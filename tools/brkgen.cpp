// brkgen: writes a seeded Brakk statistics log to standard output.
//
//   brkgen --seed N --matches M [--players P] [--bots B] [--events E] [--team | --duel]
//          [--malformed] [--day N] [--mb SIZE] [--human-pool H] [--bot-pool B]
//          [--max-players N] [--mix-modes] [--vary-events] [--skill-spread S] [--skill-seed N]
//          [--skills-out FILE] [--regulars] > file.log
//
// With --mb, matches keep coming until the log holds at least SIZE megabytes (10^6 bytes).
// --human-pool and --bot-pool seat each match's players from fixed pools of names shared by
// all seeds, --max-players draws each match's player count from players + bots to N,
// --mix-modes mixes free-for-all, team matches and duels, --vary-events draws each match's
// event count from E/2 to 3E/2.
// --skill-spread gives every player a hidden skill, normal with standard deviation S and drawn
// from the --skill-seed (the --seed without one), that makes the more skilled of two players
// the killer more often. --skills-out writes those skills, of every player the log names, to
// FILE: a line each of the name, a tab, 1 for a bot or 0 for a human, a tab and the skill.
// --regulars seats the human pool unevenly: a few regulars come often, most now and then.

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/BrkLogGenerator.h"
#include "util/Numbers.h"

namespace {

int usage() {
  std::cerr << "usage: brkgen --seed N --matches M [--players P] [--bots B] [--events E]"
               " [--team | --duel] [--malformed] [--day N] [--mb SIZE] [--human-pool H]"
               " [--bot-pool B] [--max-players N] [--mix-modes] [--vary-events]"
               " [--skill-spread S] [--skill-seed N] [--skills-out FILE] [--regulars]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using orvane::util::parseDouble;
  using orvane::util::parseInt;
  orvane::tools::BrkLogOptions o;
  double mb = 0;
  std::string skillsOut;
  try {
    for (int i = 1; i < argc; ++i) {
      const std::string_view a = argv[i];
      const auto value = [&]() -> std::string_view {
        if (i + 1 >= argc) throw std::invalid_argument("missing value");
        return argv[++i];
      };
      if (a == "--seed") {
        o.seed = static_cast<uint32_t>(orvane::util::parseLong(value()));
      } else if (a == "--matches") {
        o.matches = parseInt(value());
      } else if (a == "--players") {
        o.players = parseInt(value());
      } else if (a == "--bots") {
        o.bots = parseInt(value());
      } else if (a == "--events") {
        o.eventsPerMatch = parseInt(value());
      } else if (a == "--team") {
        o.teamPlay = true;
      } else if (a == "--duel") {
        o.duel = true;
      } else if (a == "--malformed") {
        o.malformed = true;
      } else if (a == "--day") {
        o.startDay = parseInt(value());
      } else if (a == "--mb") {
        mb = parseDouble(value());
      } else if (a == "--human-pool") {
        o.humanPool = parseInt(value());
      } else if (a == "--bot-pool") {
        o.botPool = parseInt(value());
      } else if (a == "--max-players") {
        o.maxPlayers = parseInt(value());
      } else if (a == "--regulars") {
        o.regulars = true;
      } else if (a == "--mix-modes") {
        o.mixModes = true;
      } else if (a == "--vary-events") {
        o.varyEvents = true;
      } else if (a == "--skill-spread") {
        o.skillSpread = parseDouble(value());
      } else if (a == "--skill-seed") {
        o.skillSeed = static_cast<uint32_t>(orvane::util::parseLong(value()));
      } else if (a == "--skills-out") {
        skillsOut = value();
      } else {
        return usage();
      }
    }
  } catch (const std::exception&) {
    return usage();
  }

  orvane::tools::BrkLogGenerator gen(o);
  const double target = mb * 1e6;
  double written = 0;
  for (int m = 0; m < o.matches || written < target; ++m) {
    const std::string match = gen.nextMatch();
    std::fwrite(match.data(), 1, match.size(), stdout);
    written += static_cast<double>(match.size());
  }
  if (!skillsOut.empty()) {
    std::ofstream file(skillsOut, std::ios::binary);
    file << orvane::tools::skillLines(gen.skills());
    if (!file.flush()) {
      std::cerr << "brkgen: cannot write " << skillsOut << "\n";
      return 1;
    }
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
