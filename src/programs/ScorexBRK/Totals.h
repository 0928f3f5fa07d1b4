#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "games/brk/Game.h"
#include "games/brk/Player.h"
#include "games/brk/Specs.h"
#include "programs/Scorex/Totals.h"
#include "programs/ScorexBRK/HashEntry.h"
#include "programs/ScorexBRK/PlayerIndex.h"
#include "programs/ScorexBRK/Records.h"

namespace orvane::programs::ScorexBRK {

// The career database of Brakk in memory: every match merged so far, the recent ones, the
// counts per game type, the highest-scoring match, the summary players, the player index and
// the records. Loaded from the database directory at the start of a run, merged into match by
// match, saved at the end. Owned by the run driver for the whole run.
class Totals final : public Scorex::Totals {
 public:
  using Player = games::brk::Player;
  using Specs = games::brk::Specs;

  // The files, in the database directory.
  static constexpr const char* kGameFile = "brk_game.db";
  static constexpr const char* kRecordsFile = "brk_records.db";
  static constexpr const char* kHashFile = "brk_hash.db";
  static constexpr const char* kPlayerFile = "brk_player.db";
  // The match list keeps at most this many time stamps on disk.
  static constexpr size_t kMaxStamps = 50000;

  Totals();

  void update(const games::Game& gm) override;
  void sortPlayers() override;
  void readDBs() override;
  void writeDBs() override;
  bool isNewGame(const games::Game& gm) override;
  bool isPrintableGame(const games::Game& gm, int32_t numGamesToSave) override;
  bool isHighGame(const games::Game& gm) override;
  bool isRecentGame(const games::Game& gm) override;
  bool isModified() const override { return modified; }
  int32_t gListSize() const override { return static_cast<int32_t>(gameList.size()); }
  int64_t gListElement(int32_t y) const override;

  void readGameDB();
  bool writeGameDB();
  void readRecordsDB();
  bool writeRecordsDB();
  void readHashDB();
  bool writeHashDB();
  void openPlayerDB();
  void closePlayerDB();

  int32_t totalGamesPlayed = 0;
  int32_t highGameFrags = -5000;
  int64_t highGameUID = 0;
  Records rec;
  std::array<int32_t, Specs::kGames> gamesPlayed{};
  Player allStats;
  Player humanStats;
  Player botStats;
  std::vector<int64_t> gameList;  // newest first
  std::vector<std::string> gameDateList;
  std::vector<std::string> gameMapList;
  std::vector<std::string> gameTypeList;
  PlayerIndex plist;
  std::vector<const HashEntry*> sortedByName;
  std::vector<const HashEntry*> sortedByFDS;
  std::vector<const HashEntry*> sorted1v1;
  std::vector<const HashEntry*> sortedDM;
  std::vector<const HashEntry*> sortedTG;
  std::vector<const HashEntry*> sortedFPH;
  bool modified = false;

 private:
  void nameSummaries();
  // Reads a whole database file with parse; a missing file is no error, a failure is
  // reported with the prefix, and a file that failed part-way is remembered as damaged.
  template <class Parse>
  void readFile(const char* file, const char* prefix, Parse parse);
  // Saves bytes over a database file; a file that could not be read is kept beside it first.
  void save(const std::string& file, const std::string& bytes);

  // Files whose reading failed part-way: kept as "<name>.damaged-<ms>" before they are saved
  // over.
  std::vector<std::string> damaged;
};

}  // namespace orvane::programs::ScorexBRK
