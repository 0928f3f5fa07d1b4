#include "programs/ScorexBRK/PlayerDB.h"

#include <exception>

#include "games/brk/Specs.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Wrap.h"

namespace orvane::programs::ScorexBRK {

using games::brk::Player;
using games::brk::PStats;
using games::brk::Specs;
using util::Debug;

Scorex::SlotStore& PlayerDB::store() {
  static Scorex::SlotStore db(kEntrySize);
  return db;
}

bool PlayerDB::open(const std::string& path) { return store().open(path); }

void PlayerDB::close() { store().close(); }

bool PlayerDB::usable() { return store().isOpen() && !store().isRefused(); }

std::optional<Player> PlayerDB::getPlayer(int32_t uid) {
  const std::optional<std::string> b = store().read(uid);
  if (!b) return std::nullopt;
  std::optional<Player> p = bytesToPlayer(*b);
  if (p) p->uid = uid;
  return p;
}

void PlayerDB::putPlayer(const Player& p) {
  const std::optional<std::string> b = playerToBytes(p);
  // A record that could not be encoded is refused by the store with its own report.
  store().write(p.uid, b ? *b : std::string());
}

std::optional<std::string> PlayerDB::playerToBytes(const Player& p) {
  try {
    util::BigEndianWriter dos;
    dos.reserve(kEntrySize);
    pstatsToBytes(p.all, dos);
    pstatsToBytes(p.vsHumans, dos);
    pstatsToBytes(p.vsBots, dos);
    for (const PStats& g : p.games) pstatsToBytes(g, dos);
    for (const PStats& s : p.pickups) pickupsToBytes(s, dos);
    return dos.take();
  } catch (const std::exception& e) {
    Debug::print("Error PlayerDB.playerToBytes: " + util::failureText(e), 0);
    return std::nullopt;
  }
}

std::optional<Player> PlayerDB::bytesToPlayer(const std::string& b) {
  try {
    Player p(0.0);
    util::BigEndianReader dis(b);
    bytesToPStats(p.all, dis);
    bytesToPStats(p.vsHumans, dis);
    bytesToPStats(p.vsBots, dis);
    for (PStats& g : p.games) bytesToPStats(g, dis);
    for (PStats& s : p.pickups) bytesToPickups(s, dis);
    return p;
  } catch (const std::exception& e) {
    Debug::print("Error PlayerDB.bytesToPlayer: " + util::failureText(e), 0);
    return std::nullopt;
  }
}

void PlayerDB::pickupsToBytes(const PStats& s, util::BigEndianWriter& dos) {
  try {
    dos.writeDouble(s.totalTime);
    dos.writeInt(s.uses);
    dos.writeInt(s.kills);
    dos.writeInt(s.deaths);
    dos.writeInt(s.suicides);
  } catch (const std::exception& e) {
    Debug::print("Error PlayerDB.pickupsToBytes: " + util::failureText(e), 0);
  }
}

void PlayerDB::bytesToPickups(PStats& s, util::BigEndianReader& dis) {
  try {
    s.totalTime = dis.readDouble();
    s.uses = dis.readInt();
    s.kills = dis.readInt();
    s.deaths = dis.readInt();
    s.suicides = dis.readInt();
  } catch (const std::exception& e) {
    Debug::print("Error PlayerDB.bytesToPickups: " + util::failureText(e), 0);
  }
}

void PlayerDB::pstatsToBytes(const PStats& s, util::BigEndianWriter& dos) {
  try {
    dos.writeDouble(s.totalTime);
    for (const int32_t v :
         {s.kills, s.deaths, s.tkills, s.tdeaths, s.suicides, s.hits, s.shots, s.items, s.pingTime,
          s.pingNum, s.uses, s.teamWins, s.teamLosses, s.dGiven, s.dReceived}) {
      dos.writeInt(v);
    }
    for (size_t w = 0; w < Specs::kWeapons; ++w) {
      for (const int32_t v :
           {s.myKills[w], s.myKillsOppW[w], s.myDeaths[w], s.myDeathsOppW[w], s.myWSuicides[w],
            s.myHits[w], s.myShots[w], s.myDGiven[w], s.myDReceived[w]}) {
        dos.writeInt(v);
      }
    }
    for (const int32_t v : s.mySuicides) dos.writeInt(v);
    for (const int32_t v : s.itemGets) dos.writeInt(v);
  } catch (const std::exception& e) {
    Debug::print("Error PlayerDB.pstatsToBytes: " + util::failureText(e), 0);
  }
}

void PlayerDB::bytesToPStats(PStats& s, util::BigEndianReader& dis) {
  try {
    s.totalTime = dis.readDouble();
    for (int32_t* v :
         {&s.kills, &s.deaths, &s.tkills, &s.tdeaths, &s.suicides, &s.hits, &s.shots, &s.items,
          &s.pingTime, &s.pingNum, &s.uses, &s.teamWins, &s.teamLosses, &s.dGiven, &s.dReceived}) {
      *v = dis.readInt();
    }
    for (size_t w = 0; w < Specs::kWeapons; ++w) {
      for (int32_t* v :
           {&s.myKills[w], &s.myKillsOppW[w], &s.myDeaths[w], &s.myDeathsOppW[w], &s.myWSuicides[w],
            &s.myHits[w], &s.myShots[w], &s.myDGiven[w], &s.myDReceived[w]}) {
        *v = dis.readInt();
      }
    }
    for (int32_t& v : s.mySuicides) v = dis.readInt();
    for (int32_t& v : s.itemGets) v = dis.readInt();
    // The frag counters are not stored: they follow from the kills.
    s.frags = util::sub32(util::sub32(s.kills, s.suicides), s.tkills);
    for (size_t w = 0; w < Specs::kWeapons; ++w) {
      s.myFrags[w] = util::sub32(s.myKills[w], s.myWSuicides[w]);
      s.myFragsOppW[w] = s.myKillsOppW[w];
    }
  } catch (const std::exception& e) {
    Debug::print("Error PlayerDB.bytesToPStats: " + util::failureText(e), 0);
  }
}

}  // namespace orvane::programs::ScorexBRK
