#include "programs/Scorex/career/TotalsBase.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "programs/Scorex/settings/config.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"

namespace orvane::programs::Scorex::career {

using util::Debug;

namespace {

int64_t nowMillis() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

size_t TotalsBase::addStamp(int64_t time) {
  size_t x = 0;
  while (x < gameList.size() && gameList[x] >= time) ++x;
  gameList.insert(gameList.begin() + static_cast<std::ptrdiff_t>(x), time);
  return x;
}

void TotalsBase::addRecent(size_t x, const std::string& date, const std::string& map,
                           std::string_view type) {
  const int32_t keep = settings::config::numGamesToSave();
  if (keep > 0 && x < static_cast<size_t>(keep)) {
    if (gameDateList.size() > x) {
      const auto at = static_cast<std::ptrdiff_t>(x);
      gameDateList.insert(gameDateList.begin() + at, date);
      gameMapList.insert(gameMapList.begin() + at, map);
      gameTypeList.insert(gameTypeList.begin() + at, std::string(type));
    } else if (gameDateList.size() == x) {
      gameDateList.push_back(date);
      gameMapList.push_back(map);
      gameTypeList.emplace_back(type);
    }
  }
  const size_t cut = static_cast<size_t>(std::max(keep, 0));
  if (gameDateList.size() > cut) {
    gameDateList.resize(cut);
    gameMapList.resize(cut);
    gameTypeList.resize(cut);
  }
}

void TotalsBase::offerHighGame(int32_t frags, int64_t time) {
  if (frags > highGameFrags) {
    highGameFrags = frags;
    highGameUID = time;
  }
}

bool TotalsBase::isNewGame(const games::Game& gm) {
  try {
    Debug::print("I Totals.isNewGame", 1);
    const int64_t t = gm.theTime();
    bool known = false;
    for (const int64_t e : gameList) {
      if (t > e) break;
      if (t == e) {
        known = true;
        break;
      }
    }
    // The match list keeps only the newest stamps; the archive knows every merged match.
    known = known || archive.contains(t);
    Debug::print("O Totals.isNewGame", 1);
    return !known;
  } catch (const std::exception& e) {
    Debug::report("Error in Totals.isNewGame: ", e);
    return false;
  }
}

bool TotalsBase::isHighGame(const games::Game& gm) { return gm.theTime() == highGameUID; }

bool TotalsBase::isRecentGame(const games::Game& gm) {
  return !gameList.empty() && gm.theTime() == gameList.front();
}

bool TotalsBase::isPrintableGame(const games::Game& gm, int32_t n) {
  // Keeping no recent match means printing none.
  if (n <= 0) return false;
  if (gameList.size() <= static_cast<size_t>(n)) return true;
  return gm.theTime() >= gameList[static_cast<size_t>(n) - 1];
}

int64_t TotalsBase::gListElement(int32_t y) const {
  if (y < 0 || static_cast<size_t>(y) >= gameList.size()) return 0;
  return gameList[static_cast<size_t>(y)];
}

// ---- Files ---------------------------------------------------------------------------------

void TotalsBase::save(const std::string& file, const std::string& bytes) {
  const std::string path = settings::config::qmDBDir() + file;
  if (std::find(damaged.begin(), damaged.end(), file) != damaged.end()) {
    // Nothing is lost for good: the file that failed to read stays beside the new one.
    keepDamaged(path);
    damaged.erase(std::find(damaged.begin(), damaged.end(), file));
  }
  // Inside a run's save the bytes wait for its commit; a file saved on its own is replaced at
  // once.
  if (saving) {
    journal.replaceFile(file, bytes);
  } else {
    util::writeWholeFile(path, bytes, true);
  }
}

std::string TotalsBase::matchArchivePath() const {
  return settings::config::qmDBDir() + files.matches;
}

void TotalsBase::keepDamaged(const std::string& path) {
  util::copyToNewFile(path, path + ".damaged-" + std::to_string(nowMillis()));
}

void TotalsBase::saveArchive() {
  if (!archive.hasNew()) return;
  const std::string path = settings::config::qmDBDir() + files.matches;
  if (archive.damaged()) {
    keepDamaged(path);
    journal.cutAt(files.matches, archive.soundSize());
  }
  const std::string header = archive.header();
  if (!header.empty()) journal.writeAt(files.matches, 0, header);
  auto at = static_cast<int64_t>(header.size()) + archive.soundSize();
  for (std::string& slice : archive.takeNew()) {
    const auto size = static_cast<int64_t>(slice.size());
    journal.writeAt(files.matches, at, std::move(slice));
    at += size;
  }
}

void TotalsBase::readMatchDB() {
  const std::string path = settings::config::qmDBDir() + files.matches;
  if (isLink(path, "Error in Totals.readMatchDB: ")) return;
  try {
    archive.open(path);
  } catch (const std::exception& e) {
    Debug::report("Error in Totals.readMatchDB: ", e);
  }
}

void TotalsBase::readRatingsDB() {
  readFile(files.ratings, "Error in Totals.readRatingsDB: ", [this](util::BigEndianReader& in) {
    ratings.read(in);
  });
}

bool TotalsBase::writeRatingsDB() {
  return writeFile(files.ratings, "Error in Totals.writeRatingsDB: ",
                   [this](util::BigEndianWriter& out) { ratings.write(out); });
}

void TotalsBase::commitChanges() {
  const std::string db = settings::config::qmDBDir();
  store::Journal changes = std::move(journal);
  journal = store::Journal();
  // A run that merged nothing saves the same bytes: a cron run every few minutes must not
  // rewrite and sync megabytes of database for nothing.
  if (!modified) changes.dropUnchanged(db);
  if (changes.empty()) return;
  changes.check(db);
  // A match the database will hold must find its pages after a power cut.
  if (util::isDirectory(settings::config::qmHtmlDir()))
    util::syncFileSystem(settings::config::qmHtmlDir());
  changes.commit(db);
  // A change that cannot be made fails the save, but the changes stay committed: the next run
  // completes them before it reads anything.
  changes.apply(db);
}

bool TotalsBase::writeFile(const char* file, const char* prefix,
                           const std::function<void(util::BigEndianWriter&)>& build) {
  try {
    util::BigEndianWriter out;
    build(out);
    save(file, out.bytes());
    return true;
  } catch (const std::exception& e) {
    Debug::report(prefix, e);
    return false;
  }
}

bool TotalsBase::isLink(const std::string& path, const char* prefix) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return false;
  linkedFile = true;
  Debug::report(prefix, util::Failure(util::Failure::kIO,
                                      path + " (a symbolic link: not read; nothing is saved "
                                             "while it is there)"));
  return true;
}

void TotalsBase::readFile(const char* file, const char* prefix,
                          const std::function<void(util::BigEndianReader&)>& parse) {
  const std::string path = settings::config::qmDBDir() + file;
  if (isLink(path, prefix)) return;
  if (!util::isReadableFile(path)) return;
  try {
    const std::string bytes = util::readWholeFile(path);
    util::BigEndianReader in(bytes);
    try {
      parse(in);
    } catch (const std::exception&) {
      damaged.push_back(file);
      throw;
    }
    // A damaged record has reported itself; the file is kept before it is saved over.
    if (in.failed()) damaged.push_back(file);
  } catch (const std::exception& e) {
    Debug::report(prefix, e);
  }
}

void TotalsBase::readGameDB() {
  readFile(files.game, "Error in Totals.readGameDB: ", [this](util::BigEndianReader& in) {
    in.readInt();  // version: written as 1, not compared
    const int32_t numUIDs = in.readInt();
    const int32_t numGames = in.readInt();
    const int32_t longest = in.readInt();
    gameList.clear();
    for (int32_t i = 0; i < numUIDs; ++i) gameList.push_back(in.readLong());
    gameDateList.clear();
    gameMapList.clear();
    gameTypeList.clear();
    const size_t limit = static_cast<size_t>(std::max(longest, 0));
    for (int32_t i = 0; i < numGames; ++i) {
      std::string date = in.readText(limit);
      std::string map = in.readText(limit);
      std::string type = in.readText(limit);
      gameDateList.push_back(std::move(date));
      gameMapList.push_back(std::move(map));
      gameTypeList.push_back(std::move(type));
    }
  });
}

bool TotalsBase::writeGameDB() {
  return writeFile(files.game, "Error in Totals.writeGameDB: ", [this](util::BigEndianWriter& out) {
    const size_t numUIDs = std::min(gameList.size(), kMaxStamps);
    const size_t numGames = std::min(
        gameDateList.size(), static_cast<size_t>(std::max(settings::config::numGamesToSave(), 0)));
    size_t longest = 0;
    for (size_t i = 0; i < numGames; ++i) {
      longest = std::max(
          {longest, gameDateList[i].size(), gameMapList[i].size(), gameTypeList[i].size()});
    }
    out.writeInt(1);
    out.writeInt(static_cast<int32_t>(numUIDs));
    out.writeInt(static_cast<int32_t>(numGames));
    out.writeInt(static_cast<int32_t>(longest));
    for (size_t i = 0; i < numUIDs; ++i) out.writeLong(gameList[i]);
    for (size_t i = 0; i < numGames; ++i) {
      out.writeText(gameDateList[i]);
      out.writeText(gameMapList[i]);
      out.writeText(gameTypeList[i]);
    }
  });
}

}  // namespace orvane::programs::Scorex::career
