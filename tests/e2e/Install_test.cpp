// The installed layout as an admin meets it: `cmake --install` of this build tree into a
// temporary prefix, a site home prepared with the installed scorex-setup, and a run there.
#include <gtest/gtest.h>

#include <filesystem>

#include "Subprocess.h"
#include "TempDir.h"

namespace orvane {
namespace {

using testing::RunOptions;
using testing::RunResult;

RunResult run(const std::string& program, std::vector<std::string> args,
              const std::string& cwd = ".") {
  RunOptions options;
  options.args = std::move(args);
  options.cwd = cwd;
  options.env["DISPLAY"] = std::nullopt;
  return testing::runProgram(program, options);
}

TEST(Install, SetupPreparesAHomeThatTheInstalledProgramsRunIn) {
  testing::TempDir prefix;
  const RunResult installed =
      run(CMAKE_COMMAND, {"--install", SCOREX_BINARY_DIR, "--prefix", prefix.path()});
  ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
  const std::string bin = prefix.file("bin/"), share = prefix.file("share/scorex/");
  for (const char* f : {"ScorexBRK", "ScorexZLN", "scorex-setup"}) {
    EXPECT_TRUE(std::filesystem::exists(bin + f)) << f;
  }
  for (const char* f : {"ScorexBRK.cfg", "ScorexZLN.cfg", "spawnBrowser.exe",
                        "examples/brakk-day1.log", "examples/zolnar-6-sp.log"}) {
    EXPECT_TRUE(std::filesystem::exists(share + f)) << f;
  }
  // ScorexZLN's manual page is the one both programs share.
  EXPECT_EQ(testing::slurp(prefix.file("share/man/man1/ScorexZLN.1")), ".so man1/ScorexBRK.1\n");

  testing::TempDir homes;
  const std::string home = homes.file("brakk stats");
  RunResult setup = run(bin + "scorex-setup", {home, "brk"});
  ASSERT_EQ(setup.status, 0) << setup.err;
  EXPECT_NE(setup.out.find("Next: cd " + home + " && ScorexBRK /path/to/logs/*.log"),
            std::string::npos)
      << setup.out;
  EXPECT_EQ(testing::slurp(home + "/ScorexBRK.cfg"), testing::slurp(share + "ScorexBRK.cfg"));
  EXPECT_TRUE(std::filesystem::is_directory(home + "/data"));
  EXPECT_TRUE(std::filesystem::is_directory(home + "/html"));
  const auto perms = std::filesystem::status(home + "/spawnBrowser.exe").permissions();
  EXPECT_NE(perms & std::filesystem::perms::owner_exec, std::filesystem::perms::none);

  // A second setup keeps what the admin changed.
  homes.write("brakk stats/ScorexBRK.cfg", "Max_Most_Recent\t3\n");
  setup = run(bin + "scorex-setup", {home, "ScorexBRK"});
  EXPECT_EQ(setup.status, 0);
  EXPECT_EQ(testing::slurp(home + "/ScorexBRK.cfg"), "Max_Most_Recent\t3\n");

  // Usage errors end with status 2 and change nothing.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{home}, {home, "quake"}, {homes.file("other"), "BRK", "x"}}) {
    const RunResult bad = run(bin + "scorex-setup", args);
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "Usage: scorex-setup DIR MODULE   (MODULE: BRK or ZLN)\n");
  }
  EXPECT_FALSE(std::filesystem::exists(homes.file("other")));

  // The installed program runs headless in that home on an installed sample log.
  const RunResult scorex = run(bin + "ScorexBRK", {share + "examples/brakk-day1.log"}, home);
  EXPECT_EQ(scorex.status, 0) << scorex.out;
  EXPECT_TRUE(std::filesystem::exists(home + "/html/Scorex_Main.html")) << scorex.out;
  EXPECT_TRUE(std::filesystem::exists(home + "/data/brk_player.db")) << scorex.out;
}

}  // namespace
}  // namespace orvane
