#include "programs/Scorex/run/Launcher.h"

#include <exception>
#include <iostream>

#include "programs/Scorex/run/ProcessExit.h"
#include "programs/Scorex/run/core.h"
#include "programs/Scorex/settings/config.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Memory.h"

namespace orvane::programs::Scorex::run {

namespace {

void printUsage(const EntryStyle& style, std::ostream& out) {
  out << "\n"
      << "Usage: " << style.program << " [-c <configfile>] [-v] <logfile1> ...<logfileN>\n"
      << "\n"
      << "The default directory is '.'\n"
      << style.defaultConfigLine << "\n"
      << "\n";
}

bool isTrue(const std::string& s) {
  if (s.size() == 1) return s[0] == 't' || s[0] == 'T';
  if (s.size() != 4) return false;
  static const char kTrue[] = "true";
  for (size_t i = 0; i < 4; ++i) {
    const char c = s[i] >= 'A' && s[i] <= 'Z' ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
    if (c != kTrue[i]) return false;
  }
  return true;
}

}  // namespace

CommandLine Launcher::parse(const std::vector<std::string>& args, const EntryStyle& style,
                            std::ostream& out) {
  CommandLine cl;
  const size_t n = args.size();
  size_t i = 0;
  // An empty argument has no leading "-": it ends the options like any log name.
  while (i < n && !args[i].empty() && args[i][0] == '-') {
    const std::string& arg = args[i];
    if (style.echoArguments) out << "arg " << i << " =>" << arg << "<=\n";
    if (arg.size() < 2) {
      throw util::Failure(util::Failure::kStringIndexOutOfBounds, "String index out of range: 1");
    }
    const char letter = arg[1];
    const bool takesValue = letter == 'c' || letter == 'l' || letter == 'b';
    if (takesValue && i + 1 >= n) {
      i = n + 1;  // the value is missing: the scan ends past the end of the list
      break;
    }
    switch (letter) {
      case 'v':
        ++cl.verbose;
        break;
      case 'c':
        cl.configFile = args[++i];
        break;
      case 'u':
        cl.quit = true;
        return cl;
      case 'l':
        cl.logfiles.push_back(args[++i]);
        break;
      case 'b':
        settings::config::orBrowser(isTrue(args[++i]));
        break;
      default:
        out << "Invalid option encountered:" << arg << "\n";
        printUsage(style, out);
        break;
    }
    ++i;
  }
  if (i == n && cl.logfiles.empty()) {
    out << "Error: No Log File Specified\n";
    printUsage(style, out);
  }
  for (; i < n; ++i) cl.logfiles.push_back(args[i]);
  return cl;
}

int Launcher::main(const std::vector<std::string>& args, const EntryStyle& style) {
  util::reuseFreedMemory();
  try {
    const CommandLine cl = parse(args, style, std::cout);
    if (cl.quit) return 0;
    util::Debug::setLevel(cl.verbose);
    core driver;
    // A run that failed ends with status 1, so that cron and service managers see it.
    return driver.go(cl.configFile, cl.logfiles, style.program) ? 0 : 1;
  } catch (const ProcessExit& e) {
    return e.status;
  } catch (const std::exception& e) {
    std::cout << util::failureText(e) << "\n";
    return 255;  // the status -1 as the platform reports it
  } catch (...) {
    std::cout << "Exception\n";
    return 255;
  }
}

}  // namespace orvane::programs::Scorex::run
