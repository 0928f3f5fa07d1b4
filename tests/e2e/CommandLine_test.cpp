// The programs as a user starts them: messages on standard output and exit statuses, and the
// progress window of a real run under a private X server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iterator>
#include <regex>
#include <sstream>

#include "Home.h"
#include "XServer.h"

namespace orvane {
namespace {

using testing::Home;
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
const std::string kOneLog = "Now Processing log 1 of 1: a.log\n" + kEmptyStore;
const std::string kOutOfRange = "StringIndexOutOfBoundsException: String index out of range: 1\n";
const std::string kNoLauncher =
    "IOException: Cannot run program \"$H/spawnBrowser.exe\": error=2, No such file or directory\n";

// Each case runs in a fresh home with an empty a.log and a page directory of matches; "$H" in
// its output stands for the home, a final "..." for the rest.
TEST(CommandLine, MessagesAndExitStatuses) {
  const std::string brk = SCOREX_BRK;
  const std::string zln = SCOREX_ZLN;
  const struct {
    std::string program;
    std::string args;  // separated by blanks
    int status;
    std::string out;
    std::optional<std::string> settings = "";  // with the browser off; none: the defaults
    std::optional<std::string> display = std::nullopt;
  } cases[] = {
      // The defaults start the browser launcher, which this home does not have.
      {brk, "", 0,
       "Error: No Log File Specified\n" + kBrkUsage +
           "Warning: Bad Config file '$H/ScorexBRK.cfg'\tUsing default values\n"
           "Error Couldn't Launch Browser 1: " +
           kNoLauncher + kEmptyStore + "Error Couldn't Launch Browser 2: " + kNoLauncher,
       std::nullopt},
      // A display without a server: headless.
      {brk, "", 0, "Error: No Log File Specified\n" + kBrkUsage + kEmptyStore, "", ":187"},
      {brk, "-u", 0, ""},
      {brk, "-v -u a.log", 0, ""},
      {zln, "-x -u", 0,
       "arg 0 =>-x<=\nInvalid option encountered:-x\n" + kZlnUsage + "arg 1 =>-u<=\n"},
      {brk, "-", 255, kOutOfRange},
      {zln, "-v -", 255, "arg 0 =>-v<=\narg 1 =>-<=\n" + kOutOfRange},
      // An invalid option is reported and the run goes on.
      {brk, "-c ScorexBRK.cfg -q a.log", 0,
       "Invalid option encountered:-q\n" + kBrkUsage + kOneLog},
      {zln, "-c ScorexZLN.cfg -q", 0,
       "arg 0 =>-c<=\narg 2 =>-q<=\nInvalid option encountered:-q\n" + kZlnUsage +
           "Error: No Log File Specified\n" + kZlnUsage + kEmptyStore},
      // Messages of the configuration are shown at level 0.
      {zln, "a.log", 0,
       "bad line in config file, ignoring:\nno tab\n\n"
       "Error in qmsConfig.setNumberFormatException: For input string: \"many\"\n" +
           kOneLog,
       "no tab\nRankCTF\tmany\n"},
      // -v shows the driver's trace after the start date ("Sun Dec 06 21:09:08 UTC 2026").
      {brk, "-v a.log", 0, "<date>\nI core.go\nI core.moveLogFiles\nO core.moveLogFiles\n..."},
  };
  for (const auto& c : cases) {
    const Home home(c.program, c.settings.value_or(""));
    if (!c.settings) std::filesystem::remove(home.configFile());
    home.write("a.log", "");
    home.mkdir("html/Individual_Game_Stats");
    std::istringstream words(c.args);
    const std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
    const RunResult r = home.run(args, {{"DISPLAY", c.display}});
    EXPECT_EQ(r.status, c.status) << c.out;
    std::string out = std::regex_replace(
        r.out, std::regex("^... ... [0-9]{2} [0-9:]{8} UTC [0-9]{4}\n"), "<date>\n");
    std::string want = std::regex_replace(c.out, std::regex("\\$H"), home.path());
    if (want.ends_with("...")) out = out.substr(0, want.size() - 3) + "...";
    EXPECT_EQ(out, want);
    EXPECT_EQ(r.err, "");
  }
}

TEST(CommandLine, FailedRunEndsWithStatusOne) {
  const Home home(SCOREX_BRK);
  std::filesystem::remove(home.file("data"));
  EXPECT_THAT(home.expectRun(1, {"-b", "false"}).out,
              ::testing::HasSubstr("Error in qmsToplvl.go: IOException: " + home.file("data/")));
}

using Clock = std::chrono::steady_clock;

// The window of a run given one empty log (its looks are Frame1_test's): a window nobody
// closes stays for its pause, one closed hides at once and the run ends without the pause.
TEST(CommandLine, TheProgressWindowStaysForItsPauseUnlessClosed) {
  const testing::XServer x;
  if (!x.available()) GTEST_SKIP() << "Xvfb is not installed";
  const Home home(SCOREX_BRK);
  home.write("a.log", "");
  home.mkdir("html/Individual_Game_Stats");
  for (const bool close : {true, false}) {
    const auto start = Clock::now();
    testing::Background run(SCOREX_BRK, home.options({"-l", "a.log"}, {{"DISPLAY", x.display()}}));
    const auto window =
        testing::findWindow(x.display(), "Scorex for Kelvo Tourney DM for Brakk(tm)", 20000);
    const auto closed = Clock::now();
    if (close && window) testing::closeWindow(x.display(), *window);
    const RunResult r = run.wait(30000);
    ASSERT_TRUE(window) << "no window; status " << r.status << "\n" << r.out << r.err;
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kOneLog);
    // A closed window does not sit out its closing pause; an open one stays for it.
    const auto end = Clock::now();
    EXPECT_TRUE(close ? end - closed < std::chrono::milliseconds(2500)
                      : end - start >= std::chrono::milliseconds(3000));
  }
}

}  // namespace
}  // namespace orvane
