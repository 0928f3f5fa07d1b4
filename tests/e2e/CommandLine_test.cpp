// The programs as a user starts them: messages on standard output and exit statuses.
#include <gtest/gtest.h>

#include "Subprocess.h"
#include "TempDir.h"

namespace orvane {
namespace {

using testing::RunOptions;
using testing::RunResult;

std::string usage(const std::string& prog, const std::string& defaultLine) {
  return "\nUsage: " + prog +
         " [-c <configfile>] [-v] <logfile1> ...<logfileN>\n\nThe default directory is '.'\n" +
         defaultLine + "\n\n";
}
const std::string kBrkUsage = usage("ScorexBRK", "The default config file is 'ScorexBRK.cfg'");
const std::string kZlnUsage = usage("ScorexZLN", "The default config file is './ScorexZLN.cfg'");
// A run that merges no match into a new player store cannot store the summary players.
const std::string kEmptyStore =
    "Error PlayerDB.putPlayer: loc>num\n      loc=1\n      num=0\n"
    "Error PlayerDB.putPlayer: loc>num\n      loc=2\n      num=0\n"
    "Error PlayerDB.putPlayer: loc>num\n      loc=3\n      num=0\n";

// A fresh home directory with its database and page directories and an empty log a.log.
void prepare(const testing::TempDir& home) {
  home.mkdir("data");
  home.mkdir("html/Individual_Game_Stats");
  home.write("a.log", "");
}

// Runs a program headless in a prepared home directory.
RunResult run(const std::string& program, const testing::TempDir& home,
              std::vector<std::string> args, const std::optional<std::string>& display = {}) {
  prepare(home);
  RunOptions options;
  options.args = std::move(args);
  options.cwd = home.path();
  options.env["DISPLAY"] = display;
  return testing::runProgram(program, options);
}

std::string quietConfig(const testing::TempDir& home) {
  return home.write("quiet.cfg", "SpawnBrowser\tfalse\n");
}

TEST(CommandLine, NoArgumentsReportsTheMissingLogAndRunsOnDefaults) {
  testing::TempDir home;
  const RunResult r = run(SCOREX_BRK, home, {});
  EXPECT_EQ(r.status, 0);
  // The defaults start the browser launcher, which this home does not have.
  EXPECT_EQ(r.out, "Error: No Log File Specified\n" + kBrkUsage + "Warning: Bad Config file '" +
                       home.path() + "/ScorexBRK.cfg'\tUsing default values\n" +
                       "Error Couldn't Launch Browser 1: IOException: Cannot run program \"" +
                       home.path() + "/spawnBrowser.exe\": error=2, No such file or directory\n" +
                       kEmptyStore +
                       "Error Couldn't Launch Browser 2: IOException: Cannot run program \"" +
                       home.path() + "/spawnBrowser.exe\": error=2, No such file or directory\n");
  EXPECT_EQ(r.err, "");
}

TEST(CommandLine, FailedRunEndsWithStatusOne) {
  testing::TempDir home;
  RunOptions options;
  options.args = {"-b", "false"};
  options.cwd = home.path();  // no database directory
  options.env["DISPLAY"] = std::nullopt;
  const RunResult r = testing::runProgram(SCOREX_BRK, options);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Error in qmsToplvl.go: IOException: " + home.path() + "/data/"),
            std::string::npos)
      << r.out;
}

TEST(CommandLine, EndingOptionsExitWithTheirStatus) {
  testing::TempDir home;
  struct Case {
    std::string program;
    std::vector<std::string> args;
    int status;
    std::string out;
  };
  const std::vector<Case> cases = {
      {SCOREX_BRK, {"-u"}, 0, ""},
      {SCOREX_BRK, {"-v", "-u", "a.log"}, 0, ""},
      {SCOREX_ZLN,
       {"-x", "-u"},
       0,
       "arg 0 =>-x<=\nInvalid option encountered:-x\n" + kZlnUsage + "arg 1 =>-u<=\n"},
      {SCOREX_BRK, {"-"}, 255, "StringIndexOutOfBoundsException: String index out of range: 1\n"},
      {SCOREX_ZLN,
       {"-v", "-"},
       255,
       "arg 0 =>-v<=\narg 1 =>-<=\nStringIndexOutOfBoundsException: String index out of range: 1\n"},
  };
  for (const Case& c : cases) {
    const RunResult r = run(c.program, home, c.args);
    EXPECT_EQ(r.status, c.status) << c.args.size();
    EXPECT_EQ(r.out, c.out);
  }
}

TEST(CommandLine, InvalidOptionIsReportedAndTheRunGoesOn) {
  testing::TempDir home;
  const std::string cfg = quietConfig(home);
  const RunResult brk = run(SCOREX_BRK, home, {"-c", cfg, "-q", "a.log"});
  EXPECT_EQ(brk.status, 0);
  EXPECT_EQ(brk.out, "Invalid option encountered:-q\n" + kBrkUsage +
                         "Now Processing log 1 of 1: a.log\n" + kEmptyStore);
  const RunResult zln = run(SCOREX_ZLN, home, {"-c", cfg, "-q"});
  EXPECT_EQ(zln.status, 0);
  EXPECT_EQ(zln.out, "arg 0 =>-c<=\narg 2 =>-q<=\nInvalid option encountered:-q\n" + kZlnUsage +
                         "Error: No Log File Specified\n" + kZlnUsage + kEmptyStore);
}

TEST(CommandLine, VerboseShowsTheDriverTrace) {
  testing::TempDir home;
  const std::string cfg = quietConfig(home);
  const RunResult r = run(SCOREX_BRK, home, {"-v", "-c", cfg, "a.log"});
  EXPECT_EQ(r.status, 0);
  // The first line is the start date, in the form "Sun Dec 06 21:09:08 UTC 2026".
  const size_t eol = r.out.find('\n');
  ASSERT_NE(eol, std::string::npos);
  EXPECT_EQ(eol, 28u) << r.out;
  EXPECT_EQ(
      r.out.substr(eol + 1),
      "I core.go\nI core.moveLogFiles\nO core.moveLogFiles\nI core.getTotalsFromDB\n"
      "I Records\nO Records\nO qmsTopLvl.getDB\nNow Processing log 1 of 1: a.log\nI core.getLogfileData\n"
      "O core.getLogfileData\nI core.getGameStats\nO core.getGameStats\n"
      "I core.createTotalsHtml\nO core.createTotalsHtml: Nothing to update\n"
      "I core.putTotalsIntoDB\nI Records.writeDB\nO Records.writeDB\n" +
          kEmptyStore +
          "O core.putTotalsIntoDB\nI core.deleteOldLogfiles\n"
          "O core.deleteOldLogfiles\nI core.deleteOldHtml\nO core.deleteOldHtml\nO core.go\n");
}

TEST(CommandLine, ConfigurationMessagesAreShownAtLevelZero) {
  testing::TempDir home;
  home.write("ScorexZLN.cfg", "SpawnBrowser\tfalse\nno tab\nRankCTF\tmany\n");
  const RunResult r = run(SCOREX_ZLN, home, {"a.log"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "bad line in config file, ignoring:\nno tab\n\n"
            "Error in qmsConfig.setNumberFormatException: For input string: \"many\"\n"
            "Now Processing log 1 of 1: a.log\n" +
                kEmptyStore);
}

TEST(CommandLine, DisplayWithoutServerRunsHeadless) {
  testing::TempDir home;
  const std::string cfg = quietConfig(home);
  const RunResult r = run(SCOREX_BRK, home, {"-c", cfg}, std::string(":187"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Error: No Log File Specified\n" + kBrkUsage + kEmptyStore);
}

}  // namespace
}  // namespace orvane
