#include "programs/ScorexBRK/Records.h"

#include <exception>
#include <type_traits>

#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::ScorexBRK {

namespace {

using games::brk::PStats;
using games::brk::Specs;

// Runs one operation between its entry and exit lines; a failure is reported and ends only
// that operation, so the next one in a sequence still runs.
template <class Body>
void traced(const char* enter, const char* leave, const char* error, const Body& body) {
  util::Debug::print(enter, 1);
  try {
    body();
  } catch (const std::exception& e) {
    util::Debug::print(error + util::failureText(e), 0);
  }
  util::Debug::print(leave, 1);
}

// Visits the records of the block in their file order, game and career records interleaved;
// stops as soon as visit returns false. Writing and reading share it, so they cannot disagree.
template <class Recs, class Visit>
void forEachInFileOrder(Recs& r, const Visit& visit) {
  const auto all = [&](auto&... rs) { return (visit(rs) && ...); };
  if (!all(r.gMostFrags, r.gMostKills, r.gMostDeaths, r.gMostSuicides, r.cMostFrags, r.cMostKills,
           r.cMostDeaths, r.cMostSuicides)) {
    return;
  }
  for (size_t w = 0; w < Specs::kWeapons; ++w) {
    if (!all(r.gKillsHoldingWeapon[w], r.gDeathsByWeapon[w], r.gDeathsHoldingWeapon[w],
             r.gWeaponSuicides[w], r.cKillsHoldingWeapon[w], r.cDeathsByWeapon[w],
             r.cDeathsHoldingWeapon[w], r.cWeaponSuicides[w])) {
      return;
    }
  }
  for (size_t c = 0; c < Specs::kSuicides; ++c) {
    if (!all(r.gSuicides[c], r.cSuicides[c])) return;
  }
  for (size_t t = 0; t < Specs::kGames; ++t) {
    if (!all(r.cMostWins[t], r.cMostLosses[t])) return;
  }
}

// The one update rule: a candidate replaces the record only when strictly greater, so a tie
// keeps the earlier holder and a value of 0 or less never names anybody.
template <class Record, class Make>
void offer(Record& record, int32_t v, const Make& make) {
  if (v > record.score) record = make(v);
}

template <class Record, size_t N, class Make>
void offerEach(std::array<Record, N>& records, const std::array<int32_t, N>& values,
               const Make& make) {
  for (size_t i = 0; i < N; ++i) offer(records[i], values[i], make);
}

// Career records carry how much the holder had played in the statistics block s.
auto careerRecord(const games::brk::Player& p, const PStats& s) {
  return
      [&p, &s](int32_t v) { return CareerRecord(p.uid, p.name, p.isABot, v, s.uses, s.totalTime); };
}

}  // namespace

Records::Records() {
  util::Debug::print("I Records", 1);
  util::Debug::print("O Records", 1);
}

Records::Records(util::BigEndianReader& in) {
  traced("I Records.new", "O Records.new", "Error in Records.new: ", [&] {
    RecentGameMap = in.readText();
    RecentGameDate = in.readText();
    // A damaged record has reported itself and is kept; nothing after it is trusted.
    forEachInFileOrder(*this, [&](auto& record) {
      record = std::remove_reference_t<decltype(record)>(in);
      return !in.failed();
    });
  });
}

void Records::writeDB(util::BigEndianWriter& out) const {
  traced("I Records.writeDB", "O Records.writeDB", "Error in Records.writeDB: ", [&] {
    out.writeText(RecentGameMap);
    out.writeText(RecentGameDate);
    forEachInFileOrder(*this, [&](const auto& record) {
      record.writeDB(out);
      return true;
    });
  });
}

void Records::addRecentGame(const games::brk::Game& gm) {
  traced("I Records.addRecentGame", "O Records.addRecentGame",
         "Error in Records.addRecentGame: ", [&] {
           RecentGameMap = gm.map;
           RecentGameDate = gm.date;
         });
}

