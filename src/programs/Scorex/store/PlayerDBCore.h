#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "util/BigEndian.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Wrap.h"

namespace orvane::programs::Scorex::store {

// A module's player-record codec: a player's statistics as the bytes of one slot of the player
// store (a SlotStore, owned by the career totals). Derived is the module's PlayerDB; it gives
// the slot size kEntrySize, its block codec pstatsToBytes and bytesToPStats, and the blocks of a
// record in forEachBlock(p, stats, spells): stats(s, ...) for each statistics block with the
// codec's further arguments, spells(s) for each 24-byte block, in record order. Player is the
// module's player record.
template <class Derived, class Player>
class PlayerDBCore {
 public:
  static constexpr int32_t kPickupSize = 24;

  static std::optional<std::string> playerToBytes(const Player& p) {
    try {
      util::BigEndianWriter dos;
      dos.reserve(Derived::kEntrySize);
      Derived::forEachBlock(
          p, [&](const auto& s, auto... form) { Derived::pstatsToBytes(s, dos, form...); },
          [&](const auto& s) { pickupsToBytes(s, dos); });
      return dos.take();
    } catch (const std::exception& e) {
      util::Debug::report("Error PlayerDB.playerToBytes: ", e);
      return std::nullopt;
    }
  }

  static std::optional<Player> bytesToPlayer(const std::string& b) {
    try {
      Player p(0.0);
      util::BigEndianReader dis(b);
      Derived::forEachBlock(
          p, [&](auto& s, auto... form) { Derived::bytesToPStats(s, dis, form...); },
          [&](auto& s) { bytesToPickups(s, dis); });
      return p;
    } catch (const std::exception& e) {
      util::Debug::report("Error PlayerDB.bytesToPlayer: ", e);
      return std::nullopt;
    }
  }

  // The 24-byte block of a power-up (or spree): double totalTime; ints uses, kills, deaths,
  // suicides.
  template <class Stats>
  static void pickupsToBytes(const Stats& s, util::BigEndianWriter& dos) {
    try {
      dos.writeDouble(s.totalTime);
      dos.writeInt(s.uses);
      dos.writeInt(s.kills);
      dos.writeInt(s.deaths);
      dos.writeInt(s.suicides);
    } catch (const std::exception& e) {
      util::Debug::report("Error PlayerDB.pickupsToBytes: ", e);
    }
  }

  template <class Stats>
  static void bytesToPickups(Stats& s, util::BigEndianReader& dis) {
    try {
      s.totalTime = dis.readDouble();
      s.uses = dis.readInt();
      s.kills = dis.readInt();
      s.deaths = dis.readInt();
      s.suicides = dis.readInt();
    } catch (const std::exception& e) {
      util::Debug::report("Error PlayerDB.bytesToPickups: ", e);
    }
  }

 protected:
  // The frag counters are not stored: they follow from the kills of a block just read.
  template <class Stats>
  static void restoreFrags(Stats& s) {
    s.frags = util::sub32(util::sub32(s.kills, s.suicides), s.tkills);
    for (size_t w = 0; w < s.myFrags.size(); ++w) {
      s.myFrags[w] = util::sub32(s.myKills[w], s.myWSuicides[w]);
      s.myFragsOppW[w] = s.myKillsOppW[w];
    }
  }
};

}  // namespace orvane::programs::Scorex::store
