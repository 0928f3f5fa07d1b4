#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>

#include "util/BigEndian.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex::career {

// What every module's player index entry has: the player's identity, career seconds and the
// frags, deaths and suicides over all game types (a_) and in the module's deathmatch type
// (dm_), which the shared player orders read; and the byte form around the module's counters.
// Derived is the module's HashEntry; its counters() lists pointers to all its int counters in
// file order, these six included, and its reading constructor calls readDB.
//
// Bytes: text name, bool isABot, int uid, double time, then the counters as ints.
template <class Derived>
class HashEntryCore {
 public:
  HashEntryCore(std::string name, bool isABot, int32_t uid)
      : name(std::move(name)), isABot(isABot), uid(uid) {}

  // Replaces the career seconds and every counter, given in file order.
  template <class... Counts>
  void update(double t, Counts... counts) {
    static_assert((std::is_same_v<Counts, int32_t> && ...), "the counters are ints");
    static_assert(sizeof...(Counts) == Derived::counters().size());
    time = t;
    const std::array<int32_t, sizeof...(Counts)> values{counts...};
    for (size_t i = 0; i < values.size(); ++i) self().*Derived::counters()[i] = values[i];
    modified = true;
  }

  void writeDB(util::BigEndianWriter& out) const {
    try {
      out.writeText(name);
      out.writeBool(isABot);
      out.writeInt(uid);
      out.writeDouble(time);
      for (const auto field : Derived::counters()) out.writeInt(self().*field);
    } catch (const std::exception& e) {
      util::Debug::report("Error in HashEntry.writeDB: ", e);
    }
  }

  std::string name;
  bool isABot = false;
  int32_t uid = 0;
  double time = 0.0;
  int32_t a_frags = 0;
  int32_t a_deaths = 0;
  int32_t a_suicides = 0;
  int32_t dm_frags = 0;
  int32_t dm_deaths = 0;
  int32_t dm_suicides = 0;
  bool modified = false;

 protected:
  HashEntryCore() = default;

  // Reads an entry; a failure is reported, the fields read so far are kept and the reader is
  // marked failed.
  void readDB(util::BigEndianReader& in) {
    try {
      name = in.readText();
      isABot = in.readBool();
      uid = in.readInt();
      time = in.readDouble();
      for (const auto field : Derived::counters()) self().*field = in.readInt();
    } catch (const std::exception& e) {
      util::Debug::report("Error in HashEntry.new: ", e);
      in.markFailed();
    }
  }

 private:
  Derived& self() { return static_cast<Derived&>(*this); }
  const Derived& self() const { return static_cast<const Derived&>(*this); }
};

}  // namespace orvane::programs::Scorex::career
