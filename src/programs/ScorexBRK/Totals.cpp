#include "programs/ScorexBRK/Totals.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <iostream>

#include "programs/Scorex/config.h"
#include "programs/ScorexBRK/PlayerDB.h"
#include "programs/ScorexBRK/SortFDS.h"
#include "programs/ScorexBRK/SortName.h"
#include "programs/ScorexBRK/output/SortDouble.h"
#include "programs/ScorexBRK/output/SortWonLost.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"
#include "util/QuickSort.h"
#include "util/Wrap.h"

namespace orvane::programs::ScorexBRK {

using Scorex::config;
using util::Debug;

namespace {

const games::brk::Game& brkGame(const games::Game& gm) {
  const auto* g = dynamic_cast<const games::brk::Game*>(&gm);
  if (g == nullptr) throw util::Failure("ClassCastException", "not a Brakk match");
  return *g;
}

void report(const char* prefix, const std::exception& e) {
  Debug::print(prefix + util::failureText(e), 0);
}

int64_t nowMillis() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// Sorts a copy of the entries with a comparator of HashEntry pointers.
std::vector<const HashEntry*> sortedCopy(const std::vector<const HashEntry*>& all,
                                         const util::Comp<const HashEntry*>& c) {
  std::vector<const HashEntry*> copy = all;
  util::QuickSort::quickSort(copy, c);
  return copy;
}

// Sorts the entries by keys made per entry; each key's num is the entry's position.
template <class Key, class MakeKey>
std::vector<const HashEntry*> sortedByKey(const std::vector<const HashEntry*>& all,
                                          MakeKey makeKey) {
  std::vector<Key> keys;
  keys.reserve(all.size());
  for (size_t i = 0; i < all.size(); ++i) keys.push_back(makeKey(*all[i], static_cast<int32_t>(i)));
  util::QuickSort::quickSort(keys, util::KeyComp<Key>());
  std::vector<const HashEntry*> order;
  order.reserve(keys.size());
  for (const Key& k : keys) order.push_back(all[static_cast<size_t>(k.num)]);
  return order;
}

}  // namespace

Totals::Totals() { nameSummaries(); }

void Totals::nameSummaries() {
  allStats.name = "All Players (Humans and Bots)";
  allStats.isABot = false;
  allStats.uid = -3;
  humanStats.name = "All Humans";
  humanStats.isABot = false;
  humanStats.uid = -2;
  botStats.name = "All Bots";
  botStats.isABot = true;
  botStats.uid = -1;
}

void Totals::update(const games::Game& game) {
  try {
    Debug::print("I Totals.update", 1);
    const games::brk::Game& gm = brkGame(game);
    // Without its player store no match may be counted as known: its players would be lost.
    if (!PlayerDB::usable()) throw util::Failure("IOException", "the player store is not usable");
    const size_t gt = static_cast<size_t>(gm.gameType);
    const size_t dm = static_cast<size_t>(Specs::loc(Specs::games, "RegularDM"));
    const size_t tm = static_cast<size_t>(Specs::loc(Specs::games, "TeamPlay"));
    const size_t om = static_cast<size_t>(Specs::loc(Specs::games, "1-vs-1"));

    size_t x = 0;
    while (x < gameList.size() && gameList[x] >= gm.time) ++x;
    gameList.insert(gameList.begin() + static_cast<std::ptrdiff_t>(x), gm.time);
    if (x == 0) rec.addRecentGame(gm);

    const int32_t keep = config::numGamesToSave();
    if (keep > 0 && x < static_cast<size_t>(keep)) {
      const std::string typeName(Specs::games.at(gt));
      if (gameDateList.size() > x) {
        const auto at = static_cast<std::ptrdiff_t>(x);
        gameDateList.insert(gameDateList.begin() + at, gm.date);
        gameMapList.insert(gameMapList.begin() + at, gm.map);
        gameTypeList.insert(gameTypeList.begin() + at, typeName);
      } else if (gameDateList.size() == x) {
        gameDateList.push_back(gm.date);
        gameMapList.push_back(gm.map);
        gameTypeList.push_back(typeName);
      }
    }
    const size_t cut = static_cast<size_t>(std::max(keep, 0));
    if (gameDateList.size() > cut) {
      gameDateList.resize(cut);
      gameMapList.resize(cut);
      gameTypeList.resize(cut);
    }

    util::addTo(totalGamesPlayed, 1);
    util::addTo(gamesPlayed.at(gt), 1);
    if (gm.gameTotals.all.frags > highGameFrags) {
      highGameFrags = gm.gameTotals.all.frags;
      highGameUID = gm.time;
    }

    // New players continue after the largest career number, so a damaged or duplicated
    // index entry can never hand out a number that is already taken.
    int32_t nextUID = plist.nextUID();
    for (const Player& p : gm.plist) {
      allStats.update(p);
      allStats.games.at(gt).update(p.all);
      if (p.isABot) {
        util::subFrom(allStats.all.pingNum, p.all.pingNum);
        botStats.update(p);
        botStats.games.at(gt).update(p.all);
      } else {
        humanStats.update(p);
        humanStats.games.at(gt).update(p.all);
      }
      const std::string key = PlayerIndex::key(p.name, p.isABot);
      HashEntry* h = plist.find(key);
      Player np;
      if (h == nullptr) {
        h = &plist.put(HashEntry(p.name, p.isABot, nextUID));
        nextUID = util::add32(nextUID, 1);
        np.uid = h->uid;
      } else {
        std::optional<Player> stored = PlayerDB::getPlayer(h->uid);
        if (!stored) throw util::Failure("NullPointerException", "");
        np = std::move(*stored);
      }
      np.name = h->name;
      np.isABot = h->isABot;
      np.update(p);
      np.games.at(gt).update(p.all);
      h->update(np.all.totalTime, np.all.frags, np.all.deaths, np.all.suicides,
                np.games.at(dm).frags, np.games.at(dm).deaths, np.games.at(dm).suicides,
                np.games.at(tm).teamWins, np.games.at(tm).teamLosses, np.games.at(om).teamWins,
                np.games.at(om).teamLosses);
      PlayerDB::putPlayer(np);
      rec.updateCareerRecords(np);
    }
    rec.updateGameRecords(gm, plist);

    for (Player* s : {&allStats, &botStats, &humanStats}) {
      s->all.uses = totalGamesPlayed;
      for (size_t t = 0; t < Specs::kGames; ++t) s->games[t].uses = gamesPlayed[t];
    }
    modified = true;
    std::cout << "Players in DB:" << plist.size() << "\n";
    Debug::print("O Totals.update", 1);
  } catch (const std::exception& e) {
    report("Error in Totals.update: ", e);
  }
}

bool Totals::isNewGame(const games::Game& gm) {
  try {
    Debug::print("I Totals.isNewGame", 1);
    const int64_t t = gm.theTime();
    for (const int64_t e : gameList) {
      if (t > e) break;
      if (t == e) {
        Debug::print("O Totals.isNewGame", 1);
        return false;
      }
    }
    Debug::print("O Totals.isNewGame", 1);
    return true;
  } catch (const std::exception& e) {
    report("Error in Totals.isNewGame: ", e);
    return false;
  }
}

bool Totals::isHighGame(const games::Game& gm) { return gm.theTime() == highGameUID; }

bool Totals::isRecentGame(const games::Game& gm) {
  return !gameList.empty() && gm.theTime() == gameList.front();
}

bool Totals::isPrintableGame(const games::Game& gm, int32_t n) {
  // Keeping no recent match means printing none.
  if (n <= 0) return false;
  if (gameList.size() <= static_cast<size_t>(n)) return true;
  return gm.theTime() >= gameList[static_cast<size_t>(n) - 1];
}

int64_t Totals::gListElement(int32_t y) const {
  if (y < 0 || static_cast<size_t>(y) >= gameList.size()) return 0;
  return gameList[static_cast<size_t>(y)];
}

void Totals::sortPlayers() {
  try {
    Debug::print("I Totals.sortPlayers", 1);
    const std::vector<const HashEntry*> all = plist.entries();
    sortedByName = sortedCopy(all, SortName());
    sortedByFDS = sortedCopy(all, SortFDS());
    sortedFPH = sortedByKey<output::SortDouble>(all, [](const HashEntry& h, int32_t i) {
      return output::SortDouble(h.time != 0.0 ? h.a_frags * 3600.0 / h.time : 0.0, i);
    });
    sortedTG = sortedByKey<output::SortWonLost>(all, [](const HashEntry& h, int32_t i) {
      return output::SortWonLost(h.t_wins, h.t_losses, i);
    });
    sorted1v1 = sortedByKey<output::SortWonLost>(all, [](const HashEntry& h, int32_t i) {
      return output::SortWonLost(h.o_wins, h.o_losses, i);
    });
    sortedDM = sortedCopy(all, SortFDSb());
    Debug::print("O Totals.sortPlayers", 1);
  } catch (const std::exception& e) {
    report("Error in Totals.sortPlayers: ", e);
  }
}

// ---- Files ---------------------------------------------------------------------------------

void Totals::readDBs() {
  readGameDB();
  readRecordsDB();
  readHashDB();
  openPlayerDB();
}

void Totals::writeDBs() {
  // A store of another layout must not be joined by files that describe matches it lacks.
  if (!PlayerDB::usable()) {
    throw util::Failure("IOException", "the player store is not usable; nothing was saved");
  }
  bool ok = writeGameDB();
  ok = writeRecordsDB() && ok;
  ok = writeHashDB() && ok;
  closePlayerDB();
  if (!ok) throw util::Failure("IOException", "the database could not be saved");
}

void Totals::save(const std::string& file, const std::string& bytes) {
  const std::string path = config::qmDBDir() + file;
  if (std::find(damaged.begin(), damaged.end(), file) != damaged.end()) {
    // Nothing is lost for good: the file that failed to read stays beside the new one.
    std::rename(path.c_str(), (path + ".damaged-" + std::to_string(nowMillis())).c_str());
  }
  util::writeWholeFile(path, bytes, true);
}

template <class Parse>
void Totals::readFile(const char* file, const char* prefix, Parse parse) {
  const std::string path = config::qmDBDir() + file;
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
    report(prefix, e);
  }
}

