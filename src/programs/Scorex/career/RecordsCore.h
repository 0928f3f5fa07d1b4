#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <type_traits>

#include "programs/Scorex/career/CareerRecord.h"
#include "programs/Scorex/career/GameRecord.h"
#include "programs/Scorex/career/PlayerIndex.h"
#include "util/BigEndian.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex::career {

// The all-time records that every module keeps: best single-match and best career values
// overall, per weapon and per cause of suicide, each naming its holder; and the map and date
// of the newest match. Owned by the career totals and saved inside the records file.
//
// Derived is the module's Records, which adds records of its own and supplies
//   careerHighs(p) and matchHighs(p): its own updates of utHighs and ugHighs, after the four
//     overall records;
//   forEachOwn(r, visit): its own records in file order, after the shared ones below.
// Game is the module's match (its plist holds its players), Specs its name tables (kWeapons,
// kSuicides) and Entry its HashEntry.
//
// Block bytes: text RecentGameMap, text RecentGameDate, GameRecord gMostFrags, gMostKills,
// gMostDeaths, gMostSuicides, CareerRecord cMostFrags, cMostKills, cMostDeaths, cMostSuicides;
// per weapon w: GameRecord gKillsHoldingWeapon, gDeathsByWeapon, gDeathsHoldingWeapon,
// gWeaponSuicides, then CareerRecord cKillsHoldingWeapon, cDeathsByWeapon,
// cDeathsHoldingWeapon, cWeaponSuicides; per cause c: GameRecord gSuicides, CareerRecord
// cSuicides; then the module's own records.
template <class Derived, class GameT, class SpecsT, class EntryT>
class RecordsCore {
 public:
  using Game = GameT;
  using Player = typename decltype(Game::plist)::value_type;
  using Specs = SpecsT;
  using Entry = EntryT;
  using Index = PlayerIndex<Entry>;
  static constexpr size_t kWeapons = Specs::kWeapons;
  static constexpr size_t kSuicides = Specs::kSuicides;

  void writeDB(util::BigEndianWriter& out) const {
    traced("I Records.writeDB", "O Records.writeDB", "Error in Records.writeDB: ", [&] {
      out.writeText(RecentGameMap);
      out.writeText(RecentGameDate);
      forEachInFileOrder(self(), [&](const auto& record) {
        record.writeDB(out);
        return true;
      });
    });
  }

  void addRecentGame(const Game& gm) {
    traced("I Records.addRecentGame", "O Records.addRecentGame",
           "Error in Records.addRecentGame: ", [&] {
             RecentGameMap = gm.map;
             RecentGameDate = gm.date;
           });
  }

  // p is the career player just merged and stored.
  void updateCareerRecords(const Player& p) {
    traced("I Records.updateCareerRecords", "O Records.updateCareerRecords",
           "Error in Records.updateCareerRecords: ", [&] {
             utHighs(p);
             utKills(p);
             utDeaths(p);
             utDeathsOppW(p);
             utWSuicides(p);
             utSuicides(p);
           });
  }

  // Single-match records of every player of the match, in player-number order.
  void updateGameRecords(const Game& gm, const Index& index) {
    traced("I Records.updateGameRecords", "O Records.updateGameRecords",
           "Error in Records.updateGameRecords: ", [&] {
             g = &gm;
             plist = &index;
             for (size_t i = 0; i < gm.playersByUID.size(); ++i) {
               const Player& p = gm.byUID(i);
               ugHighs(p);
               ugKills(p);
               ugDeaths(p);
               ugDeathsOppW(p);
               ugWSuicides(p);
               ugSuicides(p);
             }
           });
    // The match and the index are borrowed for this call only.
    g = nullptr;
    plist = nullptr;
  }

  std::string RecentGameMap;
  std::string RecentGameDate;
  GameRecord gMostFrags;
  GameRecord gMostKills;
  GameRecord gMostDeaths;
  GameRecord gMostSuicides;
  std::array<GameRecord, kWeapons> gKillsHoldingWeapon;
  std::array<GameRecord, kWeapons> gDeathsByWeapon;
  std::array<GameRecord, kWeapons> gDeathsHoldingWeapon;
  std::array<GameRecord, kSuicides> gSuicides;
  std::array<GameRecord, kWeapons> gWeaponSuicides;
  CareerRecord cMostFrags;
  CareerRecord cMostKills;
  CareerRecord cMostDeaths;
  CareerRecord cMostSuicides;
  std::array<CareerRecord, kWeapons> cKillsHoldingWeapon;
  std::array<CareerRecord, kWeapons> cDeathsByWeapon;
  std::array<CareerRecord, kWeapons> cDeathsHoldingWeapon;
  std::array<CareerRecord, kSuicides> cSuicides;
  std::array<CareerRecord, kWeapons> cWeaponSuicides;

