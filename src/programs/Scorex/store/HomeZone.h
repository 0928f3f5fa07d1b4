#pragma once

#include <string>

namespace orvane::programs::Scorex::store {

// The time zone a home reads its matches' dates in. A match's time stamp is its logged local
// time read in the zone of the process, shifted by the logged offset: read in another zone,
// the same match gets another stamp and would be merged a second time. So the first run of a
// home records its zone in the database directory, and every later run reads dates in that
// zone, whatever its environment says.
class HomeZone {
 public:
  // The record's file name in the database directory: one line, a name the TZ variable takes.
  static constexpr const char* kName = "scorex.timezone";

  // The zone of this process's environment: TZ when set, else the system's zone.
  static std::string current();
  // Makes the home's recorded zone the zone of this process (one trace line when the
  // environment's differs), or records the current zone when the home has none yet. A record
  // that cannot be read or written is reported; the run then keeps its own zone.
  static void pin(const std::string& dbDir);
};

}  // namespace orvane::programs::Scorex::store
