#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "games/Game.h"
#include "programs/Scorex/career/PlayerIndex.h"
#include "programs/Scorex/career/SortDouble.h"
#include "programs/Scorex/career/SortFDS.h"
#include "programs/Scorex/career/SortName.h"
#include "programs/Scorex/career/TotalsBase.h"
#include "programs/Scorex/settings/config.h"
#include "programs/Scorex/store/SlotStore.h"
#include "util/BigEndian.h"
#include "util/Comp.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/QuickSort.h"
#include "util/Wrap.h"

namespace orvane::programs::Scorex::career {

// The career database of a module in memory: besides the match lists of TotalsBase, the
// counts per game type, the summary players, the player index and the records. Loaded from the
// database directory at the start of a run, merged into match by match, saved at the end.
//
// Records is the module's Records (which names its match, player, name tables and index
// entry), PlayerDB its player store. The module's Totals gives its files and the failure text
// for a match of another module, the game types a match counts under, the index entry's
// figures, and its own player orders.
template <class RecordsT, class PlayerDBT>
class TotalsCore : public TotalsBase {
 public:
  using Records = RecordsT;
  using PlayerDB = PlayerDBT;
  using Game = typename Records::Game;
  using Player = typename Records::Player;
  using Specs = typename Records::Specs;
  using Entry = typename Records::Entry;
  using Index = PlayerIndex<Entry>;
  using Order = std::vector<const Entry*>;

  void update(const games::Game& game) override {
    try {
      util::Debug::print("I Totals.update", 1);
      const Game& gm = moduleGame(game);
      // Without its player store no match may be counted as known: its players would be lost.
      if (!playerStoreUsable()) {
        throw util::Failure(util::Failure::kIO, "the player store is not usable");
      }
      const std::vector<size_t> types = gameTypesOf(gm);
      const size_t x = addStamp(gm.time);
      if (x == 0) rec.addRecentGame(gm);
      addRecent(x, gm.date, gm.map, Specs::games.at(static_cast<size_t>(gm.gameType)));

      util::addTo(totalGamesPlayed, 1);
      for (const size_t t : types) util::addTo(gamesPlayed.at(t), 1);
      offerHighGame(gm.gameTotals.all.frags, gm.time);

      // New players continue after the largest career number, so a damaged or duplicated
      // index entry can never hand out a number that is already taken.
      int32_t nextUID = plist.nextUID();
      // The career number of each of the match's players, by player number.
      std::vector<int32_t> careers;
      careers.reserve(gm.plist.size());
      for (const Player& p : gm.plist) {
        const auto merge = [&](Player& s) {
          s.update(p);
          for (const size_t t : types) s.games.at(t).update(p.all);
        };
        merge(allStats);
        if (p.isABot) {
          util::subFrom(allStats.all.pingNum, p.all.pingNum);
          merge(botStats);
        } else {
          merge(humanStats);
        }
        Entry* h = plist.find(Index::key(p.name, p.isABot));
        Player np;
        if (h == nullptr) {
          h = &plist.put(Entry(p.name, p.isABot, nextUID));
          nextUID = util::add32(nextUID, 1);
          np.uid = h->uid;
        } else {
          std::optional<Player> stored = storedPlayer(h->uid);
          if (!stored) throw util::Failure(util::Failure::kNullPointer, "");
          np = std::move(*stored);
        }
        np.name = h->name;
        np.isABot = h->isABot;
        merge(np);
        careers.push_back(np.uid);
        updateEntry(*h, np);
        storePlayer(np);
        rec.updateCareerRecords(np);
      }
      rec.updateGameRecords(gm, plist);
      archive.add(rateMatch(gm, careers));

      for (Player* s : {&allStats, &botStats, &humanStats}) {
        s->all.uses = totalGamesPlayed;
        for (size_t t = 0; t < Specs::kGames; ++t) s->games[t].uses = gamesPlayed[t];
      }
      modified = true;
      std::cout << "Players in DB:" << plist.size() << "\n";
      util::Debug::print("O Totals.update", 1);
    } catch (const std::exception& e) {
      util::Debug::report("Error in Totals.update: ", e);
    }
  }