 protected:
  // The empty records.
  RecordsCore() {
    util::Debug::print("I Records", 1);
    util::Debug::print("O Records", 1);
  }
  // Empty records about to be read (see readDB), without the trace of the empty constructor.
  struct Reading {};
  explicit RecordsCore(Reading) {}

  // Reads the block; reading stops at the first damaged record (reported by the record).
  void readDB(util::BigEndianReader& in) {
    traced("I Records.new", "O Records.new", "Error in Records.new: ", [&] {
      RecentGameMap = in.readText();
      RecentGameDate = in.readText();
      // A damaged record has reported itself and is kept; nothing after it is trusted.
      forEachInFileOrder(self(), [&](auto& record) {
        record = std::remove_reference_t<decltype(record)>(in);
        return !in.failed();
      });
    });
  }

  // The one update rule: a candidate replaces the record only when strictly greater, so a tie
  // keeps the earlier holder and a value of 0 or less never names anybody.
  template <class Record, class Make>
  static void offer(Record& record, int32_t v, const Make& make) {
    if (v > record.score) record = make(v);
  }

  // A career record of p that carries how much he had played: games matches, time seconds.
  static auto careerRecord(const Player& p, int32_t games, double time) {
    return [&p, games, time](int32_t v) {
      return CareerRecord(p.uid, p.name, p.isABot, v, games, time);
    };
  }
  template <class Stats>
  static auto careerRecord(const Player& p, const Stats& s) {
    return careerRecord(p, s.uses, s.totalTime);
  }

  // The single-match record that p's value v would set in the match being merged.
  GameRecord matchRecord(const Player& p, int32_t v) const {
    if (g == nullptr) throw util::Failure(util::Failure::kNullPointer, "");
    return GameRecord(getCareerUID(p), p.name, p.isABot, v, g->map, g->date, p.all.totalTime);
  }
  auto matchRecord(const Player& p) const {
    return [this, &p](int32_t v) { return matchRecord(p, v); };
  }

  // Runs one operation between its entry and exit lines; a failure is reported and ends only
  // that operation, so the next one in a sequence still runs.
  template <class Body>
  static void traced(const char* enter, const char* leave, const char* error, const Body& body) {
    util::Debug::print(enter, 1);
    try {
      body();
    } catch (const std::exception& e) {
      util::Debug::report(error, e);
    }
    util::Debug::print(leave, 1);
  }

 private:
  Derived& self() { return static_cast<Derived&>(*this); }
  const Derived& self() const { return static_cast<const Derived&>(*this); }

  // Visits the records of the block in their file order, game and career records interleaved;
  // stops as soon as visit returns false. Writing and reading share it, so they cannot disagree.
  template <class Recs, class Visit>
  static void forEachInFileOrder(Recs& r, const Visit& visit) {
    const auto all = [&](auto&... rs) { return (visit(rs) && ...); };
    if (!all(r.gMostFrags, r.gMostKills, r.gMostDeaths, r.gMostSuicides, r.cMostFrags, r.cMostKills,
             r.cMostDeaths, r.cMostSuicides)) {
      return;
    }
    for (size_t w = 0; w < kWeapons; ++w) {
      if (!all(r.gKillsHoldingWeapon[w], r.gDeathsByWeapon[w], r.gDeathsHoldingWeapon[w],
               r.gWeaponSuicides[w], r.cKillsHoldingWeapon[w], r.cDeathsByWeapon[w],
               r.cDeathsHoldingWeapon[w], r.cWeaponSuicides[w])) {
        return;
      }
    }
    for (size_t c = 0; c < kSuicides; ++c) {
      if (!all(r.gSuicides[c], r.cSuicides[c])) return;
    }
    Derived::forEachOwn(r, visit);
  }

