#include "programs/Scorex/settings/config.h"

#include <gtest/gtest.h>

#include <sstream>

#include "TempDir.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::settings {
namespace {

using util::Debug;

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    config::reset();
    Debug::reset();
    Debug::setStream(&trace);
    config::homeDir = home.path();
  }
  void TearDown() override {
    config::reset();
    Debug::reset();
  }
  // Reads a configuration file with these bytes.
  void read(const std::string& bytes) { config::set(home.write("my.cfg", bytes), "ScorexBRK"); }

  testing::TempDir home;
  std::ostringstream trace;
};

TEST_F(ConfigTest, DefaultsWhenTheFileIsMissing) {
  config::set(std::nullopt, "ScorexBRK");
  EXPECT_EQ(trace.str(),
            "Warning: Bad Config file '" + home.path() + "/ScorexBRK.cfg'\tUsing default values\n");
  EXPECT_EQ(config::program, "ScorexBRK");
  EXPECT_EQ(config::getVersion(), "1.1");
  EXPECT_EQ(config::numGamesToSave(), 15);
  EXPECT_EQ(config::qmDir(), "RELATIVE");
  EXPECT_EQ(config::qmDBDir(), home.path() + "/data/");
  EXPECT_EQ(config::qmHtmlDir(), home.path() + "/html/");
  EXPECT_EQ(config::qmSaveDir(), home.path() + "/processedLogs/");
  EXPECT_EQ(config::qmLogHandling(), "save");
  EXPECT_TRUE(config::logTmpFiles());
  EXPECT_TRUE(config::spawnBrowser());
  for (int32_t r :
       {config::getRankAll(), config::getRankDM(), config::getRankTG(), config::getRankCTF(),
        config::getRankDom(), config::getRankA(), config::getRank1v1()}) {
    EXPECT_EQ(r, 20);
  }
}

TEST_F(ConfigTest, VersionByProgramName) {
  config::set(home.file("none.cfg"), "ScorexZLN");
  EXPECT_EQ(config::getVersion(), "1.00");
  config::set(home.file("none.cfg"), "Other");
  EXPECT_EQ(config::getVersion(), "0.00");
  EXPECT_EQ(config::program, "Other");
}

TEST_F(ConfigTest, EveryKeySetsItsField) {
  read(
      "Directory\tABS\nDBDir\t/db/\nHTMLDirectory\t/www/\nLogFileHandling\tmove\n"
      "SaveDir\t/old/\nMax_Most_Recent\t7\nLogTmpFiles\tFALSE\nSpawnBrowser\tTrUe\n"
      "RankAllGames\t1\nRankDeathMatch\t2\nRankTeamGame\t3\nRankCTF\t4\n"
      "RankDomination\t5\nRankAssault\t6\nRank1v1\t-3\nUnknownKey\tx\n"
      "MaxLogSize\t4294967296\n");
  EXPECT_EQ(trace.str(), "");
  EXPECT_EQ(config::qmDir(), "ABS");
  EXPECT_EQ(config::qmDBDir(), "/db/");
  EXPECT_EQ(config::qmHtmlDir(), "/www/");
  EXPECT_EQ(config::qmSaveDir(), "/old/");
  EXPECT_EQ(config::qmLogHandling(), "move");
  EXPECT_EQ(config::numGamesToSave(), 7);
  EXPECT_FALSE(config::logTmpFiles());
  EXPECT_TRUE(config::spawnBrowser());
  EXPECT_EQ(config::getRankAll(), 1);
  EXPECT_EQ(config::getRankDM(), 2);
  EXPECT_EQ(config::getRankTG(), 3);
  EXPECT_EQ(config::getRankCTF(), 4);
  EXPECT_EQ(config::getRankDom(), 5);
  EXPECT_EQ(config::getRankA(), 6);
  EXPECT_EQ(config::getRank1v1(), -3);
  EXPECT_EQ(config::maxLogSize(), int64_t{4294967296});
}

TEST_F(ConfigTest, CrLfLinesCommentsAndLastLineWins) {
  read(
      "# comment\r\n\r\nMax_Most_Recent\t3\r\n\nSpawnBrowser\ttrue\r\nSpawnBrowser\tyes\r\n"
      "HTMLDirectory\tsite/ with\tblank/\r\nMax_Most_Recent\t4");
  EXPECT_EQ(trace.str(), "");
  EXPECT_EQ(config::numGamesToSave(), 4);
  EXPECT_FALSE(config::spawnBrowser());
  // The value keeps blanks and TABs, up to the CR.
  EXPECT_EQ(config::qmHtmlDir(), home.path() + "/site/ with\tblank/");
}