  void sortPlayers() override {
    try {
      util::Debug::print("I Totals.sortPlayers", 1);
      const Order all = plist.entries();
      sortedByName = sortedCopy(all, SortName<Entry>());
      sortedByFDS = sortedCopy(all, SortFDS<Entry>());
      sortedFPH = sortedByKey<SortDouble>(all, [](const Entry& h, int32_t i) {
        return SortDouble(h.time != 0.0 ? h.a_frags * 3600.0 / h.time : 0.0, i);
      });
      sortMore(all);
      util::Debug::print("O Totals.sortPlayers", 1);
    } catch (const std::exception& e) {
      util::Debug::report("Error in Totals.sortPlayers: ", e);
    }
  }

  void readDBs() override {
    readGameDB();
    readRecordsDB();
    readHashDB();
    openPlayerDB();
    readMatchDB();
    readRatingsDB();
  }

  void writeDBs() override {
    // A store of another layout must not be joined by files that describe matches it lacks.
    if (!playerStoreUsable()) {
      throw util::Failure(util::Failure::kIO, "the player store is not usable; nothing was saved");
    }
    if (linkedFile) {
      throw util::Failure(util::Failure::kIO,
                          "a database file is a symbolic link; nothing was saved");
    }
    saving = true;
    bool ok = writeGameDB();
    ok = writeRecordsDB() && ok;
    ok = writeHashDB() && ok;
    storePlayer(allStats);
    storePlayer(humanStats);
    storePlayer(botStats);
    for (auto& [offset, bytes] : playerStore.takeDeferred()) {
      journal.writeAt(files.player, offset, std::move(bytes));
    }
    // A run that merged nothing leaves the ratings as they are (and creates no file for them).
    if (modified) ok = writeRatingsDB() && ok;
    saveArchive();
    // All or nothing: without every file the run's matches reach none of them.
    if (ok) {
      try {
        commitChanges();
        archive.saved();
      } catch (const std::exception& e) {
        util::Debug::report("Error in Totals.writeDBs: ", e);
        ok = false;
      }
    }
    journal = store::Journal();
    saving = false;
    if (!ok) throw util::Failure(util::Failure::kIO, "the database could not be saved");
  }

  void readRecordsDB() {
    readFile(files.records, "Error in Totals.readRecordsDB: ", [this](util::BigEndianReader& in) {
      in.readInt();  // version
      totalGamesPlayed = in.readInt();
      highGameFrags = in.readInt();
      highGameUID = in.readLong();
      for (int32_t& n : gamesPlayed) n = in.readInt();
      rec = Records(in);
    });
  }

  bool writeRecordsDB() {
    return writeFile(files.records,
                     "Error in Totals.writeRecordsDB: ", [this](util::BigEndianWriter& out) {
                       util::BigEndianWriter block;
                       rec.writeDB(block);
                       out.writeInt(1);
                       out.writeInt(totalGamesPlayed);
                       out.writeInt(highGameFrags);
                       out.writeLong(highGameUID);
                       for (const int32_t n : gamesPlayed) out.writeInt(n);
                       out.writeBytes(block.bytes());
                     });
  }

  void readHashDB() {
    readFile(files.hash, "Error in Totals.readHashDB: ", [this](util::BigEndianReader& in) {
      in.readInt();  // version
      const int32_t count = in.readInt();
      plist = Index();
      for (int32_t i = 0; i < count; ++i) {
        // An entry that failed part-way is still put into the index; reading stops there.
        plist.put(Entry(in));
        if (in.failed()) break;
      }
    });
  }