  template <class Record, size_t N, class Make>
  static void offerEach(std::array<Record, N>& records, const std::array<int32_t, N>& values,
                        const Make& make) {
    for (size_t i = 0; i < N; ++i) offer(records[i], values[i], make);
  }

  void utHighs(const Player& p) {
    traced("I Records.utHighs", "O Records.utHighs", "Error in Records.utHighs: ", [&] {
      const auto make = careerRecord(p, p.all);
      offer(cMostFrags, p.all.frags, make);
      offer(cMostKills, p.all.kills, make);
      offer(cMostDeaths, p.all.deaths, make);
      offer(cMostSuicides, p.all.suicides, make);
      self().careerHighs(p);
    });
  }

  void utKills(const Player& p) {
    traced("I Records.utKills", "O Records.utKills", "Error in Records.utKills: ", [&] {
      offerEach(cKillsHoldingWeapon, p.all.myKills, careerRecord(p, p.all));
    });
  }

  void utDeaths(const Player& p) {
    traced("I Records.utDeaths", "O Records.utDeaths", "Error in Records.utDeaths: ", [&] {
      offerEach(cDeathsHoldingWeapon, p.all.myDeaths, careerRecord(p, p.all));
    });
  }

  void utDeathsOppW(const Player& p) {
    traced("I Records.utDeathsOppW", "O Records.utDeathsOppW", "Error in Records.utDeathsOppW: ",
           [&] { offerEach(cDeathsByWeapon, p.all.myDeathsOppW, careerRecord(p, p.all)); });
  }

  void utWSuicides(const Player& p) {
    traced("I Records.utWSuicides", "O Records.utWSuicides", "Error in Records.utWSuicides: ", [&] {
      offerEach(cWeaponSuicides, p.all.myWSuicides, careerRecord(p, p.all));
    });
  }

  void utSuicides(const Player& p) {
    traced("I Records.utSuicides", "O Records.utSuicides", "Error in Records.utSuicides: ", [&] {
      offerEach(cSuicides, p.all.mySuicides, careerRecord(p, p.all));
    });
  }

  void ugHighs(const Player& p) {
    traced("I Records.ugHighs", "O Records.ugHighs", "Error in Records.ugHighs: ", [&] {
      const auto make = matchRecord(p);
      offer(gMostFrags, p.all.frags, make);
      offer(gMostKills, p.all.kills, make);
      offer(gMostDeaths, p.all.deaths, make);
      offer(gMostSuicides, p.all.suicides, make);
      self().matchHighs(p);
    });
  }

  void ugKills(const Player& p) {
    traced("I Records.ugKills", "O Records.ugKills", "Error in Records.ugKills: ", [&] {
      offerEach(gKillsHoldingWeapon, p.all.myKills, matchRecord(p));
    });
  }

  void ugDeaths(const Player& p) {
    traced("I Records.ugDeaths", "O Records.ugDeaths", "Error in Records.ugDeaths: ", [&] {
      offerEach(gDeathsHoldingWeapon, p.all.myDeaths, matchRecord(p));
    });
  }

  void ugDeathsOppW(const Player& p) {
    traced("I Records.ugDeathsOppW", "O Records.ugDeathsOppW", "Error in Records.ugDeathsOppW: ",
           [&] { offerEach(gDeathsByWeapon, p.all.myDeathsOppW, matchRecord(p)); });
  }

  void ugWSuicides(const Player& p) {
    traced("I Records.ugWSuicides", "O Records.ugWSuicides", "Error in Records.ugWSuicides: ", [&] {
      offerEach(gWeaponSuicides, p.all.myWSuicides, matchRecord(p));
    });
  }

  void ugSuicides(const Player& p) {
    traced("I Records.ugSuicides", "O Records.ugSuicides", "Error in Records.ugSuicides: ", [&] {
      offerEach(gSuicides, p.all.mySuicides, matchRecord(p));
    });
  }

  // The career number of a match player, from the index; throws when he is not there.
  int32_t getCareerUID(const Player& p) const {
    const auto* h = plist != nullptr ? plist->find(Index::key(p.name, p.isABot)) : nullptr;
    if (h == nullptr) throw util::Failure(util::Failure::kNullPointer, "");
    return h->uid;
  }

  // Set by updateGameRecords for its own duration.
  const Game* g = nullptr;
  const Index* plist = nullptr;
};

}  // namespace orvane::programs::Scorex::career
