#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvane::programs::Scorex::settings {

// Every setting of a run, one per process: set once by the run driver from the configuration
// file (key TAB value lines) and the program name, then read everywhere through the getters.
class config {
 public:
  static void set(const std::optional<std::string>& filename, const std::string& prog);
  // Throws when the directories would mix jobs: the database, the site and (in "move" mode)
  // the saved logs in one directory, or the database or the saved logs inside the site, which
  // would publish them (players' addresses included).
  static void checkDirectories();

  static const std::string& qmDir() { return dir; }
  // The resolved directories; each ends with "/" so callers append names directly.
  static std::string qmDBDir() { return resolve(dbDir); }
  static std::string qmHtmlDir() { return resolve(htmlDir); }
  static std::string qmSaveDir() { return resolve(saveDir); }
  static const std::string& qmLogHandling() { return logHandling; }
  static int32_t numGamesToSave() { return numGames; }
  static const std::string& getVersion() { return version; }
  static bool logTmpFiles() { return logTmp; }
  // The largest log a run takes in or reads, in bytes.
  static int64_t maxLogSize() { return maxLog; }
  static bool spawnBrowser();
  static void orBrowser(bool on);

  static int32_t getRankAll() { return RankAll; }
  static int32_t getRankDM() { return RankDM; }
  static int32_t getRankTG() { return RankTG; }
  static int32_t getRankCTF() { return RankCTF; }
  static int32_t getRankDom() { return RankDom; }
  static int32_t getRankA() { return RankA; }
  static int32_t getRank1v1() { return Rank1v1; }
  // The rated matches of a category a player needs before his rating there is no longer
  // provisional.
  static int32_t ratingMinMatches() { return RatingMinMatches; }
  // The sub-directory of the page directory the modern site is written into, ending with "/"
  // ("live/" by default); empty when the setting is "off".
  static const std::string& modernSite() { return ModernSite; }

  // Written by the run driver before set (homeDir, os) and by set (program).
  static std::string homeDir;
  static std::string os;
  static std::string program;

  // Test hook: every field back to its start-up default.
  static void reset();

 private:
  static std::string resolve(const std::string& value);
  static void readLines(const std::string& text);
  static void assign(const std::string& key, const std::string& value);

  static int32_t numGames;
  static std::string dir;
  static std::string dbDir;
  static std::string htmlDir;
  static std::string saveDir;
  static std::string logHandling;
  static bool logTmp;
  static int64_t maxLog;
  static bool browser;
  static std::string version;
  static std::optional<bool> browserOverride;  // set by orBrowser, over the setting
  static int32_t RankAll;
  static int32_t RankDM;
  static int32_t RankTG;
  static int32_t RankCTF;
  static int32_t RankDom;
  static int32_t RankA;
  static int32_t Rank1v1;
  static int32_t RatingMinMatches;
  static std::string ModernSite;
};

}  // namespace orvane::programs::Scorex::settings