  bool writeHashDB() {
    return writeFile(files.hash,
                     "Error in Totals.writeHashDB: ", [this](util::BigEndianWriter& out) {
                       const Order entries = plist.entries();
                       out.writeInt(1);
                       out.writeInt(static_cast<int32_t>(entries.size()));
                       for (const Entry* h : entries) h->writeDB(out);
                     });
  }

  void openPlayerDB() {
    try {
      // The store's writes wait for the run's commit.
      playerStore.open(settings::config::qmDBDir() + files.player, true);
      if (auto p = storedPlayer(kAllPlayers)) allStats = std::move(*p);
      if (auto p = storedPlayer(kAllHumans)) humanStats = std::move(*p);
      if (auto p = storedPlayer(kAllBots)) botStats = std::move(*p);
      nameSummaries();
    } catch (const std::exception& e) {
      util::Debug::report("Error in Totals.openPlayerDB: ", e);
    }
  }

  // The career player of an index entry, read from the player store under the entry's name and
  // bot flag (the store keeps no names); none when the store cannot return him (it has traced
  // why). Pages read careers through here, so they can be written while the totals live.
  std::optional<Player> careerPlayer(const Entry& h) const {
    std::optional<Player> p = storedPlayer(h.uid);
    if (p) {
      p->name = h.name;
      p->isABot = h.isABot;
    }
    return p;
  }
  // The career player with this number as stored (statistics only), or none.
  std::optional<Player> storedPlayer(int32_t uid) const {
    const std::optional<std::string> b = playerStore.read(uid);
    if (!b) return std::nullopt;
    std::optional<Player> p = PlayerDB::bytesToPlayer(*b);
    if (p) p->uid = uid;
    return p;
  }
  // Puts a career player's record into the player store (kept aside until the save).
  void storePlayer(const Player& p) {
    const std::optional<std::string> b = PlayerDB::playerToBytes(p);
    // A record that could not be encoded is refused by the store with its own report.
    playerStore.write(p.uid, b ? *b : std::string());
  }
  // The player store, open from the loading of the totals to their end.
  const store::SlotStore& players() const { return playerStore; }

  Records rec;
  std::array<int32_t, Specs::kGames> gamesPlayed{};
  Player allStats;
  Player humanStats;
  Player botStats;
  Index plist;
  Order sortedByName;
  Order sortedByFDS;
  Order sortedFPH;

 protected:
  TotalsCore(const Files& files, std::vector<std::string> ratingCategories, const char* otherMatch)
      : TotalsBase(files, std::move(ratingCategories)), otherMatch(otherMatch) {
    nameSummaries();
  }

  // The game types the match is counted under, its own first.
  virtual std::vector<size_t> gameTypesOf(const Game& gm) const = 0;
  // Sets the index entry's figures from the career player just merged.
  virtual void updateEntry(Entry& h, const Player& np) const = 0;
  // Builds the module's own player orders from all entries, after the shared ones.
  virtual void sortMore(const Order& all) = 0;
  // The rating categories the match is rated in ("Overall", 0, first); none for a match that
  // is not rated.
  virtual std::vector<size_t> ratingCategoriesOf(const Game& gm) const = 0;
  // The score that orders a team match's losing teams, or none when they all tie.
  virtual std::optional<double> teamScore(const Game& gm, const Player& team) const = 0;

  // Sorts a copy of the entries with a comparator of entry pointers.
  static Order sortedCopy(const Order& all, const util::Comp<const Entry*>& c) {
    Order copy = all;
    util::QuickSort::quickSort(copy, c);
    return copy;
  }

  // Sorts the entries by keys made per entry; each key's num is the entry's position.
  template <class Key, class MakeKey>
  static Order sortedByKey(const Order& all, MakeKey makeKey) {
    std::vector<Key> keys;
    keys.reserve(all.size());
    for (size_t i = 0; i < all.size(); ++i) {
      keys.push_back(makeKey(*all[i], static_cast<int32_t>(i)));
    }
    util::QuickSort::quickSort(keys, util::KeyComp<Key>());
    Order order;
    order.reserve(keys.size());
    for (const Key& k : keys) order.push_back(all[static_cast<size_t>(k.num)]);
    return order;
  }