void Records::updateCareerRecords(const Player& p) {
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

void Records::utHighs(const Player& p) {
  traced("I Records.utHighs", "O Records.utHighs", "Error in Records.utHighs: ", [&] {
    const auto make = careerRecord(p, p.all);
    offer(cMostFrags, p.all.frags, make);
    offer(cMostKills, p.all.kills, make);
    offer(cMostDeaths, p.all.deaths, make);
    offer(cMostSuicides, p.all.suicides, make);
    for (size_t t = 0; t < Specs::kGames; ++t) {
      const PStats& s = p.games[t];
      offer(cMostWins[t], s.teamWins, careerRecord(p, s));
      offer(cMostLosses[t], s.teamLosses, careerRecord(p, s));
    }
  });
}

void Records::utKills(const Player& p) {
  traced("I Records.utKills", "O Records.utKills", "Error in Records.utKills: ", [&] {
    offerEach(cKillsHoldingWeapon, p.all.myKills, careerRecord(p, p.all));
  });
}

void Records::utDeaths(const Player& p) {
  traced("I Records.utDeaths", "O Records.utDeaths", "Error in Records.utDeaths: ", [&] {
    offerEach(cDeathsHoldingWeapon, p.all.myDeaths, careerRecord(p, p.all));
  });
}

void Records::utDeathsOppW(const Player& p) {
  traced("I Records.utDeathsOppW", "O Records.utDeathsOppW", "Error in Records.utDeathsOppW: ",
         [&] { offerEach(cDeathsByWeapon, p.all.myDeathsOppW, careerRecord(p, p.all)); });
}

void Records::utWSuicides(const Player& p) {
  traced("I Records.utWSuicides", "O Records.utWSuicides", "Error in Records.utWSuicides: ", [&] {
    offerEach(cWeaponSuicides, p.all.myWSuicides, careerRecord(p, p.all));
  });
}

void Records::utSuicides(const Player& p) {
  traced("I Records.utSuicides", "O Records.utSuicides", "Error in Records.utSuicides: ", [&] {
    offerEach(cSuicides, p.all.mySuicides, careerRecord(p, p.all));
  });
}

void Records::updateGameRecords(const games::brk::Game& gm, const PlayerIndex& index) {
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

void Records::ugHighs(const Player& p) {
  traced("I Records.ugHighs", "O Records.ugHighs", "Error in Records.ugHighs: ", [&] {
    const auto make = [&](int32_t v) { return matchRecord(p, v); };
    offer(gMostFrags, p.all.frags, make);
    offer(gMostKills, p.all.kills, make);
    offer(gMostDeaths, p.all.deaths, make);
    offer(gMostSuicides, p.all.suicides, make);
  });
}

void Records::ugKills(const Player& p) {
  traced("I Records.ugKills", "O Records.ugKills", "Error in Records.ugKills: ", [&] {
    offerEach(gKillsHoldingWeapon, p.all.myKills, [&](int32_t v) { return matchRecord(p, v); });
  });
}

void Records::ugDeaths(const Player& p) {
  traced("I Records.ugDeaths", "O Records.ugDeaths", "Error in Records.ugDeaths: ", [&] {
    offerEach(gDeathsHoldingWeapon, p.all.myDeaths, [&](int32_t v) { return matchRecord(p, v); });
  });
}

void Records::ugDeathsOppW(const Player& p) {
  traced("I Records.ugDeathsOppW", "O Records.ugDeathsOppW",
         "Error in Records.ugDeathsOppW: ", [&] {
           offerEach(gDeathsByWeapon, p.all.myDeathsOppW,
                     [&](int32_t v) { return matchRecord(p, v); });
         });
}

void Records::ugWSuicides(const Player& p) {
  traced("I Records.ugWSuicides", "O Records.ugWSuicides", "Error in Records.ugWSuicides: ", [&] {
    offerEach(gWeaponSuicides, p.all.myWSuicides, [&](int32_t v) { return matchRecord(p, v); });
  });
}

void Records::ugSuicides(const Player& p) {
  traced("I Records.ugSuicides", "O Records.ugSuicides", "Error in Records.ugSuicides: ", [&] {
    offerEach(gSuicides, p.all.mySuicides, [&](int32_t v) { return matchRecord(p, v); });
  });
}

int32_t Records::getCareerUID(const Player& p) const {
  const HashEntry* h = plist != nullptr ? plist->find(PlayerIndex::key(p.name, p.isABot)) : nullptr;
  if (h == nullptr) throw util::Failure("NullPointerException", "");
  return h->uid;
}

GameRecord Records::matchRecord(const Player& p, int32_t v) const {
  if (g == nullptr) throw util::Failure("NullPointerException", "");
  return GameRecord(getCareerUID(p), p.name, p.isABot, v, g->map, g->date, p.all.totalTime);
}

}  // namespace orvane::programs::ScorexBRK
