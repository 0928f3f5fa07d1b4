#include "programs/Scorex/run/Launcher.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "ConfigReset.h"
#include "programs/Scorex/settings/config.h"

namespace orvane::programs::Scorex::run {
namespace {

// The command line as "config|logs|verbose|quit|printed".
std::string parse(const std::vector<std::string>& args) {
  std::ostringstream out;
  const CommandLine cl = Launcher::parse(args, {"ScorexZLN", "The default ...", true}, out);
  std::string logs;
  for (const std::string& l : cl.logfiles) logs += "[" + l + "]";
  return cl.configFile.value_or("-") + "|" + logs + "|" + std::to_string(cl.verbose) + "|" +
         (cl.quit ? "quit" : "") + "|" + out.str();
}

// The whole-program tests pin the usage blocks; here, where the scan of options ends and what
// turns the browser on.
TEST(Launcher, OptionsEndAtTheFirstLogNameAndTheBrowserIsTrueOrTInAnyCase) {
  EXPECT_EQ(parse({"-v", "-verbose", "a.log", "-v"}),
            "-|[a.log][-v]|2||arg 0 =>-v<=\narg 1 =>-verbose<=\n");
  EXPECT_EQ(parse({"-c", "x", "-cfg", "y", "-l", "-d.log", "", "-v"}),
            "y|[-d.log][][-v]|0||arg 0 =>-c<=\narg 2 =>-cfg<=\narg 4 =>-l<=\n");
  // A value-taking option as the last argument ends the scan past the end, unreported.
  for (const std::string last : {"-c", "-l", "-b"}) {
    EXPECT_EQ(parse({"-v", last}), "-||1||arg 0 =>-v<=\narg 1 =>" + last + "<=\n");
  }
  const testing::ConfigReset reset;
  const std::set<std::string> on = {"T", "t", "TRUE", "tRuE"};
  for (const std::string value : {"T", "t", "TRUE", "tRuE", "yes", "1", "", "truey", "trUX"}) {
    settings::config::reset();
    parse({"-b", "t", "-b", value, "a.log"});  // the last one counts
    EXPECT_EQ(settings::config::spawnBrowser(), on.count(value) == 1) << value;
  }
}

}  // namespace
}  // namespace orvane::programs::Scorex::run