TEST_F(ConfigTest, BadLinesAreReportedAndSkipped) {
  read("RankCTF 5\nMax_Most_Recent\t\nRankDeathMatch\t\r\nRank1v1\t9\n");
  EXPECT_EQ(trace.str(),
            "bad line in config file, ignoring:\nRankCTF 5\n\n"
            "bad line in config file, ignoring:\nMax_Most_Recent\t\n\n"
            "Error in qmsConfig.setNumberFormatException: For input string: \"\"\n");
  EXPECT_EQ(config::getRank1v1(), 20);  // reading stopped at the empty number
}

TEST_F(ConfigTest, BadLineKeepsItsCarriageReturnEscaped) {
  read("no tab here\r\nRank1v1\t9\r\n");
  EXPECT_EQ(trace.str(), "bad line in config file, ignoring:\nno tab here\\x0D\n\n");
  EXPECT_EQ(config::getRank1v1(), 9);
}

TEST_F(ConfigTest, UpperBoundsApplyAfterANormalRead) {
  read("Max_Most_Recent\t5000\nRankCTF\t100\nRankAllGames\t-3\nRank1v1\t64\n");
  EXPECT_EQ(config::numGamesToSave(), 1000);
  EXPECT_EQ(config::getRankCTF(), 64);
  EXPECT_EQ(config::getRankAll(), -3);
  EXPECT_EQ(config::getRank1v1(), 64);
}

TEST_F(ConfigTest, ConversionFailureStopsReadingWithoutBounds) {
  read("RankCTF\t100\nMax_Most_Recent\t5000\nRankDeathMatch\tten\nRankTeamGame\t1\n");
  EXPECT_EQ(trace.str(),
            "Error in qmsConfig.setNumberFormatException: For input string: \"ten\"\n");
  EXPECT_EQ(config::getRankCTF(), 100);
  EXPECT_EQ(config::numGamesToSave(), 5000);
  EXPECT_EQ(config::getRankTG(), 20);
}

TEST_F(ConfigTest, NumberWithTrailingBlankIsAFailure) {
  read("Max_Most_Recent\tabc\nRank1v1\t3\n");
  read("Rank1v1\t5 \nRankCTF\t3\n");
  read("MaxLogSize\t0\nRankCTF\t3\n");  // no log could be read: the default stays
  EXPECT_EQ(trace.str(),
            "Error in qmsConfig.setNumberFormatException: For input string: \"abc\"\n"
            "Error in qmsConfig.setNumberFormatException: For input string: \"5 \"\n"
            "Error in qmsConfig.setNumberFormatException: For input string: \"0\"\n");
  EXPECT_EQ(config::maxLogSize(), 1073741824);
  EXPECT_EQ(config::getRank1v1(), 20);
  EXPECT_EQ(config::getRankCTF(), 20);
}

TEST_F(ConfigTest, DirectoryOtherThanRelativeUsesValuesAlone) {
  read("Directory\trelative\nDBDir\tdata/\n");
  EXPECT_EQ(config::qmDBDir(), "data/");
  EXPECT_EQ(config::qmHtmlDir(), "html/");
}

TEST_F(ConfigTest, DirectoryValuesGetTheirTrailingSlash) {
  read("DBDir\tdb\nHTMLDirectory\tweb/\nSaveDir\tsaved\n");
  EXPECT_EQ(config::qmDBDir(), home.path() + "/db/");
  EXPECT_EQ(config::qmHtmlDir(), home.path() + "/web/");
  EXPECT_EQ(config::qmSaveDir(), home.path() + "/saved/");
  // An empty value outside RELATIVE means the current directory, never the root.
  read("Directory\tABS\nDBDir\t\r\n");
  EXPECT_EQ(config::qmDBDir(), "");
}

TEST_F(ConfigTest, BrowserOverrideBeatsTheKey) {
  config::orBrowser(false);
  read("SpawnBrowser\ttrue\n");
  EXPECT_FALSE(config::spawnBrowser());
  config::orBrowser(true);
  read("SpawnBrowser\tfalse\n");
  EXPECT_TRUE(config::spawnBrowser());
}

TEST_F(ConfigTest, RankingKeysAreIndependent) {
  read("RankDeathMatch\t3\nRank1v1\t9\n");
  EXPECT_EQ(config::getRankDM(), 3);
  EXPECT_EQ(config::getRank1v1(), 9);
}

}  // namespace
}  // namespace orvane::programs::Scorex::settings
