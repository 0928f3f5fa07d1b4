// zlngen: writes a seeded Zolnar statistics log, one match in 16-bit little-endian text, to
// standard output.
//
//   zlngen --seed N --type NAME [--players P] [--bots B] [--events E] [--malformed] [--day N]
//          > file.log

#include <cstdio>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/ZlnLogGenerator.h"
#include "util/Numbers.h"

namespace {

int usage() {
  std::cerr << "usage: zlngen --seed N --type NAME [--players P] [--bots B] [--events E]"
               " [--malformed] [--day N]\n";
  return 2;
}

// Reads the options into o; false on an unknown option or a missing or non-numeric value.
bool readOptions(int argc, char** argv, orvane::tools::ZlnLogOptions& o) {
  using orvane::util::parseInt;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--malformed") {
      o.malformed = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string_view v = argv[++i];
    if (a == "--seed") {
      o.seed = static_cast<uint32_t>(orvane::util::parseLong(v));
    } else if (a == "--type") {
      o.gameType = v;
    } else if (a == "--players" || a == "--bots" || a == "--events" || a == "--day") {
      int& target = a == "--players"  ? o.players
                    : a == "--bots"   ? o.bots
                    : a == "--events" ? o.eventsPerMatch
                                      : o.startDay;
      target = parseInt(v);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  orvane::tools::ZlnLogOptions o;
  try {
    if (!readOptions(argc, argv, o)) return usage();
  } catch (const std::exception&) {
    return usage();
  }
  const std::string log = orvane::tools::generateZlnLog(o);
  std::fwrite(log.data(), 1, log.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
