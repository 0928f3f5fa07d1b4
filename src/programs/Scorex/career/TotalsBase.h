#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "games/Game.h"
#include "programs/Scorex/career/Totals.h"
#include "programs/Scorex/rating/RatingBook.h"
#include "programs/Scorex/store/Journal.h"
#include "programs/Scorex/store/MatchArchive.h"
#include "util/BigEndian.h"

namespace orvane::programs::Scorex::career {

// The part of every module's career totals that does not depend on its players: the list of
// merged matches and the recent ones, the match counters and the high match, the match list
// file, and the whole-file reading and saving of the database files. The module's totals
// (TotalsCore) add the players, the index and the records.
class TotalsBase : public Totals {
 public:
  // A module's database files, in the database directory.
  struct Files {
    const char* game;
    const char* records;
    const char* hash;
    const char* player;
    const char* matches;  // the match archive
    const char* ratings;  // the skill ratings
  };
  // The match list keeps at most this many time stamps on disk.
  static constexpr size_t kMaxStamps = 50000;

  bool isNewGame(const games::Game& gm) override;
  bool isPrintableGame(const games::Game& gm, int32_t numGamesToSave) override;
  bool isHighGame(const games::Game& gm) override;
  bool isRecentGame(const games::Game& gm) override;
  bool isModified() const override { return modified; }
  int32_t gListSize() const override { return static_cast<int32_t>(gameList.size()); }
  int64_t gListElement(int32_t y) const override;
  const store::MatchArchive* matchArchive() const override { return &archive; }
  std::string matchArchivePath() const override;
  const rating::RatingBook* ratingBook() const override { return &ratings; }

  void readGameDB();
  bool writeGameDB();
  // The match archive and the skill ratings: read with the other files, saved after them.
  void readMatchDB();
  void readRatingsDB();
  bool writeRatingsDB();

  int32_t totalGamesPlayed = 0;
  int32_t highGameFrags = -5000;
  int64_t highGameUID = 0;
  std::vector<int64_t> gameList;  // newest first
  std::vector<std::string> gameDateList;
  std::vector<std::string> gameMapList;
  std::vector<std::string> gameTypeList;
  bool modified = false;
  // Every merged match's record, and the players' skill ratings (categories named by the
  // module: "Overall" first, then its game-type groups).
  store::MatchArchive archive;
  rating::RatingBook ratings;

 protected:
  TotalsBase(const Files& files, std::vector<std::string> ratingCategories)
      : ratings(std::move(ratingCategories)), files(files) {}

  // Puts a match's time stamp into the match list, after every stamp not older; returns its
  // position there.
  size_t addStamp(int64_t time);
  // Puts the match at position x of the match list into the recent lists when it is among the
  // kept ones, then cuts them to the kept count.
  void addRecent(size_t x, const std::string& date, const std::string& map, std::string_view type);
  // The match becomes the high match when its frags beat the high match's.
  void offerHighGame(int32_t frags, int64_t time);

  // Reads a whole database file with parse; a missing file is no error, a failure is
  // reported with the prefix, and a file that failed part-way is remembered as damaged.
  void readFile(const char* file, const char* prefix,
                const std::function<void(util::BigEndianReader&)>& parse);
  // Saves the bytes that build writes over a whole database file; a failure is reported with
  // the prefix and gives false.
  bool writeFile(const char* file, const char* prefix,
                 const std::function<void(util::BigEndianWriter&)>& build);

  // Makes the run's database changes, gathered in `journal`, durable together (the pages'
  // file system synced first), then carries them out. Throws when the commit cannot be made;
  // then nothing has changed.
  void commitChanges();
  // Puts the archive's new records into the run's journal, after cutting a damaged tail (the
  // file kept beside it first).
  void saveArchive();

  const Files files;
  // Set when a database file is a symbolic link: it is not read (it may lead to any file), and
  // the database is not saved over it (the link may lead to the real file).
  bool linkedFile = false;
  // The changes of this run's save, gathered until they are committed together, while saving.
  store::Journal journal;
  bool saving = false;

 private:
  // Puts a database file's new bytes into the journal; a file that could not be read is kept
  // beside it first.
  void save(const std::string& file, const std::string& bytes);
  // True, reported with the prefix, for a database file that is a symbolic link: it is not
  // read, and nothing is saved over it.
  bool isLink(const std::string& path, const char* prefix);
  // Keeps a copy of a damaged file as "<name>.damaged-<ms>".
  static void keepDamaged(const std::string& path);

  // Files whose reading failed part-way: kept as "<name>.damaged-<ms>" before they are saved
  // over.
  std::vector<std::string> damaged;
};

}  // namespace orvane::programs::Scorex::career
