#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orvane::programs::Scorex::run {

// What sets one entry point apart from the other: the program name handed to the run driver,
// the default-file line of the usage block, and whether each option is echoed before it is read.
struct EntryStyle {
  std::string program;
  std::string defaultConfigLine;
  bool echoArguments;
};

// The command line as read: the last "-c" value, the logs in order and the number of "-v".
// quit is set by "-u", which ends the process at once.
struct CommandLine {
  std::optional<std::string> configFile;
  std::vector<std::string> logfiles;
  int32_t verbose = 0;
  bool quit = false;
};

// The shared body of the two entry points: reads the command line, sets the trace level, runs
// the driver, and returns the process's exit status.
class Launcher {
 public:
  static int main(const std::vector<std::string>& args, const EntryStyle& style);

  // Reads the options, printing the usage blocks to out; "-b" sets the browser override.
  // Throws a failure for an argument that is a lone "-".
  static CommandLine parse(const std::vector<std::string>& args, const EntryStyle& style,
                           std::ostream& out);
};

}  // namespace orvane::programs::Scorex::run
