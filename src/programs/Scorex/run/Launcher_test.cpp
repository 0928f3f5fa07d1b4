#include "programs/Scorex/run/Launcher.h"

#include <gtest/gtest.h>

#include <sstream>

#include "programs/Scorex/settings/config.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex::run {
namespace {

const EntryStyle kBrk = {"ScorexBRK", "The default config file is 'ScorexBRK.cfg'", false};
const EntryStyle kZln = {"ScorexZLN", "The default config file is './ScorexZLN.cfg'", true};

std::string usage(const std::string& prog, const std::string& defaultLine) {
  return "\nUsage: " + prog +
         " [-c <configfile>] [-v] <logfile1> ...<logfileN>\n\nThe default directory is '.'\n" +
         defaultLine + "\n\n";
}
const std::string kBrkUsage = usage("ScorexBRK", "The default config file is 'ScorexBRK.cfg'");
const std::string kZlnUsage = usage("ScorexZLN", "The default config file is './ScorexZLN.cfg'");

struct Case {
  std::vector<std::string> args;
  std::optional<std::string> configFile;
  std::vector<std::string> logs;
  int32_t verbose;
  bool quit;
  std::string printed;
};

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override { settings::config::reset(); }
  void TearDown() override { settings::config::reset(); }

  void check(const EntryStyle& style, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      std::ostringstream out;
      const CommandLine cl = Launcher::parse(c.args, style, out);
      std::string joined;
      for (const std::string& a : c.args) joined += "[" + a + "]";
      EXPECT_EQ(cl.configFile, c.configFile) << joined;
      EXPECT_EQ(cl.logfiles, c.logs) << joined;
      EXPECT_EQ(cl.verbose, c.verbose) << joined;
      EXPECT_EQ(cl.quit, c.quit) << joined;
      EXPECT_EQ(out.str(), c.printed) << joined;
    }
  }
};

TEST_F(LauncherTest, OptionsAndLogNames) {
  check(kBrk,
        {
            {{"-v", "-v", "a.log"}, std::nullopt, {"a.log"}, 2, false, ""},
            {{"-verbose", "a.log", "-v"}, std::nullopt, {"a.log", "-v"}, 1, false, ""},
            {{"-c", "x.cfg", "-c", "y.cfg", "a"}, "y.cfg", {"a"}, 0, false, ""},
            {{"-cfg", "x.cfg", "a"}, "x.cfg", {"a"}, 0, false, ""},
            {{"-l", "-dash.log", "b.log"}, std::nullopt, {"-dash.log", "b.log"}, 0, false, ""},
            {{"-l", "a", "-l", "b"}, std::nullopt, {"a", "b"}, 0, false, ""},
            {{"", "-v"}, std::nullopt, {"", "-v"}, 0, false, ""},
        });
}

TEST_F(LauncherTest, MissingLogListIsReportedButTheRunGoesOn) {
  const std::string noLog = "Error: No Log File Specified\n" + kBrkUsage;
  check(kBrk, {
                  {{}, std::nullopt, {}, 0, false, noLog},
                  {{"-v", "-v"}, std::nullopt, {}, 2, false, noLog},
                  {{"-l", "a", "-v"}, std::nullopt, {"a"}, 1, false, ""},
                  // A value-taking option as the last argument ends the scan past the end.
                  {{"-c"}, std::nullopt, {}, 0, false, ""},
                  {{"-v", "-l"}, std::nullopt, {}, 1, false, ""},
                  {{"-b"}, std::nullopt, {}, 0, false, ""},
              });
}

TEST_F(LauncherTest, InvalidOptionsAreReportedAndScanningGoesOn) {
  check(kBrk,
        {
            {{"-x", "a.log"},
             std::nullopt,
             {"a.log"},
             0,
             false,
             "Invalid option encountered:-x\n" + kBrkUsage},
            {{"-zz", "-v", "-q"},
             std::nullopt,
             {},
             1,
             false,
             "Invalid option encountered:-zz\n" + kBrkUsage + "Invalid option encountered:-q\n" +
                 kBrkUsage + "Error: No Log File Specified\n" + kBrkUsage},
        });
}

TEST_F(LauncherTest, QuitEndsAtOnce) {
  check(kBrk, {
                  {{"-u", "-x", "a.log"}, std::nullopt, {}, 0, true, ""},
                  {{"-v", "-x", "-u"},
                   std::nullopt,
                   {},
                   1,
                   true,
                   "Invalid option encountered:-x\n" + kBrkUsage},
              });
}

TEST_F(LauncherTest, SecondModuleEchoesOptionsAndHasItsOwnUsage) {
  check(kZln, {
                  {{"-v", "-c", "z.cfg", "a", "-v"},
                   "z.cfg",
                   {"a", "-v"},
                   1,
                   false,
                   "arg 0 =>-v<=\narg 1 =>-c<=\n"},
                  {{"-y"},
                   std::nullopt,
                   {},
                   0,
                   false,
                   "arg 0 =>-y<=\nInvalid option encountered:-y\n" + kZlnUsage +
                       "Error: No Log File Specified\n" + kZlnUsage},
                  {{"-u"}, std::nullopt, {}, 0, true, "arg 0 =>-u<=\n"},
              });
}

TEST_F(LauncherTest, BrowserOverride) {
  const std::vector<std::pair<std::string, bool>> values = {
      {"T", true},    {"t", true},  {"TRUE", true}, {"tRuE", true},
      {"yes", false}, {"1", false}, {"", false},    {"truey", false}};
  for (const auto& [value, on] : values) {
    settings::config::reset();
    std::ostringstream out;
    Launcher::parse({"-b", value, "a.log"}, kBrk, out);
    EXPECT_EQ(settings::config::spawnBrowser(), on) << value;
  }
  settings::config::reset();
  std::ostringstream out;
  Launcher::parse({"-b", "t", "-b", "no", "a.log"}, kBrk, out);
  EXPECT_FALSE(settings::config::spawnBrowser());
}

TEST_F(LauncherTest, LoneDashIsAFailure) {
  std::ostringstream out;
  try {
    Launcher::parse({"-v", "-", "a.log"}, kZln, out);
    FAIL() << "a lone dash was accepted";
  } catch (const util::Failure& f) {
    EXPECT_EQ(util::failureText(f),
              "StringIndexOutOfBoundsException: String index out of range: 1");
  }
  EXPECT_EQ(out.str(), "arg 0 =>-v<=\narg 1 =>-<=\n");
}

}  // namespace
}  // namespace orvane::programs::Scorex::run
