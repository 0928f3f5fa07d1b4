// The installed layout as an admin meets it: `cmake --install` of this build tree into a
// temporary prefix, a site home prepared with the installed scorex-setup, and a run there.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "Home.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::RunResult;
using testing::slurp;

RunResult run(const std::string& program, std::vector<std::string> args,
              const std::string& cwd = ".") {
  return testing::runProgram(program, {std::move(args), cwd, {{"DISPLAY", std::nullopt}}});
}

TEST(Install, SetupPreparesAHomeThatTheInstalledProgramsRunIn) {
  const testing::TempDir prefix;
  const RunResult installed =
      run(CMAKE_COMMAND, {"--install", SCOREX_BINARY_DIR, "--prefix", prefix.path()});
  ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
  const std::string bin = prefix.file("bin/"), share = prefix.file("share/scorex/");
  for (const std::string& f :
       {bin + "ScorexBRK", bin + "ScorexZLN", bin + "scorex-setup", bin + "scorex-ratings",
        share + "ScorexBRK.cfg", share + "ScorexZLN.cfg", share + "spawnBrowser.exe",
        share + "examples/brakk-day1.log", share + "examples/zolnar-6-sp.log"}) {
    EXPECT_TRUE(fs::exists(f)) << f;
  }
  // ScorexZLN's manual page is the one both programs share.
  EXPECT_EQ(slurp(prefix.file("share/man/man1/ScorexZLN.1")), ".so man1/ScorexBRK.1\n");

  const testing::TempDir homes;
  const std::string home = homes.file("brakk stats");
  RunResult setup = run(bin + "scorex-setup", {home, "brk"});
  ASSERT_EQ(setup.status, 0) << setup.err;
  EXPECT_THAT(setup.out, HasSubstr("Next: cd " + home + " && ScorexBRK /path/to/logs/*.log"));
  EXPECT_EQ(slurp(home + "/ScorexBRK.cfg"), slurp(share + "ScorexBRK.cfg"));
  EXPECT_TRUE(fs::is_directory(home + "/data") && fs::is_directory(home + "/html"));
  EXPECT_NE(fs::status(home + "/spawnBrowser.exe").permissions() & fs::perms::owner_exec,
            fs::perms::none);

  // A second setup keeps what the admin changed.
  homes.write("brakk stats/ScorexBRK.cfg", "Max_Most_Recent\t3\n");
  setup = run(bin + "scorex-setup", {home, "ScorexBRK"});
  EXPECT_EQ(setup.status, 0);
  EXPECT_EQ(slurp(home + "/ScorexBRK.cfg"), "Max_Most_Recent\t3\n");

  // Usage errors end with status 2 and change nothing.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{home}, {home, "quake"}, {homes.file("other"), "BRK", "x"}}) {
    const RunResult bad = run(bin + "scorex-setup", args);
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "Usage: scorex-setup DIR MODULE   (MODULE: BRK or ZLN)\n");
  }
  EXPECT_FALSE(fs::exists(homes.file("other")));

  // The installed program runs headless in that home on an installed sample log.
  const RunResult scorex = run(bin + "ScorexBRK", {share + "examples/brakk-day1.log"}, home);
  EXPECT_EQ(scorex.status, 0) << scorex.out;
  EXPECT_TRUE(fs::exists(home + "/html/Scorex_Main.html")) << scorex.out;
  EXPECT_TRUE(fs::exists(home + "/data/brk_player.db")) << scorex.out;
  const RunResult ratings = run(bin + "scorex-ratings", {home});
  EXPECT_EQ(ratings.status, 0) << ratings.err;
  EXPECT_THAT(ratings.out, HasSubstr("\nOverall\n  Rank   Rating"));
}

}  // namespace
}  // namespace orvane