 private:
  const Game& moduleGame(const games::Game& game) const {
    const auto* g = dynamic_cast<const Game*>(&game);
    if (g == nullptr) throw util::Failure(util::Failure::kClassCast, otherMatch);
    return *g;
  }

  void nameSummaries() {
    allStats.name = "All Players (Humans and Bots)";
    allStats.isABot = false;
    allStats.uid = kAllPlayers;
    humanStats.name = "All Humans";
    humanStats.isABot = false;
    humanStats.uid = kAllHumans;
    botStats.name = "All Bots";
    botStats.isABot = true;
    botStats.uid = kAllBots;
  }

  // Rates the match (ratings) and returns its archive record. careers holds the career number
  // of each player of the match, by player number.
  store::ArchivedMatch rateMatch(const Game& gm, const std::vector<int32_t>& careers) {
    store::ArchivedMatch m;
    m.time = gm.time;
    m.server = gm.servername;
    m.map = gm.map;
    m.gameType = Specs::games.at(static_cast<size_t>(gm.gameType));
    m.gameTypeNumber = gm.gameType;
    const auto teamAt = [&gm](int32_t team) {
      for (size_t k = 0; k < gm.teamTotals.size(); ++k) {
        if (gm.teamTotals[k].uid == team) return static_cast<int32_t>(k);
      }
      return -1;
    };
    for (const Player& t : gm.teamTotals) m.teams.push_back(t.name);
    for (const Player& p : gm.plist) m.length = std::max(m.length, p.all.totalTime);

    const size_t n = gm.playersByRank.size();
    // A match with a winning team is rated by teams; one without, as a free-for-all unless it
    // was a team match (which then has no result to rate).
    m.winningTeam = gm.winningTeam >= 0 ? teamAt(gm.winningTeam) : -1;
    const bool teamMode = m.winningTeam >= 0;
    if (teamMode) {
      m.winner = m.teams[static_cast<size_t>(m.winningTeam)];
    } else if (!gm.teamGame && n > 0) {
      m.winner = gm.byRank(0).name;
    }

    // Who is rated: each career once, by its entry that played longest (a player who changed
    // team is listed once per team), and in a team match only players of a team.
    std::vector<size_t> rated;  // positions in the ranking
    for (size_t i = 0; i < n; ++i) {
      const Player& p = gm.byRank(i);
      if (teamMode && teamAt(p.team) < 0) continue;
      const int32_t uid = careers.at(static_cast<size_t>(gm.playersByRank[i]));
      const auto same = std::find_if(rated.begin(), rated.end(), [&](size_t r) {
        return careers.at(static_cast<size_t>(gm.playersByRank[r])) == uid;
      });
      if (same == rated.end()) {
        rated.push_back(i);
      } else if (p.all.totalTime > gm.byRank(*same).all.totalTime) {
        *same = i;
      }
    }
    std::sort(rated.begin(), rated.end());

    // The places: a free-for-all by the ranking (equal frags, deaths and suicides tie), a team
    // match by its result.
    std::vector<int32_t> place(n, 1);
    for (size_t i = 1; i < n; ++i) {
      const auto& a = gm.byRank(i - 1).all;
      const auto& b = gm.byRank(i).all;
      const bool tie = a.frags == b.frags && a.deaths == b.deaths && a.suicides == b.suicides;
      place[i] = tie ? place[i - 1] : static_cast<int32_t>(i) + 1;
    }
    const auto teamPlace = [&](int32_t team) {
      if (team == m.winningTeam) return 1;
      int32_t better = 0;
      const std::optional<double> own = teamScore(gm, gm.teamTotals.at(static_cast<size_t>(team)));
      for (size_t k = 0; own && k < gm.teamTotals.size(); ++k) {
        if (static_cast<int32_t>(k) == m.winningTeam) continue;
        const std::optional<double> other = teamScore(gm, gm.teamTotals[k]);
        if (other && *other > *own) ++better;
      }
      return 2 + better;
    };

    std::vector<size_t> categories;
    if (teamMode || !gm.teamGame) categories = ratingCategoriesOf(gm);
    std::vector<rating::RatingBook::Entrant> entrants;
    for (const size_t i : rated) {
      const Player& p = gm.byRank(i);
      rating::RatingBook::Entrant e;
      e.uid = careers.at(static_cast<size_t>(gm.playersByRank[i]));
      e.name = p.name;
      e.isABot = p.isABot;
      e.side = teamMode ? teamAt(p.team) : static_cast<int32_t>(i);
      e.place = teamMode ? teamPlace(e.side) : place[i];
      e.weight = m.length > 0 ? std::clamp(p.all.totalTime / m.length, 0.0, 1.0) : 1.0;
      entrants.push_back(std::move(e));
    }
    std::vector<std::vector<rating::RatingChange>> changes;
    if (!categories.empty()) changes = ratings.rate(entrants, categories);
    if (!changes.empty()) {
      for (const size_t c : categories) m.categories.push_back(static_cast<uint8_t>(c));
    }

    // Each player number's position in the ranking, for the per-opponent kills.
    std::vector<int32_t> rankOf(gm.plist.size(), -1);
    for (size_t i = 0; i < n; ++i) {
      rankOf.at(static_cast<size_t>(gm.playersByRank[i])) = static_cast<int32_t>(i);
    }
    // Each weapon's position in the match's weapons, once a kill was made with it.
    std::vector<int32_t> weaponAt(Specs::kWeapons, -1);
    for (size_t i = 0; i < n; ++i) {
      const Player& p = gm.byRank(i);
      store::ArchivedPlayer a;
      if (p.all.playerKills) {
        const std::vector<int32_t>& kills = *p.all.playerKills;
        for (size_t v = 0; v < kills.size() && v < rankOf.size(); ++v) {
          if (kills[v] > 0 && rankOf[v] >= 0) a.victims.emplace_back(rankOf[v], kills[v]);
        }
        std::sort(a.victims.begin(), a.victims.end());
      }
      for (size_t w = 0; w < Specs::kWeapons; ++w) {
        const int32_t kills = p.all.myKills.at(w);
        if (kills <= 0) continue;
        if (weaponAt.at(w) < 0) {
          weaponAt[w] = static_cast<int32_t>(m.weapons.size());
          m.weapons.emplace_back(Specs::weapons.at(w));
        }
        a.weaponKills.emplace_back(weaponAt[w], kills);
      }
      a.uid = careers.at(static_cast<size_t>(gm.playersByRank[i]));
      a.name = p.name;
      a.isABot = p.isABot;
      a.team = teamAt(p.team);
      a.rank = static_cast<int32_t>(i) + 1;
      a.frags = p.all.frags;
      a.kills = p.all.kills;
      a.deaths = p.all.deaths;
      a.suicides = p.all.suicides;
      a.teamKills = p.all.tkills;
      a.time = p.all.totalTime;
      const auto at = std::find(rated.begin(), rated.end(), i);
      if (!changes.empty() && at != rated.end()) {
        a.rated = true;
        a.ratings = changes.at(static_cast<size_t>(at - rated.begin()));
      }
      m.players.push_back(std::move(a));
    }
    return m;
  }

  bool playerStoreUsable() const { return playerStore.isOpen() && !playerStore.isRefused(); }

  store::SlotStore playerStore{PlayerDB::kEntrySize};

  // The failure text of a match of another module.
  const char* const otherMatch;
};

}  // namespace orvane::programs::Scorex::career
