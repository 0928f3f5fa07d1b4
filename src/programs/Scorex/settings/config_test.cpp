#include "programs/Scorex/settings/config.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "ConfigReset.h"
#include "TempDir.h"
#include "TraceCapture.h"

namespace orvane::programs::Scorex::settings {
namespace {

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override { config::homeDir = home.path(); }
  // Reads a configuration file with these bytes; returns what it reported.
  std::string read(const std::string& bytes) {
    trace.str("");
    config::set(home.write("my.cfg", bytes), "ScorexBRK");
    return trace.str();
  }
  // Every setting, in one line.
  static std::string all() {
    std::string s = config::qmDir() + "|" + config::qmDBDir() + "|" + config::qmHtmlDir() + "|" +
                    config::qmSaveDir() + "|" + config::qmLogHandling() + "|" +
                    std::to_string(config::numGamesToSave()) + "|" +
                    (config::logTmpFiles() ? "tmp" : "") + "|" +
                    (config::spawnBrowser() ? "browser" : "");
    for (int32_t r :
         {config::getRankAll(), config::getRankDM(), config::getRankTG(), config::getRankCTF(),
          config::getRankDom(), config::getRankA(), config::getRank1v1()}) {
      s += "|" + std::to_string(r);
    }
    return s + "|" + std::to_string(config::maxLogSize());
  }
  testing::ConfigReset reset;
  testing::TempDir home;
  testing::TraceCapture trace;
};

TEST_F(ConfigTest, EveryKeySetsItsFieldAndTheLastLineWins) {
  EXPECT_EQ(read("# comment\r\n\r\nDirectory\tABS\nDBDir\t/db/\nHTMLDirectory\t/www/ a\tb\r\n"
                 "LogFileHandling\tmove\nSaveDir\t/old/\nMax_Most_Recent\t3\r\n\n"
                 "Max_Most_Recent\t7\nLogTmpFiles\tFALSE\nSpawnBrowser\tTrUe\nRankAllGames\t1\n"
                 "RankDeathMatch\t2\nRankTeamGame\t3\nRankCTF\t4\nRankDomination\t5\n"
                 "RankAssault\t6\nRank1v1\t-3\nUnknownKey\tx\nMaxLogSize\t4294967296"),
            "");
  // The value keeps blanks and TABs, up to the CR.
  EXPECT_EQ(all(), "ABS|/db/|/www/ a\tb/|/old/|move|7||browser|1|2|3|4|5|6|-3|4294967296");
}

// A line without a value is skipped; a number that does not convert stops the reading there,
// and the upper bounds, applied after a whole read, are not applied then. Keys not read keep
// their defaults. (The whole-program tests pin the warning for a missing file.)
TEST_F(ConfigTest, BadLinesAndNumbers) {
  const std::string bad = "bad line in config file, ignoring:\n";
  EXPECT_EQ(read("RankCTF 5\nMax_Most_Recent\t\nno tab here\r\nRank1v1\t9\n"),
            bad + "RankCTF 5\n\n" + bad + "Max_Most_Recent\t\n\n" + bad + "no tab here\\x0D\n\n");
  read("Max_Most_Recent\t5000\nRankCTF\t100\nRankAllGames\t-3\nRank1v1\t64\n");
  const std::string h = home.path();
  const std::string dirs =
      "RELATIVE|" + h + "/data/|" + h + "/html/|" + h + "/processedLogs/|save|";
  EXPECT_EQ(all(), dirs + "1000|tmp|browser|-3|20|20|64|20|20|64|1073741824");
  for (const std::string value : {"\r", "ten", "5 ", "0"}) {
    EXPECT_EQ(read("RankCTF\t100\nMax_Most_Recent\t5000\nMaxLogSize\t" + value + "\nRank1v1\t1\n"),
              "Error in qmsConfig.setNumberFormatException: For input string: \"" +
                  value.substr(0, value.find('\r')) + "\"\n");
    EXPECT_EQ(all(), dirs + "5000|tmp|browser|-3|20|20|100|20|20|64|1073741824");
  }
}

TEST_F(ConfigTest, DirectoriesAndTheBrowserOverride) {
  // (The whole-program tests pin the directories of RELATIVE, below the home.) Outside RELATIVE (in
  // any other case) the values stand alone; an empty one means the current directory, never the
  // root.
  read("Directory\trelative\nDBDir\tdata/\n");
  EXPECT_EQ(config::qmDBDir(), "data/");
  read("Directory\tABS\nDBDir\t\r\n");
  EXPECT_EQ(config::qmDBDir(), "");
  config::orBrowser(false);
  read("SpawnBrowser\ttrue\n");
  EXPECT_FALSE(config::spawnBrowser());
  config::orBrowser(true);
  read("SpawnBrowser\tfalse\n");
  EXPECT_TRUE(config::spawnBrowser());

  // The modern site stays below the page directory, under a name a link can hold as it is.
  const std::string warning =
      "Warning: ModernSite must be off or a directory below HTMLDirectory; using live/\n";
  for (const auto& [value, dir, said] :
       std::vector<std::tuple<std::string, std::string, std::string>>{
           {"OFF", "", ""},
           {"stats", "stats/", ""},
           {"new/site/", "new/site/", ""},
           {"../up", "live/", warning},
           {"/abs", "live/", warning},
           {"a/../../b", "live/", warning},
           {"a b", "live/", warning},
           {"x\"y", "live/", warning}}) {
    EXPECT_EQ(read("ModernSite\t" + value + "\n"), said) << value;
    EXPECT_EQ(config::modernSite(), dir) << value;
  }
}

}  // namespace
}  // namespace orvane::programs::Scorex::settings