void Totals::readGameDB() {
  readFile(kGameFile, "Error in Totals.readGameDB: ", [this](util::BigEndianReader& in) {
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

bool Totals::writeGameDB() {
  try {
    const size_t numUIDs = std::min(gameList.size(), kMaxStamps);
    const size_t numGames =
        std::min(gameDateList.size(), static_cast<size_t>(std::max(config::numGamesToSave(), 0)));
    size_t longest = 0;
    for (size_t i = 0; i < numGames; ++i) {
      longest = std::max(
          {longest, gameDateList[i].size(), gameMapList[i].size(), gameTypeList[i].size()});
    }
    util::BigEndianWriter out;
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
    save(kGameFile, out.bytes());
    return true;
  } catch (const std::exception& e) {
    report("Error in Totals.writeGameDB: ", e);
    return false;
  }
}

void Totals::readRecordsDB() {
  readFile(kRecordsFile, "Error in Totals.readRecordsDB: ", [this](util::BigEndianReader& in) {
    in.readInt();  // version
    totalGamesPlayed = in.readInt();
    highGameFrags = in.readInt();
    highGameUID = in.readLong();
    for (int32_t& n : gamesPlayed) n = in.readInt();
    rec = Records(in);
  });
}

bool Totals::writeRecordsDB() {
  try {
    util::BigEndianWriter block;
    rec.writeDB(block);
    util::BigEndianWriter out;
    out.writeInt(1);
    out.writeInt(totalGamesPlayed);
    out.writeInt(highGameFrags);
    out.writeLong(highGameUID);
    for (const int32_t n : gamesPlayed) out.writeInt(n);
    out.writeBytes(block.bytes());
    save(kRecordsFile, out.bytes());
    return true;
  } catch (const std::exception& e) {
    report("Error in Totals.writeRecordsDB: ", e);
    return false;
  }
}

void Totals::readHashDB() {
  readFile(kHashFile, "Error in Totals.readHashDB: ", [this](util::BigEndianReader& in) {
    in.readInt();  // version
    const int32_t count = in.readInt();
    plist = PlayerIndex();
    for (int32_t i = 0; i < count; ++i) {
      // An entry that failed part-way is still put into the index; reading stops there.
      plist.put(HashEntry(in));
      if (in.failed()) break;
    }
  });
}

bool Totals::writeHashDB() {
  try {
    const std::vector<const HashEntry*> entries = plist.entries();
    util::BigEndianWriter out;
    out.writeInt(1);
    out.writeInt(static_cast<int32_t>(entries.size()));
    for (const HashEntry* h : entries) h->writeDB(out);
    save(kHashFile, out.bytes());
    return true;
  } catch (const std::exception& e) {
    report("Error in Totals.writeHashDB: ", e);
    return false;
  }
}

void Totals::openPlayerDB() {
  try {
    PlayerDB::open(config::qmDBDir() + kPlayerFile);
    if (auto p = PlayerDB::getPlayer(-3)) allStats = std::move(*p);
    if (auto p = PlayerDB::getPlayer(-2)) humanStats = std::move(*p);
    if (auto p = PlayerDB::getPlayer(-1)) botStats = std::move(*p);
    nameSummaries();
  } catch (const std::exception& e) {
    report("Error in Totals.openPlayerDB: ", e);
  }
}

void Totals::closePlayerDB() {
  PlayerDB::putPlayer(allStats);
  PlayerDB::putPlayer(humanStats);
  PlayerDB::putPlayer(botStats);
  PlayerDB::close();
}

}  // namespace orvane::programs::ScorexBRK
