#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "programs/Scorex/rating/RatingBook.h"
#include "util/BigEndian.h"

namespace orvane::programs::Scorex::store {

// One player of an archived match, as its match page shows him (idle players are gone).
struct ArchivedPlayer {
  int32_t uid = 0;  // career number
  std::string name;
  bool isABot = false;
  int32_t team = -1;  // position in the match's teams, or -1
  int32_t rank = 0;
  int32_t frags = 0;
  int32_t kills = 0;
  int32_t deaths = 0;
  int32_t suicides = 0;
  int32_t teamKills = 0;
  double time = 0.0;  // seconds played
  // (position in the match's players, kills) of each player he killed, counts above 0.
  std::vector<std::pair<int32_t, int32_t>> victims;
  // (position in the match's weapons, kills) of each weapon he killed with, counts above 0.
  std::vector<std::pair<int32_t, int32_t>> weaponKills;
  bool rated = false;
  // Per category of the match (ArchivedMatch::categories), when rated.
  std::vector<rating::RatingChange> ratings;
};

// The compact record of a merged match.
struct ArchivedMatch {
  int64_t time = 0;  // the match's time stamp
  std::string server;
  std::string map;
  std::string gameType;  // the game type's name
  int32_t gameTypeNumber = 0;
  double length = 0.0;  // seconds: the longest time a player played
  int32_t winningTeam = -1;
  std::string winner;  // the winning team's or player's name; empty without a result
  std::vector<std::string> teams;
  // The weapons the match's kills were made with, in order of first appearance over the
  // players in rank order.
  std::vector<std::string> weapons;
  std::vector<uint8_t> categories;      // the rating categories the match was rated in
  std::vector<ArchivedPlayer> players;  // in rank order

  void writeDB(util::BigEndianWriter& out) const;
  // Throws when the bytes are not a whole record.
  static ArchivedMatch read(util::BigEndianReader& in);
};

// The match archive of a module: one record per merged match, in merge order, appended by
// every run and never rewritten. It makes repeats known for ever (the match list keeps only
// the newest stamps) and keeps every match's result and ratings for careers and charts.
//
// File bytes: "SCXMATCH", int version (1), then the records, each an int length n, n bytes of
// ArchivedMatch, and the FNV-1a hash (long) of those n bytes. Big-endian. Appended through the
// run's journal only, so a record is never torn; a record that does not check out (damage from
// outside) ends the sound part of the file, and the next save cuts the file there.
class MatchArchive {
 public:
  static constexpr std::string_view kMagic = "SCXMATCH";
  static constexpr int32_t kVersion = 1;
  // A record is at most this long: a longer length can only be damage.
  static constexpr int32_t kMaxRecord = 64 << 20;

  // Reads the time stamps of the archive at path and finds the end of its sound part. A
  // missing file is an empty archive. Throws, after keeping what it read, when the file has
  // a damaged part: the failure tells where.
  void open(const std::string& path);

  bool contains(int64_t time) const { return stamps.count(time) != 0; }
  // Adds a match to the records the next save appends.
  void add(const ArchivedMatch& m);

  // What the save writes: the file is cut to soundSize() when damaged(), the header written
  // when the sound part has none (header()), and the new records (takeNew()) go after that.
  int64_t soundSize() const { return sound; }
  bool damaged() const { return damage; }
  bool hasNew() const { return !pending.empty(); }
  // The new records are kept in slices of about this many bytes: a run of many matches never
  // copies them into a bigger buffer, and each slice goes into the journal as it is.
  static constexpr size_t kSlice = 1 << 20;
  // The file's header, when its sound part lacks it, else nothing.
  std::string header() const;
  // Hands the new records over to the save, slice by slice, without a copy (a run of many
  // matches holds megabytes of them).
  std::vector<std::string> takeNew();
  // After a save: the records handed over belong to the file.
  void saved();

  // Calls each with every sound record of the archive at path, in file order; stops (and
  // returns false) at the first record that does not check out. A missing file has none.
  static bool forEach(const std::string& path, const std::function<void(ArchivedMatch&&)>& each);
  // Calls each with every record added since the last save, in the order they were added.
  void forEachNew(const std::function<void(ArchivedMatch&&)>& each) const;

 private:
  std::unordered_set<int64_t> stamps;
  int64_t sound = 0;
  bool damage = false;
  std::vector<std::string> pending;
  int64_t handedOver = 0;  // bytes of header and records taken by the save in progress
};

}  // namespace orvane::programs::Scorex::store
